#include "profiles/ProfileList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "base/AtomicFile.h"
#include "base/NameCompare.h"
#include "profiles/JsonAccess.h"

using jsonaccess::Member;

namespace {

constexpr int kHeadset = 7;

Json::Value NewEntry(const std::string& name, const std::string& id) {
    Json::Value entry(Json::objectValue);
    entry["profilename"] = name;
    entry["profileUUID"] = id;
    entry["profileislink"] = 0;
    entry["profilelinkmame"] = "";
    return entry;
}

std::string IdOf(const Json::Value& element) {
    return jsonaccess::Text(Member(&element, "profileUUID"));
}

bool IdInList(const Json::Value& list, const std::string& id) {
    if (const Json::Value* entries = jsonaccess::ArrayMember(&list, "profilelist")) {
        for (const Json::Value& entry : *entries) {
            if (IdOf(entry) == id) {
                return true;
            }
        }
    }
    return false;
}

// An id names the entry's profile file, so it must stay a plain file name of the data folder.
bool IsUsableId(std::string_view id) {
    return files::IsSafeFileName(id);
}

// A document this class can work on: an object whose "profilelist", when present, is an array.
bool IsListDocument(const Json::Value& document) {
    return document.isObject() && (Member(&document, "profilelist") == nullptr ||
                                   jsonaccess::ArrayMember(&document, "profilelist") != nullptr);
}

}  // namespace

void CProfileList::SetFolders(std::string dataFolder, std::string defaultProfile) {
    dataFolder_ = std::move(dataFolder);
    defaultProfile_ = std::move(defaultProfile);
}

void CProfileList::ReadList() {
    Json::Value stored = json_.readjsonValue(ListPath());
    if (IsListDocument(stored)) {
        list_ = std::move(stored);
        return;
    }
    list_ = Json::Value(Json::objectValue);
    SetAsideUnreadableList();
}

void CProfileList::SetAsideUnreadableList() {
    // A list that cannot be read is replaced by the next write: its bytes are kept first. When
    // they cannot be moved the list lives in memory only and the file is left alone.
    if (!CJsonFile::SetAsideBeforeReplacing(ListPath())) {
        listWritable_ = false;
    }
}

void CProfileList::BuildEntries() {
    entries_.clear();
    selected_ = -1;
    const Json::Value* list = jsonaccess::ArrayMember(&list_, "profilelist");
    if (list == nullptr) {
        return;
    }
    std::unordered_set<std::string> ids;
    // Entries past the list's limit are not shown; they stay in the file, which every change
    // only edits.
    for (Json::ArrayIndex i = 0; i < list->size() && Count() < kMaxProfiles; ++i) {
        const Json::Value& element = (*list)[i];
        std::string id = IdOf(element);
        // Not a profile this list can open (or a second entry for one file): not shown, and
        // left in the file as it is.
        if (!element.isObject() || !IsUsableId(id) || !ids.insert(id).second) {
            continue;
        }
        std::string name = jsonaccess::Text(Member(&element, "profilename"));
        entries_.push_back({name.empty() ? id : std::move(name), id, i});
    }
    if (entries_.empty()) {
        return;
    }
    // The stored selection is a position in the file: take the last entry at or before it.
    const Json::Value* stored = Member(&list_, "profileselect");
    const std::int64_t position =
        stored != nullptr && stored->isIntegral() ? jsonaccess::Integer(stored) : 0;
    selected_ = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (static_cast<std::int64_t>(entries_[i].position) <= position) {
            selected_ = static_cast<int>(i);
        }
    }
}

int CProfileList::IndexOfId(const std::string& id) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool CProfileList::WriteList(const Json::Value& list) {
    return listWritable_ && json_.writejsonFile(ListPath(), list);
}

int CProfileList::Refresh(const std::string& id) {
    Json::Value stored = json_.readjsonValue(ListPath());
    if (IsListDocument(stored)) {
        list_ = std::move(stored);
        BuildEntries();
    } else {
        // Gone or damaged since it was read: the next write puts back what this list holds.
        SetAsideUnreadableList();
    }
    return IndexOfId(id);
}

std::string CProfileList::NewId(const Json::Value& list) const {
    // Ids have millisecond resolution; two profiles made within one millisecond must still get
    // files of their own, or the second would overwrite the first.
    const std::string stamp = json_.MakeTimeStamp();
    auto taken = [&](const std::string& id) {
        std::error_code ignored;
        return IdInList(list, id) || std::filesystem::exists(ProfilePath(id), ignored);
    };
    std::string id = stamp;
    for (int n = 1; taken(id); ++n) {
        id = stamp + "_" + std::to_string(n);
    }
    return id;
}

bool CProfileList::NameTaken(std::string_view name, int except) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (static_cast<int>(i) != except &&
            names::NamesEqualIgnoringCase(entries_[i].name, name)) {
            return true;
        }
    }
    return false;
}

