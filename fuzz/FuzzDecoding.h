// The decoding thread's loop without the thread: a stream opened from a file,
// decoded frame by frame into a CheckingSink through the decoder of each frame's
// layer, with the thread's seek (the frame sought is the next one decoded) and
// stop frame. The fuzz targets drive it directly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "control/decoder/FrameDecoder.h"
#include "control/decoder/stream/FrameHeader.h"
#include "control/decoder/stream/FrameStream.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"
#include "fuzz/CheckingSink.h"

namespace aurion::fuzz {

class FuzzDecoding {
public:
    // Opens the file and loads its first frame; Ready() tells whether that worked.
    FuzzDecoding(const std::string& path, ChannelChoice choice) {
        m_stream.Open(path);
        m_ready = m_header.ReadNext(m_stream, m_crc);
        if (!m_ready) return;
        constexpr uint32_t SingleChannelMode = 3;
        if (m_header.Mode() == SingleChannelMode) choice = ChannelChoice::Left;
        const bool both = choice == ChannelChoice::Both;
        m_left = std::make_unique<PolyphaseFilter>(0, 32768.0f);
        if (both) m_right = std::make_unique<PolyphaseFilter>(1, 32768.0f);
        m_sink = std::make_unique<CheckingSink>(both ? 2 : 1);
        m_choice = choice;
        m_layer = m_header.Layer();
        MakeDecoder();
    }
    ~FuzzDecoding() {
        m_decoder.reset();
        m_stream.Close();
    }
    FuzzDecoding(const FuzzDecoding&) = delete;
    FuzzDecoding& operator=(const FuzzDecoding&) = delete;

    [[nodiscard]] bool Ready() const { return m_ready; }
    [[nodiscard]] FrameStream& Stream() { return m_stream; }
    [[nodiscard]] FrameHeader& Header() { return m_header; }
    [[nodiscard]] const CheckingSink& Sink() const { return *m_sink; }

    // Decodes the loaded frame and loads the next; false at the stream's end.
    bool DecodeFrame() {
        if (m_header.Layer() != m_layer) {
            m_layer = m_header.Layer();
            MakeDecoder();
        }
        if (m_decoder) {
            m_sink->ExpectFrame(SamplesPerFrame(m_header));
            m_decoder->DecodeFrame(m_crc);
            m_sink->CheckFrameEnd();
        }
        return m_header.ReadNext(m_stream, m_crc);
    }

    // The thread's seek: false ends the session. On success the frame loaded is `target`.
    bool Seek(int32_t target) {
        m_sink->ClearBuffer();
        if (!m_header.SeekToFrame(m_stream, target)) return false;
        if (m_stream.CurrentFrame() != target &&
            (!m_header.ReadNext(m_stream, m_crc) || m_stream.CurrentFrame() != target)) {
            return false;
        }
        m_crc = m_header.FrameCrc();
        m_left->Reset();
        if (m_right) m_right->Reset();
        if (m_decoder) m_decoder->SeekNotify();
        return true;
    }

private:
    void MakeDecoder() {
        m_decoder.reset();
        m_decoder = MakeFrameDecoder(m_layer, FrameDecoderParts{m_stream, m_header, *m_left,
                                                                m_right.get(), *m_sink, m_choice});
    }

    FrameStream m_stream;
    FrameHeader m_header;
    Crc16* m_crc = nullptr;
    bool m_ready = false;
    ChannelChoice m_choice = ChannelChoice::Both;
    uint32_t m_layer = 0;
    std::unique_ptr<PolyphaseFilter> m_left;
    std::unique_ptr<PolyphaseFilter> m_right;
    std::unique_ptr<CheckingSink> m_sink;
    std::unique_ptr<FrameDecoder> m_decoder;
};

}  // namespace aurion::fuzz
