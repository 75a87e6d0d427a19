// Lee's recursive DCT: each N-point transform splits its input into pairwise
// sums and scaled differences, transforms both halves with N / 2 points, and
// interleaves them, the odd outputs as sums of neighbouring terms.
#include "control/decoder/synthesis/FastDct32.h"

#include "control/decoder/VectorClones.h"

namespace aurion {

namespace {

// 1 / (2 cos(k pi / 64)) for the five levels of the recursion: k = 1, 3, ..., 31
// (32 points), k = 2, 6, ..., 30 (16), k = 4, 12, 20, 28 (8), k = 8, 24 (4) and
// k = 16 (2). Level N uses 1 / (2 cos((2j + 1) pi / (2N))), j = 0..N/2 - 1.
constexpr float kLeeDct32Factors[31] = {
    5.006029982e-01f, 5.054709599e-01f, 5.154473099e-01f, 5.310425911e-01f,
    5.531038960e-01f, 5.829349682e-01f, 6.225041230e-01f, 6.748083415e-01f,
    7.445362710e-01f, 8.393496454e-01f, 9.725682379e-01f, 1.169439933e+00f,
    1.484164616e+00f, 2.057781010e+00f, 3.407608418e+00f, 1.019000812e+01f,

    5.024192862e-01f, 5.224986149e-01f, 5.669440348e-01f, 6.468217834e-01f,
    7.881546235e-01f, 1.060677686e+00f, 1.722447098e+00f, 5.101148619e+00f,

    5.097955791e-01f, 6.013448869e-01f, 8.999762231e-01f, 2.562915448e+00f,

    5.411961001e-01f, 1.306562965e+00f,

    7.071067812e-01f,
};

AURION_ALWAYS_INLINE void Scale(float& value, float factor) { value *= factor; }

AURION_ALWAYS_INLINE void Scale(Lanes& value, float factor) {
    Lanes factors;
    FillLanes(factors, factor);
    value *= factors;
}

// Value is float for one transform or Lanes for kLaneCount of them side by side.
template <typename Value, int N>
struct LeeDct {
    // factors: this level's N / 2 factors, followed by those of the smaller levels.
    AURION_ALWAYS_INLINE static void Run(const Value* in, Value* out, const float* factors) {
        constexpr int kHalf = N / 2;
        Value sums[kHalf];
        Value differences[kHalf];
        for (int k = 0; k < kHalf; ++k) {
            sums[k] = in[k] + in[N - 1 - k];
            differences[k] = in[k] - in[N - 1 - k];
            Scale(differences[k], factors[k]);
        }
        Value even[kHalf];
        Value odd[kHalf];
        LeeDct<Value, kHalf>::Run(sums, even, factors + kHalf);
        LeeDct<Value, kHalf>::Run(differences, odd, factors + kHalf);
        for (int m = 0; m < kHalf - 1; ++m) {
            out[2 * m] = even[m];
            out[2 * m + 1] = odd[m] + odd[m + 1];
        }
        out[N - 2] = even[kHalf - 1];
        out[N - 1] = odd[kHalf - 1];
    }
};

template <typename Value>
struct LeeDct<Value, 1> {
    AURION_ALWAYS_INLINE static void Run(const Value* in, Value* out, const float*) {
        out[0] = in[0];
    }
};

}  // namespace

void FastDct32(const float* in, float* out) { LeeDct<float, 32>::Run(in, out, kLeeDct32Factors); }

AURION_VECTOR_CLONES
void FastDct32Lanes(const float* in, size_t stride, Lanes* out) {
    Lanes rows[32];
    for (size_t k = 0; k < 32; ++k) {
        LoadLanes(rows[k], in + k * stride);
    }
    LeeDct<Lanes, 32>::Run(rows, out, kLeeDct32Factors);
}

}  // namespace aurion
