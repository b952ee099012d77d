#include "base/KeepAside.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace files {

std::string MakeFileTimeStamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return buffer;
}

std::string KeepAside(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return {};
    }
    const std::string stem = path + "." + MakeFileTimeStamp();
    // Two files kept aside within one millisecond must not overwrite each other.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string aside =
            stem + (attempt == 0 ? std::string() : "_" + std::to_string(attempt)) + ".unreadable";
        struct stat taken {};
        if (::lstat(aside.c_str(), &taken) == 0) {
            continue;
        }
        return std::rename(path.c_str(), aside.c_str()) == 0 ? aside : std::string();
    }
    return {};
}

}  // namespace files
