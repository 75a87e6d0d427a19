// The scale-factor band boundaries of Layer III for the nine sampling frequencies:
// ISO/IEC 11172-3, Table B.8 (MPEG-1), the low-sampling-frequency table of
// ISO/IEC 13818-3 and those of the MPEG-2.5 extension. Rows are indexed by
// BandTable: LSF 22.05, 24, 16 kHz, MPEG-1 44.1, 48, 32 kHz, then MPEG-2.5
// 11.025, 12, 8 kHz. Each row holds 23 long boundaries (0..576) and 14 short
// boundaries (0..192); every boundary is ascending and within those limits.
#pragma once

#include <array>
#include <cstdint>

namespace aurion {

struct ScaleFactorBands {
    std::array<uint16_t, 23> longBounds;
    std::array<uint16_t, 14> shortBounds;
};

// The first row of the MPEG-2.5 tables: 11.025, 12, 8 kHz.
inline constexpr uint32_t Mpeg25BandTables = 6;

inline constexpr std::array<ScaleFactorBands, 9> ScaleFactorBandTables = {{
    // ISO/IEC 13818-3, 22.05 kHz
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 24, 32, 42, 56, 74, 100, 132, 174, 192}},
    // ISO/IEC 13818-3, 24 kHz
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      114, 136, 162, 194, 232, 278, 332, 394, 464, 540, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 136, 180, 192}},
    // ISO/IEC 13818-3, 16 kHz
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    // ISO/IEC 11172-3, Table B.8, 44.1 kHz
    {{0,  4,  8,   12,  16,  20,  24,  30,  36,  44,  52, 62,
      74, 90, 110, 134, 162, 196, 238, 288, 342, 418, 576},
     {0, 4, 8, 12, 16, 22, 30, 40, 52, 66, 84, 106, 136, 192}},
    // ISO/IEC 11172-3, Table B.8, 48 kHz
    {{0,  4,  8,   12,  16,  20,  24,  30,  36,  42,  50, 60,
      72, 88, 106, 128, 156, 190, 230, 276, 330, 384, 576},
     {0, 4, 8, 12, 16, 22, 28, 38, 50, 64, 80, 100, 126, 192}},
    // ISO/IEC 11172-3, Table B.8, 32 kHz
    {{0,  4,   8,   12,  16,  20,  24,  30,  36,  44,  54, 66,
      82, 102, 126, 156, 194, 240, 296, 364, 448, 550, 576},
     {0, 4, 8, 12, 16, 22, 30, 42, 58, 78, 104, 138, 180, 192}},
    // MPEG-2.5, 11.025 kHz
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    // MPEG-2.5, 12 kHz
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    // MPEG-2.5, 8 kHz
    {{0,   12,  24,  36,  48,  60,  72,  88,  108, 132, 160, 192,
      232, 280, 336, 400, 476, 566, 568, 570, 572, 574, 576},
     {0, 8, 16, 24, 36, 52, 72, 96, 124, 160, 162, 164, 166, 192}},
}};

// The long bands a mixed block codes below line 36: bands 0..7 in MPEG-1, 0..5 in
// LSF, where the long bands are wider (ISO/IEC 13818-3).
inline constexpr int MixedLongBandsMpeg1 = 8;
inline constexpr int MixedLongBandsLsf = 6;

}  // namespace aurion
