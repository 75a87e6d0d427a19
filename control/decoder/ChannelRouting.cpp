#include "control/decoder/ChannelRouting.h"

#include <cstring>

namespace aurion {

ChannelRouting::ChannelRouting(ChannelChoice choice, int streamChannels,
                               PolyphaseFilter& leftFilter, PolyphaseFilter* rightFilter)
    : m_left(leftFilter), m_right(rightFilter) {
    if (streamChannels != 2) {
        return;
    }
    switch (choice) {
        case ChannelChoice::Both:
            if (rightFilter != nullptr) {
                m_mode = Mode::Both;
                m_lastChannel = 1;
            }
            break;
        case ChannelChoice::Left:
            break;
        case ChannelChoice::Right:
            m_mode = Mode::Right;
            m_firstChannel = 1;
            m_lastChannel = 1;
            break;
        case ChannelChoice::Mix:
            m_mode = Mode::Mix;
            break;
    }
}

PolyphaseFilter& ChannelRouting::FilterFor(int channel) const {
    return channel == 1 && m_mode == Mode::Both ? *m_right : m_left;
}

void ChannelRouting::Synthesize(size_t blocks, SampleSink& sink) {
    const size_t count = blocks < kMaxBlocks ? blocks : kMaxBlocks;
    m_left.Synthesize(m_pending[0][0], kMaxBlocks, count, sink);
    if (m_mode == Mode::Both) {
        m_right->Synthesize(m_pending[1][0], kMaxBlocks, count, sink);
    }
    std::memset(m_pending[0], 0, sizeof m_pending[0]);
    if (m_mode == Mode::Both) {
        std::memset(m_pending[1], 0, sizeof m_pending[1]);
    }
}

}  // namespace aurion
