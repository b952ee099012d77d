#pragma once

#include <string>
#include <string_view>

namespace files {

// A temporary file of WriteFileAtomically is named path + kTemporarySuffix + six random letters
// or digits.
inline constexpr std::string_view kTemporarySuffix = ".tmp-";

// Replaces the file at path with bytes: a temporary file in the same folder is written, flushed
// to disk and renamed over the old one, so a crash or a full disk never leaves a truncated file.
// On failure the old file is untouched, the temporary file is removed, and false is returned.
// Anything but a regular file or a folder in the way (a pipe, a socket, a link) is kept aside
// (KeepAside) and a regular file takes its place; a link is never written through.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole regular file of at most maxBytes. Returns false (and leaves out empty) when the
// file is missing, not a regular file, larger than maxBytes, or read short. Never blocks on a
// pipe and never opens anything but a regular file; a link to a regular file is followed.
bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes);

// True when name can stand as one file name inside a folder: not empty, not "." or "..", and
// without '/' , '\\' or NUL, so a name taken from a file cannot reach outside its folder.
bool IsSafeFileName(std::string_view name);

// Test seam: while set, WriteFileAtomically fails just before the rename, as a crash would.
void SetFailBeforeRenameForTesting(bool fail);

}  // namespace files
