#include <gtest/gtest.h>

#include <filesystem>

#include "platform/com/ComponentCreation.h"
#include "platform/com/Dispatch.h"
#include "platform/registry/Registry.h"
#include "tests/support/ScopedEnvironment.h"

namespace platform {
namespace {

constexpr const char* SomeClass = "{3F2504E0-4F89-11D3-9A0C-0305E82C3301}";

std::string ClassKey() { return std::string(ClassesRoot) + "\\CLSID\\" + SomeClass; }

TEST(ComponentCreation, UnknownProgIdIsAClassStringError) {
    test::ScopedEnvironment env;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateInstanceByProgId("Nowhere.Nothing.1", IID_IUnknown, &object), CO_E_CLASSSTRING);
    EXPECT_EQ(object, nullptr);
    Guid clsid;
    EXPECT_EQ(CLSIDFromProgID("", clsid), CO_E_CLASSSTRING);
}

TEST(ComponentCreation, ProgIdWithMalformedClassIsAClassStringError) {
    test::ScopedEnvironment env;
    ASSERT_TRUE(registry::SetValue(std::string(ClassesRoot) + "\\Broken.Thing.1\\CLSID", "",
                                   "{not-a-guid}"));
    Guid clsid;
    EXPECT_EQ(CLSIDFromProgID("Broken.Thing.1", clsid), CO_E_CLASSSTRING);
}

TEST(ComponentCreation, ProgIdLeadsToItsClass) {
    test::ScopedEnvironment env;
    ASSERT_TRUE(
        registry::SetValue(std::string(ClassesRoot) + "\\Some.Thing.1\\CLSID", "", SomeClass));
    Guid clsid;
    ASSERT_EQ(CLSIDFromProgID("some.thing.1", clsid), S_OK);
    EXPECT_EQ(clsid.ToRegistryString(), SomeClass);
}

TEST(ComponentCreation, ClassWithoutLibraryIsNotRegistered) {
    test::ScopedEnvironment env;
    ASSERT_TRUE(
        registry::SetValue(std::string(ClassesRoot) + "\\Some.Thing.1\\CLSID", "", SomeClass));
    ASSERT_TRUE(registry::SetValue(ClassKey(), "", "Some Thing"));
    void* object = nullptr;
    EXPECT_EQ(CreateInstanceByProgId("Some.Thing.1", IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);

    ASSERT_TRUE(registry::CreateKey(ClassKey() + "\\InprocServer32"));
    EXPECT_EQ(CreateInstanceByProgId("Some.Thing.1", IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
}

TEST(ComponentCreation, MissingLibraryIsNotFound) {
    test::ScopedEnvironment env;
    ASSERT_TRUE(
        registry::SetValue(std::string(ClassesRoot) + "\\Some.Thing.1\\CLSID", "", SomeClass));
    ASSERT_TRUE(registry::SetValue(ClassKey() + "\\InprocServer32", "",
                                   env.Folder() + "no-such-component.so"));
    void* object = nullptr;
    EXPECT_EQ(CreateInstanceByProgId("Some.Thing.1", IID_IUnknown, &object), CO_E_DLLNOTFOUND);
    EXPECT_EQ(object, nullptr);
}

TEST(ComponentCreation, LibraryWithoutClassObjectIsNotFound) {
    test::ScopedEnvironment env;
    // The platform library loads but is no component.
    std::string platformLibrary = LibraryPathOf(reinterpret_cast<const void*>(&CreateInstance));
    ASSERT_TRUE(registry::SetValue(ClassKey() + "\\InprocServer32", "", platformLibrary));
    Guid clsid = *Guid::Parse(SomeClass);
    void* object = nullptr;
    EXPECT_EQ(CreateInstance(clsid, IID_IUnknown, &object), CO_E_DLLNOTFOUND);
    EXPECT_EQ(RegisterServer(platformLibrary), CO_E_DLLNOTFOUND);
    EXPECT_EQ(UnregisterServer(platformLibrary), CO_E_DLLNOTFOUND);
    EXPECT_EQ(RegisterServer(env.Folder() + "missing.so"), CO_E_DLLNOTFOUND);
}

TEST(ComponentCreation, NullOutputIsAPointerError) {
    test::ScopedEnvironment env;
    EXPECT_EQ(CreateInstanceByProgId("Some.Thing.1", IID_IUnknown, nullptr), E_POINTER);
}

// The whole path, from self-registration to a live object, through the one real
// component the build makes (when it has been built).
TEST(ComponentCreation, RegisteredComponentIsCreatedByProgId) {
    const std::string component = TRACKDECK_BIN_DIR "/Trackdeck.bin";
    if (!std::filesystem::exists(component)) GTEST_SKIP() << component << " is not built";
    test::ScopedEnvironment env;
    ASSERT_EQ(RegisterServer(component), S_OK);
    std::optional<std::string> registered =
        registry::GetValue(std::string(ClassesRoot) + "\\Aurion.AurionCtrl.1\\CLSID", "");
    ASSERT_TRUE(registered);
    std::optional<Guid> clsid = Guid::Parse(*registered);
    ASSERT_TRUE(clsid);
    std::optional<std::string> library = registry::GetValue(
        std::string(ClassesRoot) + "\\CLSID\\" + *registered + "\\InprocServer32", "");
    ASSERT_TRUE(library);
    EXPECT_TRUE(std::filesystem::equivalent(*library, component)) << *library;

    IDispatch* object = nullptr;
    ASSERT_EQ(CreateInstanceByProgId("Aurion.AurionCtrl.1", IID_IDispatch,
                                     reinterpret_cast<void**>(&object)),
              S_OK);
    ASSERT_NE(object, nullptr);
    void* same = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, &same), S_OK);
    if (same != nullptr) static_cast<IUnknown*>(same)->Release();
    object->Release();

    void* none = nullptr;
    ASSERT_EQ(UnregisterServer(component), S_OK);
    EXPECT_EQ(CreateInstanceByProgId("Aurion.AurionCtrl.1", IID_IDispatch, &none),
              CO_E_CLASSSTRING);
}

TEST(ComponentCreation, LibraryPathOfNamesTheLoadedLibrary) {
    std::string path = LibraryPathOf(reinterpret_cast<const void*>(&CreateInstance));
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("libtrackdeck_platform.so"), std::string::npos) << path;
}

}  // namespace
}  // namespace platform
