// The members that tell a host how far a session has got: what the device is
// playing, and the stream's length as the frames read so far suggest.
#include <cmath>

#include "control/player/AurionCtrl.h"

namespace aurion {

int32_t AurionCtrl::GetPlayedFrame() {
    if (!m_session) return Fail(Errors::NotOpened);
    if (m_session->Context().Output == OutputKind::WavFile) return m_session->LastFrameReached();
    // The samples of one frame: its duration at the stream's rate (1152, 576 or 384).
    const double samples = static_cast<double>(m_msPerFrame) * m_sampleFrequency * 0.001;
    return m_session->PlayedFrame(samples > 0.0 ? static_cast<uint32_t>(std::lround(samples)) : 0);
}

int32_t AurionCtrl::GetFrameEstimate() {
    if (!m_session) return Fail(Errors::NotOpened);
    if (m_lengthKnown) return m_frameCount;
    return m_session->Context().Progress.EstimatedFrames().value_or(m_frameCount);
}

}  // namespace aurion
