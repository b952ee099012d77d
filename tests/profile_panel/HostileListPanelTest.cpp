// The profile panel over crafted "ProfileList.ini" files: it never crashes, shows only the
// entries it can use, never builds a path from an unsafe id, and never replaces a file it could
// not read without keeping the original aside.
#include <algorithm>
#include <filesystem>

#include "base/AtomicFile.h"
#include "tests/profile_panel/ProfilePanelFixture.h"

namespace {

using testsupport::ProfilePanelTest;

// A profile file "<id>.Json" in folder, named name, with a distinct DPI.
void WriteProfile(const std::string& folder, const std::string& id, const std::string& name,
                  int dpi) {
    Json::Value profile(Json::objectValue);
    profile["profilename"] = name;
    profile["profileUUID"] = id;
    profile["Device"][0]["DPI"] = dpi;
    CJsonFile().writejsonFile(folder + id + ".Json", profile);
}

enum class Fate {
    Untouched,    // the file is byte for byte as it was
    EntriesKept,  // the file's "profilelist" starts with every entry it had
    KeptAside,    // the bytes were moved aside whole and a new list written
};

struct HostileList {
    const char* what;
    std::string text;
    std::vector<std::string> shown;
    Fate fate;
};

std::string Valid(const char* name, const char* id) {
    return std::string("{\"profilename\":\"") + name + "\",\"profileUUID\":\"" + id + "\"}";
}

std::vector<HostileList> HostileLists() {
    const std::string a = Valid("a", "id0");
    const std::string b = Valid("b", "id1");
    std::string many = "{\"profileselect\":0,\"profilelist\":[";
    for (int i = 0; i < 60; ++i) {
        many += (i == 0 ? "" : ",") +
                Valid(("p" + std::to_string(i)).c_str(), ("many" + std::to_string(i)).c_str());
    }
    many += "]}";
    std::vector<std::string> fifty;
    for (int i = 0; i < 50; ++i) {
        fifty.push_back("p" + std::to_string(i));
    }
    return {
        // No usable entry: the profile files of the folder come back behind it.
        {"a number as the only entry",
         "{\"profilelist\":[1],\"profileselect\":0}",
         {"a", "b"},
         Fate::EntriesKept},
        {"a string after a valid entry",
         "{\"profilelist\":[" + a + ",\"b\"],\"profileselect\":0}",
         {"a"},
         Fate::Untouched},
        {"null, array and object entries",
         "{\"profilelist\":[null,[],{}," + a + "],\"profileselect\":3}",
         {"a"},
         Fate::Untouched},
        {"a name that is an array (shown by its id)",
         "{\"profilelist\":[{\"profilename\":[1],\"profileUUID\":\"id0\"}],\"profileselect\":0}",
         {"id0"},
         Fate::Untouched},
        {"a name that is an object beside a good entry",
         "{\"profilelist\":[" + a +
             ",{\"profilename\":{},\"profileUUID\":\"id1\"}],"
             "\"profileselect\":0}",
         {"a", "id1"},
         Fate::Untouched},
        {"an id that leaves the folder",
         "{\"profilelist\":[" + a +
             ",{\"profilename\":\"x\",\"profileUUID\":\"../../outside/victim\"}],"
             "\"profileselect\":0}",
         {"a"},
         Fate::Untouched},
        {"ids that are no file names",
         "{\"profilelist\":[" + a +
             ",{\"profilename\":\"d\",\"profileUUID\":\"..\"},{\"profilename\":\"e\","
             "\"profileUUID\":\"\"},{\"profilename\":\"f\",\"profileUUID\":\"a\\\\b\"},"
             "{\"profilename\":\"g\",\"profileUUID\":7},{\"profilename\":\"h\","
             "\"profileUUID\":\"n\\u0000ul\"}],\"profileselect\":0}",
         {"a"},
         Fate::Untouched},
        {"the same id twice",
         "{\"profilelist\":[" + a + "," + Valid("again", "id0") + "," + b +
             "],\"profileselect\":0}",
         {"a", "b"},
         Fate::Untouched},
        {"a selection of the wrong type",
         "{\"profilelist\":[" + a + "," + b + "],\"profileselect\":\"1\"}",
         {"a", "b"},
         Fate::EntriesKept},
        {"a selection far outside",
         "{\"profilelist\":[" + a + "," + b +
             "],\"profileselect\":"
             "-99999999999}",
         {"a", "b"},
         Fate::EntriesKept},
        {"more entries than the list holds", many, fifty, Fate::Untouched},
        // Unreadable: kept aside, and the profiles come back from their files.
        {"a list that is an object",
         "{\"profilelist\":{\"profilename\":\"a\"},\"profileselect\":0}",
         {"a", "b"},
         Fate::KeptAside},
        {"a document that is an array", "[" + a + "]", {"a", "b"}, Fate::KeptAside},
        {"truncated text", "{\"profilelist\":[" + a + ",{\"profilena", {"a", "b"}, Fate::KeptAside},
        {"binary garbage", std::string("\x00\xff\xfe{[\x01", 6), {"a", "b"}, Fate::KeptAside},
        {"nesting too deep", std::string(100000, '['), {"a", "b"}, Fate::KeptAside},
    };
}

// Every crafted list loads without a crash and shows what it can; the profiles of a list that
// could not be read come back from their files. The list file is left as it was, or only
// extended, or moved aside whole before a new one is written.
TEST_F(ProfilePanelTest, HostileListFilesLoadSafely) {
    for (const HostileList& c : HostileLists()) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        WriteProfile(folder_, "id0", "a", 1000);
        WriteProfile(folder_, "id1", "b", 1001);
        const std::string path = folder_ + "ProfileList.ini";
        testsupport::WriteFile(path, c.text);

        panel_->LoadProfileList();
        std::vector<std::string> shown;
        for (const QString& name : Names()) {
            shown.push_back(name.toStdString());
        }
        EXPECT_EQ(shown, c.shown);
        ASSERT_GE(panel_->GetSelectedIndex(), 0);
        EXPECT_TRUE(files::IsSafeFileName(panel_->GetCurrentProfileId().toStdString()));

        const std::vector<std::string> aside =
            testsupport::KeptAsideCopies(folder_, "ProfileList.ini");
        const Json::Value stored = List();
        switch (c.fate) {
            case Fate::Untouched:
                EXPECT_EQ(testsupport::ReadFile(path), c.text);
                EXPECT_TRUE(aside.empty());
                break;
            case Fate::EntriesKept: {
                const Json::Value original = CJsonFile::ParseText(c.text);
                ASSERT_TRUE(stored["profilelist"].isArray());
                ASSERT_GE(stored["profilelist"].size(), original["profilelist"].size());
                for (Json::ArrayIndex i = 0; i < original["profilelist"].size(); ++i) {
                    EXPECT_EQ(stored["profilelist"][i], original["profilelist"][i]) << i;
                }
                EXPECT_TRUE(aside.empty());
                break;
            }
            case Fate::KeptAside:
                ASSERT_EQ(aside.size(), 1u);
                EXPECT_EQ(testsupport::ReadFile(aside[0]), c.text);
                EXPECT_TRUE(stored["profilelist"].isArray());
                break;
        }
        // Every operation on what is shown keeps to the folder and does not crash.
        Dialogs().messageAnswers = {1, 1, 1};
        panel_->ResetProfile();
        panel_->RenameProfile(QStringLiteral("renamed"));
        panel_->CopyProfile();
        panel_->AddProfile();
        panel_->DeleteProfile();
    }
}

