// Arbitrary ".mac" contents: the action list loads, saves back and converts to device records.
#include <cstddef>
#include <cstdint>
#include <string>

#include "macros/EventImage.h"
#include "macros/MacroFiles.h"
#include "macros/MacroLibrary.h"
#include "profiles/JsonFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Json::Value document = CJsonFile::ParseText(text);
    std::vector<macros::MacroAction> actions = macros::ActionsFromDocument(document);
    const Json::Value saved = macros::BuildMacroDocument("name", "guid", actions);
    const Json::Value reread = CJsonFile::ParseText(CJsonFile::FormatText(saved));
    (void)macros::BuildEventImage({macros::EncodeEvents(document), macros::EncodeEvents(reread)});
    return 0;
}
