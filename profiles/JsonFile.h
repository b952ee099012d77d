#pragma once

#include <json/json.h>

#include <cstddef>
#include <string>
#include <string_view>

// Reads and writes the program's JSON files. Stateless: embed it by value wherever a JSON file
// is touched. Paths are UTF-8.
class CJsonFile {
public:
    // A JSON file larger than this is treated as unreadable instead of being loaded.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;

    // The file's bytes; empty when it is missing, not a regular file, too large or read short.
    std::string readjsonFile(const std::string& path) const;

    // The parsed file; null when the file is unreadable, empty or does not parse.
    Json::Value readjsonValue(const std::string& path) const;

    // Writes value as the whole file, atomically: on failure (returned as false) the previous
    // file stays as it was.
    bool writejsonFile(const std::string& path, const Json::Value& value) const;

    // Before a file that could not be read is replaced: moves whatever holds bytes at path aside
    // (files::KeepAside), so the replacement destroys nothing. True when the way is clear (no
    // file, an empty one, or moved aside); false when it could not be moved, and then the file
    // must not be replaced.
    static bool SetAsideBeforeReplacing(const std::string& path);

    // Local time as "year_month_day_hour_minute_second_millisecond" ("%d_%02d_..._%03d").
    std::string MakeTimeStamp() const;

    // Parses a JSON text (comments kept); null for empty text, a parse error or nesting too
    // deep. Never throws.
    static Json::Value ParseText(std::string_view text);

    // The exact bytes writejsonFile stores: styled writer text plus one line end, every line
    // ending in CR LF.
    static std::string FormatText(const Json::Value& value);
};
