#include <gtest/gtest.h>

#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"

namespace platform {
namespace {

TEST(Guid, ParsesAndFormatsTheRegistryForm) {
    const std::string text = "{B196B284-BAB4-101A-B69C-00AA00341D07}";
    std::optional<Guid> guid = Guid::Parse(text);
    ASSERT_TRUE(guid);
    EXPECT_EQ(guid->Data1, 0xB196B284u);
    EXPECT_EQ(guid->Data2, 0xBAB4u);
    EXPECT_EQ(guid->Data3, 0x101Au);
    EXPECT_EQ(guid->Data4,
              (std::array<uint8_t, 8>{0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}));
    EXPECT_EQ(guid->ToRegistryString(), text);
}

TEST(Guid, AcceptsLowerCaseAndWritesUpperCase) {
    std::optional<Guid> guid = Guid::Parse("{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}");
    ASSERT_TRUE(guid);
    EXPECT_EQ(guid->ToRegistryString(), "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
    EXPECT_EQ(Guid::Parse(guid->ToRegistryString()), guid);
}

TEST(Guid, RejectsMalformedText) {
    const char* malformed[] = {
        "",
        "{}",
        "B196B284-BAB4-101A-B69C-00AA00341D07",     // no braces
        "{B196B284-BAB4-101A-B69C-00AA00341D07",    // no closing brace
        "(B196B284-BAB4-101A-B69C-00AA00341D07)",   // wrong brackets
        "{B196B284-BAB4-101A-B69C00AA00341D07-}",   // dash misplaced
        "{B196B284BAB4-101A-B69C-00AA00341D07-}",   // dash misplaced
        "{B196B284-BAB4-101A-B69C-00AA00341D0}",    // one digit short
        "{B196B284-BAB4-101A-B69C-00AA00341D077}",  // one digit long
        "{G196B284-BAB4-101A-B69C-00AA00341D07}",   // not hexadecimal
        "{B196B284-BAB4-101A-B69C-00AA00341D0 }",   // blank inside
        "{+196B284-BAB4-101A-B69C-00AA00341D07}",   // sign
        " {B196B284-BAB4-101A-B69C-00AA00341D07}",  // leading blank
    };
    for (const char* text : malformed) EXPECT_FALSE(Guid::Parse(text)) << '"' << text << '"';
}

TEST(Guid, InterfaceIdentitiesAreThePlatformsOwn) {
    EXPECT_EQ(IID_IUnknown.ToRegistryString(), "{00000000-0000-0000-C000-000000000046}");
    EXPECT_EQ(IID_IDispatch.ToRegistryString(), "{00020400-0000-0000-C000-000000000046}");
    EXPECT_EQ(IID_IClassFactory.ToRegistryString(), "{00000001-0000-0000-C000-000000000046}");
    EXPECT_EQ(IID_IConnectionPointContainer.ToRegistryString(),
              "{B196B284-BAB4-101A-B69C-00AA00341D07}");
    EXPECT_EQ(IID_IConnectionPoint.ToRegistryString(), "{B196B286-BAB4-101A-B69C-00AA00341D07}");
    EXPECT_EQ(IID_IPropertyPage.ToRegistryString(), "{B196B28D-BAB4-101A-B69C-00AA00341D07}");
    EXPECT_EQ(IID_IViewObject.ToRegistryString(), "{0000010D-0000-0000-C000-000000000046}");
    const Guid* all[] = {
        &IID_IUnknown,         &IID_IDispatch,   &IID_IClassFactory, &IID_IConnectionPointContainer,
        &IID_IConnectionPoint, &IID_IOleControl, &IID_IPropertyPage, &IID_IViewObject};
    for (const Guid* a : all) {
        for (const Guid* b : all) {
            if (a == b) continue;
            EXPECT_NE(*a, *b) << a->ToRegistryString();
        }
    }
}

}  // namespace
}  // namespace platform
