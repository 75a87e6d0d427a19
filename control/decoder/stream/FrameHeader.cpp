#include "control/decoder/stream/FrameHeader.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "control/decoder/stream/FrameSize.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/stream/HeaderTables.h"
#include "control/decoder/stream/TocMap.h"

namespace aurion {

namespace {

constexpr uint32_t HeaderBytes = 4;
constexpr uint32_t ChecksumBits = 16;
constexpr uint32_t ChecksumBytes = 2;
constexpr uint32_t JointStereoMode = 1;

// Layer II subband limits (ISO/IEC 11172-3, Annex B, Table B.2: sblimit of
// tables a to d, chosen by the bit rate per channel and the sampling frequency).
constexpr uint32_t LayerOneSubbands = 32;
constexpr uint32_t LowRateSubbands32kHz = 12;
constexpr uint32_t LowRateSubbands = 8;
constexpr uint32_t TableASubbands = 27;
constexpr uint32_t TableBSubbands = 30;
// ISO/IEC 13818-3, Table B.1: the one Layer II table of the low sampling frequencies.
constexpr uint32_t LsfSubbands = 30;

// Upper bound on the room reserved up front; longer streams grow the table.
constexpr uint32_t PaddingTableReserveLimit = 1u << 20;

// A seek further than this beyond the frames read so far goes through the header
// frame's table of contents (about 26 s at 44.1 kHz); nearer ones read ahead,
// which lands exactly.
constexpr int32_t FarSeekFrames = 1000;

// The frames of a constant-rate MPEG-2.5 stream: its bytes over the mean frame
// size that bit rate and frequency fix (72 x bitrate / frequency, the Layer III
// slot factor halved for 576 samples), rounded to the nearest frame. Padding keeps
// such a stream within a byte of the mean, far less than half a frame.
uint32_t FramesOfMeanSize(uint64_t streamBytes, uint32_t bitrate, uint32_t frequency) {
    constexpr uint64_t HalvedSlotFactor = 72;
    const uint64_t frameBytesTimesFrequency = HalvedSlotFactor * bitrate;
    if (frameBytesTimesFrequency == 0) {
        return 0;
    }
    const uint64_t frames =
        (2 * streamBytes * frequency + frameBytesTimesFrequency) / (2 * frameBytesTimesFrequency);
    return static_cast<uint32_t>(std::min<uint64_t>(frames, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

bool FrameHeader::ReadNext(FrameStream& stream, Crc16*& crcOut) {
    crcOut = nullptr;
    uint32_t word = 0;
    if (!m_synced) {
        if (!stream.ReadHeaderWord(word, false)) {
            return false;
        }
        stream.SetSyncPattern(word);
        m_synced = true;
        if (!LoadFrame(stream, word)) {
            return false;
        }
        if (TakeVbrHeader(stream, word)) {
            stream.RestartAfterHeaderFrame();
            if (!stream.ReadHeaderWord(word, true) || !LoadFrame(stream, word)) {
                return false;
            }
        }
    } else if (!stream.ReadHeaderWord(word, true) || !LoadFrame(stream, word)) {
        return false;
    }
    if (m_noChecksum == 0) {
        m_storedChecksum = static_cast<uint16_t>(stream.GetBits(ChecksumBits));
        if (!m_crc) {
            m_crc = std::make_unique<Crc16>();
        }
        // Each frame's checksum starts afresh: frames read without being checked
        // (Layer III, frames passed over by a seek) leave nothing behind.
        m_crc->Reset();
        m_crc->Update(word, ChecksumBits);
        crcOut = m_crc.get();
    }
    if (m_vbr) {
        if (!LengthFromHeader()) {
            UpdateEstimates(stream);
        }
        RecordFrameOffset(stream);
        return true;
    }
    if (!m_hasPaddingTable) {
        UpdateEstimates(stream);
    }
    if (m_frequencyIndex == 0) {
        UpdatePaddingTable(stream.CurrentFrame(), stream.HighestFrame());
    }
    return true;
}

bool FrameHeader::SeekToFrame(FrameStream& stream, int32_t frame) {
    if (!m_synced || frame < 0) {
        return false;
    }
    if (m_vbr) {
        return SeekRecorded(stream, frame);
    }
    if (m_frequencyIndex != 0) {
        return stream.SeekFixed(frame, m_bodySize);
    }
    return stream.SeekVariable(frame, m_bodySize - m_padding, *this);
}

bool FrameHeader::LoadFrame(FrameStream& stream, uint32_t headerWord) {
    SplitFields(headerWord);
    return stream.ReadFrameBody(m_bodySize);
}

// The frame just loaded is the file's first: a header frame gives the length and
// is not audio. Its raw bytes are read again from the file, since the loaded body
// has been turned into words for the bit reader.
bool FrameHeader::TakeVbrHeader(const FrameStream& stream, uint32_t headerWord) {
    if (m_layer != 3) {
        return false;
    }
    const uint32_t frameBytes = m_bodySize + HeaderBytes;
    const uint64_t frameStart = stream.Position() - frameBytes;
    std::vector<uint8_t> bytes(frameBytes);
    if (!stream.ReadBytesAt(frameStart, bytes)) {
        return false;
    }
    const uint64_t fileSize = stream.FileSize();
    const uint64_t streamBytes = fileSize > frameStart ? fileSize - frameStart : 0;
    m_vbr = ParseVbrHeader(bytes, headerWord, streamBytes);
    if (!m_vbr) {
        return false;
    }
    m_headerFrameStart = frameStart;
    if (LengthFromHeader()) {
        m_maxFrames = m_vbr->Frames;
        m_minFrames = m_vbr->Frames;
        m_totalMs = MsPerFrame() * static_cast<float>(m_vbr->Frames);
    }
    return true;
}

// Frames are first read in order (a seek beyond them reads up to the target), so
// a frame read for the first time is always the next entry.
void FrameHeader::RecordFrameOffset(const FrameStream& stream) {
    const int32_t current = stream.CurrentFrame();
    if (m_numberedByToc || current < 0 || static_cast<size_t>(current) != m_frameOffsets.size()) {
        return;
    }
    m_frameOffsets.push_back(stream.Position() - m_bodySize - HeaderBytes);
}

// A recorded frame is loaded straight from its offset; a later one is reached by
// reading on from the last recorded frame, or, when it lies far beyond, through
// the table of contents.
bool FrameHeader::SeekRecorded(FrameStream& stream, int32_t frame) {
    Crc16* crc = nullptr;
    const auto target = static_cast<size_t>(frame);
    if (target < m_frameOffsets.size()) {
        m_numberedByToc = false;
        return stream.SeekToOffset(frame, m_frameOffsets[target]) && ReadNext(stream, crc);
    }
    if (m_frameOffsets.empty()) {
        return false;
    }
    const auto last = static_cast<int32_t>(m_frameOffsets.size() - 1);
    if (frame - last > FarSeekFrames && SeekByToc(stream, frame)) {
        return true;
    }
    m_numberedByToc = false;
    if (!stream.SeekToOffset(last, m_frameOffsets.back())) {
        return false;
    }
    do {
        if (!ReadNext(stream, crc)) {
            return false;
        }
    } while (stream.CurrentFrame() < frame);
    return true;
}

// The table only ever takes a seek forward past the recorded frames: a landing at
// or before them (a table that does not fit the file) is refused, and the seek
// reads ahead instead.
bool FrameHeader::SeekByToc(FrameStream& stream, int32_t frame) {
    if (!m_vbr) {
        return false;
    }
    const std::optional<TocMap> map =
        TocMap::Make(*m_vbr, m_headerFrameStart, m_frameOffsets.front(), stream.FileSize());
    if (!map) {
        return false;
    }
    const std::optional<uint64_t> found = stream.FindConfirmedHeader(map->OffsetOfFrame(frame));
    if (!found || *found <= m_frameOffsets.back()) {
        return false;
    }
    const int32_t landed = map->FrameAtOffset(*found);
    if (static_cast<size_t>(landed) < m_frameOffsets.size()) {
        return false;
    }
    m_numberedByToc = true;
    Crc16* crc = nullptr;
    return stream.SeekToOffset(landed, *found) && ReadNext(stream, crc);
}

void FrameHeader::SplitFields(uint32_t headerWord) {
    m_version = HeaderVersion(headerWord);
    m_mpeg25 = HeaderMpeg25(headerWord);
    m_frequencyIndex = HeaderFrequencyIndex(headerWord);
    m_noChecksum = HeaderNoChecksum(headerWord);
    m_padding = HeaderPadding(headerWord);
    m_layer = HeaderLayer(headerWord);
    m_bitrateIndex = HeaderBitrateIndex(headerWord);
    m_mode = HeaderMode(headerWord);
    m_modeExtension = (headerWord >> 4) & 3;
    m_intensityBound = m_mode == JointStereoMode ? 4 * m_modeExtension + 4 : 0;
    m_copyright = ((headerWord >> 3) & 1) != 0;
    m_original = ((headerWord >> 2) & 1) != 0;
    ComputeSubbands();
    m_intensityBound = std::min(m_intensityBound, m_subbands);
    FrameBodySize();
}

void FrameHeader::FrameBodySize() {
    const uint32_t size =
        FrameBytes(m_layer, m_version, m_bitrateIndex, m_frequencyIndex, m_padding, m_mpeg25);
    m_bodySize = size >= HeaderBytes ? size - HeaderBytes : 0;
    m_mainDataSize = 0;
    if (m_layer == 3) {
        const int64_t mainData = int64_t{size} - HeaderBytes - SideInfoBytes(m_version, m_mode) -
                                 (m_noChecksum == 0 ? ChecksumBytes : 0);
        m_mainDataSize = static_cast<int32_t>(std::max<int64_t>(mainData, 0));
    }
}

uint32_t FrameHeader::Bitrate() const {
    if (m_layer < 1 || m_layer > 3) {
        return 0;
    }
    return BitrateTable[m_version & 1][m_layer - 1][m_bitrateIndex & 15];
}

float FrameHeader::MsPerFrame() const {
    if (m_frequencyIndex >= MsPerFrameTable[0].size()) {
        return 0.0f;
    }
    // The table holds MPEG-1 durations; LSF Layers I and II keep the MPEG-1 sample
    // count per frame at half the rate, so their frames last twice as long.
    // MPEG-2.5 frames (Layer III only) last twice as long as LSF frames.
    const float ms = MsPerFrameTable[m_layer & 3][m_frequencyIndex];
    return (m_version == 0 && m_layer != 3) || m_mpeg25 ? 2.0f * ms : ms;
}

uint32_t FrameHeader::SampleRate() const {
    return SamplingFrequency(m_version, m_frequencyIndex, m_mpeg25);
}

// The MPEG-1 Layer II table selection, made for every layer but I (for Layer III
// only the intensity bound's limit depends on it): the bit-rate index per channel
// picks the low-rate tables (c, d) or tables a and b. LSF Layer II has one table.
void FrameHeader::ComputeSubbands() {
    if (m_layer == 1) {
        m_subbands = LayerOneSubbands;
        return;
    }
    if (m_version == 0 && m_layer == 2) {
        m_subbands = LsfSubbands;
        return;
    }
    auto perChannel = static_cast<int32_t>(m_bitrateIndex);
    if (m_mode != SingleChannelMode) {
        perChannel = perChannel == 4 ? 1 : perChannel - 4;
    }
    if (perChannel == 1 || perChannel == 2) {
        m_subbands = m_frequencyIndex == 2 ? LowRateSubbands32kHz : LowRateSubbands;
    } else if (m_frequencyIndex == 1 || (perChannel >= 3 && perChannel <= 5)) {
        m_subbands = TableASubbands;
    } else {
        m_subbands = TableBSubbands;
    }
}

// MPEG-1 and MPEG-2 keep the estimates hosts have always been given: the file's
// size over the unpadded frame size, and over one byte more. MPEG-2.5 frames are
// so small that a padding byte is up to about 1 % of one, which puts that count a
// frame or more beyond the stream's end; it is counted by the mean frame size.
void FrameHeader::UpdateEstimates(const FrameStream& stream) {
    const uint32_t unpaddedFrame = m_bodySize - m_padding + HeaderBytes;
    if (m_mpeg25) {
        const uint64_t streamBytes = stream.StreamBytes();
        m_maxFrames = FramesOfMeanSize(streamBytes, Bitrate(), SampleRate());
        m_minFrames = static_cast<uint32_t>(std::min<uint64_t>(
            streamBytes / (unpaddedFrame + 1), std::numeric_limits<uint32_t>::max()));
    } else {
        m_maxFrames = stream.FileSize() / unpaddedFrame;
        m_minFrames = stream.FileSize() / (unpaddedFrame + 1);
    }
    m_totalMs = MsPerFrame() * static_cast<float>(m_maxFrames);
}

void FrameHeader::UpdatePaddingTable(int32_t currentFrame, int32_t highestFrame) {
    if (!m_hasPaddingTable) {
        m_paddingTable.reserve(std::clamp(m_maxFrames, 1u, PaddingTableReserveLimit));
        m_hasPaddingTable = true;
    }
    if (currentFrame == 0) {
        if (m_paddingTable.empty()) {
            m_paddingTable.push_back(m_padding);
        } else {
            m_paddingTable[0] = m_padding;
        }
        return;
    }
    if (currentFrame < 0 || currentFrame != highestFrame || m_paddingTable.empty()) {
        return;
    }
    const auto index = static_cast<size_t>(currentFrame);
    if (index > m_paddingTable.size()) {
        m_paddingTable.resize(index, m_paddingTable.back());
    }
    const uint32_t entry = m_paddingTable[index - 1] + m_padding;
    if (index == m_paddingTable.size()) {
        m_paddingTable.push_back(entry);
    } else {
        m_paddingTable[index] = entry;
    }
}

}  // namespace aurion
