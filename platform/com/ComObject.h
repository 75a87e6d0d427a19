// The IUnknown part of a small object that implements one interface: an atomic
// reference count that deletes the object when the last reference goes, and a
// QueryInterface that answers IUnknown and the identities the object provides.
// A new object holds one reference, owned by its creator.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/com/Unknown.h"

namespace platform {

template <class Interface>
class ComObject : public Interface {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(const Guid& iid, void** out) final {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || Provides(iid)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() final { return ++m_refs; }
    uint32_t Release() final {
        const uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;
    // Identities besides IUnknown under which the object hands out `Interface`.
    [[nodiscard]] virtual bool Provides(const Guid& iid) const {
        (void)iid;
        return false;
    }

private:
    std::atomic<uint32_t> m_refs{1};
};

}  // namespace platform
