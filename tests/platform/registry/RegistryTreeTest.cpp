#include <gtest/gtest.h>

#include "platform/registry/RegistryTree.h"

namespace platform::registry {
namespace {

TEST(RegistryTree, EveryByteSurvivesTheTextForm) {
    std::string everyByte;
    for (int c = 1; c < 256; ++c) everyByte += static_cast<char>(c);
    everyByte += '\0';

    RegistryKey root("");
    RegistryKey& key = root.CreateSubKey(everyByte.substr(0, 91) + everyByte.substr(92));  // no "\"
    key.SetValue("", everyByte);
    key.SetValue(everyByte, "named");
    key.SetValue("=@[;%", everyByte + "=");

    RegistryKey reread("");
    ParseRegistryText(FormatRegistryText(root), reread);
    ASSERT_EQ(reread.SubKeys().size(), 1u);
    const RegistryKey& back = *reread.SubKeys()[0];
    EXPECT_EQ(back.Name(), key.Name());
    EXPECT_EQ(back.Values(), key.Values());
}

TEST(RegistryTree, WritingWhatWasReadChangesNothing) {
    const std::string text =
        "; Trackdeck registry (HKEY_LOCAL_MACHINE)\n"
        "[Software]\n"
        "[Software\\Classes]\n"
        "[Software\\Classes\\Aurion.AurionCtrl.1]\n"
        "@=Aurion Control\n"
        "[Software\\Classes\\Aurion.AurionCtrl.1\\CLSID]\n"
        "@={3F2504E0-4F89-11D3-9A0C-0305E82C3301}\n"
        "[Software\\Classes\\CLSID]\n"
        "Path%3DName=C:\\a=b%0A\n";
    RegistryKey root("");
    ParseRegistryText(text, root);
    EXPECT_EQ(FormatRegistryText(root), text);
}

TEST(RegistryTree, KeysImpliedByAPathExistAndKeepTheFirstSpelling) {
    RegistryKey root("");
    ParseRegistryText("[A\\B\\C]\n[a\\b]\nx=1\n", root);
    ASSERT_NE(root.FindSubKey("a"), nullptr);
    EXPECT_EQ(root.FindSubKey("a")->Name(), "A");
    const RegistryKey* b = root.FindSubKey("A")->FindSubKey("B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Name(), "B");
    ASSERT_NE(b->FindValue("X"), nullptr);
    EXPECT_EQ(*b->FindValue("X"), "1");
    EXPECT_NE(b->FindSubKey("c"), nullptr);
}

TEST(RegistryTree, SplitsPathsAndDropsEmptyParts) {
    EXPECT_EQ(SplitKeyPath("\\Software\\\\Classes\\"),
              (std::vector<std::string_view>{"Software", "Classes"}));
    EXPECT_TRUE(SplitKeyPath("").empty());
    EXPECT_TRUE(SplitKeyPath("\\\\").empty());
}

TEST(RegistryTree, AnEscapeMarkWithoutDigitsStandsForItself) {
    RegistryKey root("");
    ParseRegistryText("[K]\na=100%\nb=%G1\nc=%4\n", root);
    const RegistryKey* key = root.FindSubKey("K");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(*key->FindValue("a"), "100%");
    EXPECT_EQ(*key->FindValue("b"), "%G1");
    EXPECT_EQ(*key->FindValue("c"), "%4");
}

}  // namespace
}  // namespace platform::registry
