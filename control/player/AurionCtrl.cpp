#include "control/player/AurionCtrl.h"

#include <cstring>

#include "control/AurionInterface.h"
#include "control/player/AboutBox.h"
#include "control/player/ControlPicture.h"
#include "control/player/ModuleState.h"
#include "control/player/WorkerMessages.h"

namespace aurion {

AurionCtrl* AurionCtrl::Create() { return new AurionCtrl(); }

AurionCtrl::AurionCtrl() : m_events(static_cast<platform::IDispatch&>(*this)) {
    ModuleObjectCreated();
}

AurionCtrl::~AurionCtrl() {
    // The worker is asked to stop and joined, never cut off: it still owns the sink
    // and may be writing the WAV file.
    ShutDownSession();
    if (m_window != platform::NullWindow) platform::DestroyMessageWindow(m_window);
    m_window = platform::NullWindow;
    m_events.UnadviseAll();
    m_site.Reset();
    ModuleObjectDestroyed();
}

platform::HRESULT AurionCtrl::QueryInterface(const platform::Guid& iid, void** out) {
    if (out == nullptr) return platform::E_POINTER;
    if (iid == platform::IID_IUnknown || iid == platform::IID_IDispatch || iid == DIID__DAurion) {
        *out = static_cast<platform::IDispatch*>(this);
    } else if (iid == platform::IID_IConnectionPointContainer) {
        *out = static_cast<platform::IConnectionPointContainer*>(this);
    } else if (iid == platform::IID_IOleControl) {
        *out = static_cast<platform::IOleControl*>(this);
    } else if (iid == platform::IID_IViewObject) {
        *out = static_cast<platform::IViewObject*>(this);
    } else {
        *out = nullptr;
        return platform::E_NOINTERFACE;
    }
    AddRef();
    return platform::S_OK;
}

uint32_t AurionCtrl::AddRef() { return ++m_refs; }

uint32_t AurionCtrl::Release() {
    uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

platform::HRESULT AurionCtrl::FindConnectionPoint(const platform::Guid& iid,
                                                  platform::IConnectionPoint** out) {
    if (out == nullptr) return platform::E_POINTER;
    *out = nullptr;
    if (iid != DIID__DAurionEvents) return platform::CONNECT_E_NOCONNECTION;
    *out = &m_events;
    m_events.AddRef();
    return platform::S_OK;
}

platform::HRESULT AurionCtrl::SetClientSite(platform::IControlSite* site) {
    platform::ComPtr<platform::IControlSite> held;
    if (site != nullptr) {
        site->AddRef();
        held = platform::ComPtr<platform::IControlSite>::Attach(site);
    }
    m_site = std::move(held);
    return platform::S_OK;
}

platform::HRESULT AurionCtrl::Activate() {
    if (m_window != platform::NullWindow) return platform::S_OK;
    // A client site is what makes the control hosted; the host need not have a
    // window of the platform's kind (a Qt program has none).
    if (!m_site) return platform::S_FALSE;
    m_window = platform::CreateMessageWindow(
        [this](uint32_t message, platform::WParam wParam, platform::LParam lParam) {
            OnWindowMessage(message, wParam, lParam);
        });
    return m_window != platform::NullWindow ? platform::S_OK : platform::E_FAIL;
}

platform::HRESULT AurionCtrl::Deactivate() {
    // Without the window the worker's messages would be lost, so its session ends here.
    if (m_session) {
        ShutDownSession();
        m_playStatus = PlayStatus::Stopped;
        RestoreDefaults();
    }
    if (m_window != platform::NullWindow) platform::DestroyMessageWindow(m_window);
    m_window = platform::NullWindow;
    return platform::S_OK;
}

platform::HRESULT AurionCtrl::GetWindow(platform::WindowHandle& window) {
    window = m_window;
    return m_window != platform::NullWindow ? platform::S_OK : platform::E_FAIL;
}

platform::HRESULT AurionCtrl::GetPropertyPages(std::vector<platform::Guid>& pages) {
    pages.assign({CLSID_AurionPropPage});
    return platform::S_OK;
}

platform::HRESULT AurionCtrl::Draw(int width, int height, platform::Image& image) {
    return DrawControlPicture(width, height, image) ? platform::S_OK : platform::E_INVALIDARG;
}

platform::HRESULT AurionCtrl::GetToolboxImage(platform::Image& image) {
    DrawToolboxImage(image);
    return platform::S_OK;
}

void AurionCtrl::AboutBox() { ShowAboutBox(m_site.Get()); }

void AurionCtrl::MarkModified() {
    if (m_site) m_site->OnModified();
}

int16_t AurionCtrl::Fail(const ControlError& error) {
    if (m_errorMode && error.HasText() && !m_raised) m_raised = error;
    return error.Number;
}

void AurionCtrl::RestoreDefaults() {
    m_frameCount = 0;
    m_totalTime = 0.0f;
    m_msPerFrame = 0.0f;
    m_layer = -1;
    m_hasChecksums = true;
    m_isCopyrighted = true;
    m_isOriginal = true;
    m_sampleFrequency = -1;
    m_bitRate = -1;
    m_mpegMode = -1;
    m_mpegVersion = -1;
    m_frameNotifyCount = DefaultFrameNotifyCount;
    m_seeking = false;
}

void AurionCtrl::DestroySession() { m_session.reset(); }

void AurionCtrl::ShutDownSession() {
    if (!m_session) return;
    // The session's destructor asks a resumed worker to stop, ends a pause and joins.
    m_session.reset();
}

void AurionCtrl::OnWindowMessage(uint32_t message, platform::WParam wParam,
                                 platform::LParam lParam) {
    // A sink may release the last reference to the control while an event runs.
    AddRef();
    switch (message) {
        case MSG_ACTFRAME:
            OnActFrame(wParam);
            break;
        case MSG_THREADENDED:
            OnThreadEnded();
            break;
        case MSG_SEEKDONE:
            OnSeekDone();
            break;
        case MSG_FAILURE:
            OnFailure(wParam, static_cast<platform::HRESULT>(lParam));
            break;
        default:
            break;
    }
    Release();
}

void AurionCtrl::OnActFrame(platform::WParam frame) {
    if (!m_session || !m_session->Started()) return;
    m_playPosition = static_cast<int16_t>(static_cast<uint16_t>(frame & 0xFFFFu));
    m_session->FrameReached(static_cast<int32_t>(frame));
    m_events.FireActFrame(static_cast<int32_t>(frame));
}

void AurionCtrl::OnThreadEnded() {
    // Only a session's worker posts this; with no session it is a stale message.
    if (!m_session) return;
    m_session->JoinWorker();
    DestroySession();
    m_playStatus = PlayStatus::Stopped;
    RestoreDefaults();
    m_events.FireThreadEnded();
}

void AurionCtrl::OnSeekDone() {
    if (!m_session || !m_session->Started()) return;
    m_seeking = false;
    m_session->SeekDone();
}

void AurionCtrl::OnFailure(platform::WParam step, platform::HRESULT scode) {
    if (step >= OutputFailureCount) return;  // no failure of this control
    const ControlError& error = ErrorOf(static_cast<OutputFailure>(step));
    const std::string message = error.Text != nullptr ? std::string(error.Text) : std::string();
    const auto number = static_cast<uint16_t>(error.Number);
    const int reason = m_session ? m_session->Context().OutputError.exchange(0) : 0;
    m_failureReason = reason != 0 ? std::strerror(reason) : "";
    if (!m_errorMode) {
        m_events.FireFailure(number, message);
        return;
    }
    bool cancelled = m_events.FireError(static_cast<int16_t>(number), message, scode,
                                        std::string(AurionControlName));
    if (!cancelled)
        ShowControlMessage(m_site.Get(), AurionControlName, message,
                           platform::MessageKind::Critical);
}

}  // namespace aurion
