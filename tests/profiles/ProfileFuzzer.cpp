// Arbitrary bytes as a profile file: parsed like readjsonValue does, then its document (and the
// whole value, as if it were a document) goes through every accessor of every profile class.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "tests/profiles/ProfileExercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Json::Value file =
        CJsonFile::ParseText(std::string_view(reinterpret_cast<const char*>(data), size));
    CJsonFile::FormatText(file);
    const Json::Value* document = jsonaccess::Element(jsonaccess::ArrayMember(&file, "Device"), 0);
    ExerciseAllProfileClasses(document != nullptr ? *document : Json::Value());
    ExerciseAllProfileClasses(file);
    return 0;
}
