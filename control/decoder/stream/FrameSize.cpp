#include "control/decoder/stream/FrameSize.h"

#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/stream/HeaderTables.h"

namespace aurion {

namespace {

// ISO/IEC 11172-3, clause 2.4.3.1: Layer I frames are counted in 4-byte slots of
// 12 x bitrate / frequency, Layers II and III in bytes of 144 x bitrate / frequency.
constexpr uint32_t LayerOneSlotFactor = 12;
constexpr uint32_t LayerOneSlotBytes = 4;
constexpr uint32_t SlotFactor = 144;
constexpr uint32_t HeaderBytes = 4;
constexpr uint32_t ChecksumBytes = 2;

}  // namespace

uint32_t FrameBytes(uint32_t layer, uint32_t version, uint32_t bitrateIndex,
                    uint32_t frequencyIndex, uint32_t padding, bool mpeg25) {
    if (layer < 1 || layer > 3) {
        return 0;
    }
    const uint32_t bitrate = BitrateTable[version & 1][layer - 1][bitrateIndex & 15];
    const uint32_t frequency = SamplingFrequency(version, frequencyIndex, mpeg25);
    if (layer == 1) {
        return LayerOneSlotBytes * (bitrate * LayerOneSlotFactor / frequency + padding);
    }
    // Only Layer III halves its frame at the low sampling frequencies (576 samples);
    // an LSF Layer II frame keeps 1152 samples (ISO/IEC 13818-3, clause 2.4.3.1).
    uint32_t size = static_cast<uint32_t>(uint64_t{bitrate} * SlotFactor / frequency);
    if (version == 0 && layer == 3) {
        size >>= 1;
    }
    return size + padding;
}

uint32_t SamplingFrequency(uint32_t version, uint32_t frequencyIndex, bool mpeg25) {
    return mpeg25 ? Mpeg25SamplingFrequencyTable[frequencyIndex & 3]
                  : SamplingFrequencyTable[version & 1][frequencyIndex & 3];
}

uint32_t SideInfoBytes(uint32_t version, uint32_t mode) {
    const bool single = mode == SingleChannelMode;
    if (version == 1) {
        return single ? 17 : 32;
    }
    return single ? 9 : 17;
}

uint32_t ReadableFrameBytes(uint32_t headerWord) {
    const uint32_t layer = HeaderLayer(headerWord);
    const uint32_t bitrateIndex = HeaderBitrateIndex(headerWord);
    const uint32_t frequencyIndex = HeaderFrequencyIndex(headerWord);
    if (layer == 0 || bitrateIndex == 0 || bitrateIndex == 15 || frequencyIndex == 3) {
        return 0;
    }
    const uint32_t version = HeaderVersion(headerWord);
    const bool mpeg25 = HeaderMpeg25(headerWord);
    if (mpeg25 && (version != 0 || layer != 3)) {
        return 0;
    }
    const uint32_t size =
        FrameBytes(layer, version, bitrateIndex, frequencyIndex, HeaderPadding(headerWord), mpeg25);
    const uint32_t checksum = HeaderNoChecksum(headerWord) == 0 ? ChecksumBytes : 0;
    if (size < HeaderBytes + checksum || size - HeaderBytes > FrameStream::BufferBytes) {
        return 0;
    }
    if (layer == 3 &&
        size < HeaderBytes + checksum + SideInfoBytes(version, HeaderMode(headerWord))) {
        return 0;
    }
    return size;
}

}  // namespace aurion
