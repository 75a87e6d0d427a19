// The three subband kinds of Layer I (ISO/IEC 11172-3, clause 2.4.1.5 and
// 2.4.3.2): single channel, two channels each with its own allocation and
// samples, and intensity stereo above the bound, where one allocation and one
// sample serve both channels with a scale factor each. Each frame gives 12
// samples per subband; allocation 15, forbidden, counts as 0.
#pragma once

#include <cstdint>

#include "control/decoder/layer12/Subband.h"

namespace aurion {

// One channel's allocation, scale factor and current sample.
class Layer1Channel {
public:
    void ReadAllocation(FrameStream& stream, Crc16* crc);
    void ReadScaleFactor(FrameStream& stream);
    void ReadSample(FrameStream& stream);
    [[nodiscard]] bool HasSamples() const { return m_allocation != 0; }
    // The requantized sample before the scale factor.
    [[nodiscard]] float Fraction() const {
        return static_cast<float>(m_sample) * m_factor + m_offset;
    }
    [[nodiscard]] float Value() const { return Fraction() * m_scale; }
    [[nodiscard]] float Scale() const { return m_scale; }

private:
    uint32_t m_allocation = 0;
    uint32_t m_sample = 0;
    float m_scale = 0.0f;
    float m_factor = 0.0f;
    float m_offset = 0.0f;
};

// Counts the 12 samples of a frame.
class Layer1SampleCount {
public:
    bool Next() {
        if (++m_count < SamplesPerFrame) {
            return false;
        }
        m_count = 0;
        return true;
    }

private:
    static constexpr uint32_t SamplesPerFrame = 12;
    uint32_t m_count = 0;
};

class Layer1SubbandMono final : public Subband {
public:
    explicit Layer1SubbandMono(int index) : Subband(index) {}
    void ReadAllocation(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactor(FrameStream& stream) override;
    bool ReadSampleData(FrameStream& stream) override;
    void PutSamples(ChannelRouting& routing, size_t firstBlock) override;

private:
    Layer1Channel m_channel;
    Layer1SampleCount m_count;
};

class Layer1SubbandStereo final : public Subband {
public:
    explicit Layer1SubbandStereo(int index) : Subband(index) {}
    void ReadAllocation(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactor(FrameStream& stream) override;
    bool ReadSampleData(FrameStream& stream) override;
    void PutSamples(ChannelRouting& routing, size_t firstBlock) override;

private:
    Layer1Channel m_left;
    Layer1Channel m_right;
    Layer1SampleCount m_count;
};

class Layer1SubbandIntensity final : public Subband {
public:
    explicit Layer1SubbandIntensity(int index) : Subband(index) {}
    void ReadAllocation(FrameStream& stream, Crc16* crc) override;
    void ReadScaleFactor(FrameStream& stream) override;
    bool ReadSampleData(FrameStream& stream) override;
    void PutSamples(ChannelRouting& routing, size_t firstBlock) override;

private:
    Layer1Channel m_shared;  // allocation, sample and the left scale factor
    float m_rightScale = 0.0f;
    Layer1SampleCount m_count;
};

}  // namespace aurion
