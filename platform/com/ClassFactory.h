// The class object of a component class and the four entry points of an
// in-process component (exported as extern "C" symbols of its shared library).
#pragma once

#include "platform/com/Unknown.h"

namespace platform {

class IClassFactory : public IUnknown {
public:
    // Aggregation is not supported: a non-null outer gives CLASS_E_NOAGGREGATION.
    virtual HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** out) = 0;
    virtual HRESULT LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

// Signatures of the exported entry points, as dlsym finds them.
extern "C" {
using DllGetClassObjectFn = HRESULT (*)(const Guid* clsid, const Guid* iid, void** out);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
}

}  // namespace platform
