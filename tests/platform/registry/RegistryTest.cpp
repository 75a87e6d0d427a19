#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/registry/Registry.h"
#include "tests/support/ScopedEnvironment.h"

namespace platform::registry {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

TEST(Registry, KeysAndValueNamesIgnoreCaseButKeepTheirOwn) {
    test::ScopedEnvironment env;
    ASSERT_TRUE(SetValue("Software\\Classes\\Aurion.AurionCtrl.1\\CLSID", "", "{X}"));
    EXPECT_EQ(GetValue("SOFTWARE\\classes\\aurion.aurionctrl.1\\clsid", ""), "{X}");
    ASSERT_TRUE(SetValue("software\\CLASSES\\AURION.AURIONCTRL.1", "Flags", "1"));
    EXPECT_EQ(GetValue("Software\\Classes\\Aurion.AurionCtrl.1", "FLAGS"), "1");
    ASSERT_TRUE(SetValue("Software\\Classes\\Aurion.AurionCtrl.1", "fLaGs", "2"));
    EXPECT_EQ(GetValue("Software\\Classes\\Aurion.AurionCtrl.1", "flags"), "2");
    EXPECT_EQ(SubKeys("software\\classes"), (std::vector<std::string>{"Aurion.AurionCtrl.1"}));
    EXPECT_EQ(SubKeys(""), (std::vector<std::string>{"Software"}));
}

TEST(Registry, DefaultAndNamedValuesAreSeparate) {
    test::ScopedEnvironment env;
    const std::string key = "Software\\Classes\\CLSID\\{X}\\InprocServer32";
    ASSERT_TRUE(SetValue(key, "", "/opt/aurion/Aurion.ocx"));
    ASSERT_TRUE(SetValue(key, "ThreadingModel", "Apartment"));
    EXPECT_EQ(GetValue(key, ""), "/opt/aurion/Aurion.ocx");
    EXPECT_EQ(GetValue(key, "ThreadingModel"), "Apartment");
    EXPECT_EQ(GetValue(key, "Other"), std::nullopt);
    EXPECT_EQ(GetValue("Software\\Classes\\CLSID\\{X}", ""), std::nullopt);
    EXPECT_TRUE(KeyExists("Software\\Classes\\CLSID\\{X}"));
}

TEST(Registry, ValuesSurviveAnyText) {
    test::ScopedEnvironment env;
    const std::string key = "Software\\Odd";
    const std::vector<std::pair<std::string, std::string>> values = {
        {"", "C:\\Windows\\System\\Aurion.ocx"},
        {"a=b", "x=y=z"},
        {"@", "@=default?"},
        {"[bracket]", "[Software\\Fake]"},
        {";comment", "; not a comment"},
        {"percent%41", "100%41 %% %"},
        {"line\nbreak", "first\nsecond\r\nthird\n"},
        {"back\\slash", "\\\\server\\share\\"},
        {"blanks", "  padded  "},
        {"empty", ""},
        {"bytes", std::string("\x01\x7F\xE4\xF6\xFC", 5)},
    };
    for (const auto& [name, data] : values) ASSERT_TRUE(SetValue(key, name, data)) << name;
    for (const auto& [name, data] : values) EXPECT_EQ(GetValue(key, name), data) << name;

    std::string text = ReadFile(env.RegistryFile());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + static_cast<long>(values.size()))
        << "each value keeps to one line:\n"
        << text;
}

TEST(Registry, KeyNamesSurviveAnyText) {
    test::ScopedEnvironment env;
    const std::string key = "Software\\Weird]Name\\100%\\two\nlines";
    ASSERT_TRUE(SetValue(key, "v", "1"));
    EXPECT_EQ(GetValue(key, "v"), "1");
    EXPECT_EQ(SubKeys("Software"), (std::vector<std::string>{"Weird]Name"}));
    EXPECT_EQ(SubKeys("Software\\Weird]Name\\100%"), (std::vector<std::string>{"two\nlines"}));
}

TEST(Registry, ReadsTheDocumentedFileFormat) {
    test::ScopedEnvironment env;
    WriteFile(env.RegistryFile(),
              "; Trackdeck registry\n"
              "garbage before any key=ignored\n"
              "[Software\\Classes\\Some.Thing.1]\n"
              "@=Some Thing\n"
              "[Software\\Classes\\Some.Thing.1\\CLSID]\n"
              "@={3F2504E0-4F89-11D3-9A0C-0305E82C3301}\n"
              "Path=C:\\dir%0Anext %25\n"
              "line without separator\n"
              "[unterminated\n"
              "Stray=value\n");
    EXPECT_EQ(GetValue("Software\\Classes\\Some.Thing.1", ""), "Some Thing");
    EXPECT_EQ(GetValue("Software\\Classes\\Some.Thing.1\\CLSID", ""),
              "{3F2504E0-4F89-11D3-9A0C-0305E82C3301}");
    EXPECT_EQ(GetValue("Software\\Classes\\Some.Thing.1\\CLSID", "Path"), "C:\\dir\nnext %");
    EXPECT_FALSE(KeyExists("unterminated"));
    EXPECT_EQ(GetValue("Software\\Classes\\Some.Thing.1\\CLSID", "Stray"), std::nullopt);
}

TEST(Registry, WritingKeepsOtherKeysAndTheirOrder) {
    test::ScopedEnvironment env;
    ASSERT_TRUE(SetValue("B", "", "1"));
    ASSERT_TRUE(SetValue("A", "", "2"));
    ASSERT_TRUE(CreateKey("B\\Empty"));
    std::string before = ReadFile(env.RegistryFile());
    ASSERT_TRUE(SetValue("A", "", "2"));  // no change
    EXPECT_EQ(ReadFile(env.RegistryFile()), before);
    EXPECT_EQ(SubKeys(""), (std::vector<std::string>{"B", "A"}));
    EXPECT_TRUE(KeyExists("b\\empty"));
}

