// The profile list without any widget: entries shown, their positions in the file, and the
// operations over lists that hold entries it cannot use.
#include <gtest/gtest.h>

#include <filesystem>

#include "profiles/ProfileList.h"
#include "tests/profiles/ProfileTestSupport.h"

namespace {

using profiletest::Parse;
using profiletest::ReadJson;

class ProfileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testsupport::MakeTempDir("profile_list");
        folder_ = root_ + "/mouse/";
        std::filesystem::create_directories(folder_);
        defaultPath_ = root_ + "/mouse.Json";
        testsupport::WriteFile(defaultPath_, R"({"Device": [{"DPI": 800}]})");
        list_.SetFolders(folder_, defaultPath_);
    }

    std::string ListPath() const { return folder_ + "ProfileList.ini"; }
    void WriteList(const std::string& text) const { testsupport::WriteFile(ListPath(), text); }
    Json::Value List() const { return ReadJson(ListPath()); }
    void WriteProfile(const std::string& id, const std::string& name, int dpi) const {
        Json::Value profile(Json::objectValue);
        profile["profilename"] = name;
        profile["profileUUID"] = id;
        profile["Device"][0]["DPI"] = dpi;
        CJsonFile().writejsonFile(folder_ + id + ".Json", profile);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const CProfileList::Entry& entry : list_.Entries()) {
            names.push_back(entry.name);
        }
        return names;
    }

    std::string root_;
    std::string folder_;
    std::string defaultPath_;
    CProfileList list_;
};

// Elements the list cannot open stay where they are in the file; the selection is a position of
// the file's array, so it still names the same profile after every change.
TEST_F(ProfileListTest, EntriesTheListCannotOpenKeepTheirPlaces) {
    WriteProfile("id0", "a", 1000);
    WriteProfile("id1", "b", 1001);
    WriteList(R"({"profilelist": [7, {"profilename": "a", "profileUUID": "id0"}, "x",
                 {"profilename": "b", "profileUUID": "id1"}, {"profileUUID": 5}],
                 "profileselect": 3})");
    list_.Load();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(list_.Entries()[0].position, 1u);
    EXPECT_EQ(list_.Entries()[1].position, 3u);
    EXPECT_EQ(list_.Selected(), 1);
    EXPECT_EQ(list_.CurrentId(), "id1");

    ASSERT_EQ(list_.Add(), 2);
    EXPECT_EQ(List()["profileselect"].asInt(), 5);  // the new entry, behind the others
    EXPECT_EQ(list_.Delete(0), 0);                  // "a" goes; "b" is selected
    const Json::Value stored = List();
    ASSERT_EQ(stored["profilelist"].size(), 5u);
    EXPECT_EQ(stored["profilelist"][0], Json::Value(7));
    EXPECT_EQ(stored["profilelist"][1], Json::Value("x"));
    EXPECT_EQ(stored["profilelist"][2]["profileUUID"].asString(), "id1");
    EXPECT_EQ(stored["profilelist"][3], Parse(R"({"profileUUID": 5})"));
    EXPECT_EQ(stored["profileselect"].asInt(), 2);
    EXPECT_FALSE(std::filesystem::exists(folder_ + "id0.Json"));
}

// A second entry for the same file is not shown: deleting one must not take the other's file,
// and the two could not be told apart.
TEST_F(ProfileListTest, ASecondEntryForTheSameFileIsNotShown) {
    WriteProfile("id0", "a", 1000);
    WriteList(R"({"profilelist": [{"profilename": "a", "profileUUID": "id0"},
                 {"profilename": "twin", "profileUUID": "id0"}], "profileselect": 1})");
    list_.Load();
    EXPECT_EQ(Names(), std::vector<std::string>{"a"});
    EXPECT_EQ(list_.Selected(), 0);
    EXPECT_EQ(list_.Delete(0), -1);  // still the only profile
}

