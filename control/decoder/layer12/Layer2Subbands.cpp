#include "control/decoder/layer12/Layer2Subbands.h"

#include "control/decoder/ChannelRouting.h"
#include "control/decoder/layer12/ScaleFactorTable.h"
#include "control/decoder/stream/FrameStream.h"

namespace aurion {

namespace {

constexpr unsigned SelectionBits = 2;
constexpr unsigned ScaleFactorBits = 6;

// scfsi (ISO/IEC 11172-3, clause 2.4.2.7): which of the three scale factors are
// transmitted and which repeat the one before.
enum Selection : uint32_t { AllThree = 0, FirstTwice = 1, OneForAll = 2, LastTwice = 3 };

float ReadScaleFactor(FrameStream& stream) {
    return ScaleFactorTable[stream.GetBits(ScaleFactorBits)];
}

}  // namespace

void Layer2Channel::ReadAllocation(FrameStream& stream, Crc16* crc, const AllocationRow& row) {
    const uint32_t allocation = ReadProtectedBits(stream, crc, row.Width);
    m_class = nullptr;
    if (allocation != 0 && allocation <= row.ClassCount()) {
        m_class = &QuantizationClasses[row.Classes[allocation - 1]];
    }
}

void Layer2Channel::ReadScaleFactorSelection(FrameStream& stream, Crc16* crc) {
    if (m_class != nullptr) {
        m_selection = ReadProtectedBits(stream, crc, SelectionBits);
    }
}

void Layer2Channel::ReadScaleFactors(FrameStream& stream) {
    if (m_class == nullptr) {
        return;
    }
    switch (m_selection) {
        case AllThree:
            m_scale[0] = ReadScaleFactor(stream);
            m_scale[1] = ReadScaleFactor(stream);
            m_scale[2] = ReadScaleFactor(stream);
            break;
        case FirstTwice:
            m_scale[0] = ReadScaleFactor(stream);
            m_scale[1] = m_scale[0];
            m_scale[2] = ReadScaleFactor(stream);
            break;
        case OneForAll:
            m_scale[0] = ReadScaleFactor(stream);
            m_scale[1] = m_scale[0];
            m_scale[2] = m_scale[0];
            break;
        default:
            m_scale[0] = ReadScaleFactor(stream);
            m_scale[1] = ReadScaleFactor(stream);
            m_scale[2] = m_scale[1];
            break;
    }
}

void ReadSampleTriple(FrameStream& stream, const QuantizationClass* quantization,
                      SampleTriple& samples) {
    if (quantization == nullptr) {
        return;
    }
    if (!quantization->Grouping.empty()) {
        // A code beyond the class's last group is not a valid code: silence.
        const uint32_t code = stream.GetBits(quantization->BitsPerCode);
        samples =
            code < quantization->Grouping.size() ? quantization->Grouping[code] : SampleTriple{};
        return;
    }
    const uint32_t bits = quantization->BitsPerCode;
    uint32_t codes[3];
    if (3 * bits <= 32) {
        // The three codes follow each other: one read gives all of them. Past the
        // frame's end both ways read zeros.
        const uint32_t all = stream.GetBits(3 * bits);
        const uint32_t mask = (uint32_t{1} << bits) - 1;
        codes[0] = all >> (2 * bits);
        codes[1] = (all >> bits) & mask;
        codes[2] = all & mask;
    } else {
        for (uint32_t& code : codes) {
            code = stream.GetBits(bits);
        }
    }
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto code = static_cast<float>(codes[i]);
        samples[i] = (code * quantization->Factor - 1.0f + quantization->D) * quantization->C;
    }
}

bool Layer2Granule::Advance() {
    m_part = m_granule / GranulesPerPart;
    if (++m_granule < GranulesPerFrame) {
        return false;
    }
    m_granule = 0;
    return true;
}

void Layer2SubbandMono::ReadAllocation(FrameStream& stream, Crc16* crc) {
    m_channel.ReadAllocation(stream, crc, m_row);
}

