#include <gtest/gtest.h>

#include "platform/com/ClassFactory.h"
#include "platform/com/ComObject.h"

namespace platform {
namespace {

// A class object that counts its own destruction.
class CountedFactory final : public ComObject<IClassFactory> {
public:
    explicit CountedFactory(int& destroyed) : m_destroyed(destroyed) {}
    HRESULT CreateInstance(IUnknown*, const Guid&, void** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT LockServer(bool) override { return S_OK; }

private:
    ~CountedFactory() override { ++m_destroyed; }
    [[nodiscard]] bool Provides(const Guid& iid) const override { return iid == IID_IClassFactory; }
    int& m_destroyed;
};

TEST(ComObject, AnswersIUnknownAndWhatItProvidesOnly) {
    int destroyed = 0;
    auto* factory = new CountedFactory(destroyed);
    void* out = nullptr;
    ASSERT_EQ(factory->QueryInterface(IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, static_cast<IClassFactory*>(factory));
    ASSERT_EQ(factory->QueryInterface(IID_IClassFactory, &out), S_OK);
    EXPECT_EQ(out, static_cast<IClassFactory*>(factory));
    out = factory;
    EXPECT_EQ(factory->QueryInterface(IID_IDispatch, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(factory->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    // The creator's reference and the two that QueryInterface handed out.
    EXPECT_EQ(factory->Release(), 2u);
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace platform