bool CProfileList::WriteProfileFile(Json::Value profile, const std::string& name,
                                    const std::string& id) {
    if (!profile.isObject()) {
        // Without a source document the device's profile data makes the file from the default
        // profile when it first loads it.
        return false;
    }
    profile["profilename"] = name;
    profile["profileUUID"] = id;
    return json_.writejsonFile(ProfilePath(id), profile);
}

int CProfileList::AppendEntry(const std::string& name, const std::string& id, bool select) {
    Json::Value list = list_;
    Json::Value& entries = jsonaccess::ArrayAt(list, "profilelist");
    entries.append(NewEntry(name, id));
    if (select) {
        list["profileselect"] = static_cast<Json::Int>(entries.size() - 1);
    }
    if (!WriteList(list)) {
        return -1;
    }
    list_ = std::move(list);
    BuildEntries();
    return IndexOfId(id);
}

void CProfileList::MakeFreshEntry() {
    std::error_code ignored;
    std::filesystem::create_directories(dataFolder_, ignored);
    const std::string id = NewId(list_);
    Json::Value& entries = jsonaccess::ArrayAt(list_, "profilelist");
    entries.append(NewEntry("profile1", id));
    list_["profileselect"] = static_cast<Json::Int>(entries.size() - 1);
    // Even when the folder cannot be written the program goes on with this one profile.
    WriteList(list_);
    BuildEntries();
    WriteProfileFile(json_.readjsonValue(defaultProfile_), "profile1", id);
}

void CProfileList::RestoreFromFolder() {
    std::unordered_set<std::string> listed;
    if (const Json::Value* entries = jsonaccess::ArrayMember(&list_, "profilelist")) {
        for (const Json::Value& entry : *entries) {
            listed.insert(IdOf(entry));
        }
    }
    std::vector<std::string> ids;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(dataFolder_, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::filesystem::path& path = it->path();
        std::error_code typeError;
        if (path.extension() == ".Json" && it->is_regular_file(typeError)) {
            std::string id = path.stem().string();
            if (IsUsableId(id) && listed.count(id) == 0) {
                ids.push_back(std::move(id));
            }
        }
    }
    // Ids are creation times: the oldest profile comes first, as it stood in the list. A folder
    // full of foreign files must not stall the start.
    std::sort(ids.begin(), ids.end());
    Json::Value list = list_;
    Json::Value& entries = jsonaccess::ArrayAt(list, "profilelist");
    const Json::ArrayIndex first = entries.size();
    int restored = 0;
    for (std::size_t i = 0; i < ids.size() && i < 4u * kMaxProfiles && restored < kMaxProfiles;
         ++i) {
        const Json::Value profile = json_.readjsonValue(ProfilePath(ids[i]));
        if (jsonaccess::ArrayMember(&profile, "Device") == nullptr &&
            Member(&profile, "profileUUID") == nullptr) {
            continue;  // not a profile file
        }
        const std::string name = jsonaccess::Text(Member(&profile, "profilename"));
        entries.append(NewEntry(name.empty() ? ids[i] : name, ids[i]));
        ++restored;
    }
    if (restored == 0) {
        return;
    }
    list["profileselect"] = static_cast<Json::Int>(first);
    WriteList(list);
    list_ = std::move(list);
    BuildEntries();
}

void CProfileList::Load() {
    listWritable_ = true;
    ReadList();
    BuildEntries();
    if (entries_.empty()) {
        // The list lost every entry it could open: the profiles come back from their files.
        RestoreFromFolder();
    }
    if (entries_.empty()) {
        MakeFreshEntry();
    }
    if (selected_ >= 0) {
        StoreSelection(selected_);
    }
}

bool CProfileList::Select(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    const std::string id = entries_[static_cast<std::size_t>(index)].id;
    index = Refresh(id);
    if (index < 0) {
        return false;
    }
    StoreSelection(index);
    return true;
}

void CProfileList::StoreSelection(int index) {
    const Entry& entry = entries_[static_cast<std::size_t>(index)];
    const auto position = static_cast<Json::Int>(entry.position);
    const Json::Value* stored = Member(&list_, "profileselect");
    // An unchanged selection leaves the file as it is.
    if (stored == nullptr || !stored->isInt() || jsonaccess::Integer(stored) != position) {
        list_["profileselect"] = position;
        WriteList(list_);
    }
    selected_ = index;
    currentId_ = entry.id;
}

int CProfileList::Add() {
    Refresh({});
    if (Count() >= kMaxProfiles) {
        return -1;
    }
    std::string name;
    for (int k = 1; name.empty() || NameTaken(name, -1); ++k) {
        name = "profile" + std::to_string(k);
    }
    const std::string id = NewId(list_);
    const int index = AppendEntry(name, id, true);
    if (index >= 0) {
        WriteProfileFile(json_.readjsonValue(defaultProfile_), name, id);
    }
    return index;
}

