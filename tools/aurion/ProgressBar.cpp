#include "tools/aurion/ProgressBar.h"

#include <algorithm>
#include <cmath>

namespace aurion::host {

namespace {

constexpr int BarWidth = 30;
constexpr int EstimatedPercentLimit = 99;

}  // namespace

ProgressBar::ProgressBar(std::FILE* out, float msPerFrame, bool forwardOnly)
    : m_out(out), m_msPerFrame(msPerFrame), m_forwardOnly(forwardOnly) {}

std::string ProgressBar::TimeText(int64_t milliseconds) {
    const int64_t seconds = std::max<int64_t>(milliseconds, 0) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

std::string ProgressBar::LengthText(int32_t frames, float msPerFrame, bool estimated) {
    const auto ms = static_cast<int64_t>(std::llround(double{msPerFrame} * std::max(frames, 0)));
    return (estimated ? "~" : "") + TimeText(ms);
}

int ProgressBar::Percent(const ProgressFigures& figures) {
    if (figures.Frames <= 0) return 0;
    const int64_t percent =
        std::clamp<int64_t>(int64_t{std::max(figures.Frame, 0)} * 100 / figures.Frames, 0, 100);
    return static_cast<int>(figures.Estimated ? std::min<int64_t>(percent, EstimatedPercentLimit)
                                              : percent);
}

std::string ProgressBar::Line(const ProgressFigures& figures, int minimumPercent) const {
    const int percent = std::max(Percent(figures), minimumPercent);
    const int filled = percent * BarWidth / 100;
    // A total that the stream has outrun is at least what has been done.
    const int32_t total = std::max(figures.Frames, figures.Frame);
    char text[160];
    std::snprintf(text, sizeof text, "[%s%s] %3d%%  %s / %s",
                  std::string(static_cast<size_t>(filled), '#').c_str(),
                  std::string(static_cast<size_t>(BarWidth - filled), '-').c_str(), percent,
                  LengthText(figures.Frame, m_msPerFrame, false).c_str(),
                  LengthText(total, m_msPerFrame, figures.Estimated).c_str());
    return text;
}

void ProgressBar::Show(const ProgressFigures& figures) {
    const std::string line = Line(figures, m_forwardOnly ? m_percentShown : 0);
    m_percentShown = std::max(m_percentShown, Percent(figures));
    if (line == m_shown) return;
    std::fprintf(m_out, "\r%s", line.c_str());
    std::fflush(m_out);
    m_shown = line;
}

void ProgressBar::Finish() {
    if (!m_shown.empty()) {
        std::fputc('\n', m_out);
        std::fflush(m_out);
        m_shown.clear();
    }
}

}  // namespace aurion::host
