#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "macros/MacroFiles.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroNames.h"
#include "profiles/JsonFile.h"
#include "tests/support/TestDirs.h"

namespace {

using macros::CMacroLibrary;
using testsupport::ReadFile;
using testsupport::WriteFile;

class MacroLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = testsupport::MakeTempDir("macros") + "/";
        library_.SetFolder(folder_);
        library_.SetGuidSourceForTesting([this] { return "g" + std::to_string(++guid_); });
    }

    Json::Value ReadJson(const std::string& name) const {
        return CJsonFile().readjsonValue(folder_ + name);
    }
    void WriteJson(const std::string& name, const Json::Value& value) const {
        ASSERT_TRUE(CJsonFile().writejsonFile(folder_ + name, value));
    }
    // A list file holding the given names, with Guids "m0", "m1", ...
    void WriteList(const std::vector<std::string>& names) const {
        Json::Value doc(Json::objectValue);
        doc["MacroInfo"] = Json::Value(Json::arrayValue);
        for (std::size_t i = 0; i < names.size(); ++i) {
            doc["MacroInfo"][static_cast<Json::ArrayIndex>(i)]["MacroName"] = names[i];
            doc["MacroInfo"][static_cast<Json::ArrayIndex>(i)]["Guid"] = "m" + std::to_string(i);
        }
        WriteJson("macro.config", doc);
    }
    std::vector<std::string> ListedNames() const {
        std::vector<std::string> names;
        for (const auto& entry : macros::ReadMacroList(folder_ + "macro.config")) {
            names.push_back(entry.name);
        }
        return names;
    }

    std::string folder_;
    int guid_ = 0;
    CMacroLibrary library_;
};

TEST_F(MacroLibraryTest, CreateTakesTheFirstFreeNumberIgnoringCase) {
    WriteList({"macro_1", "MACRO_3"});
    library_.LoadList();
    EXPECT_EQ(library_.CreateMacro(), "macro_2");
    EXPECT_EQ(library_.CreateMacro(), "macro_4");
    EXPECT_EQ(library_.Selected(), 3);
    EXPECT_EQ(ListedNames(),
              (std::vector<std::string>{"macro_1", "MACRO_3", "macro_2", "macro_4"}));
    const Json::Value doc = ReadJson("macro.config");
    EXPECT_EQ(doc["MacroInfo"][3]["Guid"].asString(), "g2");
    // No macro file until the first save.
    EXPECT_FALSE(std::filesystem::exists(folder_ + "g2.mac"));
}

TEST_F(MacroLibraryTest, TheFiftyFirstMacroIsRefusedAndChangesNoFile) {
    library_.LoadList();
    for (int i = 0; i < 50; ++i) {
        ASSERT_FALSE(library_.CreateMacro().empty()) << i;
    }
    const std::string before = ReadFile(folder_ + "macro.config");
    EXPECT_EQ(library_.CreateMacro(), "");
    WriteFile(folder_ + "import.mac", R"({"MacroName":"x","Events":[]})");
    EXPECT_EQ(library_.Import(folder_ + "import.mac"), "");
    EXPECT_EQ(ReadFile(folder_ + "macro.config"), before);
    EXPECT_EQ(library_.Rows().size(), 50u);
}

// The replaced list is kept aside whole when it held anything ("<file>.<time>.unreadable").
TEST_F(MacroLibraryTest, CorruptOrMissingListReadsAsEmptyAndNextCreateWritesAFreshFile) {
    auto keptAside = [this] {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            if (entry.path().extension() == ".unreadable") {
                found.push_back(entry.path().string());
            }
        }
        return found;
    };
    for (const std::string& content :
         {std::string(), std::string("{\"MacroInfo\": [ {"), std::string("[1,2,3]"),
          std::string("{\"MacroInfo\": 7}"), std::string(100000, '[')}) {
        SCOPED_TRACE(content.substr(0, 20));
        for (const std::string& old : keptAside()) {
            std::filesystem::remove(old);
        }
        WriteFile(folder_ + "macro.config", content);
        library_.LoadList();
        EXPECT_TRUE(library_.Rows().empty());
        EXPECT_EQ(library_.CreateMacro(), "macro_1");
        EXPECT_EQ(ListedNames(), std::vector<std::string>{"macro_1"});
        const std::vector<std::string> aside = keptAside();
        if (content.empty()) {
            EXPECT_TRUE(aside.empty());
        } else {
            ASSERT_EQ(aside.size(), 1u);
            EXPECT_EQ(ReadFile(aside[0]), content);
        }
    }
    std::filesystem::remove(folder_ + "macro.config");
    library_.LoadList();
    EXPECT_TRUE(library_.Rows().empty());
}

