// The bit-allocation tables of Layer II: ISO/IEC 11172-3, Tables B.2a to B.2d,
// and the one table of the low sampling frequencies, ISO/IEC 13818-3, Table B.1.
// Per subband a table gives the width of the allocation field and, per allocation
// value, the class of quantization (QuantizationClasses); allocation 0 means no
// samples. Every value a field of that width can hold has an entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace aurion {

// One subband's allocation field: its width in bits and, for allocation a >= 1,
// Classes[a - 1] as an index into QuantizationClasses.
struct AllocationRow {
    uint32_t Width;
    std::array<uint8_t, 15> Classes;
    [[nodiscard]] uint32_t ClassCount() const { return (1u << Width) - 1u; }
};

struct AllocationTable {
    uint32_t Subbands;                          // sblimit
    std::array<const AllocationRow*, 32> Rows;  // null from Subbands on
};

// By the number of subbands that carry data (FrameHeader::Subbands):
extern const AllocationTable AllocationTableA;    // 27 subbands
extern const AllocationTable AllocationTableB;    // 30 subbands
extern const AllocationTable AllocationTableC;    // 8 subbands
extern const AllocationTable AllocationTableD;    // 12 subbands
extern const AllocationTable AllocationTableLsf;  // 30 subbands, ISO/IEC 13818-3

// The table in force for a Layer II frame: the low-sampling-frequency table for
// version 0, else the MPEG-1 table whose subband count the header chose.
[[nodiscard]] const AllocationTable& SelectAllocationTable(uint32_t version, uint32_t subbands);

}  // namespace aurion