void Layer2SubbandMono::ReadScaleFactorSelection(FrameStream& stream, Crc16* crc) {
    m_channel.ReadScaleFactorSelection(stream, crc);
}

void Layer2SubbandMono::ReadScaleFactor(FrameStream& stream) { m_channel.ReadScaleFactors(stream); }

bool Layer2SubbandMono::ReadSampleData(FrameStream& stream) {
    ReadSampleTriple(stream, m_channel.Class(), m_samples);
    return m_granule.Advance();
}

void Layer2SubbandMono::PutSamples(ChannelRouting& routing, size_t firstBlock) {
    if (m_channel.Class() == nullptr) {
        return;
    }
    const float scale = m_channel.Scale(m_granule.Part());
    SampleTriple scaled;
    for (size_t i = 0; i < scaled.size(); ++i) {
        scaled[i] = m_samples[i] * scale;
    }
    routing.PutMono(scaled.data(), scaled.size(), m_index, firstBlock);
}

void Layer2SubbandStereo::ReadAllocation(FrameStream& stream, Crc16* crc) {
    m_left.ReadAllocation(stream, crc, m_row);
    m_right.ReadAllocation(stream, crc, m_row);
}

void Layer2SubbandStereo::ReadScaleFactorSelection(FrameStream& stream, Crc16* crc) {
    m_left.ReadScaleFactorSelection(stream, crc);
    m_right.ReadScaleFactorSelection(stream, crc);
}

void Layer2SubbandStereo::ReadScaleFactor(FrameStream& stream) {
    m_left.ReadScaleFactors(stream);
    m_right.ReadScaleFactors(stream);
}

bool Layer2SubbandStereo::ReadSampleData(FrameStream& stream) {
    ReadSampleTriple(stream, m_left.Class(), m_leftSamples);
    ReadSampleTriple(stream, m_right.Class(), m_rightSamples);
    return m_granule.Advance();
}

void Layer2SubbandStereo::PutSamples(ChannelRouting& routing, size_t firstBlock) {
    const bool hasLeft = m_left.Class() != nullptr;
    const bool hasRight = m_right.Class() != nullptr;
    if (!hasLeft && !hasRight) {
        return;
    }
    const uint32_t part = m_granule.Part();
    SampleTriple left{};
    SampleTriple right{};
    if (hasLeft) {
        for (size_t i = 0; i < left.size(); ++i) {
            left[i] = m_leftSamples[i] * m_left.Scale(part);
        }
    }
    if (hasRight) {
        for (size_t i = 0; i < right.size(); ++i) {
            right[i] = m_rightSamples[i] * m_right.Scale(part);
        }
    }
    routing.PutPair(left.data(), right.data(), left.size(), m_index, firstBlock);
}

void Layer2SubbandIntensity::ReadAllocation(FrameStream& stream, Crc16* crc) {
    m_left.ReadAllocation(stream, crc, m_row);
    m_right.ShareAllocation(m_left);
}

void Layer2SubbandIntensity::ReadScaleFactorSelection(FrameStream& stream, Crc16* crc) {
    m_left.ReadScaleFactorSelection(stream, crc);
    m_right.ReadScaleFactorSelection(stream, crc);
}

void Layer2SubbandIntensity::ReadScaleFactor(FrameStream& stream) {
    m_left.ReadScaleFactors(stream);
    m_right.ReadScaleFactors(stream);
}

bool Layer2SubbandIntensity::ReadSampleData(FrameStream& stream) {
    ReadSampleTriple(stream, m_left.Class(), m_samples);
    return m_granule.Advance();
}

void Layer2SubbandIntensity::PutSamples(ChannelRouting& routing, size_t firstBlock) {
    if (m_left.Class() == nullptr) {
        return;
    }
    const uint32_t part = m_granule.Part();
    SampleTriple left;
    SampleTriple right;
    for (size_t i = 0; i < m_samples.size(); ++i) {
        left[i] = m_samples[i] * m_left.Scale(part);
        right[i] = m_samples[i] * m_right.Scale(part);
    }
    routing.PutPair(left.data(), right.data(), left.size(), m_index, firstBlock);
}

}  // namespace aurion
