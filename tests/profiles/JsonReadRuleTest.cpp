// Documents are read only through the type-testing accessors (profiles/JsonAccess.h): jsoncpp's
// converting getters throw on a value of another type, which a hostile file supplies at will.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// The accessors themselves, and the delay reader, which converts only after testing the type.
const std::set<std::string> kAllowed = {"profiles/JsonAccess.cpp", "macros/MacroEvent.cpp"};

// ".asString(" or "->asInt(" and the like (the code is formatted: no blanks inside).
bool CallsConvertingGetter(const std::string& line) {
    static const char* const kGetters[] = {
        "asString(",     "asCString(",     "asInt(",  "asUInt(",   "asInt64(", "asUInt64(",
        "asLargestInt(", "asLargestUInt(", "asBool(", "asDouble(", "asFloat("};
    for (const char* getter : kGetters) {
        for (const char* access : {".", "->"}) {
            if (line.find(std::string(access) + getter) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

TEST(JsonReadRule, NoConvertingGetterOutsideTheAccessors) {
    const fs::path source = ZORVATH_SOURCE_DIR;
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
                if (CallsConvertingGetter(line)) {
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
