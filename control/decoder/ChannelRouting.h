// Where the decoded channels of a frame go for the session's channel choice, for
// every layer: which stream channels are output, whether both are mixed into one,
// and which polyphase filter receives each. Both channels go to their own filters;
// left or right alone goes to the left filter (sink channel 0); the mix is the
// mean of both, also into the left filter. A single-channel stream always uses
// the left filter.
#pragma once

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

    // One subband sample of a single-channel stream.
    void PutMono(float value, int subband) { m_left.InputSample(value, subband); }
    // One subband sample of both channels of a two-channel stream.
    void PutPair(float left, float right, int subband) {
        switch (m_mode) {
            case Mode::Both:
                m_left.InputSample(left, subband);
                m_right->InputSample(right, subband);
                break;
            case Mode::Left:
                m_left.InputSample(left, subband);
                break;
            case Mode::Right:
                m_left.InputSample(right, subband);
                break;
            case Mode::Mix:
                m_left.InputSample(MixChannels(left, right), subband);
                break;
        }
    }
    // Turns the pending block of each output filter into PCM: left, then right.
    void CalculatePcmSamples(SampleSink& sink) {
        m_left.CalculatePcmSamples(sink);
        if (m_mode == Mode::Both) {
            m_right->CalculatePcmSamples(sink);
        }
    }

private:
    enum class Mode { Both, Left, Right, Mix };

    PolyphaseFilter& m_left;
    PolyphaseFilter* m_right;
    Mode m_mode = Mode::Left;
    int m_firstChannel = 0;
    int m_lastChannel = 0;
};

}  // namespace aurion
