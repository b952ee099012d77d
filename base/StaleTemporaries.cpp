#include "base/StaleTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "base/AtomicFile.h"

namespace files {

bool IsTemporaryFileName(std::string_view name) {
    constexpr std::size_t kRandomLength = 6;
    const std::size_t suffixLength = kTemporarySuffix.size() + kRandomLength;
    if (name.size() <= suffixLength) {
        return false;
    }
    const std::string_view suffix = name.substr(name.size() - suffixLength);
    if (!suffix.starts_with(kTemporarySuffix)) {
        return false;
    }
    const std::string_view random = suffix.substr(kTemporarySuffix.size());
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

std::size_t RemoveStaleTemporaries(const std::string& folder,
                                   std::chrono::system_clock::time_point now) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    const int dirFd = ::dirfd(dir);
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryFileName(entry->d_name)) {
            continue;
        }
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode)) {
            continue;
        }
        const auto changed = std::chrono::system_clock::time_point(
            std::chrono::duration_cast<std::chrono::system_clock::duration>(
                std::chrono::seconds(info.st_mtim.tv_sec) +
                std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
        if (now - changed < kStaleTemporaryAge) {
            continue;  // young, or from the future: perhaps a write in progress
        }
        if (::unlinkat(dirFd, entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

}  // namespace files