int CProfileList::Copy(int index) {
    if (index < 0 || index >= Count()) {
        return -1;
    }
    const Entry source = entries_[static_cast<std::size_t>(index)];
    if (Refresh(source.id) < 0 || Count() >= kMaxProfiles) {
        return -1;
    }
    std::string name = source.name + " copy";
    while (NameTaken(name, -1)) {
        name += " copy";
    }
    const std::string id = NewId(list_);
    const int added = AppendEntry(name, id, false);
    if (added >= 0) {
        WriteProfileFile(json_.readjsonValue(ProfilePath(source.id)), name, id);
    }
    return added;
}

CProfileList::RenameResult CProfileList::Rename(int index, std::string_view name) {
    if (index < 0 || index >= Count()) {
        return RenameResult::Failed;
    }
    if (name.empty()) {
        return RenameResult::Empty;
    }
    const std::string id = entries_[static_cast<std::size_t>(index)].id;
    index = Refresh(id);
    if (index < 0) {
        return RenameResult::Failed;
    }
    if (NameTaken(name, index)) {
        return RenameResult::Taken;
    }
    Json::Value list = list_;
    // Shown entries are objects of the array.
    list["profilelist"][entries_[static_cast<std::size_t>(index)].position]["profilename"] =
        std::string(name);
    if (!WriteList(list)) {
        return RenameResult::Failed;
    }
    list_ = std::move(list);
    BuildEntries();
    Json::Value profile = json_.readjsonValue(ProfilePath(id));
    if (profile.isObject()) {
        profile["profilename"] = std::string(name);
        json_.writejsonFile(ProfilePath(id), profile);
    }
    return RenameResult::Renamed;
}

int CProfileList::Delete(int index) {
    if (index < 0 || index >= Count()) {
        return -1;
    }
    const std::string id = entries_[static_cast<std::size_t>(index)].id;
    index = Refresh(id);
    if (index < 0 || Count() <= 1) {
        return -1;
    }
    const Json::ArrayIndex removed = entries_[static_cast<std::size_t>(index)].position;
    const Entry& next = entries_[static_cast<std::size_t>(index == 0 ? 1 : index - 1)];
    const std::string nextId = next.id;
    const Json::ArrayIndex nextPosition =
        next.position > removed ? next.position - 1 : next.position;
    Json::Value list = list_;
    list["profilelist"].removeIndex(removed, nullptr);
    list["profileselect"] = static_cast<Json::Int>(nextPosition);
    // The list goes first: if it cannot be written the profile stays whole, file included.
    if (!WriteList(list)) {
        return -1;
    }
    list_ = std::move(list);
    BuildEntries();
    std::error_code ignored;
    std::filesystem::remove(ProfilePath(id), ignored);
    return IndexOfId(nextId);
}

bool CProfileList::Reset(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    const Entry entry = entries_[static_cast<std::size_t>(index)];
    if (Refresh(entry.id) < 0) {
        return false;
    }
    Json::Value fresh = json_.readjsonValue(defaultProfile_);
    if (!fresh.isObject()) {
        return false;  // no default to reset to: the profile stays as it is
    }
    const Json::Value* freshDocument =
        jsonaccess::Element(jsonaccess::ArrayMember(&fresh, "Device"), 0);
    if (deviceKind_ == kHeadset && freshDocument != nullptr && freshDocument->isObject()) {
        // User equalisers survive a reset.
        const Json::Value current = json_.readjsonValue(ProfilePath(entry.id));
        const Json::Value* document =
            jsonaccess::Element(jsonaccess::ArrayMember(&current, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            if (const Json::Value* kept = Member(document, key)) {
                fresh["Device"][0u][key] = *kept;
            }
        }
    }
    return WriteProfileFile(std::move(fresh), entry.name, entry.id);
}

int CProfileList::Import(const std::string& path) {
    Refresh({});
    if (Count() >= kMaxProfiles || path.empty()) {
        return -1;
    }
    const Json::Value imported = json_.readjsonValue(path);
    if (Member(&imported, "profilename") == nullptr ||
        Member(&imported, "profileUUID") == nullptr) {
        return -1;  // not an exported profile
    }
    const std::string base = jsonaccess::Text(Member(&imported, "profilename"));
    std::string name = base.empty() ? std::string("profile") : base;
    for (int k = 1; NameTaken(name, -1); ++k) {
        name += "(" + std::to_string(k) + ")";
    }
    // The file's own id is never used: it names nothing here and could name a path.
    const std::string id = NewId(list_);
    const int index = AppendEntry(name, id, false);
    if (index >= 0) {
        WriteProfileFile(imported, name, id);
    }
    return index;
}

bool CProfileList::Export(int index, const std::string& path) {
    if (index < 0 || index >= Count() || path.empty()) {
        return false;
    }
    const std::string id = entries_[static_cast<std::size_t>(index)].id;
    if (Refresh(id) < 0) {
        return false;
    }
    const std::string bytes = json_.readjsonFile(ProfilePath(id));
    return CJsonFile::ParseText(bytes).isObject() && files::WriteFileAtomically(path, bytes);
}
