// The control's outgoing events: ActFrame, ThreadEnded and Failure of
// _DAurionEvents, and the framework's stock Error event, fired to every advised
// sink on the control's own thread. The connection point lives inside the control
// and shares its reference count.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com/ConnectionPoint.h"

namespace aurion {

class ControlEvents final : public platform::IConnectionPoint {
public:
    explicit ControlEvents(platform::IUnknown& owner) : m_owner(owner) {}
    ControlEvents(const ControlEvents&) = delete;
    ControlEvents& operator=(const ControlEvents&) = delete;
    ~ControlEvents() = default;

    platform::HRESULT QueryInterface(const platform::Guid& iid, void** out) override;
    uint32_t AddRef() override { return m_owner.AddRef(); }
    uint32_t Release() override { return m_owner.Release(); }

    platform::HRESULT GetConnectionInterface(platform::Guid& iid) override;
    platform::HRESULT Advise(platform::IDispatch* sink, uint32_t& cookie) override;
    platform::HRESULT Unadvise(uint32_t cookie) override;

    void FireActFrame(int32_t frame);
    void FireThreadEnded();
    void FireFailure(int32_t errorCode, const std::string& text);
    // The stock Error event; true when a sink set CancelDisplay.
    [[nodiscard]] bool FireError(int16_t number, const std::string& description,
                                 platform::HRESULT scode, const std::string& source);
    void UnadviseAll() { m_source.UnadviseAll(); }

private:
    platform::IUnknown& m_owner;
    platform::EventSource m_source;
};

}  // namespace aurion
