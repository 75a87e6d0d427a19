// The folders of app/ depend in one direction: a folder includes only itself and the
// folders below it in the order that app/CMakeLists.txt writes down
// (TRACKDECK_APP_FOLDERS, bottom first) and app/README.md explains. The files right
// in app/ (the program's main) stand above every folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ScopedEnvironment.h"

namespace trackdeck::test {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& file) {
    std::ifstream input(file);
    std::stringstream text;
    text << input.rdbuf();
    return text.str();
}

// The list that `set(TRACKDECK_APP_FOLDERS ...)` gives; empty when there is none.
std::vector<std::string> FolderOrder(const fs::path& cmakeLists) {
    std::smatch found;
    const std::string text = ReadText(cmakeLists);
    if (!std::regex_search(text, found, std::regex(R"(set\(TRACKDECK_APP_FOLDERS([^)]*)\))")))
        return {};
    std::istringstream names(found[1].str());
    std::vector<std::string> order;
    for (std::string name; names >> name;) order.push_back(name);
    return order;
}

// The folders that a numbered list of README.md names (lines "1. `common/` ..."), in order.
std::vector<std::string> ReadmeOrder(const fs::path& readme) {
    std::vector<std::string> order;
    std::istringstream lines(ReadText(readme));
    const std::regex item(R"(^\d+\. `([a-z]+)/`)");
    std::smatch found;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_search(line, found, item)) order.push_back(found[1].str());
    return order;
}

// Every include of a folder above the including file's, of a folder that is not in the
// order, and every folder of sources that the order leaves out; one line each.
std::vector<std::string> DirectionFaults(const fs::path& app,
                                         const std::vector<std::string>& order) {
    auto rank = [&order](const std::string& folder) {
        return static_cast<int>(std::find(order.begin(), order.end(), folder) - order.begin());
    };
    const int top = static_cast<int>(order.size());
    const std::regex include(R"(^\s*#\s*include\s*"app/([^/"]+)/)");
    std::vector<std::string> faults;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(app)) {
        const fs::path file = entry.path();
        if (!entry.is_regular_file() || (file.extension() != ".h" && file.extension() != ".cpp"))
            continue;
        const fs::path relative = fs::relative(file, app);
        const bool inFolder = relative.has_parent_path();
        const std::string folder = inFolder ? relative.begin()->string() : std::string();
        const int own = inFolder ? rank(folder) : top;
        if (own == top && inFolder) faults.push_back(relative.string() + ": folder not in the order");
        std::istringstream lines(ReadText(file));
        std::smatch found;
        int number = 0;
        for (std::string line; std::getline(lines, line);) {
            ++number;
            if (!std::regex_search(line, found, include)) continue;
            const int included = rank(found[1].str());
            if (included >= top || included > own)
                faults.push_back(relative.string() + ":" + std::to_string(number) + ": " + line);
        }
    }
    std::sort(faults.begin(), faults.end());
    faults.erase(std::unique(faults.begin(), faults.end()), faults.end());
    return faults;
}

TEST(AppFolders, IncludeOnlyFoldersBelowThemselvesInTheWrittenOrder) {
    const fs::path app = fs::path(TRACKDECK_SOURCE_DIR) / "app";
    const std::vector<std::string> order = FolderOrder(app / "CMakeLists.txt");
    ASSERT_FALSE(order.empty()) << "app/CMakeLists.txt sets no TRACKDECK_APP_FOLDERS";
    EXPECT_EQ(order.front(), "common");
    EXPECT_EQ(order.back(), "shell");
    EXPECT_EQ(ReadmeOrder(app / "README.md"), order) << "app/README.md tells another order";
    const std::vector<std::string> faults = DirectionFaults(app, order);
    EXPECT_TRUE(faults.empty()) << "includes against the order:\n" << [&faults] {
        std::string all;
        for (const std::string& fault : faults) all += fault + "\n";
        return all;
    }();
}

TEST(AppFolders, TheCheckFindsAnArrowThatPointsUpAndAFolderLeftOut) {
    platform::test::ScopedEnvironment environment;
    const fs::path app = fs::path(environment.Folder()) / "app";
    auto write = [&app](const std::string& file, const std::string& text) {
        fs::create_directories((app / file).parent_path());
        std::ofstream(app / file) << text;
    };
    write("common/Base.h", "#include <QString>\n#include \"app/common/Other.h\"\n");
    write("common/Other.h", "  #  include \"app/shell/Window.h\"\n");
    write("shell/Window.cpp", "#include \"app/common/Base.h\"\n#include \"app/shell/Window.h\"\n");
    write("extra/Part.cpp", "#include \"app/common/Base.h\"\n");
    write("main.cpp", "#include \"app/shell/Window.h\"\n");
    EXPECT_EQ(DirectionFaults(app, {"common", "shell"}),
              (std::vector<std::string>{"common/Other.h:1:   #  include \"app/shell/Window.h\"",
                                        "extra/Part.cpp: folder not in the order"}));
}

}  // namespace
}  // namespace trackdeck::test
