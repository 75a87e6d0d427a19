#include "tests/support/LoadedLibrary.h"

#include <fstream>
#include <sstream>

namespace aurion::test {

bool LoadedInThisProcess(const std::string& path) {
    std::ifstream maps("/proc/self/maps");
    std::ostringstream text;
    text << maps.rdbuf();
    return text.str().find(" " + path + "\n") != std::string::npos;
}

}  // namespace aurion::test
