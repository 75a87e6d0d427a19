// The host's one event sink: advised on the control's connection point, it turns
// ActFrame, ThreadEnded and Failure (and the framework's stock Error event, which
// the control fires in error mode) into callbacks. Arguments are coerced as a
// late-bound caller coerces them; an argument that cannot be coerced, or a wrong
// argument count, is answered with the dispatch error and calls nothing, so no
// exception ever unwinds through the pump that delivered the event.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "host/ControlError.h"
#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

namespace aurion::host {

struct ControlEvents {
    std::function<void(int32_t frame)> ActFrame;
    std::function<void()> ThreadEnded;
    // Failure, or the stock Error event when `StockError` is not set.
    std::function<void(const ControlError& error)> Failure;
    // The stock Error event with its SCODE; answers its CancelDisplay argument.
    // Unset: the event is reported as Failure and its display cancelled.
    std::function<bool(const ControlError& error, platform::HRESULT scode)> StockError;
};

class EventSink final : public platform::ComObject<platform::IDispatch> {
public:
    explicit EventSink(ControlEvents events) : m_events(std::move(events)) {}

    platform::HRESULT GetIdOfName(std::string_view name, platform::DispId& id) override;
    platform::HRESULT Invoke(platform::DispId id, platform::InvokeKind kind,
                             std::span<platform::Variant> args, platform::Variant* result,
                             platform::ExcepInfo* exception) override;

private:
    ~EventSink() override = default;
    [[nodiscard]] bool Provides(const platform::Guid& iid) const override;

    ControlEvents m_events;
};

}  // namespace aurion::host
