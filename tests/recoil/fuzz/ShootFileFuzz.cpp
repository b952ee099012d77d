// Arbitrary ".Shoot" contents: every bullet reads, writes back and converts to device records.
#include <cstddef>
#include <cstdint>
#include <string>

#include "macros/EventImage.h"
#include "profiles/JsonFile.h"
#include "recoil/ShootData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Json::Value document =
        CJsonFile::ParseText(std::string(reinterpret_cast<const char*>(data), size));
    (void)macros::BuildEventImage({recoil::ShootRecords(document)});
    // Whatever import accepts, four guns of it still fit in one shoot image.
    if (recoil::IsShootDocument(document)) {
        const auto records = recoil::ShootRecords(document);
        if (macros::BuildEventImage({records, records, records, records}).empty()) {
            __builtin_trap();
        }
    }
    for (int bullet = -1; bullet <= recoil::kBulletCount; ++bullet) {
        const recoil::BulletValues values = recoil::BulletFromDocument(document, bullet);
        recoil::WriteBulletIntoDocument(document, bullet, values);
    }
    (void)CJsonFile::FormatText(document);
    (void)macros::BuildEventImage({recoil::ShootRecords(document)});
    return 0;
}
