// Self-registration of Trackdeck.bin: the rows it writes, creation by ProgID after
// it, and unregistration removing exactly its own keys.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/AurionInterface.h"
#include "platform/com/ComponentCreation.h"
#include "platform/com/ControlSite.h"
#include "platform/registry/Registry.h"
#include "tests/support/ScopedEnvironment.h"

namespace aurion {
namespace {

namespace registry = platform::registry;

const std::string Library = TRACKDECK_BIN_DIR "/Trackdeck.bin";
const std::string Folder = TRACKDECK_BIN_DIR "/";
const std::string Ctl = "CLSID\\{C541EF3D-30AC-43E5-9112-CEA275F1FF4A}";
const std::string Ppg = "CLSID\\{6F2E7994-3288-4E41-B31C-FC67F6EF45DD}";
const std::string Disp = "Interface\\{E6EB2119-9D5C-491D-81DE-B840961BCECE}";
const std::string Evt = "Interface\\{51DDD699-E68A-42F2-8930-5409BB3BA90F}";
const std::string Lib = "{D2E9909D-B86D-4D17-A957-AF759986AA83}";
const std::string Proxy = "{00020420-0000-0000-C000-000000000046}";

struct Row {
    std::string Key;
    std::string Name;
    std::string Data;
};

std::vector<Row> ExpectedRows() {
    const std::string typeLib = "TypeLib\\" + Lib + "\\1.0";
    return {
        {Ctl + "\\Control", "", ""},
        {Ctl + "\\InprocServer32", "", Library},
        {Ctl + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {Ctl + "\\MiscStatus\\1", "", "131473"},
        {Ctl + "\\MiscStatus", "", "0"},
        {Ctl + "\\ProgID", "", "Aurion.AurionCtrl.1"},
        {Ctl + "\\ToolboxBitmap32", "", Library + ", 1"},
        {Ctl + "\\TypeLib", "", Lib},
        {Ctl + "\\Version", "", "1.0"},
        {Ctl, "", "Aurion Control"},
        {Ppg, "", "Aurion Property Page"},
        {Ppg + "\\InprocServer32", "", Library},
        {Disp + "\\ProxyStubClsid", "", Proxy},
        {Disp + "\\ProxyStubClsid32", "", Proxy},
        {Disp + "\\TypeLib", "", Lib},
        {Disp + "\\TypeLib", "Version", "1.0"},
        {Disp, "", "_DAurion"},
        {Evt + "\\ProxyStubClsid", "", Proxy},
        {Evt + "\\ProxyStubClsid32", "", Proxy},
        {Evt + "\\TypeLib", "", Lib},
        {Evt + "\\TypeLib", "Version", "1.0"},
        {Evt, "", "_DAurionEvents"},
        {"Aurion.AurionCtrl.1\\CLSID", "", "{C541EF3D-30AC-43E5-9112-CEA275F1FF4A}"},
        {"Aurion.AurionCtrl.1", "", "Aurion Control"},
        {typeLib + "\\0\\win32", "", Library},
        {typeLib + "\\FLAGS", "", "2"},
        {typeLib + "\\HELPDIR", "", Folder},
        {typeLib, "", "Aurion ActiveX Control module"},
        {"Aurion.AurionPropPage.1\\CLSID", "", "{6F2E7994-3288-4E41-B31C-FC67F6EF45DD}"},
    };
}

std::string Classes(const std::string& key) { return "Software\\Classes\\" + key; }

TEST(Registration, RegisterServerWritesEveryRowWithTheLibrarysOwnPath) {
    platform::test::ScopedEnvironment environment;
    ASSERT_EQ(platform::RegisterServer(Library), platform::S_OK);
    for (const Row& row : ExpectedRows()) {
        std::optional<std::string> value = registry::GetValue(Classes(row.Key), row.Name);
        ASSERT_TRUE(value.has_value()) << row.Key << " " << row.Name;
        EXPECT_EQ(*value, row.Data) << row.Key << " " << row.Name;
    }
}

TEST(Registration, CreationByProgIdWorksOnlyWhileRegistered) {
    platform::test::ScopedEnvironment environment;
    platform::ComPtr<platform::IDispatch> control;
    EXPECT_TRUE(platform::Failed(platform::CreateInstanceByProgId(
        AurionCtrlProgId, platform::IID_IDispatch, control.PutVoid())));

    ASSERT_EQ(platform::RegisterServer(Library), platform::S_OK);
    ASSERT_EQ(platform::CreateInstanceByProgId(AurionCtrlProgId, platform::IID_IDispatch,
                                               control.PutVoid()),
              platform::S_OK);
    platform::DispId id = 0;
    EXPECT_EQ(control->GetIdOfName("Version", id), platform::S_OK);
    control.Reset();

    ASSERT_EQ(platform::UnregisterServer(Library), platform::S_OK);
    EXPECT_TRUE(platform::Failed(platform::CreateInstanceByProgId(
        AurionCtrlProgId, platform::IID_IDispatch, control.PutVoid())));
    EXPECT_TRUE(platform::Failed(platform::CreateInstanceByProgId(
        AurionPropPageProgId, platform::IID_IPropertyPage, control.PutVoid())));
}

TEST(Registration, UnregisterServerRemovesExactlyItsOwnKeys) {
    platform::test::ScopedEnvironment environment;
    ASSERT_TRUE(registry::SetValue(Classes("CLSID\\{11111111-2222-3333-4444-555555555555}"), "",
                                   "Another Control"));
    ASSERT_TRUE(registry::SetValue(Classes("Other.Thing.1\\CLSID"), "", "x"));
    ASSERT_TRUE(registry::SetValue(Classes("TypeLib\\{ABCDEF00-0000-0000-0000-000000000000}"), "",
                                   "Other library"));
    ASSERT_EQ(platform::RegisterServer(Library), platform::S_OK);
    ASSERT_EQ(platform::UnregisterServer(Library), platform::S_OK);

    for (const Row& row : ExpectedRows())
        EXPECT_FALSE(registry::KeyExists(Classes(row.Key))) << row.Key;
    EXPECT_FALSE(registry::KeyExists(Classes("Aurion.AurionPropPage.1")));
    EXPECT_EQ(registry::GetValue(Classes("CLSID\\{11111111-2222-3333-4444-555555555555}"), ""),
              "Another Control");
    EXPECT_TRUE(registry::KeyExists(Classes("Other.Thing.1\\CLSID")));
    EXPECT_TRUE(registry::KeyExists(Classes("TypeLib\\{ABCDEF00-0000-0000-0000-000000000000}")));
}

TEST(Registration, PropertyPageIsCreatedByItsProgId) {
    platform::test::ScopedEnvironment environment;
    ASSERT_EQ(platform::RegisterServer(Library), platform::S_OK);
    platform::ComPtr<platform::IPropertyPage> page;
    ASSERT_EQ(platform::CreateInstanceByProgId(AurionPropPageProgId, platform::IID_IPropertyPage,
                                               page.PutVoid()),
              platform::S_OK);
    platform::PageInfo info;
    ASSERT_EQ(page->GetPageInfo(info), platform::S_OK);
    EXPECT_EQ(info.Title, "General");
    EXPECT_EQ(info.Caption, "Aurion Property Page");
    EXPECT_GT(info.Width, 0);
    EXPECT_GT(info.Height, 0);
}

TEST(Registration, ClassObjectRefusesAggregationAndUnknownClasses) {
    void* module = dlopen(Library.c_str(), RTLD_NOW);
    ASSERT_NE(module, nullptr) << dlerror();
    auto getClassObject =
        reinterpret_cast<platform::DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
    ASSERT_NE(getClassObject, nullptr);

    platform::ComPtr<platform::IClassFactory> factory;
    EXPECT_EQ(
        getClassObject(&platform::IID_IDispatch, &platform::IID_IClassFactory, factory.PutVoid()),
        platform::CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(getClassObject(&CLSID_Aurion, &platform::IID_IClassFactory, factory.PutVoid()),
              platform::S_OK);
    platform::ComPtr<platform::IUnknown> object;
    EXPECT_EQ(factory->CreateInstance(factory.Get(), platform::IID_IUnknown, object.PutVoid()),
              platform::CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, platform::IID_IClassFactory, object.PutVoid()),
              platform::E_NOINTERFACE);
    factory.Reset();
    dlclose(module);
}

TEST(Registration, CanUnloadOnlyWithoutObjectsAndLocks) {
    void* module = dlopen(Library.c_str(), RTLD_NOW);
    ASSERT_NE(module, nullptr) << dlerror();
    auto canUnload =
        reinterpret_cast<platform::DllCanUnloadNowFn>(dlsym(module, "DllCanUnloadNow"));
    auto getClassObject =
        reinterpret_cast<platform::DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
    ASSERT_NE(canUnload, nullptr);
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_EQ(canUnload(), platform::S_OK);

    platform::ComPtr<platform::IClassFactory> factory;
    ASSERT_EQ(getClassObject(&CLSID_Aurion, &platform::IID_IClassFactory, factory.PutVoid()),
              platform::S_OK);
    EXPECT_EQ(canUnload(), platform::S_FALSE);
    platform::ComPtr<platform::IDispatch> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, platform::IID_IDispatch, control.PutVoid()),
              platform::S_OK);
    factory->LockServer(true);
    factory.Reset();
    EXPECT_EQ(canUnload(), platform::S_FALSE);
    control.Reset();
    EXPECT_EQ(canUnload(), platform::S_FALSE);

    ASSERT_EQ(getClassObject(&CLSID_Aurion, &platform::IID_IClassFactory, factory.PutVoid()),
              platform::S_OK);
    factory->LockServer(false);
    factory.Reset();
    EXPECT_EQ(canUnload(), platform::S_OK);
    dlclose(module);
}

}  // namespace
}  // namespace aurion
