#include "control/player/ClassFactory.h"

#include "control/AurionInterface.h"
#include "control/player/AurionCtrl.h"
#include "control/player/AurionPropPage.h"
#include "control/player/ModuleState.h"

namespace aurion {

namespace {

template <class T>
platform::HRESULT Handed(T* object, const platform::Guid& iid, void** out) {
    if (object == nullptr) return platform::E_OUTOFMEMORY;
    platform::HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

platform::HRESULT CreateControl(const platform::Guid& iid, void** out) {
    return Handed(AurionCtrl::Create(), iid, out);
}

platform::HRESULT CreatePropPage(const platform::Guid& iid, void** out) {
    return Handed(AurionPropPage::Create(), iid, out);
}

}  // namespace

ClassFactory* ClassFactory::ForClass(const platform::Guid& clsid) {
    if (clsid == CLSID_Aurion) return new ClassFactory(&CreateControl);
    if (clsid == CLSID_AurionPropPage) return new ClassFactory(&CreatePropPage);
    return nullptr;
}

ClassFactory::ClassFactory(InstanceCreator creator) : m_creator(creator) { ModuleObjectCreated(); }

ClassFactory::~ClassFactory() { ModuleObjectDestroyed(); }

platform::HRESULT ClassFactory::QueryInterface(const platform::Guid& iid, void** out) {
    if (out == nullptr) return platform::E_POINTER;
    if (iid == platform::IID_IUnknown || iid == platform::IID_IClassFactory) {
        *out = static_cast<platform::IClassFactory*>(this);
        AddRef();
        return platform::S_OK;
    }
    *out = nullptr;
    return platform::E_NOINTERFACE;
}

uint32_t ClassFactory::AddRef() { return ++m_refs; }

uint32_t ClassFactory::Release() {
    uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

platform::HRESULT ClassFactory::CreateInstance(platform::IUnknown* outer, const platform::Guid& iid,
                                               void** out) {
    if (out == nullptr) return platform::E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return platform::CLASS_E_NOAGGREGATION;
    return m_creator(iid, out);
}

platform::HRESULT ClassFactory::LockServer(bool lock) {
    ModuleLockServer(lock);
    return platform::S_OK;
}

platform::HRESULT GetClassObject(const platform::Guid& clsid, const platform::Guid& iid,
                                 void** out) {
    if (out == nullptr) return platform::E_POINTER;
    *out = nullptr;
    ClassFactory* factory = ClassFactory::ForClass(clsid);
    if (factory == nullptr) return platform::CLASS_E_CLASSNOTAVAILABLE;
    platform::HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

}  // namespace aurion