// A list far past the limit of 50 loads its first 50 entries (a start read all of them before);
// the others stay in the file through every change of the list.
TEST_F(MacroLibraryTest, AListPastTheLimitLoadsFiftyAndKeepsTheRest) {
    std::vector<std::string> names;
    for (int i = 0; i < 10000; ++i) {
        names.push_back("n" + std::to_string(i));
    }
    WriteList(names);
    library_.LoadList();
    ASSERT_EQ(library_.Rows().size(), 50u);
    EXPECT_EQ(library_.Rows().back().name, "n49");
    EXPECT_EQ(macros::ReadMacroNames(folder_, macros::kMacroListFileName).size(), 50u);
    EXPECT_EQ(macros::LoadMacroRecords(folder_).size(), 50u);
    EXPECT_EQ(library_.CreateMacro(), "");

    library_.Select(3);
    EXPECT_EQ(library_.RenameSelected("renamed").name, "renamed");
    Json::Value info = ReadJson("macro.config")["MacroInfo"];
    ASSERT_EQ(info.size(), 10000u);
    EXPECT_EQ(info[3]["MacroName"].asString(), "renamed");
    EXPECT_EQ(info[9999]["MacroName"].asString(), "n9999");
    EXPECT_EQ(info[9999]["Guid"].asString(), "m9999");

    library_.Select(0);
    EXPECT_EQ(library_.DeleteSelected(), 0);
    info = ReadJson("macro.config")["MacroInfo"];
    ASSERT_EQ(info.size(), 9999u);
    EXPECT_EQ(info[49]["MacroName"].asString(), "n50");  // the next one moves up into the list
    EXPECT_EQ(info[9998]["Guid"].asString(), "m9999");
}

TEST_F(MacroLibraryTest, RenameRules) {
    WriteList({"Alpha", "Beta"});
    library_.LoadList();
    EXPECT_EQ(library_.RenameSelected("x").index, -1);  // nothing selected
    library_.Select(1);
    auto result = library_.RenameSelected("");
    EXPECT_EQ(result.name, "IsEmpty");
    EXPECT_EQ(result.index, -1);
    result = library_.RenameSelected("beta");  // its own name is taken too
    EXPECT_EQ(result.name, "");
    EXPECT_EQ(result.index, 1);
    EXPECT_FALSE(result.writeFailed);
    result = library_.RenameSelected("ALPHA");
    EXPECT_EQ(result.name, "");
    // A free name whose list cannot be written: refused as a failed write, nothing renamed.
    files::SetFailBeforeRenameForTesting(true);
    result = library_.RenameSelected("Gamma");
    files::SetFailBeforeRenameForTesting(false);
    EXPECT_EQ(result.name, "");
    EXPECT_TRUE(result.writeFailed);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(library_.Names(), (std::vector<std::string>{"Alpha", "Beta"}));
    result = library_.RenameSelected("Gamma");
    EXPECT_EQ(result.name, "Gamma");
    EXPECT_EQ(result.index, 1);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Alpha", "Gamma"}));
}

