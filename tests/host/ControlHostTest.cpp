#include <gtest/gtest.h>

#include <filesystem>

#include "control/AurionInterface.h"
#include "host/AurionMembers.h"
#include "host/ControlHost.h"
#include "platform/com/ComponentCreation.h"
#include "platform/registry/Registry.h"
#include "tests/support/LoadedLibrary.h"
#include "tests/support/ScopedEnvironment.h"

namespace aurion::host {
namespace {

// This test program's folder holds no Trackdeck.bin, and the fresh registry no
// registration: the host cannot make a control.
TEST(ControlHost, AHostWithoutAControlSaysWhyAndItsCallsFailQuietly) {
    platform::test::ScopedEnvironment environment;
    ControlHost host(ControlEvents{}, HostServices{});
    const std::optional<ControlError> error = host.Start();
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->Number);
    EXPECT_NE(error->Text.find("Trackdeck.bin"), std::string::npos) << error->Text;
    EXPECT_EQ(host.Control(), nullptr);
    const std::optional<ControlError> call = host.Caller().Call(members::Stop, {});
    ASSERT_TRUE(call);
    EXPECT_NE(call->Text.find("Stop"), std::string::npos) << call->Text;
}

// The desktop program's case: the registry names the build's Trackdeck.bin (as the
// command-line host left it), the program stands by the copy it installed.
TEST(ControlHost, RunsTheLibraryItStandsByAndRegistersItOverAnotherOne) {
    platform::test::ScopedEnvironment environment;
    const std::string built = TRACKDECK_BIN_DIR "/Trackdeck.bin";
    ASSERT_EQ(platform::RegisterServer(built), platform::S_OK);
    const std::string installed = environment.SystemDir() + "Aurion.ocx";
    std::filesystem::create_directories(environment.SystemDir());
    std::filesystem::copy_file(built, installed);

    ControlHost host(ControlEvents{}, HostServices{});
    const std::optional<ControlError> error = host.Start(installed);
    ASSERT_FALSE(error) << error->Text;
    const std::string key = std::string(platform::ClassesRoot) + "\\CLSID\\" +
                            CLSID_Aurion.ToRegistryString() + "\\InprocServer32";
    EXPECT_EQ(platform::registry::GetValue(key, ""), installed);
    EXPECT_TRUE(test::LoadedInThisProcess(installed)) << "the control runs from " << installed;
}

}  // namespace
}  // namespace aurion::host
