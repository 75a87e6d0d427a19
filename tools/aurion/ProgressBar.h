// The progress line on a terminal: a bar with the share of the stream done and the
// elapsed and total playing time as m:ss / m:ss, redrawn in place (carriage
// return) whenever the text changes. The total is the control's frame count when
// the file's header frame gives it, and otherwise its estimate from the frames
// read so far, marked "~m:ss": the share then follows the bytes read, so a first
// frame that does not stand for the rest cannot make the bar jump. An estimated
// share stops at 99 % until the end is reached.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace aurion::host {

struct ProgressFigures {
    int32_t Frame = 0;       // frames done: decoded, or heard
    int32_t Frames = 0;      // the stream's frames, or their estimate
    bool Estimated = false;  // Frames is an estimate
};

class ProgressBar {
public:
    // forwardOnly: the share never goes back, though the estimate under it may
    // change (a decode, which never seeks).
    ProgressBar(std::FILE* out, float msPerFrame, bool forwardOnly);
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Show(const ProgressFigures& figures);
    // Ends the line, so that what follows starts on a line of its own.
    void Finish();

    // The line, without the carriage return; the share at least `minimumPercent`.
    [[nodiscard]] std::string Line(const ProgressFigures& figures, int minimumPercent = 0) const;
    // The share in percent, 0 to 100.
    [[nodiscard]] static int Percent(const ProgressFigures& figures);
    // "m:ss" of whole seconds.
    [[nodiscard]] static std::string TimeText(int64_t milliseconds);
    // "m:ss" of a number of frames, "~m:ss" for an estimate.
    [[nodiscard]] static std::string LengthText(int32_t frames, float msPerFrame, bool estimated);

private:
    std::FILE* m_out;
    float m_msPerFrame;
    bool m_forwardOnly;
    int m_percentShown = 0;
    std::string m_shown;
};

}  // namespace aurion::host
