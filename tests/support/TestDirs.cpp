#include "tests/support/TestDirs.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

std::string MakeTempDir(const std::string& hint) {
    static std::atomic<int> counter{0};
    const char* base = std::getenv("ZORVATH_TEST_TMP");
    std::filesystem::path root = base != nullptr ? base : std::filesystem::temp_directory_path();
    std::filesystem::path dir = root / (hint + "-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(counter.fetch_add(1)));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string UseFreshXdgFolders(const std::string& hint) {
    std::string root = MakeTempDir(hint);
    for (const char* name :
         {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        std::string dir = root + "/" + name;
        std::filesystem::create_directories(dir);
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        ::setenv(name, dir.c_str(), 1);
    }
    return root;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    out << bytes;
}

std::vector<std::string> KeptAsideCopies(const std::string& folder, const std::string& fileName) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(fileName + ".") && name.ends_with(".unreadable")) {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

}  // namespace testsupport