// An entry whose id leads out of the data folder is never used: no operation reads, writes or
// creates a file outside the folder, and the entry stays in the list file as it was.
TEST_F(ProfilePanelTest, AnEntryWithAnEscapingIdNeverTouchesAFileOutside) {
    // Where the id leads: two levels above the data folder.
    const std::string outside =
        std::filesystem::path(folder_ + "../../outside/").lexically_normal().string();
    std::filesystem::create_directories(outside);
    const std::string victim = outside + "victim.Json";
    testsupport::WriteFile(victim, "{\"profilename\":\"victim\",\"Device\":[{\"secret\":1}]}");
    WriteProfile(folder_, "id0", "a", 1000);
    const std::string hostile = "{\"profilename\":\"x\",\"profileUUID\":\"../../outside/victim\"}";
    // The hostile entry first and selected: the panel must not fall back onto it.
    testsupport::WriteFile(
        folder_ + "ProfileList.ini",
        "{\"profilelist\":[" + hostile + "," + Valid("a", "id0") + "],\"profileselect\":0}");
    panel_->LoadProfileList();
    EXPECT_EQ(Names(), QStringList{QStringLiteral("a")});
    EXPECT_EQ(panel_->GetCurrentProfileId(), QStringLiteral("id0"));

    Dialogs().messageAnswers = {1};
    panel_->ResetProfile();
    panel_->RenameProfile(QStringLiteral("b"));
    panel_->CopyProfile();
    const std::string exported = testsupport::MakeTempDir("export_escape") + "/out.json";
    Dialogs().saveAnswers = {QString::fromStdString(exported)};
    panel_->ExportProfile();

    EXPECT_EQ(testsupport::ReadFile(victim),
              "{\"profilename\":\"victim\",\"Device\":[{\"secret\":1}]}");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(outside), {}), 1);
    EXPECT_EQ(CJsonFile().readjsonValue(exported)["profileUUID"].asString(), "id0");
    const Json::Value list = List();
    EXPECT_EQ(list["profilelist"][0], CJsonFile::ParseText(hostile));
    EXPECT_EQ(list["profileselect"].asInt(), 1);
}

}  // namespace
