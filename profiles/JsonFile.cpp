#include "profiles/JsonFile.h"

#include <sys/stat.h>

#include <cstdio>

#include "base/AtomicFile.h"
#include "base/KeepAside.h"

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

bool CJsonFile::SetAsideBeforeReplacing(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::lstat(path.c_str(), &info) != 0) {
        return true;  // missing is not broken: nothing to keep
    }
    if (S_ISREG(info.st_mode) && info.st_size == 0) {
        return true;
    }
    return !files::KeepAside(path).empty();
}

std::string CJsonFile::MakeTimeStamp() const {
    return files::MakeFileTimeStamp();
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
