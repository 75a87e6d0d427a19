// The N-point inverse MDCT (N = 36, or 12 for short blocks) is a DCT-IV of
// N / 2 points read out with sign symmetries. The DCT-IV is a DCT-III of the
// pairwise sums X[k] + X[k - 1], divided by 2 cos((2n + 1) pi / (2N)); that
// division and the window are one pre-multiplied factor per output
// (ImdctWindows). The DCT-III splits into two of half length, even and odd
// terms, the odd one again by pairwise sums with a factor 1 / (2 cos).
#include "control/decoder/layer3/InverseMdct.h"

#include "control/decoder/VectorClones.h"
#include "control/decoder/layer3/ImdctWindows.h"

namespace aurion {

namespace {

// The templates below are inlined into each caller, so that the AVX2 version of
// InverseMdctLanes runs them with AVX2 too.
#define AURION_INLINE inline __attribute__((always_inline))

// cos(k pi / 18), k = 1..8.
constexpr float kCos1 = 0.984807753f;
constexpr float kCos2 = 0.939692621f;
constexpr float kCos3 = 0.866025404f;
constexpr float kCos4 = 0.766044443f;
constexpr float kCos5 = 0.642787610f;
constexpr float kCos6 = 0.500000000f;
constexpr float kCos7 = 0.342020143f;
constexpr float kCos8 = 0.173648178f;

// 1 / (2 cos((2n + 1) pi / 36)), n = 0..8: the odd half of the 18-point DCT-III.
constexpr float kOddFactors18[9] = {
    5.019099188e-01f, 5.176380902e-01f, 5.516889595e-01f, 6.103872944e-01f, 7.071067812e-01f,
    8.717233978e-01f, 1.183100792e+00f, 1.931851653e+00f, 5.736856623e+00f,
};

// 1 / (2 cos((2n + 1) pi / 12)), n = 0..2: the odd half of the 6-point DCT-III.
constexpr float kOddFactors6[3] = {0.517638090f, 0.707106781f, 1.931851653f};

// cos(pi / 6).
constexpr float kCosPi6 = 0.866025404f;

// out[n] = sum over q = 0..8 of a[q] cos(q (2n + 1) pi / 18). Output pairs n and
// 8 - n share the even terms and differ in the sign of the odd ones. T is float or
// ImdctLanes: the lanes go through exactly the operations of the float version.
template <typename T>
AURION_INLINE void Dct9(const T* a, T* out) {
    const T even0 = a[0] + kCos2 * a[2] + kCos4 * a[4] + kCos6 * a[6] + kCos8 * a[8];
    const T odd0 = kCos1 * a[1] + kCos3 * a[3] + kCos5 * a[5] + kCos7 * a[7];
    const T even1 = a[0] + kCos6 * (a[2] - a[4] - a[8]) - a[6];
    const T odd1 = kCos3 * (a[1] - a[5] - a[7]);
    const T even2 = a[0] - kCos8 * a[2] - kCos2 * a[4] + kCos6 * a[6] + kCos4 * a[8];
    const T odd2 = kCos5 * a[1] - kCos3 * a[3] - kCos7 * a[5] + kCos1 * a[7];
    const T even3 = a[0] - kCos4 * a[2] + kCos8 * a[4] + kCos6 * a[6] - kCos2 * a[8];
    const T odd3 = kCos7 * a[1] - kCos3 * a[3] + kCos1 * a[5] - kCos5 * a[7];
    out[0] = even0 + odd0;
    out[8] = even0 - odd0;
    out[1] = even1 + odd1;
    out[7] = even1 - odd1;
    out[2] = even2 + odd2;
    out[6] = even2 - odd2;
    out[3] = even3 + odd3;
    out[5] = even3 - odd3;
    out[4] = a[0] - a[2] + a[4] - a[6] + a[8];
}

// out[n] = sum over q = 0..2 of a[q] cos(q (2n + 1) pi / 6).
void Dct3(const float* a, float* out) {
    const float even = a[0] + 0.5f * a[2];
    const float odd = kCosPi6 * a[1];
    out[0] = even + odd;
    out[1] = a[0] - a[2];
    out[2] = even - odd;
}

// z[n] = sum over m = 0..17 of v[m] cos(m (2n + 1) pi / 36), v[m] = X[m] + X[m - 1].
template <typename T>
AURION_INLINE void Long18(const T* input, T* z) {
    T even[9];
    T odd[9];
    // v[2p] = X[2p] + X[2p - 1]; the odd terms pair v[2q + 1] + v[2q - 1].
    even[0] = input[0];
    for (int p = 1; p < 9; ++p) {
        even[p] = input[2 * p] + input[2 * p - 1];
    }
    odd[0] = input[1] + input[0];
    for (int q = 1; q < 9; ++q) {
        odd[q] = input[2 * q + 1] + input[2 * q] + input[2 * q - 1] + input[2 * q - 2];
    }
    T e[9];
    T o[9];
    Dct9(even, e);
    Dct9(odd, o);
    for (int n = 0; n < 9; ++n) {
        const T scaledOdd = o[n] * kOddFactors18[n];
        z[n] = e[n] + scaledOdd;
        z[17 - n] = e[n] - scaledOdd;
    }
}

// The same for 6 lines, taken from input with a stride of 3.
void Short6(const float* input, float* z) {
    const float x0 = input[0];
    const float x1 = input[3];
    const float x2 = input[6];
    const float x3 = input[9];
    const float x4 = input[12];
    const float x5 = input[15];
    const float even[3] = {x0, x2 + x1, x4 + x3};
    const float odd[3] = {x1 + x0, x3 + x2 + x1 + x0, x5 + x4 + x3 + x2};
    float e[3];
    float o[3];
    Dct3(even, e);
    Dct3(odd, o);
    for (int n = 0; n < 3; ++n) {
        const float scaledOdd = o[n] * kOddFactors6[n];
        z[n] = e[n] + scaledOdd;
        z[5 - n] = e[n] - scaledOdd;
    }
}

// The long transform of Long18, read out into the 36 outputs with the window.
template <typename T>
AURION_INLINE void WindowLong(const float* window, const T* input, T* output) {
    T z[18];
    Long18(input, z);
    for (int i = 0; i < 9; ++i) {
        output[i] = window[i] * z[i + 9];
    }
    for (int i = 9; i < 27; ++i) {
        output[i] = window[i] * z[26 - i];
    }
    for (int i = 27; i < 36; ++i) {
        output[i] = window[i] * z[i - 27];
    }
}

}  // namespace

void InverseMdct(const float* input, float* output, uint32_t blockType) {
    const ImdctWindowTable& windows = ImdctWindows();
    if (blockType == 2) {
        for (int i = 0; i < kImdctOutputs; ++i) {
            output[i] = 0.0f;
        }
        for (int w = 0; w < 3; ++w) {
            float z[6];
            Short6(input + w, z);
            float* out = output + 6 + 6 * w;
            for (int i = 0; i < 3; ++i) {
                out[i] += windows.Short[i] * z[i + 3];
            }
            for (int i = 3; i < 9; ++i) {
                out[i] += windows.Short[i] * z[8 - i];
            }
            for (int i = 9; i < 12; ++i) {
                out[i] += windows.Short[i] * z[i - 9];
            }
        }
        return;
    }

    WindowLong(windows.Long[blockType <= 3 ? blockType : 0], input, output);
}

AURION_VECTOR_CLONES
void InverseMdctLanes(const ImdctLanes* input, ImdctLanes* output, uint32_t blockType) {
    const ImdctWindowTable& windows = ImdctWindows();
    WindowLong(windows.Long[blockType == 1 || blockType == 3 ? blockType : 0], input, output);
}

}  // namespace aurion
