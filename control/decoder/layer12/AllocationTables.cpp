#include "control/decoder/layer12/AllocationTables.h"

namespace aurion {

namespace {

// Class indexes of QuantizationClasses by their number of levels.
enum Levels : uint8_t {
    L3,
    L5,
    L7,
    L9,
    L15,
    L31,
    L63,
    L127,
    L255,
    L511,
    L1023,
    L2047,
    L4095,
    L8191,
    L16383,
    L32767,
    L65535,
};

// Tables B.2a and B.2b.
constexpr AllocationRow RowA0 = {
    4,
    {L3, L7, L15, L31, L63, L127, L255, L511, L1023, L2047, L4095, L8191, L16383, L32767, L65535}};
constexpr AllocationRow RowA1 = {
    4, {L3, L5, L7, L9, L15, L31, L63, L127, L255, L511, L1023, L2047, L4095, L8191, L65535}};
constexpr AllocationRow RowA2 = {3, {L3, L5, L7, L9, L15, L31, L65535}};
constexpr AllocationRow RowA3 = {2, {L3, L5, L65535}};

// Tables B.2c and B.2d.
constexpr AllocationRow RowC0 = {
    4, {L3, L5, L9, L15, L31, L63, L127, L255, L511, L1023, L2047, L4095, L8191, L16383, L32767}};
constexpr AllocationRow RowC1 = {3, {L3, L5, L9, L15, L31, L63, L127}};

// ISO/IEC 13818-3, Table B.1.
constexpr AllocationRow RowL0 = {
    4, {L3, L5, L7, L9, L15, L31, L63, L127, L255, L511, L1023, L2047, L4095, L8191, L16383}};
constexpr AllocationRow RowL1 = {3, {L3, L5, L9, L15, L31, L63, L127}};
constexpr AllocationRow RowL2 = {2, {L3, L5, L9}};

// Rows[sb] for sb < subbands: the first row up to `firstEnd`, and so on.
struct Span {
    uint32_t End;
    const AllocationRow* Row;
};

template <size_t N>
constexpr AllocationTable MakeTable(uint32_t subbands, const Span (&spans)[N]) {
    AllocationTable table{subbands, {}};
    uint32_t sb = 0;
    for (const Span& span : spans) {
        for (; sb < span.End && sb < subbands; ++sb) {
            table.Rows[sb] = span.Row;
        }
    }
    return table;
}

}  // namespace

const AllocationTable AllocationTableA =
    MakeTable(27, {{3, &RowA0}, {11, &RowA1}, {23, &RowA2}, {27, &RowA3}});
const AllocationTable AllocationTableB =
    MakeTable(30, {{3, &RowA0}, {11, &RowA1}, {23, &RowA2}, {30, &RowA3}});
const AllocationTable AllocationTableC = MakeTable(8, {{2, &RowC0}, {8, &RowC1}});
const AllocationTable AllocationTableD = MakeTable(12, {{2, &RowC0}, {12, &RowC1}});
const AllocationTable AllocationTableLsf = MakeTable(30, {{4, &RowL0}, {11, &RowL1}, {30, &RowL2}});

const AllocationTable& SelectAllocationTable(uint32_t version, uint32_t subbands) {
    if (version == 0) {
        return AllocationTableLsf;
    }
    switch (subbands) {
        case 8:
            return AllocationTableC;
        case 12:
            return AllocationTableD;
        case 27:
            return AllocationTableA;
        default:
            return AllocationTableB;
    }
}

}  // namespace aurion
