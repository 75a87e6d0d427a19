// The class object of the component's two classes (the control and its property
// page). Aggregation is not supported. A class object counts as a live object of
// the module, and LockServer keeps the module loaded.
#pragma once

#include <atomic>

#include "platform/com/ClassFactory.h"

namespace aurion {

// Makes a new object and asks it for `iid`; the creator's own reference is released.
using InstanceCreator = platform::HRESULT (*)(const platform::Guid& iid, void** out);

class ClassFactory final : public platform::IClassFactory {
public:
    // The class object for a CLSID of this module, or null for any other.
    static ClassFactory* ForClass(const platform::Guid& clsid);

    platform::HRESULT QueryInterface(const platform::Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    platform::HRESULT CreateInstance(platform::IUnknown* outer, const platform::Guid& iid,
                                     void** out) override;
    platform::HRESULT LockServer(bool lock) override;

    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

private:
    explicit ClassFactory(InstanceCreator creator);
    ~ClassFactory();

    std::atomic<uint32_t> m_refs{1};
    InstanceCreator m_creator;
};

// DllGetClassObject's work.
platform::HRESULT GetClassObject(const platform::Guid& clsid, const platform::Guid& iid,
                                 void** out);

}  // namespace aurion
