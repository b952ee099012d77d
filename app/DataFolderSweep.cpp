#include "app/DataFolderSweep.h"

#include <string>
#include <string_view>

#include "base/StaleTemporaries.h"
#include "profiles/DataFolders.h"

std::size_t RemoveStaleTemporariesInDataFolders(std::chrono::system_clock::time_point now) {
    const std::string root = datafolders::GetUserDataFolder();
    std::size_t removed = files::RemoveStaleTemporaries(root, now);
    // The device folders are not created here: a missing one has nothing to sweep.
    for (std::string_view kind :
         {datafolders::kMouseFolderName, datafolders::kKeyboardFolderName,
          datafolders::kMousePadFolderName, datafolders::kHeadsetFolderName}) {
        removed += files::RemoveStaleTemporaries(root + std::string(kind), now);
    }
    return removed;
}