TEST_F(MacroLibraryTest, NamesCompareIgnoringCaseBeyondAscii) {
    EXPECT_TRUE(macros::NamesEqualIgnoringCase("ÄRGER", "ärger"));
    EXPECT_TRUE(macros::NamesEqualIgnoringCase("МАКРОС", "макрос"));
    EXPECT_FALSE(macros::NamesEqualIgnoringCase("macro", "macro "));
    EXPECT_FALSE(macros::NamesEqualIgnoringCase("\xC3", "\xC3\xA4"));  // cut sequence
    EXPECT_TRUE(macros::NamesEqualIgnoringCase("\xFF", "\xFF"));
}

TEST_F(MacroLibraryTest, DeleteRemovesEntryAndFileAndShiftsLaterNumbers) {
    WriteList({"one", "two", "three", "four"});
    WriteFile(folder_ + "m1.mac", "{}");
    library_.LoadList();
    library_.Select(1);
    EXPECT_EQ(library_.DeleteSelected(), 1);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"one", "three", "four"}));
    EXPECT_EQ(ReadJson("macro.config")["MacroInfo"][1]["Guid"].asString(), "m2");
    EXPECT_FALSE(std::filesystem::exists(folder_ + "m1.mac"));
    EXPECT_EQ(library_.Selected(), 0);
    // Keys follow: old 2 (three) is now 1, old 1 goes back to its default, 0 stays.
    EXPECT_EQ(macros::MacroNumberAfterDelete(2, 1), 1);
    EXPECT_EQ(macros::MacroNumberAfterDelete(1, 1), std::nullopt);
    EXPECT_EQ(macros::MacroNumberAfterDelete(0, 1), 0);
    // The file of macro "three" is gone already: not an error.
    library_.Select(1);
    EXPECT_EQ(library_.DeleteSelected(), 1);
    library_.Select(0);
    EXPECT_EQ(library_.DeleteSelected(), 0);
    library_.Select(0);
    EXPECT_EQ(library_.DeleteSelected(), 0);
    EXPECT_EQ(library_.Selected(), -1);
    EXPECT_EQ(library_.DeleteSelected(), -1);
    EXPECT_TRUE(ListedNames().empty());
}

TEST_F(MacroLibraryTest, OutOfRangeDelayLoadsAs65535AndSavesAsString) {
    WriteList({"m"});
    WriteFile(folder_ + "m0.mac", R"({"MacroName":"old","Guid":"m0","Version":64,"Events":[
        {"Action":"down","Button":4,"Type":10,"Delay":70000,"Extra":"kept"},
        {"Action":"up","Button":4,"Type":10,"Delay":"-3"},
        null,
        {"Action":"down","Button":1,"Type":2,"Delay":"12"},
        {"Action":"up","Button":1,"Type":1,"Delay":0}]})");
    library_.LoadList();
    library_.Select(0);
    library_.LoadSelected();
    const auto& actions = library_.Actions();
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[0].delayText, "65535");
    EXPECT_EQ(actions[1].delayText, "65535");
    EXPECT_EQ(actions[2].delayText, "12");
    ASSERT_TRUE(library_.SaveSelected());
    const Json::Value doc = ReadJson("m0.mac");
    EXPECT_EQ(doc["MacroName"].asString(), "m");
    EXPECT_EQ(doc["Guid"].asString(), "m0");
    EXPECT_EQ(doc["Version"].asInt(), 64);
    ASSERT_EQ(doc["Events"].size(), 4u);
    EXPECT_EQ(doc["Events"][0]["Delay"], Json::Value("65535"));
    EXPECT_EQ(doc["Events"][0]["Extra"], Json::Value("kept"));
    EXPECT_EQ(doc["Events"][3]["Delay"], Json::Value("0"));
    EXPECT_EQ(doc["Events"][2]["Type"].asInt(), 2);
}

