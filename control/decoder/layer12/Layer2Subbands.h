// The three subband kinds of Layer II (ISO/IEC 11172-3, clause 2.4.1.6 and
// 2.4.3.3; ISO/IEC 13818-3 for the low sampling frequencies): single channel,
// two channels each with its own allocation and samples, and intensity stereo
// above the bound, where one allocation and one sample triple serve both channels
// with a scale-factor triple each. Each frame gives 12 granules of three samples
// per subband; the scale factor of granules 0..3, 4..7 and 8..11 is the first,
// second and third of the triple.
#pragma once

#include <array>
#include <cstdint>

#include "control/decoder/layer12/AllocationTables.h"
#include "control/decoder/layer12/QuantizationClasses.h"
#include "control/decoder/layer12/Subband.h"

namespace aurion {

// One channel's allocation (as its class of quantization), scale-factor
// selection and scale-factor triple.
class Layer2Channel {
public:
    void ReadAllocation(FrameStream& stream, Crc16* crc, const AllocationRow& row);
    void ReadScaleFactorSelection(FrameStream& stream, Crc16* crc);
    void ReadScaleFactors(FrameStream& stream);
    // Intensity stereo: the right channel takes the left one's allocation.
    void ShareAllocation(const Layer2Channel& other) { m_class = other.m_class; }
    [[nodiscard]] const QuantizationClass* Class() const { return m_class; }
    [[nodiscard]] float Scale(uint32_t part) const { return m_scale[part]; }

private:
    const QuantizationClass* m_class = nullptr;  // null: no samples
    uint32_t m_selection = 0;
    std::array<float, 3> m_scale{};
};

// Reads one granule's three samples of a channel, requantized (no scale factor
// yet); no class means no samples and nothing read.
void ReadSampleTriple(FrameStream& stream, const QuantizationClass* quantization,
                      SampleTriple& samples);

// Counts the granules of a frame.
class Layer2Granule {
public:
    // Moves on after a granule was read; true when that was the twelfth.
    bool Advance();
    // The scale-factor part (0..2) of the granule read last.
    [[nodiscard]] uint32_t Part() const { return m_part; }

private:
    static constexpr uint32_t GranulesPerFrame = 12;
    static constexpr uint32_t GranulesPerPart = 4;

    uint32_t m_granule = 0;
    uint32_t m_part = 0;
};

class Layer2SubbandMono final : public Subband {
public:
    Layer2SubbandMono(int index, const AllocationRow& row) : Subband(index), m_row(row) {}
    void ReadAllocation(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactorSelection(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactor(FrameStream& stream) override;
    bool ReadSampleData(FrameStream& stream) override;
    void PutSamples(ChannelRouting& routing, size_t firstBlock) override;

private:
    const AllocationRow& m_row;
    Layer2Channel m_channel;
    SampleTriple m_samples{};
    Layer2Granule m_granule;
};

class Layer2SubbandStereo final : public Subband {
public:
    Layer2SubbandStereo(int index, const AllocationRow& row) : Subband(index), m_row(row) {}
    void ReadAllocation(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactorSelection(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactor(FrameStream& stream) override;
    bool ReadSampleData(FrameStream& stream) override;
    void PutSamples(ChannelRouting& routing, size_t firstBlock) override;

private:
    const AllocationRow& m_row;
    Layer2Channel m_left;
    Layer2Channel m_right;
    SampleTriple m_leftSamples{};
    SampleTriple m_rightSamples{};
    Layer2Granule m_granule;
};

class Layer2SubbandIntensity final : public Subband {
public:
    Layer2SubbandIntensity(int index, const AllocationRow& row) : Subband(index), m_row(row) {}
    void ReadAllocation(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactorSelection(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactor(FrameStream& stream) override;
    bool ReadSampleData(FrameStream& stream) override;
    void PutSamples(ChannelRouting& routing, size_t firstBlock) override;

private:
    const AllocationRow& m_row;
    Layer2Channel m_left;   // the shared allocation, the left selection and scale factors
    Layer2Channel m_right;  // the right selection and scale factors
    SampleTriple m_samples{};
    Layer2Granule m_granule;
};

}  // namespace aurion
