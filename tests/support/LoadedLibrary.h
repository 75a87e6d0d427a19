// Which library files this process really loaded, as the kernel's map of its
// memory shows them.
#pragma once

#include <string>

namespace aurion::test {

// True when the file at this path is mapped into this process.
[[nodiscard]] bool LoadedInThisProcess(const std::string& path);

}  // namespace aurion::test
