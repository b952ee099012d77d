#pragma once

#include <string>

namespace files {

// Moves whatever stands at path (a broken file, a pipe, a link: anything but a folder) out of
// the way to path + "." + local time stamp + ".unreadable", so a replacement never destroys the
// user's only copy. Returns the new path, or an empty string when nothing was moved (nothing
// there, a folder, or the rename failed).
std::string KeepAside(const std::string& path);

// Local time as "2026_12_11_09_05_07_042" (year to milliseconds), the stamp of kept-aside files.
std::string MakeFileTimeStamp();

}  // namespace files
