// The reference-counted base interface and the interface identities of the
// component model. Every interface a component hands out derives from IUnknown.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

namespace platform {

class IUnknown {
public:
    virtual HRESULT QueryInterface(const Guid& iid, void** out) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// Identities of the platform's interfaces (fixed, as the platform defines them).
extern const Guid IID_IUnknown;
extern const Guid IID_IDispatch;
extern const Guid IID_IClassFactory;
extern const Guid IID_IConnectionPointContainer;
extern const Guid IID_IConnectionPoint;
extern const Guid IID_IOleControl;  // the control side of hosting: see ControlSite.h
extern const Guid IID_IPropertyPage;
extern const Guid IID_IViewObject;

// Holds one reference; releases it on destruction. Copy adds a reference.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already owns (as QueryInterface gives one).
    static ComPtr Attach(T* raw) {
        ComPtr p;
        p.m_raw = raw;
        return p;
    }
    ComPtr(const ComPtr& other) : m_raw(other.m_raw) {
        if (m_raw) m_raw->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : m_raw(other.m_raw) { other.m_raw = nullptr; }
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(m_raw, other.m_raw);
        return *this;
    }
    ~ComPtr() {
        if (m_raw) m_raw->Release();
    }

    T* Get() const { return m_raw; }
    T* operator->() const { return m_raw; }
    explicit operator bool() const { return m_raw != nullptr; }
    // For out-parameters: releases what is held, then hands out the slot.
    T** Put() {
        *this = nullptr;
        return &m_raw;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() { *this = nullptr; }

private:
    T* m_raw = nullptr;
};

}  // namespace platform
