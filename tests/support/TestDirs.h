#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A fresh empty folder for one test, under the build tree (ZORVATH_TEST_TMP) or /tmp.
// The name is unique per process and call; the folder is left behind for inspection.
std::string MakeTempDir(const std::string& hint);

// Points XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR at fresh folders
// below a new temporary folder, so a test never touches the user's real data. Returns that folder.
std::string UseFreshXdgFolders(const std::string& hint);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// The copies of folder/fileName kept aside as unreadable ("<fileName>.<time>.unreadable").
std::vector<std::string> KeptAsideCopies(const std::string& folder, const std::string& fileName);

}  // namespace testsupport