TEST(Registry, DeleteTreeRemovesOnlyThatKeyAndItsSubkeys) {
    test::ScopedEnvironment env;
    ASSERT_TRUE(SetValue("Top\\Key\\Child", "", "c"));
    ASSERT_TRUE(SetValue("Top\\Key\\Child\\Grandchild", "", "g"));
    ASSERT_TRUE(SetValue("Top\\Key", "Own", "k"));
    ASSERT_TRUE(SetValue("Top\\KeyX", "", "sibling with a longer name"));
    ASSERT_TRUE(SetValue("Top\\Other", "", "o"));
    ASSERT_TRUE(SetValue("TopKey", "", "same prefix"));

    EXPECT_TRUE(DeleteTree("top\\KEY"));
    EXPECT_FALSE(KeyExists("Top\\Key"));
    EXPECT_FALSE(KeyExists("Top\\Key\\Child\\Grandchild"));
    EXPECT_EQ(GetValue("Top\\Key", "Own"), std::nullopt);
    EXPECT_EQ(GetValue("Top\\KeyX", ""), "sibling with a longer name");
    EXPECT_EQ(GetValue("Top\\Other", ""), "o");
    EXPECT_EQ(GetValue("TopKey", ""), "same prefix");
    EXPECT_EQ(SubKeys("Top"), (std::vector<std::string>{"KeyX", "Other"}));

    EXPECT_FALSE(DeleteTree("Top\\Key"));
    EXPECT_FALSE(DeleteTree("Nowhere\\At\\All"));
    EXPECT_FALSE(DeleteTree(""));
    EXPECT_TRUE(KeyExists("Top"));
}

TEST(Registry, MissingFileIsAnEmptyRegistryAndReadsCreateNothing) {
    test::ScopedEnvironment env;
    const std::string path = env.Folder() + "deep/er/registry";
    setenv("TRACKDECK_REGISTRY", path.c_str(), 1);
    EXPECT_EQ(GetValue("Software", ""), std::nullopt);
    EXPECT_FALSE(KeyExists("Software"));
    EXPECT_TRUE(SubKeys("").empty());
    EXPECT_FALSE(std::filesystem::exists(env.Folder() + "deep"));

    ASSERT_TRUE(SetValue("Software", "", "made"));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(GetValue("Software", ""), "made");
}

TEST(Registry, EmptyPathIsTheRootAndHoldsNoValues) {
    test::ScopedEnvironment env;
    EXPECT_FALSE(SetValue("", "x", "y"));
    EXPECT_FALSE(SetValue("\\\\", "x", "y"));
    EXPECT_FALSE(CreateKey(""));
    EXPECT_TRUE(KeyExists(""));
    ASSERT_TRUE(SetValue("\\Software\\\\Classes\\", "", "v"));
    EXPECT_EQ(GetValue("Software\\Classes", ""), "v");
}

TEST(Registry, FileLiesWhereTheEnvironmentSays) {
    test::ScopedEnvironment env;
    EXPECT_EQ(RegistryFilePath(), env.RegistryFile());

    std::optional<std::string> savedXdg, savedHome;
    if (const char* v = std::getenv("XDG_CONFIG_HOME")) savedXdg = v;
    if (const char* v = std::getenv("HOME")) savedHome = v;
    unsetenv("TRACKDECK_REGISTRY");
    setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
    EXPECT_EQ(RegistryFilePath(), "/xdg/config/trackdeck/registry");
    setenv("XDG_CONFIG_HOME", "/xdg/config/", 1);
    EXPECT_EQ(RegistryFilePath(), "/xdg/config/trackdeck/registry");
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(RegistryFilePath(), "/home/someone/.config/trackdeck/registry") << "not absolute";
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryFilePath(), "/home/someone/.config/trackdeck/registry");
    if (savedXdg) setenv("XDG_CONFIG_HOME", savedXdg->c_str(), 1);
    if (savedHome)
        setenv("HOME", savedHome->c_str(), 1);
    else
        unsetenv("HOME");
}

constexpr int KeysPerWriter = 40;

void WriteKeys(const std::string& writer) {
    for (int i = 0; i < KeysPerWriter; ++i)
        ASSERT_TRUE(SetValue("Software\\" + writer + "\\Key" + std::to_string(i), "", writer));
}

void ExpectAllKeys(const std::vector<std::string>& writers) {
    for (const std::string& writer : writers)
        for (int i = 0; i < KeysPerWriter; ++i)
            EXPECT_EQ(GetValue("Software\\" + writer + "\\Key" + std::to_string(i), ""), writer)
                << writer << " key " << i;
}

TEST(Registry, TwoThreadsWritingLoseNothing) {
    test::ScopedEnvironment env;
    std::thread a(WriteKeys, "ThreadA");
    std::thread b(WriteKeys, "ThreadB");
    a.join();
    b.join();
    ExpectAllKeys({"ThreadA", "ThreadB"});
}

TEST(Registry, TwoProcessesWritingLoseNothing) {
    test::ScopedEnvironment env;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ok = true;
        for (int i = 0; i < KeysPerWriter; ++i)
            ok = SetValue("Software\\Child\\Key" + std::to_string(i), "", "Child") && ok;
        _exit(ok ? 0 : 1);
    }
    WriteKeys("Parent");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ExpectAllKeys({"Parent", "Child"});
}

}  // namespace
}  // namespace platform::registry
