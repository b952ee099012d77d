#include "macros/MacroFiles.h"

#include "base/AtomicFile.h"
#include "macros/MacroLimits.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

#include <algorithm>
#include <utility>

namespace macros {

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

bool IsSafeMacroGuid(std::string_view guid) {
    return files::IsSafeFileName(guid) && guid.find("..") == std::string_view::npos;
}

std::optional<std::string> MacroFilePath(std::string_view folder, std::string_view guid) {
    if (!IsSafeMacroGuid(guid)) {
        return std::nullopt;
    }
    return JoinPath(folder, std::string(guid) + std::string(kMacroFileExtension));
}

std::vector<MacroListEntry> MacroListFromDocument(const Json::Value& document) {
    std::vector<MacroListEntry> entries;
    const Json::Value* info = jsonaccess::ArrayMember(&document, "MacroInfo");
    if (info == nullptr) {
        return entries;
    }
    // Macro numbers past the list's limit cannot be created, bound or sent: such entries stay in
    // the file (every write changes only the entries shown) but are not read.
    const Json::ArrayIndex count =
        std::min<Json::ArrayIndex>(info->size(), static_cast<Json::ArrayIndex>(kMaxMacros));
    entries.reserve(count);
    for (Json::ArrayIndex i = 0; i < count; ++i) {
        const Json::Value& element = (*info)[i];
        entries.push_back({jsonaccess::Text(jsonaccess::Member(&element, "MacroName")),
                           jsonaccess::Text(jsonaccess::Member(&element, "Guid"))});
    }
    return entries;
}

std::vector<MacroListEntry> ReadMacroList(const std::string& listPath) {
    return MacroListFromDocument(CJsonFile().readjsonValue(listPath));
}

std::vector<std::string> ReadMacroNames(std::string_view folder, std::string_view listFileName) {
    std::vector<std::string> names;
    for (MacroListEntry& entry : ReadMacroList(JoinPath(folder, listFileName))) {
        names.push_back(std::move(entry.name));
    }
    return names;
}

const Json::Value& EventsOf(const Json::Value& macroDocument) {
    static const Json::Value kEmpty(Json::arrayValue);
    const Json::Value* events = jsonaccess::ArrayMember(&macroDocument, "Events");
    return events != nullptr ? *events : kEmpty;
}

std::vector<DeviceEventRecord> EncodeEvents(const Json::Value& macroDocument) {
    const Json::Value& events = EventsOf(macroDocument);
    std::vector<DeviceEventRecord> records;
    records.reserve(events.size());
    for (const Json::Value& event : events) {
        records.push_back(EncodeDeviceEvent(event));
    }
    return records;
}

std::vector<std::vector<DeviceEventRecord>> LoadMacroRecords(std::string_view folder) {
    const CJsonFile json;
    const std::vector<MacroListEntry> list = ReadMacroList(JoinPath(folder, kMacroListFileName));
    std::vector<std::vector<DeviceEventRecord>> macros;
    macros.reserve(list.size());
    for (const MacroListEntry& entry : list) {
        const std::optional<std::string> path = MacroFilePath(folder, entry.guid);
        macros.push_back(path ? EncodeEvents(json.readjsonValue(*path))
                              : std::vector<DeviceEventRecord>());
    }
    return macros;
}

}  // namespace macros
