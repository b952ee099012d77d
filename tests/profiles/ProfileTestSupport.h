#pragma once

#include <json/json.h>

#include <string>

#include "profiles/JsonFile.h"
#include "tests/support/TestDirs.h"

namespace profiletest {

inline Json::Value Parse(const std::string& text) {
    return CJsonFile::ParseText(text);
}

// jsoncpp's == compares sparse arrays by their stored elements; the written text is the truth.
inline std::string Text(const Json::Value& value) {
    return CJsonFile::FormatText(value);
}

inline void WriteJson(const std::string& path, const std::string& text) {
    testsupport::WriteFile(path, text);
}

inline Json::Value ReadJson(const std::string& path) {
    return CJsonFile().readjsonValue(path);
}

}  // namespace profiletest
