#include "macros/MacroLibrary.h"

#include <filesystem>
#include <optional>
#include <utility>

#include "base/AtomicFile.h"
#include "macros/MacroEvent.h"
#include "macros/MacroFiles.h"
#include "macros/MacroLimits.h"
#include "macros/MacroNames.h"
#include "profiles/JsonAccess.h"

namespace macros {

namespace {

// "MacroInfo" as an array whose first `count` elements are objects, so that setting a member
// of element i never throws and never leaves a null entry for a macro the list shows.
Json::Value& PrepareInfo(Json::Value& document, const std::vector<MacroRow>& rows,
                         std::size_t count) {
    Json::Value& info = document["MacroInfo"];
    if (!info.isArray()) {
        info = Json::Value(Json::arrayValue);
    }
    for (Json::ArrayIndex i = 0; i < count; ++i) {
        if (i >= info.size() || !info[i].isObject()) {
            Json::Value entry(Json::objectValue);
            if (i < rows.size()) {
                entry["MacroName"] = rows[i].name;
                entry["Guid"] = rows[i].guid;
            }
            info[i] = entry;
        }
    }
    return info;
}

}  // namespace

std::vector<MacroAction> ActionsFromDocument(const Json::Value& macroDocument) {
    const Json::Value& events = EventsOf(macroDocument);
    std::vector<MacroAction> actions;
    actions.reserve(events.size());
    for (const Json::Value& event : events) {
        if (event.isObject()) {
            actions.push_back({event, std::to_string(ClampDelay(
                                          DelayValue(jsonaccess::Member(&event, "Delay"))))});
        }
    }
    return actions;
}

Json::Value BuildMacroDocument(const std::string& name, const std::string& guid,
                               std::vector<MacroAction>& actions) {
    Json::Value document(Json::objectValue);
    document["MacroName"] = name;
    document["Guid"] = guid;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        MacroAction& action = actions[i];
        if (action.delayText.empty()) {
            action.delayText = "0";
        }
        if (action.event.isNull()) {
            break;
        }
        if (!action.event.isObject()) {
            continue;
        }
        const std::string delay = std::to_string(ClampDelay(ParseDelayText(action.delayText)));
        action.event["Delay"] = delay;
        action.delayText = delay;
        document["Events"][static_cast<Json::ArrayIndex>(i)] = action.event;
    }
    document["Version"] = kMacroFileVersion;
    return document;
}

CMacroLibrary::CMacroLibrary() : guidSource_([this] { return json_.MakeTimeStamp(); }) {}

void CMacroLibrary::SetGuidSourceForTesting(std::function<std::string()> source) {
    guidSource_ = std::move(source);
}

void CMacroLibrary::SetFolder(std::string folder) {
    folder_ = std::move(folder);
}

std::string CMacroLibrary::ListPath() const {
    return JoinPath(folder_, kMacroListFileName);
}

bool CMacroLibrary::ReadListForUpdate(Json::Value& document) const {
    document = json_.readjsonValue(ListPath());
    const Json::Value* info = jsonaccess::Member(&document, "MacroInfo");
    if (document.isObject() && (info == nullptr || info->isArray())) {
        return true;
    }
    // The write replaces whatever is there: a list that cannot be read is kept aside first, and
    // when that fails it is not replaced at all.
    if (!CJsonFile::SetAsideBeforeReplacing(ListPath())) {
        return false;
    }
    document = Json::Value(Json::objectValue);
    return true;
}

bool CMacroLibrary::WriteListDocument(const Json::Value& document) const {
    return json_.writejsonFile(ListPath(), document);
}

void CMacroLibrary::LoadList() {
    if (folder_.empty()) {
        return;
    }
    rows_.clear();
    for (MacroListEntry& entry : ReadMacroList(ListPath())) {
        rows_.push_back({std::move(entry.name), std::move(entry.guid)});
    }
    selected_ = -1;
    actions_.clear();
}

std::vector<std::string> CMacroLibrary::Names() const {
    std::vector<std::string> names;
    names.reserve(rows_.size());
    for (const MacroRow& row : rows_) {
        names.push_back(row.name);
    }
    return names;
}

void CMacroLibrary::Select(int index) {
    if (index >= -1 && index < static_cast<int>(rows_.size())) {
        selected_ = index;
    }
}

std::string CMacroLibrary::FreshGuid() const {
    // Two macros made within one millisecond would share a time stamp: add a suffix.
    const std::string base = guidSource_();
    std::string guid = base;
    for (int suffix = 1;; ++suffix) {
        bool taken = false;
        for (const MacroRow& row : rows_) {
            taken = taken || row.guid == guid;
        }
        std::error_code ec;
        const std::optional<std::string> path = MacroFilePath(folder_, guid);
        taken = taken || !path || std::filesystem::exists(*path, ec);
        if (!taken) {
            return guid;
        }
        guid = base + "_" + std::to_string(suffix);
    }
}

