#pragma once

#include <json/json.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/JsonFile.h"

// The macro list of one device data folder and the action list of the selected macro: what the
// macro panel shows and edits, without any widget. Every change of the list is written to
// "macro.config" at once; the action list reaches the macro file on SaveSelected.
namespace macros {

struct MacroRow {
    std::string name;
    std::string guid;  // names the file; a Guid that is not safe leaves the macro without events
};

// One row of the action list: the event object (kept whole, so members this program does not
// know survive a save) and the text of its delay field.
struct MacroAction {
    Json::Value event;  // null: a row without an event; saving stops there
    std::string delayText;
};

// The action rows of a macro file: one per object element of "Events" (a null left by an
// earlier save is no action), the delay field showing the clamped delay.
std::vector<MacroAction> ActionsFromDocument(const Json::Value& macroDocument);

// The macro file document for a save: delays taken from the fields (empty counts as "0",
// which is put back into the field) and written as strings, also into the rows' events; stops at
// the first row without an event; a row whose event is not an object leaves null in its place.
Json::Value BuildMacroDocument(const std::string& name, const std::string& guid,
                               std::vector<MacroAction>& actions);

struct RenameResult {
    std::string name;  // the new name; kRenameEmpty for an empty text; empty when refused
    int index = -1;    // the selected index; -1 without a selection or for an empty text
    // Refused because "macro.config" could not be written (the name itself was free).
    bool writeFailed = false;
};

class CMacroLibrary {
public:
    static constexpr std::string_view kRenameEmpty = "IsEmpty";

    CMacroLibrary();

    // The device data folder; later operations use it. Nothing happens without one.
    void SetFolder(std::string folder);
    const std::string& Folder() const { return folder_; }

    // Rebuilds the rows from "macro.config"; the selection and the action list are cleared.
    void LoadList();

    const std::vector<MacroRow>& Rows() const { return rows_; }
    std::vector<std::string> Names() const;

    // Selects row index (-1 or out of range: nothing). The action list is not reloaded.
    void Select(int index);
    int Selected() const { return selected_; }

    // A new macro "macro_<n>" at the end of the list, selected, with an empty action list; its
    // file is created by the first save. Empty when the list is full or the list file cannot be
    // written (then nothing changed).
    std::string CreateMacro();

    RenameResult RenameSelected(std::string_view newName);

    // Removes the selected macro, its file and its entry; selects row 0. The index removed,
    // or -1 without a selection. Callers rebind keys first (MacroNumberAfterDelete).
    int DeleteSelected();

    // Refills the action list from the selected macro's file. Delays show clamped (ClampDelay).
    void LoadSelected();

    // Rewrites the selected macro's file from the action list; false when nothing was written.
    bool SaveSelected();

    // Copies the selected macro's file byte for byte to destination.
    bool ExportSelected(const std::string& destination);

    // Adds a macro whose file is a copy of source; returns its new name, or empty when the list
    // is full, the source is not a readable JSON object, or a write fails (nothing changed).
    std::string Import(const std::string& source);

    std::vector<MacroAction>& Actions() { return actions_; }
    const std::vector<MacroAction>& Actions() const { return actions_; }

    // Test seam: the Guid source (default: CJsonFile::MakeTimeStamp).
    void SetGuidSourceForTesting(std::function<std::string()> source);

private:
    std::string ListPath() const;
    std::string FreshGuid() const;
    // The list document to change and write back; false when the file could not be read and
    // could not be kept aside either (it must not be replaced then).
    bool ReadListForUpdate(Json::Value& document) const;
    bool WriteListDocument(const Json::Value& document) const;
    // Appends a row and its "MacroInfo" entry; false (and nothing changed) when the write fails.
    bool AppendMacro(const std::string& name, const std::string& guid);

    CJsonFile json_;
    std::string folder_;
    std::vector<MacroRow> rows_;
    int selected_ = -1;
    std::vector<MacroAction> actions_;
    std::function<std::string()> guidSource_;
};

}  // namespace macros
