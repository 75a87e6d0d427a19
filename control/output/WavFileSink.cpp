#include "control/output/WavFileSink.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "control/output/InterleavedSamples.h"

namespace aurion {

namespace {

constexpr uint16_t FormatPcm = 1;     // WAVE_FORMAT_PCM
constexpr uint32_t FormatBytes = 18;  // the format record with its extra-size field
constexpr uint16_t BitsPerSample = 16;

void Put16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

WavFileSink::WavFileSink(const std::string& path, int channels, uint32_t sampleRate,
                         uint32_t frameBytes, OutputFailureReport& report)
    : m_path(path),
      m_position(static_cast<size_t>(std::clamp(channels, 1, 2))),
      m_channels(std::clamp(channels, 1, 2)),
      m_frameBytes(frameBytes),
      m_report(report),
      m_frame(frameBytes) {
    ResetPositions();
    if (!Open(path, sampleRate)) {
        m_failed = true;
    }
}

bool WavFileSink::Open(const std::string& path, uint32_t sampleRate) {
    int reason = 0;
    m_file = platform::MmioFile::OpenForWriting(path, IoBufferBytes, &reason);
    if (!m_file) {
        Fail(OutputFailure::MmioOpen, reason);
        return false;
    }
    m_riff.FormType = platform::MakeFourCC('W', 'A', 'V', 'E');
    if (!m_file->CreateChunk(m_riff, platform::ChunkKind::Riff)) {
        Fail(OutputFailure::MmioRiffChunk);
        return false;
    }
    platform::MmChunkInfo format;
    format.Id = platform::MakeFourCC('f', 'm', 't', ' ');
    format.Size = FormatBytes;
    if (!m_file->CreateChunk(format, platform::ChunkKind::Plain)) {
        Fail(OutputFailure::MmioFormatChunk);
        return false;
    }
    const auto channels = static_cast<uint16_t>(m_channels);
    const auto blockAlign = static_cast<uint16_t>(channels * BitsPerSample / 8);
    std::array<uint8_t, FormatBytes> record{};
    Put16(&record[0], FormatPcm);
    Put16(&record[2], channels);
    Put32(&record[4], sampleRate);
    Put32(&record[8], sampleRate * blockAlign);
    Put16(&record[12], blockAlign);
    Put16(&record[14], BitsPerSample);
    Put16(&record[16], 0);
    if (m_file->Write(record) != static_cast<int64_t>(record.size())) {
        Fail(OutputFailure::MmioFormatWrite);
        return false;
    }
    if (!m_file->Ascend(format)) {
        Fail(OutputFailure::MmioFormatAscend);
        return false;
    }
    m_data.Id = platform::MakeFourCC('d', 'a', 't', 'a');
    if (!m_file->CreateChunk(m_data, platform::ChunkKind::Plain)) {
        Fail(OutputFailure::MmioDataChunk);
        return false;
    }
    if (!m_file->GetInfo(m_info)) {
        Fail(OutputFailure::MmioGetInfo);
        return false;
    }
    return true;
}

WavFileSink::~WavFileSink() {
    if (!m_file) {
        return;  // never created
    }
    if (m_failed) {
        KeepWhatWasWritten();
        return;
    }
    // The first step that fails is reported; the ones after it would only fail for
    // the same reason, so the file is finished as far as it reached the disk instead.
    m_info.Dirty = true;
    if (!m_file->SetInfo(m_info)) {
        Fail(OutputFailure::MmioSetInfo, m_file->LastError());
    } else if (!m_file->Ascend(m_data)) {
        Fail(OutputFailure::MmioAscendData, m_file->LastError());
    } else if (!m_file->Ascend(m_riff)) {
        Fail(OutputFailure::MmioAscendRiff, m_file->LastError());
    } else if (!m_file->Close()) {
        m_report.ReportWithReason(OutputFailure::MmioClose, m_file->LastError());
        return;  // the sizes are written; only closing failed
    }
    if (m_failed) {
        KeepWhatWasWritten();
    }
}

void WavFileSink::Fail(OutputFailure failure, int systemError) {
    m_failed = true;
    m_report.ReportWithReason(failure, systemError);
}

// Cutting a file never needs room, and the sizes go into the header's bytes, which
// are on the disk already: this works on a full disk too.
void WavFileSink::KeepWhatWasWritten() {
    const uint64_t written = m_file->WrittenBytes();
    const uint64_t blockAlign = static_cast<uint64_t>(m_channels) * 2;
    const uint64_t samples = written > HeaderBytes ? (written - HeaderBytes) / blockAlign : 0;
    const uint64_t length = HeaderBytes + samples * blockAlign;
    const bool kept = samples > 0 && m_file->Truncate(length) && m_file->Ascend(m_data) &&
                      m_file->Ascend(m_riff) && m_file->Close();
    if (!kept) {
        m_file.reset();
        ::unlink(m_path.c_str());
    }
}

void WavFileSink::ResetPositions() {
    for (size_t c = 0; c < m_position.size(); ++c) {
        m_position[c] = static_cast<uint32_t>(2 * c);
    }
}

void WavFileSink::Append(int channel, int16_t sample) { AppendBlock(channel, &sample, 1); }

void WavFileSink::AppendBlock(int channel, const int16_t* samples, size_t count) {
    if (channel < 0 || channel >= m_channels) {
        return;
    }
    uint32_t& position = m_position[static_cast<size_t>(channel)];
    position = StoreInterleaved(m_frame.data(), m_frameBytes, position,
                                static_cast<uint32_t>(m_channels) * 2, samples, count);
}

void WavFileSink::WriteBuffer() { WriteBytes(m_frame.size()); }

// Channel 0's position is the end of the samples appended: every channel gets
// as many as channel 0.
void WavFileSink::WritePartialBuffer() {
    WriteBytes(std::min<size_t>(m_position[0], m_frame.size()));
}

void WavFileSink::WriteBytes(size_t count) {
    if (m_failed) {
        return;
    }
    size_t done = 0;
    while (done < count) {
        if (m_info.Next == m_info.EndWrite) {
            m_info.Dirty = true;
            if (!m_file->Advance(m_info)) {
                Fail(OutputFailure::MmioAdvance, m_file->LastError());
                return;
            }
        }
        const size_t room = static_cast<size_t>(m_info.EndWrite - m_info.Next);
        const size_t n = std::min(room, count - done);
        std::memcpy(m_info.Next, m_frame.data() + done, n);
        m_info.Next += n;
        done += n;
    }
    ResetPositions();
}

}  // namespace aurion
