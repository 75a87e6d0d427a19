// What the control shows: its picture, the toolbox image, the about box, its
// property page, and the interfaces a host finds on it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "control/AurionInterface.h"
#include "platform/com/ConnectionPoint.h"
#include "tests/support/ControlTestHost.h"

namespace aurion {
namespace {

using test::ControlTestHost;

constexpr uint32_t White = 0xFFFFFFFFu;

uint32_t PixelAt(const platform::Image& image, int x, int y) {
    return image
        .Pixels[static_cast<size_t>(y) * static_cast<size_t>(image.Width) + static_cast<size_t>(x)];
}

TEST(ControlAppearance, PaintsWhiteWithTheBitmapAtTheTopLeft) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    platform::Image image;
    ASSERT_EQ(host.View()->Draw(120, 80, image), platform::S_OK);
    ASSERT_EQ(image.Width, 120);
    ASSERT_EQ(image.Height, 80);
    ASSERT_EQ(image.Pixels.size(), 120u * 80u);

    int coloured = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            uint32_t pixel = PixelAt(image, x, y);
            EXPECT_EQ(pixel >> 24, 0xFFu) << x << "," << y;
            if (x >= 48 || y >= 48) {
                ASSERT_EQ(pixel, White) << "outside the bitmap at " << x << "," << y;
            } else if (pixel != White) {
                ++coloured;
            }
        }
    }
    // The bitmap covers most of its 48 x 48 square.
    EXPECT_GT(coloured, 48 * 48 / 2);
}

TEST(ControlAppearance, SmallRectangleClipsTheBitmap) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    platform::Image full;
    platform::Image small;
    ASSERT_EQ(host.View()->Draw(48, 48, full), platform::S_OK);
    ASSERT_EQ(host.View()->Draw(30, 20, small), platform::S_OK);
    ASSERT_EQ(small.Pixels.size(), 30u * 20u);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) EXPECT_EQ(PixelAt(small, x, y), PixelAt(full, x, y));

    platform::Image empty;
    EXPECT_EQ(host.View()->Draw(0, 0, empty), platform::S_OK);
    EXPECT_TRUE(empty.Pixels.empty());
    EXPECT_EQ(host.View()->Draw(-1, 10, empty), platform::E_INVALIDARG);
}

TEST(ControlAppearance, ToolboxImageIs16By16) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    platform::Image image;
    ASSERT_EQ(host.View()->GetToolboxImage(image), platform::S_OK);
    ASSERT_EQ(image.Width, 16);
    ASSERT_EQ(image.Height, 16);
    ASSERT_EQ(image.Pixels.size(), 256u);
    int coloured = 0;
    for (uint32_t pixel : image.Pixels) coloured += pixel != White ? 1 : 0;
    EXPECT_GT(coloured, 128);
}

TEST(ControlAppearance, AboutBoxGoesThroughTheSite) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    EXPECT_EQ(host.Call("AboutBox").Hr, platform::S_OK);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].Caption, "About Aurion Control");
    EXPECT_EQ(host.Messages()[0].Text, "Aurion Control, Version 1.5");
}

TEST(ControlAppearance, AboutBoxWithoutSiteGoesToStandardError) {
    ControlTestHost host(test::HostOptions{.WithSite = false});
    ASSERT_TRUE(host.Ready()) << host.Problem();
    testing::internal::CaptureStderr();
    EXPECT_EQ(host.Call("AboutBox").Hr, platform::S_OK);
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("Aurion Control, Version 1.5"), std::string::npos) << written;
}

TEST(ControlAppearance, NamesItsPropertyPage) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    std::vector<platform::Guid> pages;
    ASSERT_EQ(host.OleControl()->GetPropertyPages(pages), platform::S_OK);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], CLSID_AurionPropPage);
    EXPECT_EQ(pages[0].ToRegistryString(), "{6F2E7994-3288-4E41-B31C-FC67F6EF45DD}");
}

TEST(ControlAppearance, OffersItsEventsOnlyOnTheirOwnConnectionPoint) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    platform::ComPtr<platform::IConnectionPointContainer> container;
    ASSERT_EQ(host.Control()->QueryInterface(platform::IID_IConnectionPointContainer,
                                             container.PutVoid()),
              platform::S_OK);
    platform::ComPtr<platform::IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(DIID__DAurion, point.Put()),
              platform::CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(DIID__DAurionEvents, point.Put()), platform::S_OK);
    platform::Guid iid;
    ASSERT_EQ(point->GetConnectionInterface(iid), platform::S_OK);
    EXPECT_EQ(iid, DIID__DAurionEvents);

    platform::ComPtr<platform::IDispatch> byInterfaceId;
    EXPECT_EQ(host.Control()->QueryInterface(DIID__DAurion, byInterfaceId.PutVoid()),
              platform::S_OK);
    platform::ComPtr<platform::IUnknown> none;
    EXPECT_EQ(host.Control()->QueryInterface(platform::IID_IClassFactory, none.PutVoid()),
              platform::E_NOINTERFACE);
}

TEST(ControlAppearance, ActivationMakesTheControlsOwnWindow) {
    ControlTestHost host;
    ASSERT_TRUE(host.Ready()) << host.Problem();
    platform::WindowHandle window = host.ControlWindow();
    ASSERT_NE(window, platform::NullWindow);
    EXPECT_TRUE(platform::IsWindow(window));
    ASSERT_EQ(host.OleControl()->Deactivate(), platform::S_OK);
    EXPECT_FALSE(platform::IsWindow(window));
    EXPECT_EQ(host.ControlWindow(), platform::NullWindow);
}

}  // namespace
}  // namespace aurion
