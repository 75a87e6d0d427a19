// The support library's one function. Linux has no short names, so the long
// form of an existing path is its absolute form with "." and ".." removed
// (links are not resolved); a missing path gives 0.
#include <cstring>
#include <filesystem>
#include <system_error>

extern "C" __attribute__((visibility("default"))) unsigned GetLongPathName(const char* path,
                                                                           char* buffer,
                                                                           unsigned size) {
    if (path == nullptr || *path == '\0') return 0;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(path), error)) return 0;
    const std::string longForm =
        std::filesystem::absolute(std::filesystem::path(path), error).lexically_normal().string();
    if (error) return 0;
    const auto length = static_cast<unsigned>(longForm.size());
    // As the platform call does: too small a buffer gives the size needed, with the NUL.
    if (buffer == nullptr || size <= length) return length + 1;
    std::memcpy(buffer, longForm.c_str(), length + 1);
    return length;
}
