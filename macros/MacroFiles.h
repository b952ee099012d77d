#pragma once

#include <json/json.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroEvent.h"

// The two macro files of a device data folder: the list "macro.config" and one "<Guid>.mac" per
// macro. A macro's number is its position in the list.
namespace macros {

inline constexpr std::string_view kMacroListFileName = "macro.config";
// The list file of the pages without a macro panel; same layout, never written here.
inline constexpr std::string_view kReadOnlyMacroListFileName = "tamric_macro.config";
inline constexpr std::string_view kMacroFileExtension = ".mac";

struct MacroListEntry {
    std::string name;
    std::string guid;
};

// folder + name, with one '/' between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// True when a "Guid" names a file inside its folder: IsSafeFileName, and no ".." anywhere.
// A macro whose Guid fails this has no events, and its file is never read or written.
bool IsSafeMacroGuid(std::string_view guid);

// folder + guid + ".mac"; none when the Guid is not safe.
std::optional<std::string> MacroFilePath(std::string_view folder, std::string_view guid);

// The entries of "MacroInfo" in order, at most kMaxMacros; a missing, unparsable or wrong-shaped
// file is an empty list. Every element counts (macro numbers are positions): a non-object reads
// as an entry with empty name and Guid.
std::vector<MacroListEntry> ReadMacroList(const std::string& listPath);
std::vector<MacroListEntry> MacroListFromDocument(const Json::Value& document);

// The macro names of a folder's list file ("macro.config", or "tamric_macro.config" on the
// pages without a macro panel), in macro order.
std::vector<std::string> ReadMacroNames(std::string_view folder, std::string_view listFileName);

// The "Events" of a macro file document; empty when it has none or is not an object.
const Json::Value& EventsOf(const Json::Value& macroDocument);

// The device event records of every element of a macro file's "Events", in file order.
std::vector<DeviceEventRecord> EncodeEvents(const Json::Value& macroDocument);

// The records of every macro of a folder's "macro.config", in macro order, for the device's
// macro image. Empty when the list cannot be parsed or holds no macros. A macro whose file is
// missing, unparsable or whose Guid is not safe contributes no events.
std::vector<std::vector<DeviceEventRecord>> LoadMacroRecords(std::string_view folder);

}  // namespace macros
