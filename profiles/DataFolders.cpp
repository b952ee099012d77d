#include "profiles/DataFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

#ifndef ZORVATH_INSTALLED_DATA_DIR
#define ZORVATH_INSTALLED_DATA_DIR "/usr/local/share/zorvath"
#endif

namespace datafolders {
namespace {

std::mutex g_overrideLock;
std::string g_resourceOverride;

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/tmp";
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::string XdgFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    return HomeFolder() + fallback;
}

// Creation failures are not reported: a later file access there fails and falls back.
void CreateFolder(const std::string& folder, bool privateFolder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) {
        return;
    }
    std::filesystem::create_directories(folder, ec);
    if (!ec && privateFolder) {
        ::chmod(folder.c_str(), 0700);
    }
}

std::string ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

void SetResourceRootForTesting(const std::string& folder) {
    std::lock_guard lock(g_overrideLock);
    g_resourceOverride = folder;
}

std::string GetResourceRoot() {
    {
        std::lock_guard lock(g_overrideLock);
        if (!g_resourceOverride.empty()) {
            return WithSlash(g_resourceOverride);
        }
    }
    const std::string exeFolder = ExecutableFolder();
    std::error_code ec;
    if (!exeFolder.empty() && std::filesystem::is_directory(exeFolder + "/skin", ec)) {
        return WithSlash(exeFolder);
    }
    return WithSlash(ZORVATH_INSTALLED_DATA_DIR);
}

std::string GetDefaultDataFolder() {
    return GetResourceRoot() + "DefaultData/";
}

std::string GetDefaultProfilePath(std::string_view deviceFolderName) {
    return GetDefaultDataFolder() + std::string(deviceFolderName) + ".Json";
}

std::string GetUserDataFolder() {
    const std::string base = XdgFolder("XDG_DATA_HOME", "/.local/share");
    CreateFolder(base, true);
    const std::string root = base + "/" + std::string(kProductName);
    CreateFolder(root, true);
    return root + "/";
}

std::string GetDeviceDataFolder(std::string_view deviceFolderName) {
    const std::string folder = GetUserDataFolder() + std::string(deviceFolderName);
    CreateFolder(folder, false);
    return folder + "/";
}

std::string GetUpdateDownloadFolder() {
    const std::string base = XdgFolder("XDG_CACHE_HOME", "/.cache");
    CreateFolder(base, true);
    const std::string folder = base + "/" + std::string(kProductName) + "/UpdateData";
    CreateFolder(folder, true);
    return folder + "/";
}

}  // namespace datafolders
