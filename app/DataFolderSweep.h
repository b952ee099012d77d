#pragma once

#include <chrono>
#include <cstddef>

// Removes the temporary files that writes cut short by a crash left in the program's own data
// folders: the user data root and the data folder of each device kind. No other folder is
// looked at. Returns how many were removed.
std::size_t RemoveStaleTemporariesInDataFolders(std::chrono::system_clock::time_point now);
