#include <gtest/gtest.h>

#include "host/AurionMembers.h"
#include "host/ControlHost.h"
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

}  // namespace
}  // namespace aurion::host
