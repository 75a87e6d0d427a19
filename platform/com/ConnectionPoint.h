// Outgoing event interfaces. A host advises its own dispatch sink on the
// connection point of an event interface; the source calls the sink's Invoke
// (kind Method) with the event's dispatch identifier and arguments. Arguments
// that an event lets the sink change (CancelDisplay of the stock Error event)
// are read back from the span after the call.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/com/Dispatch.h"

namespace platform {

class IConnectionPoint : public IUnknown {
public:
    virtual HRESULT GetConnectionInterface(Guid& iid) = 0;
    virtual HRESULT Advise(IDispatch* sink, uint32_t& cookie) = 0;
    virtual HRESULT Unadvise(uint32_t cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown {
public:
    virtual HRESULT FindConnectionPoint(const Guid& iid, IConnectionPoint** out) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

// The source side: a list of advised sinks that a component embeds and fires through.
// Not thread-safe: events are fired on the thread that owns the component.
class EventSource {
public:
    HRESULT Advise(IDispatch* sink, uint32_t& cookie);
    HRESULT Unadvise(uint32_t cookie);
    // Calls every advised sink in advising order; args may be changed by the sinks.
    void Fire(DispId id, std::span<Variant> args);
    [[nodiscard]] bool HasSinks() const { return !m_sinks.empty(); }
    void UnadviseAll();

private:
    struct Entry {
        uint32_t Cookie;
        ComPtr<IDispatch> Sink;
    };
    std::vector<Entry> m_sinks;
    uint32_t m_nextCookie = 1;
};

}  // namespace platform
