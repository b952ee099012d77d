// Arbitrary "macro.config" contents: the list loads, and create, rename, delete, save and the
// device records run on it without a crash and without touching a file outside the folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/AtomicFile.h"
#include "macros/EventImage.h"
#include "macros/MacroFiles.h"
#include "macros/MacroLibrary.h"
#include "profiles/JsonFile.h"

namespace {

const std::string& Folder() {
    // Never destroyed, so the clean-up at exit can still use it.
    static const std::string& folder = *new std::string([] {
        // Every write is synced to disk: a memory file system keeps the replay fast.
        std::error_code ec;
        const std::filesystem::path root = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        auto dir = root / ("zorvath-fuzz-macro-config-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir.string() + "/";
    }());
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Json::Value document = CJsonFile::ParseText(text);
    for (const auto& entry : macros::MacroListFromDocument(document)) {
        (void)macros::MacroFilePath(Folder(), entry.guid);
    }

    static const bool cleanup = std::atexit([] {
                                    std::error_code ec;
                                    std::filesystem::remove_all(Folder(), ec);
                                }) == 0;
    (void)cleanup;
    files::WriteFileAtomically(Folder() + "macro.config", text);
    macros::CMacroLibrary library;
    library.SetFolder(Folder());
    library.SetGuidSourceForTesting([] { return std::string("fuzz"); });
    library.LoadList();
    const int rows = static_cast<int>(library.Rows().size());
    if (rows > 0) {
        library.Select(static_cast<int>(size % static_cast<std::size_t>(rows)));
        library.LoadSelected();
        library.RenameSelected("renamed");
        library.SaveSelected();
        (void)macros::BuildEventImage(macros::LoadMacroRecords(Folder()));
        library.DeleteSelected();
    }
    library.CreateMacro();
    library.LoadList();
    std::error_code ec;
    for (const auto& file : std::filesystem::directory_iterator(Folder(), ec)) {
        std::filesystem::remove(file.path(), ec);
    }
    return 0;
}