// Names of the wrong type show the id, and every operation writes a proper name.
TEST_F(ProfileListTest, AnEntryWithoutAUsableNameShowsItsId) {
    WriteProfile("id0", "a", 1000);
    WriteList(R"({"profilelist": [{"profilename": {"x": 1}, "profileUUID": "id0"}]})");
    list_.Load();
    EXPECT_EQ(Names(), std::vector<std::string>{"id0"});
    EXPECT_TRUE(list_.Reset(0));
    EXPECT_EQ(ReadJson(folder_ + "id0.Json")["profilename"].asString(), "id0");
    EXPECT_EQ(list_.Copy(0), 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"id0", "id0 copy"}));
    EXPECT_EQ(list_.Rename(0, "mine"), CProfileList::RenameResult::Renamed);
    EXPECT_EQ(List()["profilelist"][0]["profilename"].asString(), "mine");
}

TEST_F(ProfileListTest, RenameAndDeleteAnswerWhatTheyDid) {
    WriteProfile("id0", "a", 1000);
    WriteProfile("id1", "b", 1001);
    WriteList(R"({"profilelist": [{"profilename": "a", "profileUUID": "id0"},
                 {"profilename": "b", "profileUUID": "id1"}], "profileselect": 0})");
    list_.Load();
    EXPECT_EQ(list_.Rename(0, ""), CProfileList::RenameResult::Empty);
    EXPECT_EQ(list_.Rename(0, "B"), CProfileList::RenameResult::Taken);
    EXPECT_EQ(list_.Rename(1, "B"), CProfileList::RenameResult::Renamed);
    EXPECT_EQ(list_.Rename(5, "c"), CProfileList::RenameResult::Failed);
    EXPECT_EQ(list_.Delete(-1), -1);
    EXPECT_EQ(list_.Delete(1), 0);
    EXPECT_EQ(list_.Delete(0), -1);
    EXPECT_EQ(Names(), std::vector<std::string>{"a"});
}

// Two panels of one kind share the folder: an operation works on the file as it is now, not
// on what this list read before.
TEST_F(ProfileListTest, OperationsWorkOnTheFileAsItIsNow) {
    WriteProfile("id0", "a", 1000);
    WriteList(R"({"profilelist": [{"profilename": "a", "profileUUID": "id0"}]})");
    list_.Load();
    CProfileList other;
    other.SetFolders(folder_, defaultPath_);
    other.Load();
    ASSERT_EQ(other.Add(), 1);
    ASSERT_EQ(list_.Copy(0), 2);  // behind the profile the other list added
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "profile1", "a copy"}));
    EXPECT_EQ(List()["profilelist"].size(), 3u);
    // An entry deleted elsewhere is gone here too.
    other.Load();
    EXPECT_EQ(other.Delete(2), 1);
    EXPECT_EQ(list_.Rename(2, "late"), CProfileList::RenameResult::Failed);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "profile1"}));
}

// At most 50 profiles are shown; entries past them stay in the file through every change.
TEST_F(ProfileListTest, EntriesPastTheLimitStayInTheFile) {
    std::string text = R"({"profileselect": 55, "profilelist": [)";
    for (int i = 0; i < 60; ++i) {
        text += (i == 0 ? "" : ",") + std::string(R"({"profilename": "p)") + std::to_string(i) +
                R"(", "profileUUID": "id)" + std::to_string(i) + R"(", "mine": true})";
    }
    text += "]}";
    WriteList(text);
    const Json::Value original = Parse(text);
    list_.Load();
    ASSERT_EQ(list_.Count(), CProfileList::kMaxProfiles);
    EXPECT_EQ(list_.Entries().back().name, "p49");
    EXPECT_EQ(list_.Selected(), 49);  // the selection past the limit: the last one shown
    EXPECT_EQ(list_.Add(), -1);
    EXPECT_EQ(list_.Copy(0), -1);

    EXPECT_EQ(list_.Rename(1, "renamed"), CProfileList::RenameResult::Renamed);
    Json::Value stored = List();
    ASSERT_EQ(stored["profilelist"].size(), 60u);
    for (Json::ArrayIndex i = 50; i < 60; ++i) {
        EXPECT_EQ(stored["profilelist"][i], original["profilelist"][i]) << i;
    }
    EXPECT_EQ(list_.Delete(0), 0);
    stored = List();
    ASSERT_EQ(stored["profilelist"].size(), 59u);
    for (Json::ArrayIndex i = 50; i < 60; ++i) {
        EXPECT_EQ(stored["profilelist"][i - 1], original["profilelist"][i]) << i;
    }
    EXPECT_EQ(list_.Entries().back().name, "p50");  // the next one moves up into the list
}

