// The fields of the current frame's header and what derives from them (frame size,
// subband count, intensity bound, Layer III main-data size), the per-file estimates
// (frame counts, play time), the padding table used for seeking at 44.1/22.05 kHz,
// and the frame checksum word. Every accepted header has passed ReadableFrameBytes,
// so BodySize fits the stream's buffer and MainDataSize is never negative.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "control/decoder/stream/Crc16.h"
#include "control/decoder/stream/VbrHeader.h"

namespace aurion {

class FrameStream;

class FrameHeader {
public:
    FrameHeader() = default;
    FrameHeader(const FrameHeader&) = delete;
    FrameHeader& operator=(const FrameHeader&) = delete;

    // Reads the next header, the frame body and the checksum word, and updates the
    // estimates and the padding table. A first frame that is a Xing, Info or VBRI
    // header frame is kept as VbrInfo() and passed over: the frame loaded is the
    // first audio frame, frame 0. crcOut is the frame's Crc16 when the frame
    // carries a checksum (restarted, the header's low 16 bits already fed), else null.
    // False: no further header, or the frame's body is cut short by the file's end.
    bool ReadNext(FrameStream& stream, Crc16*& crcOut);
    // Positions the stream so that the next frame read (fixed frame sizes) or the
    // frame now loaded (SeekLoadsFrame) is `frame`. A far seek forward in a file whose
    // header frame has a table of contents starts where the table places the frame
    // and loads the first frame found there: its number (CurrentFrame) is where the
    // table places it, near `frame`. False when not synced, when frame is negative,
    // or when positioning or reading fails.
    bool SeekToFrame(FrameStream& stream, int32_t frame);
    // True when SeekToFrame loads the frame it lands on (44.1/22.05 kHz, and files
    // with a header frame); false when it leaves it for the next ReadNext.
    [[nodiscard]] bool SeekLoadsFrame() const { return m_vbr || m_frequencyIndex == 0; }
    // Computes BodySize and MainDataSize from the current fields.
    void FrameBodySize();
    // Splits a header word into the fields (Version and FrequencyIndex included) and
    // computes the derived values; for building a header without a file.
    void SplitFields(uint32_t headerWord);

    [[nodiscard]] uint32_t Bitrate() const;     // bits per second
    [[nodiscard]] float MsPerFrame() const;     // milliseconds, true duration for LSF too
    [[nodiscard]] uint32_t SampleRate() const;  // Hz

    [[nodiscard]] uint32_t Layer() const { return m_layer; }
    [[nodiscard]] uint32_t NoChecksum() const { return m_noChecksum; }
    [[nodiscard]] uint32_t BitrateIndex() const { return m_bitrateIndex; }
    [[nodiscard]] uint32_t FrequencyIndex() const { return m_frequencyIndex; }
    [[nodiscard]] uint32_t Padding() const { return m_padding; }
    [[nodiscard]] uint32_t Mode() const { return m_mode; }
    [[nodiscard]] uint32_t ModeExtension() const { return m_modeExtension; }
    [[nodiscard]] uint32_t Version() const { return m_version; }
    [[nodiscard]] bool Mpeg25() const { return m_mpeg25; }
    [[nodiscard]] uint32_t Subbands() const { return m_subbands; }
    [[nodiscard]] uint32_t IntensityBound() const { return m_intensityBound; }
    [[nodiscard]] bool Copyright() const { return m_copyright; }
    [[nodiscard]] bool Original() const { return m_original; }
    [[nodiscard]] uint16_t StoredChecksum() const { return m_storedChecksum; }
    [[nodiscard]] uint32_t BodySize() const { return m_bodySize; }
    [[nodiscard]] int32_t MainDataSize() const { return m_mainDataSize; }
    [[nodiscard]] uint32_t MaxFrames() const { return m_maxFrames; }
    [[nodiscard]] uint32_t MinFrames() const { return m_minFrames; }
    [[nodiscard]] float TotalMs() const { return m_totalMs; }
    [[nodiscard]] Crc16* Crc() const { return m_crc.get(); }
    // The Crc16 of the frame loaded last as ReadNext delivered it: null when that
    // frame carries no checksum.
    [[nodiscard]] Crc16* FrameCrc() const { return m_noChecksum == 0 ? m_crc.get() : nullptr; }
    // Entry k: padded frames among frames 0..k, for the frames read so far (0 to
    // HighestFrame). Empty unless FrequencyIndex is 0. Room for MaxFrames entries is
    // reserved with the first frame; frames beyond that grow it.
    [[nodiscard]] std::span<const uint32_t> PaddingTable() const { return m_paddingTable; }
    // The header frame's record, when the file starts with one.
    [[nodiscard]] const std::optional<VbrHeader>& VbrInfo() const { return m_vbr; }
    // True when the frame count and play time come from the header frame.
    [[nodiscard]] bool LengthFromHeader() const { return m_vbr && m_vbr->Frames != 0; }
    // Files with a header frame: entry k is the file offset of frame k's header, for
    // the frames read so far (0 to HighestFrame). Empty for other files.
    [[nodiscard]] std::span<const uint64_t> FrameOffsets() const { return m_frameOffsets; }

private:
    void ComputeSubbands();
    void UpdateEstimates(const FrameStream& stream);
    void UpdatePaddingTable(int32_t currentFrame, int32_t highestFrame);
    bool LoadFrame(FrameStream& stream, uint32_t headerWord);
    [[nodiscard]] bool TakeVbrHeader(const FrameStream& stream, uint32_t headerWord);
    void RecordFrameOffset(const FrameStream& stream);
    bool SeekRecorded(FrameStream& stream, int32_t frame);
    bool SeekByToc(FrameStream& stream, int32_t frame);

    uint32_t m_layer = 0;
    uint32_t m_noChecksum = 1;
    uint32_t m_bitrateIndex = 0;
    uint32_t m_frequencyIndex = 0;
    uint32_t m_padding = 0;
    uint32_t m_mode = 0;
    uint32_t m_modeExtension = 0;
    uint32_t m_version = 1;
    bool m_mpeg25 = false;
    uint32_t m_subbands = 0;
    uint32_t m_intensityBound = 0;
    bool m_copyright = false;
    bool m_original = false;
    bool m_synced = false;
    uint16_t m_storedChecksum = 0;
    uint32_t m_bodySize = 0;
    int32_t m_mainDataSize = 0;
    uint32_t m_maxFrames = 0;
    uint32_t m_minFrames = 0;
    float m_totalMs = 0.0f;
    std::unique_ptr<Crc16> m_crc;
    std::vector<uint32_t> m_paddingTable;
    bool m_hasPaddingTable = false;  // made with the first frame at FrequencyIndex 0
    std::optional<VbrHeader> m_vbr;
    std::vector<uint64_t> m_frameOffsets;
    uint64_t m_headerFrameStart = 0;
    // After a seek through the table of contents the frame numbers are the table's
    // estimate: no offsets are recorded until a seek to a recorded frame.
    bool m_numberedByToc = false;
};

}  // namespace aurion
