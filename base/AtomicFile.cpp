#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/KeepAside.h"

namespace files {
namespace {

std::atomic<bool> g_failBeforeRename{false};

bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

void SetFailBeforeRenameForTesting(bool fail) {
    g_failBeforeRename.store(fail);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    std::string pattern = path + std::string(kTemporarySuffix) + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return false;
    }
    const std::string tempPath(name.data());
    // Keep the mode the file had, or give a new one the usual 0644 less the umask.
    struct stat old {};
    mode_t mode = 0;
    const bool present = ::lstat(path.c_str(), &old) == 0;
    if (present && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0644 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && g_failBeforeRename.load()) {
        ok = false;
    }
    // A pipe, socket or link in the file's place is moved aside, not destroyed; a link is never
    // written through, since it may point at any file of the user's. A folder stays and makes
    // the rename fail.
    if (ok && present && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode) &&
        KeepAside(path).empty()) {
        // Not moved: fail rather than destroy it, unless it went away meanwhile.
        struct stat now {};
        ok = ::lstat(path.c_str(), &now) != 0 && errno == ENOENT;
    }
    if (ok) {
        ok = ::rename(tempPath.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
    }
    return ok;
}

bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    out.clear();
    // Only a regular file is opened: opening a pipe blocks until a writer comes, and opening a
    // device may have effects. A link to a regular file is followed (the user may keep a file
    // elsewhere). The check is repeated on the open file, without blocking, in case the path
    // changed in between.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        return false;
    }
    std::string buffer(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    while (got < buffer.size()) {
        ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got != buffer.size()) {
        return false;
    }
    out = std::move(buffer);
    return true;
}

bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (char c : name) {
        if (c == '/' || c == '\\' || c == '\0') {
            return false;
        }
    }
    return true;
}

}  // namespace files