TEST_F(MacroLibraryTest, SaveFillsEmptyDelaysAndStopsAtTheFirstRowWithoutEvent) {
    WriteList({"m"});
    library_.LoadList();
    library_.Select(0);
    auto& actions = library_.Actions();
    actions.push_back({macros::MakeEvent(true, 1, macros::EventType::MouseButton, 0), ""});
    actions.push_back({Json::Value(5), "7"});  // not an object: leaves a null
    actions.push_back({macros::MakeEvent(false, 1, macros::EventType::MouseButton, 0), "007"});
    actions.push_back({Json::Value(), "1"});
    actions.push_back({macros::MakeEvent(true, 2, macros::EventType::MouseButton, 0), "9"});
    ASSERT_TRUE(library_.SaveSelected());
    EXPECT_EQ(actions[0].delayText, "0");
    EXPECT_EQ(actions[2].delayText, "7");
    const Json::Value events = ReadJson("m0.mac")["Events"];
    ASSERT_EQ(events.size(), 3u);
    EXPECT_TRUE(events[1].isNull());
    EXPECT_EQ(events[2]["Delay"], Json::Value("7"));

    // No events: the member is absent.
    actions.clear();
    ASSERT_TRUE(library_.SaveSelected());
    EXPECT_FALSE(ReadJson("m0.mac").isMember("Events"));
}

TEST_F(MacroLibraryTest, UnsafeGuidKeepsItsPlaceButItsFileIsNeverTouched) {
    const std::string outside = testsupport::MakeTempDir("outside") + "/victim";
    WriteFile(outside + ".mac", R"({"Events":[{"Action":"down","Button":4,"Type":10}]})");
    Json::Value doc(Json::objectValue);
    const std::string guids[] = {
        "safe",
        "../" + std::filesystem::path(outside).parent_path().filename().string() + "/victim",
        outside,
        "",
        "a..b",
        "..",
        "sub\\x",
        "after"};
    for (Json::ArrayIndex i = 0; i < std::size(guids); ++i) {
        doc["MacroInfo"][i]["MacroName"] = "n" + std::to_string(i);
        doc["MacroInfo"][i]["Guid"] = guids[i];
    }
    WriteJson("macro.config", doc);
    WriteFile(folder_ + "after.mac", R"({"Events":[{"Action":"up","Button":5,"Type":10}]})");
    library_.LoadList();
    ASSERT_EQ(library_.Rows().size(), std::size(guids));

    const std::string victim = ReadFile(outside + ".mac");
    for (int i = 1; i <= 6; ++i) {
        library_.Select(i);
        library_.Actions().push_back({macros::MakeEvent(true, 9, macros::EventType::Key, 1), ""});
        library_.LoadSelected();
        EXPECT_TRUE(library_.Actions().empty()) << guids[i];
        library_.Actions().push_back({macros::MakeEvent(true, 9, macros::EventType::Key, 1), ""});
        EXPECT_FALSE(library_.SaveSelected()) << guids[i];
        EXPECT_FALSE(library_.ExportSelected(folder_ + "export.mac"));
    }
    EXPECT_EQ(ReadFile(outside + ".mac"), victim);

    // In the device image the unsafe macros count with no events; the last keeps number 7.
    const auto records = macros::LoadMacroRecords(folder_);
    ASSERT_EQ(records.size(), std::size(guids));
    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(records[static_cast<std::size_t>(i)].empty());
    }
    ASSERT_EQ(records[7].size(), 1u);
    EXPECT_EQ(records[7][0], (macros::DeviceEventRecord{0, 0, 0x0A, 5}));

    // Deleting one removes only the entry.
    library_.Select(2);
    EXPECT_EQ(library_.DeleteSelected(), 2);
    EXPECT_EQ(ReadFile(outside + ".mac"), victim);
}

