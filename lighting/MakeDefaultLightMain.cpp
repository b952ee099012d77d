// Writes "default_light.json" from the built-in name table: zorvath_make_default_light <folder>.
#include <cstdio>
#include <string>

#include "lighting/DefaultLightNames.h"
#include "lighting/LightFiles.h"
#include "profiles/JsonFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <DefaultData folder>\n", argv[0]);
        return 2;
    }
    const std::string path =
        std::string(argv[1]) + "/" + std::string(lighting::kDefaultLightFileName);
    if (!CJsonFile().writejsonFile(path, lighting::DefaultLightDocument())) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
