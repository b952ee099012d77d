// Documents are read only through the type-testing accessors (profiles/JsonAccess.h): jsoncpp's
// converting getters throw on a value of another type, which a hostile file supplies at will.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// The accessors themselves, and the delay reader, which converts only after testing the type.
const std::set<std::string> kAllowed = {"profiles/JsonAccess.cpp", "macros/MacroEvent.cpp"};

TEST(JsonReadRule, NoConvertingGetterOutsideTheAccessors) {
    const fs::path source = ZORVATH_SOURCE_DIR;
    const std::regex getter(
        R"((\.|->)\s*as(String|CString|Int|UInt|Int64|UInt64|LargestInt|LargestUInt|Bool|Double|Float)\s*\()");
    std::vector<std::string> offenders;
    for (const char* folder :
         {"app", "appearance", "audio", "base", "devices", "hid", "keys", "lighting", "macros",
          "profiles", "protocol", "recoil", "sim", "ui", "update", "zorvathctl"}) {
        std::error_code ec;
        if (!fs::is_directory(source / folder, ec)) {
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(source / folder, ec)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") {
                continue;
            }
            const std::string relative = fs::relative(entry.path(), source).generic_string();
            if (kAllowed.count(relative) != 0) {
                continue;
            }
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                if (std::regex_search(line, getter)) {
                    offenders.push_back(relative + ":" + std::to_string(number) + ": " + line);
                }
            }
        }
    }
    std::ostringstream report;
    for (const std::string& offender : offenders) {
        report << offender << "\n";
    }
    EXPECT_TRUE(offenders.empty()) << report.str();
}

}  // namespace
