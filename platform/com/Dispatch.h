// The dispatch (automation) interface: late-bound calls by dispatch identifier.
//
// Arguments travel in natural order (args[0] is the first argument), unlike the
// reversed order of the original platform. A property put passes the new value
// as its only argument. A failing member that raises an automation exception
// fills `error` and returns DISP_E_EXCEPTION.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"

namespace platform {

using DispId = int32_t;

constexpr DispId DISPID_UNKNOWN = -1;
constexpr DispId DISPID_ABOUTBOX = -552;
constexpr DispId DISPID_ERROREVENT = -608;

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// An automation exception: the SCODE (severity, facility, code) and its text.
struct ExcepInfo {
    HRESULT Scode = S_OK;
    std::string Source;
    std::string Description;
};

class IDispatch : public IUnknown {
public:
    // Looks a member up by name, without regard to case; DISP_E_UNKNOWNNAME otherwise.
    virtual HRESULT GetIdOfName(std::string_view name, DispId& id) = 0;
    virtual HRESULT Invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant* result,
                           ExcepInfo* error) = 0;

protected:
    ~IDispatch() = default;
};

}  // namespace platform
