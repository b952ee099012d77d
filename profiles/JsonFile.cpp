#include "profiles/JsonFile.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "base/AtomicFile.h"

std::string CJsonFile::readjsonFile(const std::string& path) const {
    std::string bytes;
    if (!files::ReadWholeFile(path, bytes, kMaxFileBytes)) {
        bytes.clear();
    }
    return bytes;
}

Json::Value CJsonFile::readjsonValue(const std::string& path) const {
    return ParseText(readjsonFile(path));
}

bool CJsonFile::writejsonFile(const std::string& path, const Json::Value& value) const {
    std::string text;
    try {
        text = FormatText(value);
    } catch (...) {
        return false;
    }
    return files::WriteFileAtomically(path, text);
}

std::string CJsonFile::MakeTimeStamp() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return buffer;
}

Json::Value CJsonFile::ParseText(std::string_view text) {
    if (text.empty()) {
        return Json::Value();
    }
    try {
        Json::Reader reader;
        Json::Value root;
        if (!reader.parse(text.data(), text.data() + text.size(), root, true)) {
            return Json::Value();
        }
        return root;
    } catch (...) {
        // jsoncpp throws on nesting beyond its stack limit and on internal assertions.
        return Json::Value();
    }
}

std::string CJsonFile::FormatText(const Json::Value& value) {
    Json::StyledWriter writer;
    const std::string styled = writer.write(value) + "\n";
    // The files were always written through a text-mode stream on Windows: every line end is
    // CR LF. Strings are escaped by the writer, so every '\n' here is a line end.
    std::string out;
    out.reserve(styled.size() + styled.size() / 8 + 2);
    for (char c : styled) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}
