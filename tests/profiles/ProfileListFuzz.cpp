// A fuzzed "ProfileList.ini" and a fuzzed sequence of list operations on it, in a folder of its
// own. Input: byte 0 = number of operations n (low 4 bits) and the device kind (bit 4: headset);
// bytes 1..n = the operations (operation = byte % 9, entry index from the rest); the remaining
// bytes = the list file, also offered to Import. Aborts when an operation leaves the list in a
// state it must never reach or touches a file outside the data folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "profiles/ProfileList.h"

namespace {

namespace fs = std::filesystem;

const char kVictim[] = "{\"profilename\":\"victim\",\"Device\":[{\"secret\":1}]}";

void Write(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// root/a/dev/ is the data folder ("../../outside/victim" from there is root/outside/victim);
// everything else in root must stay as it was.
struct Sandbox {
    fs::path root;
    fs::path dev;
    fs::path outside;
    std::string defaultProfile;
    std::string importFile;
    std::string fuzzedImport;
    std::string exportFile;
};

const Sandbox& TheSandbox() {
    // Never destroyed, so the clean-up at exit can still use it.
    static const Sandbox& box = *new Sandbox([] {
        // Every write is synced to disk: a memory file system keeps the runs fast.
        std::error_code ec;
        const fs::path base =
            fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "zorvath_list_fuzz_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        Sandbox s;
        s.root = pattern;
        s.dev = s.root / "a" / "dev";
        s.outside = s.root / "outside";
        fs::create_directories(s.outside);
        Write(s.outside / "victim.Json", kVictim);
        s.defaultProfile = (s.root / "default.Json").string();
        Write(s.defaultProfile, R"({"Device":[{"DPI":800,"CustomEQNameInfo":[{"Name":"d"}]}]})");
        s.importFile = (s.root / "import.json").string();
        Write(s.importFile, R"({"profilename":"profile1","profileUUID":"../x","Device":[{}]})");
        s.fuzzedImport = (s.root / "fuzzed.json").string();
        s.exportFile = (s.root / "export.json").string();
        std::atexit([] { fs::remove_all(TheSandbox().root); });
        return s;
    }());
    return box;
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void Check(const CProfileList& list, const Sandbox& box) {
    Require(list.Count() >= 0 && list.Count() <= CProfileList::kMaxProfiles);
    for (const CProfileList::Entry& entry : list.Entries()) {
        Require(!entry.id.empty());
    }
    Require(list.Selected() >= -1 && list.Selected() < list.Count());
    Require(Read(box.outside / "victim.Json") == kVictim);
    std::error_code ec;
    Require(std::distance(fs::directory_iterator(box.outside, ec), {}) == 1);
    Require(std::distance(fs::directory_iterator(box.root / "a", ec), {}) == 1);
    // a, outside, the default profile, the two import sources and at most the export.
    Require(std::distance(fs::directory_iterator(box.root, ec), {}) <= 6);
}

const char* const kNames[] = {"",        "a",   "A",        "profile1", "profile1 copy",
                              "../evil", "a/b", "\xC3\xA4", "\xC3\x84", "x(1)"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Sandbox& box = TheSandbox();
    if (size == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(data[0] & 0x0F, size - 1);
    const std::vector<std::uint8_t> ops(data + 1, data + 1 + count);
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count);

    std::error_code ec;
    fs::remove_all(box.root / "a", ec);
    fs::create_directories(box.dev);
    Write(box.dev / "id0.Json", R"({"profilename":"a","profileUUID":"id0","Device":[{}]})");
    Write(box.dev / "id1.Json", R"({"profilename":"b","profileUUID":"id1","Device":[{}]})");
    Write(box.dev / "ProfileList.ini", text);
    Write(box.fuzzedImport, text);

    CProfileList list;
    list.SetDeviceKind((data[0] & 0x10) != 0 ? 7 : 2);
    list.SetFolders(box.dev.string() + "/", box.defaultProfile);
    list.Load();
    Check(list, box);
    Require(list.Count() > 0);
    for (std::uint8_t op : ops) {
        const int index = static_cast<int>((op / 9) % static_cast<unsigned>(list.Count() + 2)) - 1;
        switch (op % 9) {
            case 0:
                list.Select(index);
                break;
            case 1:
                list.Add();
                break;
            case 2:
                list.Copy(index);
                break;
            case 3:
                list.Rename(index, kNames[(op / 9) % std::size(kNames)]);
                break;
            case 4:
                list.Delete(index);
                break;
            case 5:
                list.Reset(index);
                break;
            case 6:
                list.Import((op & 0x80) != 0 ? box.fuzzedImport : box.importFile);
                break;
            case 7:
                list.Export(index, box.exportFile);
                break;
            default:
                list.Load();
                Require(list.Count() > 0);
                break;
        }
        Check(list, box);
    }
    return 0;
}
