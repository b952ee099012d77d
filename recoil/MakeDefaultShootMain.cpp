// Writes the factory shoot files "ShootData_0..3.Shoot": zorvath_make_default_shoot <folder>.
#include <cstdio>
#include <string>

#include "profiles/JsonFile.h"
#include "recoil/ShootData.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <DefaultData folder>\n", argv[0]);
        return 2;
    }
    for (int gun = 0; gun < recoil::kGunCount; ++gun) {
        const std::string path = std::string(argv[1]) + "/" + recoil::ShootFileName(gun);
        if (!CJsonFile().writejsonFile(path, recoil::DefaultPatternDocument(gun))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
