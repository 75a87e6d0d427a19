// The decode progress line on a terminal: a bar with the percentage of the
// stream's frames and the elapsed and total playing time as m:ss / m:ss, redrawn
// in place (carriage return) whenever the text changes. Frame numbers come from
// the control's ActFrame events; the total frame count and the milliseconds per
// frame are the control's estimates, so the percentage is capped at 100.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace aurion::host {

class ProgressBar {
public:
    ProgressBar(std::FILE* out, int32_t frameCount, float msPerFrame, int32_t totalMs);
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Show(int32_t frame);
    // Shows the whole stream as done.
    void Complete();
    // Ends the line, so that what follows starts on a line of its own.
    void Finish();

    // The line for a frame, without the carriage return.
    [[nodiscard]] std::string Line(int32_t frame) const;
    // "m:ss" of whole seconds.
    [[nodiscard]] static std::string TimeText(int64_t milliseconds);

private:
    void Draw(const std::string& line);

    std::FILE* m_out;
    int32_t m_frameCount;
    float m_msPerFrame;
    int32_t m_totalMs;
    std::string m_shown;
};

}  // namespace aurion::host
