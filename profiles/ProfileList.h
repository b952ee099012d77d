#pragma once

#include <json/json.h>

#include <string>
#include <string_view>
#include <vector>

#include "profiles/JsonFile.h"

// The profile list of one device kind: "ProfileList.ini" (JSON) in the device data folder and one
// profile file "<id>.Json" per entry. The profile panel shows Entries() in its drop-down list and
// runs the operations below on them; every change is written at once. Entries are addressed by
// their position in Entries(). Elements of "profilelist" that cannot stand as a profile (not an
// object, no id, an id that is not a plain file name of the folder, a second entry for one id)
// are not shown, never used to build a path, and stay in the file as they are; "profileselect"
// keeps naming a position of the file's "profilelist". At most kMaxProfiles entries are shown;
// further ones stay in the file as they are.
class CProfileList {
public:
    static constexpr int kMaxProfiles = 50;
    static constexpr char kListFileName[] = "ProfileList.ini";

    struct Entry {
        std::string name;  // "profilename", or the id when the entry has no usable name
        std::string id;    // "profileUUID"
        Json::ArrayIndex position = 0;  // index in the file's "profilelist"
    };

    enum class RenameResult { Renamed, Empty, Taken, Failed };

    // Device kind code (1 keyboard, 2 mouse, 3 mouse pad, 7 headset): a headset keeps its user
    // equalisers through a reset.
    void SetDeviceKind(int kind) { deviceKind_ = kind; }
    // dataFolder ends in a separator; defaultProfile is the kind's default profile file.
    void SetFolders(std::string dataFolder, std::string defaultProfile);

    // Reads the list. A list file that exists but cannot be read is moved aside (kept as
    // "ProfileList.ini.<time>.unreadable") before anything replaces it. A list without any usable
    // entry gets back the profile files of the folder ("<id>.Json" with their "profilename"), or
    // else a fresh "profile1" made from the default profile. Selects the stored selection
    // (clamped to the entries).
    void Load();

    const std::vector<Entry>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    // The entry "profileselect" names (after Load or Select); -1 without entries.
    int Selected() const { return selected_; }
    const std::string& CurrentId() const { return currentId_; }

    // Stores entry index as the selection and makes its id current; false when there is no such
    // entry.
    bool Select(int index);

    // A new profile "profile<k>" (first free k) made from the default profile, stored as the
    // selection. Its index, or -1 when the list is full or cannot be written.
    int Add();
    // A copy of entry index named "<name> copy" (repeated until free). Its index, or -1.
    int Copy(int index);
    RenameResult Rename(int index, std::string_view name);
    // Removes entry index and its file; the entry before it (or the new first) becomes the
    // selection. The new selection, or -1 when refused (no such entry, or the only one).
    int Delete(int index);
    // Rewrites entry index's profile file from the default profile, keeping its name and id.
    bool Reset(int index);
    // Adds the profile file at path under a free name and a new id. Its index, or -1 when the
    // list is full or the file is no exported profile.
    int Import(const std::string& path);
    // Copies entry index's profile file to path.
    bool Export(int index, const std::string& path);

    // Whether an entry other than except is named name, ignoring case.
    bool NameTaken(std::string_view name, int except) const;

    std::string ListPath() const { return dataFolder_ + kListFileName; }
    std::string ProfilePath(const std::string& id) const { return dataFolder_ + id + ".Json"; }

private:
    // Rereads the list file, so a change another panel of the same kind made is not lost, and
    // returns the index that id has now (-1 when gone).
    int Refresh(const std::string& id);
    void ReadList();
    void SetAsideUnreadableList();
    void RestoreFromFolder();
    void BuildEntries();
    void StoreSelection(int index);
    bool WriteList(const Json::Value& list);
    int IndexOfId(const std::string& id) const;
    std::string NewId(const Json::Value& list) const;
    std::string FreeName(std::string name, bool numbered) const;
    // Appends an entry to a copy of the list and writes it; the new entry's index or -1.
    int AppendEntry(const std::string& name, const std::string& id, bool select);
    bool WriteProfileFile(Json::Value profile, const std::string& name, const std::string& id);
    void MakeFreshEntry();

    int deviceKind_ = 2;
    std::string dataFolder_;
    std::string defaultProfile_;
    Json::Value list_{Json::objectValue};
    std::vector<Entry> entries_;
    int selected_ = -1;
    std::string currentId_;
    bool listWritable_ = true;
    CJsonFile json_;
};
