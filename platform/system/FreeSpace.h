// Free space of the file system that holds a path (statvfs: available blocks
// times fragment size). Tests may replace the query to play a full disk.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// Empty when the query fails (for instance, no such folder).
[[nodiscard]] std::optional<uint64_t> FreeBytesOf(const std::string& path);

using FreeSpaceQuery = std::function<std::optional<uint64_t>(const std::string& path)>;
// Replaces the query process-wide; an empty function restores the real one.
void SetFreeSpaceQuery(FreeSpaceQuery query);

}  // namespace platform