// A list that cannot be read used to be replaced by a fresh one-entry list, which left every
// profile file of the folder out of the list. Its bytes are kept now, and the profiles come back
// from their files, oldest first, under their own names.
TEST_F(ProfileListTest, ALostListIsRebuiltFromTheProfileFiles) {
    WriteProfile("2025_03_01_10_00_00_000", "second", 1001);
    WriteProfile("2025_01_01_10_00_00_000", "first", 1000);
    testsupport::WriteFile(folder_ + "2025_02_01_10_00_00_000.Json",
                           R"({"profileUUID": "2025_02_01_10_00_00_000"})");  // no name: its id
    testsupport::WriteFile(folder_ + "notes.Json", "[1, 2]");                 // not a profile
    testsupport::WriteFile(folder_ + "broken.Json", "{\"Dev");                // not readable
    std::filesystem::create_directories(folder_ + "folder.Json");
    testsupport::WriteFile(folder_ + "old.Json.2025_01_01_00_00_00_000.unreadable", "{}");
    const std::string garbage = "{\"profilelist\": [{\"profilename\": \"first\", \"prof";
    WriteList(garbage);

    list_.Load();
    EXPECT_EQ(Names(), (std::vector<std::string>{"first", "2025_02_01_10_00_00_000", "second"}));
    EXPECT_EQ(list_.CurrentId(), "2025_01_01_10_00_00_000");
    const std::vector<std::string> aside = testsupport::KeptAsideCopies(folder_, "ProfileList.ini");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(testsupport::ReadFile(aside[0]), garbage);
    const Json::Value stored = List();
    ASSERT_EQ(stored["profilelist"].size(), 3u);
    EXPECT_EQ(stored["profilelist"][2]["profilename"].asString(), "second");
    EXPECT_EQ(stored["profilelist"][2]["profileUUID"].asString(), "2025_03_01_10_00_00_000");
    EXPECT_EQ(stored["profileselect"].asInt(), 0);
    // The profile files themselves are not touched.
    EXPECT_EQ(ReadJson(folder_ + "2025_03_01_10_00_00_000.Json")["Device"][0]["DPI"].asInt(), 1001);
}

// Missing is not broken: nothing is kept aside, and the profiles of the folder still come back.
TEST_F(ProfileListTest, AMissingListFindsTheProfilesOfTheFolder) {
    WriteProfile("id7", "kept", 1000);
    list_.Load();
    EXPECT_EQ(Names(), std::vector<std::string>{"kept"});
    EXPECT_TRUE(testsupport::KeptAsideCopies(folder_, "ProfileList.ini").empty());

    std::filesystem::remove(folder_ + "id7.Json");
    std::filesystem::remove(ListPath());
    testsupport::WriteFile(ListPath(), "");  // empty: nothing to keep either
    list_.Load();
    EXPECT_EQ(Names(), std::vector<std::string>{"profile1"});
    EXPECT_TRUE(testsupport::KeptAsideCopies(folder_, "ProfileList.ini").empty());
}

// A list that can be neither read nor moved aside is never overwritten: the program goes on with
// a list in memory.
TEST_F(ProfileListTest, AListThatCannotBeMovedAsideIsNotReplaced) {
    std::filesystem::create_directories(ListPath());
    testsupport::WriteFile(ListPath() + "/inside", "x");
    list_.Load();
    EXPECT_EQ(list_.Count(), 1);
    EXPECT_FALSE(list_.CurrentId().empty());
    EXPECT_EQ(list_.Add(), -1);
    EXPECT_EQ(testsupport::ReadFile(ListPath() + "/inside"), "x");
}
}  // namespace