bool CMacroLibrary::AppendMacro(const std::string& name, const std::string& guid) {
    Json::Value document;
    if (!ReadListForUpdate(document)) {
        return false;
    }
    const std::size_t index = rows_.size();
    Json::Value& info = PrepareInfo(document, rows_, index + 1);
    info[static_cast<Json::ArrayIndex>(index)]["MacroName"] = name;
    info[static_cast<Json::ArrayIndex>(index)]["Guid"] = guid;
    if (!WriteListDocument(document)) {
        return false;
    }
    rows_.push_back({name, guid});
    selected_ = static_cast<int>(index);
    actions_.clear();
    return true;
}

std::string CMacroLibrary::CreateMacro() {
    if (folder_.empty() || rows_.size() >= kMaxMacros) {
        return {};
    }
    const std::string name = NextFreeMacroName(Names());
    return AppendMacro(name, FreshGuid()) ? name : std::string();
}

RenameResult CMacroLibrary::RenameSelected(std::string_view newName) {
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) {
        return {"", -1};
    }
    if (newName.empty()) {
        return {std::string(kRenameEmpty), -1};
    }
    if (ContainsNameIgnoringCase(Names(), newName)) {
        return {"", selected_};
    }
    Json::Value document;
    if (!ReadListForUpdate(document)) {
        return {"", selected_};
    }
    Json::Value& info = PrepareInfo(document, rows_, rows_.size());
    info[static_cast<Json::ArrayIndex>(selected_)]["MacroName"] = std::string(newName);
    if (!WriteListDocument(document)) {
        return {"", selected_, true};
    }
    rows_[static_cast<std::size_t>(selected_)].name = std::string(newName);
    return {std::string(newName), selected_};
}

int CMacroLibrary::DeleteSelected() {
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) {
        return -1;
    }
    const int index = selected_;
    Json::Value document;
    if (!ReadListForUpdate(document)) {
        return -1;
    }
    Json::Value& info = PrepareInfo(document, rows_, rows_.size());
    Json::Value removed;
    info.removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
    // The list goes first: if it cannot be written the macro stays whole, file included.
    if (!WriteListDocument(document)) {
        return -1;
    }
    if (const std::optional<std::string> path =
            MacroFilePath(folder_, rows_[static_cast<std::size_t>(index)].guid)) {
        std::error_code ec;
        std::filesystem::remove(*path, ec);  // already gone is fine
    }
    rows_.erase(rows_.begin() + index);
    actions_.clear();
    selected_ = rows_.empty() ? -1 : 0;
    return index;
}

void CMacroLibrary::LoadSelected() {
    actions_.clear();
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) {
        return;
    }
    const std::optional<std::string> path =
        MacroFilePath(folder_, rows_[static_cast<std::size_t>(selected_)].guid);
    if (!path) {
        return;
    }
    actions_ = ActionsFromDocument(json_.readjsonValue(*path));
}

bool CMacroLibrary::SaveSelected() {
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) {
        return false;
    }
    const MacroRow& row = rows_[static_cast<std::size_t>(selected_)];
    const std::optional<std::string> path = MacroFilePath(folder_, row.guid);
    if (!path) {
        return false;
    }
    return json_.writejsonFile(*path, BuildMacroDocument(row.name, row.guid, actions_));
}

bool CMacroLibrary::ExportSelected(const std::string& destination) {
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size()) || destination.empty()) {
        return false;
    }
    const std::optional<std::string> path =
        MacroFilePath(folder_, rows_[static_cast<std::size_t>(selected_)].guid);
    if (!path) {
        return false;
    }
    const std::string bytes = json_.readjsonFile(*path);
    return !bytes.empty() && files::WriteFileAtomically(destination, bytes);
}

std::string CMacroLibrary::Import(const std::string& source) {
    if (folder_.empty() || rows_.size() >= kMaxMacros) {
        return {};
    }
    const std::string bytes = json_.readjsonFile(source);
    if (!CJsonFile::ParseText(bytes).isObject()) {
        return {};  // not a macro file: nothing to add
    }
    const std::string name = NextFreeMacroName(Names());
    const std::string guid = FreshGuid();
    const std::optional<std::string> path = MacroFilePath(folder_, guid);
    if (!path || !files::WriteFileAtomically(*path, bytes)) {
        return {};
    }
    if (!AppendMacro(name, guid)) {
        std::error_code ec;
        std::filesystem::remove(*path, ec);
        return {};
    }
    LoadSelected();
    return name;
}

}  // namespace macros
