#include "platform/registry/Registry.h"
#include "tests/app/AppTestSupport.h"

namespace trackdeck::test {
namespace {

using ControlInstallation = AppTest;

// The installer writes the control's rows for the file it installed: the paths name
// Aurion.ocx in the system folder, and the type library's help folder is that folder.
TEST_F(ControlInstallation, TheRowsNameTheInstalledFileAndTheSystemFolder) {
    auto form = Start();
    ASSERT_TRUE(form);
    const std::string installed = (SystemFolder() + "Aurion.ocx").toStdString();
    const std::string control = "Software\\Classes\\CLSID\\{C541EF3D-30AC-43E5-9112-CEA275F1FF4A}";
    const std::string typeLib =
        "Software\\Classes\\TypeLib\\{D2E9909D-B86D-4D17-A957-AF759986AA83}\\1.0";
    using platform::registry::GetValue;
    EXPECT_EQ(GetValue(control + "\\ToolboxBitmap32", ""), installed + ", 1");
    EXPECT_EQ(GetValue(typeLib + "\\0\\win32", ""), installed);
    EXPECT_EQ(GetValue(typeLib + "\\HELPDIR", ""), SystemFolder().toStdString());
    EXPECT_EQ(GetValue("Software\\Classes\\Aurion.AurionCtrl.1\\CLSID", ""),
              "{C541EF3D-30AC-43E5-9112-CEA275F1FF4A}");
}

}  // namespace
}  // namespace trackdeck::test
