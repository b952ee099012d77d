// Regenerates the factory profiles of data/DefaultData: zorvath_make_default_profiles <folder>
#include <cstdio>
#include <string>

#include "profiles/DefaultProfiles.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <DefaultData folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return defaultprofiles::WriteDefaultProfiles(folder) ? 0 : 1;
}
