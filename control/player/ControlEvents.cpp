#include "control/player/ControlEvents.h"

#include <array>

#include "control/AurionInterface.h"

namespace aurion {

using platform::Variant;

platform::HRESULT ControlEvents::QueryInterface(const platform::Guid& iid, void** out) {
    if (out == nullptr) return platform::E_POINTER;
    if (iid == platform::IID_IUnknown || iid == platform::IID_IConnectionPoint) {
        *out = static_cast<platform::IConnectionPoint*>(this);
        AddRef();
        return platform::S_OK;
    }
    *out = nullptr;
    return platform::E_NOINTERFACE;
}

platform::HRESULT ControlEvents::GetConnectionInterface(platform::Guid& iid) {
    iid = DIID__DAurionEvents;
    return platform::S_OK;
}

platform::HRESULT ControlEvents::Advise(platform::IDispatch* sink, uint32_t& cookie) {
    return m_source.Advise(sink, cookie);
}

platform::HRESULT ControlEvents::Unadvise(uint32_t cookie) { return m_source.Unadvise(cookie); }

void ControlEvents::FireActFrame(int32_t frame) {
    std::array<Variant, 1> args{Variant(frame)};
    m_source.Fire(EventIds::ActFrame, args);
}

void ControlEvents::FireThreadEnded() { m_source.Fire(EventIds::ThreadEnded, {}); }

void ControlEvents::FireFailure(int32_t errorCode, const std::string& text) {
    std::array<Variant, 2> args{Variant(errorCode), Variant(text)};
    m_source.Fire(EventIds::Failure, args);
}

bool ControlEvents::FireError(int16_t number, const std::string& description,
                              platform::HRESULT scode, const std::string& source) {
    std::array<Variant, 7> args{Variant(number), Variant(description),   Variant(int32_t{scode}),
                                Variant(source), Variant(std::string()), Variant(int32_t{0}),
                                Variant(false)};
    m_source.Fire(EventIds::Error, args);
    Variant cancel;
    if (platform::Failed(
            args[EventIds::ErrorCancelDisplayArg].ChangeType(platform::VarType::Bool, cancel)))
        return false;
    return cancel.AsBool();
}

}  // namespace aurion
