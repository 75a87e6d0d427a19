// Where the decoded channels of a frame go for the session's channel choice, for
// every layer: which stream channels are output, whether both are mixed into one,
// and which polyphase filter receives each. Both channels go to their own filters;
// left or right alone goes to the left filter (sink channel 0); the mix is the
// mean of both, also into the left filter. A single-channel stream always uses
// the left filter.
#pragma once

#include <algorithm>
#include <cstddef>

#include "control/decoder/SampleSink.h"
#include "control/decoder/synthesis/PolyphaseFilter.h"

namespace aurion {

// The mix of two channels into one.
[[nodiscard]] inline float MixChannels(float left, float right) { return (left + right) * 0.5f; }

class ChannelRouting {
public:
    // streamChannels: 1 or 2. rightFilter is null when one channel is output; a
    // choice of both channels without a right filter outputs the left channel.
    ChannelRouting(ChannelChoice choice, int streamChannels, PolyphaseFilter& leftFilter,
                   PolyphaseFilter* rightFilter);

    // The stream channels that are decoded for output, first to last.
    [[nodiscard]] int FirstChannel() const { return m_firstChannel; }
    [[nodiscard]] int LastChannel() const { return m_lastChannel; }
    // True when both stream channels are mixed into channel 0 before output.
    [[nodiscard]] bool MixesChannels() const { return m_mode == Mode::Mix; }
    // The filter that stream channel `channel` (one of First..LastChannel) feeds.
    [[nodiscard]] PolyphaseFilter& FilterFor(int channel) const;

    // Layer I and II frames collect their blocks of subband samples here and
    // filter them all at once: a frame has at most kMaxBlocks (12 granules of
    // three samples).
    static constexpr size_t kMaxBlocks = 36;

    // Subband samples of a single-channel stream for `count` pending blocks from
    // `firstBlock` on. Samples for a subband outside 0..31 or for blocks past
    // kMaxBlocks are ignored.
    void PutMono(const float* values, size_t count, int subband, size_t firstBlock) {
        float* pending = Pending(0, count, subband, firstBlock);
        if (pending != nullptr) {
            std::copy_n(values, count, pending);
        }
    }
    // Subband samples of both channels of a two-channel stream for `count`
    // pending blocks from `firstBlock` on.
    void PutPair(const float* left, const float* right, size_t count, int subband,
                 size_t firstBlock) {
        float* pending = Pending(0, count, subband, firstBlock);
        if (pending == nullptr) {
            return;
        }
        switch (m_mode) {
            case Mode::Both:
                std::copy_n(left, count, pending);
                std::copy_n(right, count, Pending(1, count, subband, firstBlock));
                break;
            case Mode::Left:
                std::copy_n(left, count, pending);
                break;
            case Mode::Right:
                std::copy_n(right, count, pending);
                break;
            case Mode::Mix:
                for (size_t i = 0; i < count; ++i) {
                    pending[i] = MixChannels(left[i], right[i]);
                }
                break;
        }
    }
    // Turns the first `blocks` pending blocks of each output filter into PCM (left,
    // then right) and clears them: subbands nobody put stay 0.
    void Synthesize(size_t blocks, SampleSink& sink);

private:
    enum class Mode { Both, Left, Right, Mix };

    // Where output `output`'s samples of `subband` for `count` blocks from
    // `firstBlock` on go; null when they do not all fit.
    float* Pending(int output, size_t count, int subband, size_t firstBlock) {
        if (subband < 0 || subband >= PolyphaseFilter::kSubbands || firstBlock > kMaxBlocks ||
            count > kMaxBlocks - firstBlock) {
            return nullptr;
        }
        return &m_pending[output][subband][firstBlock];
    }

    PolyphaseFilter& m_left;
    PolyphaseFilter* m_right;
    Mode m_mode = Mode::Left;
    int m_firstChannel = 0;
    int m_lastChannel = 0;
    // Per output filter (left, right) and subband, the pending blocks' samples
    // side by side, as PolyphaseFilter::Synthesize takes them.
    float m_pending[2][PolyphaseFilter::kSubbands][kMaxBlocks] = {};
};

}  // namespace aurion
