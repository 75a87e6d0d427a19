#include "platform/system/FreeSpace.h"

#include <sys/statvfs.h>

#include <memory>
#include <mutex>

namespace platform {

namespace {

std::optional<uint64_t> QueryFileSystem(const std::string& path) {
    struct statvfs info {};
    if (statvfs(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<uint64_t>(info.f_bavail) * static_cast<uint64_t>(info.f_frsize);
}

struct Replacement {
    std::mutex Guard;
    std::shared_ptr<const FreeSpaceQuery> Query;
};

Replacement& CurrentReplacement() {
    static Replacement* replacement = new Replacement;
    return *replacement;
}

}  // namespace

std::optional<uint64_t> FreeBytesOf(const std::string& path) {
    std::shared_ptr<const FreeSpaceQuery> query;
    {
        Replacement& replacement = CurrentReplacement();
        std::lock_guard lock(replacement.Guard);
        query = replacement.Query;
    }
    if (query) return (*query)(path);
    return QueryFileSystem(path);
}

void SetFreeSpaceQuery(FreeSpaceQuery query) {
    auto shared = query ? std::make_shared<const FreeSpaceQuery>(std::move(query)) : nullptr;
    Replacement& replacement = CurrentReplacement();
    std::shared_ptr<const FreeSpaceQuery> replaced;
    std::lock_guard lock(replacement.Guard);
    replaced = std::move(replacement.Query);
    replacement.Query = std::move(shared);
}

}  // namespace platform
