#include "tools/aurion/ProgressBar.h"

#include <algorithm>
#include <cmath>

namespace aurion::host {

namespace {

constexpr int BarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::FILE* out, int32_t frameCount, float msPerFrame, int32_t totalMs)
    : m_out(out), m_frameCount(frameCount), m_msPerFrame(msPerFrame), m_totalMs(totalMs) {}

std::string ProgressBar::TimeText(int64_t milliseconds) {
    const int64_t seconds = std::max<int64_t>(milliseconds, 0) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

std::string ProgressBar::Line(int32_t frame) const {
    int64_t percent = 0;
    if (m_frameCount > 0) {
        percent = std::clamp<int64_t>(int64_t{std::max(frame, 0)} * 100 / m_frameCount, 0, 100);
    }
    const auto filled = static_cast<int>(percent * BarWidth / 100);
    auto elapsed = static_cast<int64_t>(std::llround(double{m_msPerFrame} * std::max(frame, 0)));
    if (m_totalMs > 0) {
        elapsed = std::min<int64_t>(elapsed, m_totalMs);
    }
    char text[128];
    std::snprintf(text, sizeof text, "[%s%s] %3lld%%  %s / %s",
                  std::string(static_cast<size_t>(filled), '#').c_str(),
                  std::string(static_cast<size_t>(BarWidth - filled), '-').c_str(),
                  static_cast<long long>(percent), TimeText(elapsed).c_str(),
                  TimeText(m_totalMs).c_str());
    return text;
}

void ProgressBar::Show(int32_t frame) { Draw(Line(frame)); }

void ProgressBar::Complete() { Draw(Line(m_frameCount)); }

void ProgressBar::Finish() {
    if (!m_shown.empty()) {
        std::fputc('\n', m_out);
        std::fflush(m_out);
        m_shown.clear();
    }
}

void ProgressBar::Draw(const std::string& line) {
    if (line == m_shown) {
        return;
    }
    std::fprintf(m_out, "\r%s", line.c_str());
    std::fflush(m_out);
    m_shown = line;
}

}  // namespace aurion::host
