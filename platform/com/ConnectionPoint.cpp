#include "platform/com/ConnectionPoint.h"

#include <algorithm>

namespace platform {

HRESULT EventSource::Advise(IDispatch* sink, uint32_t& cookie) {
    cookie = 0;
    if (sink == nullptr) return E_POINTER;
    if (m_nextCookie == 0) return CONNECT_E_ADVISELIMIT;  // the cookies have wrapped
    sink->AddRef();
    cookie = m_nextCookie++;
    m_sinks.push_back({cookie, ComPtr<IDispatch>::Attach(sink)});
    return S_OK;
}

HRESULT EventSource::Unadvise(uint32_t cookie) {
    auto it = std::find_if(m_sinks.begin(), m_sinks.end(),
                           [cookie](const Entry& entry) { return entry.Cookie == cookie; });
    if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    m_sinks.erase(it);
    return S_OK;
}

void EventSource::Fire(DispId id, std::span<Variant> args) {
    // A sink may advise or unadvise while it handles the event: call a snapshot that
    // keeps every sink alive, and skip one that an earlier sink unadvised.
    std::vector<Entry> snapshot = m_sinks;
    for (const Entry& entry : snapshot) {
        bool stillAdvised = std::any_of(m_sinks.begin(), m_sinks.end(),
                                        [&](const Entry& e) { return e.Cookie == entry.Cookie; });
        if (!stillAdvised) continue;
        (void)entry.Sink->Invoke(id, InvokeKind::Method, args, nullptr, nullptr);
    }
}

void EventSource::UnadviseAll() {
    // Release outside the list: a sink's destructor may call back into this source.
    std::vector<Entry> released;
    released.swap(m_sinks);
}

}  // namespace platform