TEST_F(MacroLibraryTest, ImportCopiesBytesUnderANewNameAndExportCopiesThemBack) {
    WriteList({"macro_1"});
    library_.LoadList();
    const std::string source = folder_ + "source.mac.in";
    const std::string bytes =
        "{\"MacroName\":\"theirs\",\"Guid\":\"zzz\",\"Events\":[{\"Action\":\"down\","
        "\"Button\":4,\"Type\":10,\"Delay\":\"5\"}]}";
    WriteFile(source, bytes);
    EXPECT_EQ(library_.Import(source), "macro_2");
    EXPECT_EQ(library_.Selected(), 1);
    ASSERT_EQ(library_.Actions().size(), 1u);
    EXPECT_EQ(ReadFile(folder_ + "g1.mac"), bytes);
    const std::string exported = testsupport::MakeTempDir("export") + "/out.mac";
    EXPECT_TRUE(library_.ExportSelected(exported));
    EXPECT_EQ(ReadFile(exported), bytes);

    // Not a macro file: nothing is added.
    WriteFile(source, "garbage");
    EXPECT_EQ(library_.Import(source), "");
    EXPECT_EQ(library_.Import(folder_ + "missing.mac"), "");
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"macro_1", "macro_2"}));
}

TEST_F(MacroLibraryTest, SavedFilesAreStyledJsonWithCrLf) {
    library_.LoadList();
    ASSERT_EQ(library_.CreateMacro(), "macro_1");
    library_.Actions().push_back(
        {macros::MakeEvent(true, 0x01, macros::EventType::MouseButton, 0), "100"});
    library_.Actions().push_back({macros::MakeEvent(false, 0x04, macros::EventType::Key, 0), ""});
    ASSERT_TRUE(library_.SaveSelected());
    const std::string expectedList =
        "{\r\n"
        "   \"MacroInfo\" : [\r\n"
        "      {\r\n"
        "         \"Guid\" : \"g1\",\r\n"
        "         \"MacroName\" : \"macro_1\"\r\n"
        "      }\r\n"
        "   ]\r\n"
        "}\r\n"
        "\r\n";  // the writer's own line end, then one more
    EXPECT_EQ(ReadFile(folder_ + "macro.config"), expectedList);
    const std::string expectedMacro =
        "{\r\n"
        "   \"Events\" : [\r\n"
        "      {\r\n"
        "         \"Action\" : \"down\",\r\n"
        "         \"Button\" : 1,\r\n"
        "         \"Delay\" : \"100\",\r\n"
        "         \"Type\" : 1\r\n"
        "      },\r\n"
        "      {\r\n"
        "         \"Action\" : \"up\",\r\n"
        "         \"Button\" : 4,\r\n"
        "         \"Delay\" : \"0\",\r\n"
        "         \"Type\" : 10\r\n"
        "      }\r\n"
        "   ],\r\n"
        "   \"Guid\" : \"g1\",\r\n"
        "   \"MacroName\" : \"macro_1\",\r\n"
        "   \"Version\" : 64\r\n"
        "}\r\n"
        "\r\n";
    EXPECT_EQ(ReadFile(folder_ + "g1.mac"), expectedMacro);
    // The device record of the saved press: 64 00 81 01.
    EXPECT_EQ(macros::LoadMacroRecords(folder_)[0][0],
              (macros::DeviceEventRecord{0x64, 0, 0x81, 1}));
}

TEST_F(MacroLibraryTest, GuidsMadeInTheSameMillisecondGetASuffix) {
    library_.SetGuidSourceForTesting([] { return std::string("2024_03_07_09_05_02_041"); });
    library_.LoadList();
    library_.CreateMacro();
    library_.CreateMacro();
    const Json::Value info = ReadJson("macro.config")["MacroInfo"];
    EXPECT_EQ(info[0]["Guid"].asString(), "2024_03_07_09_05_02_041");
    EXPECT_EQ(info[1]["Guid"].asString(), "2024_03_07_09_05_02_041_1");
}

TEST_F(MacroLibraryTest, DeviceRecordsOfAnEmptyListAreEmpty) {
    EXPECT_TRUE(macros::LoadMacroRecords(folder_).empty());
    WriteList({});
    EXPECT_TRUE(macros::LoadMacroRecords(folder_).empty());
    WriteList({"a", "b"});  // files missing: two macros without events
    EXPECT_EQ(macros::LoadMacroRecords(folder_).size(), 2u);
    EXPECT_EQ(macros::ReadMacroNames(folder_, "macro.config"),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(macros::ReadMacroNames(folder_, "tamric_macro.config").empty());
}

}  // namespace
