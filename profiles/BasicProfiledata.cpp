#include "profiles/BasicProfiledata.h"

#include <cstdio>

#include "base/AtomicFile.h"
#include "profiles/JsonAccess.h"

using jsonaccess::Element;
using jsonaccess::Flag;
using jsonaccess::Integer;
using jsonaccess::LowByte;
using jsonaccess::Member;
using jsonaccess::ObjectMember;

namespace {

// The light configuration names light files by bare name; they live beside it.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

CBasicProfiledata::CBasicProfiledata() = default;

void CBasicProfiledata::SetProfilePath(const std::string& path) {
    if (!path.empty()) {
        profilePath_ = path;
    }
}

void CBasicProfiledata::SetDefaultProfilePath(const std::string& path) {
    if (!path.empty()) {
        defaultProfilePath_ = path;
    }
}

void CBasicProfiledata::SetDeviceIndex(int index) {
    // A stray index would make every save write that many null elements.
    if (index >= 0 && index <= 255) {
        deviceIndex_ = index;
    }
}

void CBasicProfiledata::SetUserLightSource(int deviceNumber, int firstUserLight) {
    lightDeviceNumber_ = deviceNumber;
    firstUserLight_ = firstUserLight;
}

const Json::Value* CBasicProfiledata::ReadableDocument() const {
    return document_.isObject() ? &document_ : nullptr;
}

Json::Value& CBasicProfiledata::WritableDocument() {
    if (!document_.isObject()) {
        document_ = Json::Value(Json::objectValue);
    }
    return document_;
}

bool CBasicProfiledata::ReadFileForUpdate(const std::string& path, Json::Value& file) const {
    file = jsonFile_.readjsonValue(path);
    if (file.isObject()) {
        return true;
    }
    // Whatever the file holds would be replaced by the rewrite: move it aside first.
    if (!CJsonFile::SetAsideBeforeReplacing(path)) {
        return false;
    }
    file = Json::Value(Json::objectValue);
    return true;
}

bool CBasicProfiledata::StoreDeviceEntry(Json::Value& file, const Json::Value& value,
                                         const std::string& path) {
    jsonaccess::ArrayAt(file, "Device")[static_cast<Json::ArrayIndex>(deviceIndex_)] = value;
    return WriteDocument(file, path);
}

Json::Value CBasicProfiledata::LoadProfile(const std::string& path) {
    const Json::Value file = jsonFile_.readjsonValue(path);
    const Json::Value* entry = Element(jsonaccess::ArrayMember(&file, "Device"),
                                       static_cast<Json::ArrayIndex>(deviceIndex_));
    if (entry != nullptr) {
        document_ = *entry;
        return document_;
    }
    const Json::Value defaults = jsonFile_.readjsonValue(defaultProfilePath_);
    const Json::Value* defaultEntry = Element(jsonaccess::ArrayMember(&defaults, "Device"),
                                              static_cast<Json::ArrayIndex>(deviceIndex_));
    document_ = defaultEntry != nullptr ? *defaultEntry : Json::Value();
    Json::Value updated;
    if (ReadFileForUpdate(path, updated)) {
        StoreDeviceEntry(updated, document_, path);
    }
    return document_;
}

bool CBasicProfiledata::Save() {
    return SaveDeviceEntry(document_, profilePath_);
}

bool CBasicProfiledata::SaveDeviceEntry(const Json::Value& value, const std::string& path) {
    Json::Value file;
    if (path.empty() || !ReadFileForUpdate(path, file)) {
        return false;
    }
    return StoreDeviceEntry(file, value, path);
}

bool CBasicProfiledata::WriteDocument(const Json::Value& value, const std::string& path) {
    return jsonFile_.writejsonFile(path, value);
}

Json::Value CBasicProfiledata::LoadLightConfig(const std::string& path) {
    lightConfig_ = jsonFile_.readjsonValue(path);
    return lightConfig_;
}

LightInfoRecord CBasicProfiledata::GetLightInfo() {
    LightInfoRecord record;
    if (const Json::Value* info = ObjectMember(ReadableDocument(), "LightInfo")) {
        record.selectItem = LowByte(Member(info, "SelectItem"));
        record.light = LowByte(Member(info, "Light"));
        record.speed = LowByte(Member(info, "Speed"));
        record.fx = LowByte(Member(info, "Fx"));
        record.multiColor = Flag(Member(info, "MultiColor")) ? 1 : 0;
        record.red = LowByte(Member(info, "Red"));
        record.green = LowByte(Member(info, "Green"));
        record.blue = LowByte(Member(info, "Blue"));
        record.zzccLedMode = LowByte(Member(info, "ZZCCLedMode"));
    }
    lightInfo_ = record;
    return record;
}

void CBasicProfiledata::SetLightInfo(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    SetLightInfo(LightInfoRecord::FromWords(a, b, c));
}

void CBasicProfiledata::SetLightInfo(const LightInfoRecord& record) {
    lightInfo_ = record;
    Json::Value info(Json::objectValue);
    info["SelectItem"] = record.selectItem;
    info["Light"] = record.light;
    info["Speed"] = record.speed;
    info["Fx"] = record.fx;
    // Any non-zero flag read from a file is written back as 1.
    info["MultiColor"] = record.multiColor != 0 ? 1 : 0;
    info["Red"] = record.red;
    info["Green"] = record.green;
    info["Blue"] = record.blue;
    info["ZZCCLedMode"] = record.zzccLedMode;
    WritableDocument()["LightInfo"] = info;
}

std::vector<LightListEntry> CBasicProfiledata::GetLightList() {
    std::vector<LightListEntry> list;
    if (const Json::Value* array = jsonaccess::ArrayMember(ReadableDocument(), "LightList")) {
        list.reserve(array->size());
        for (Json::ArrayIndex i = 0; i < array->size(); ++i) {
            LightListEntry entry;
            const Json::Value* item = Element(array, i);
            if (item != nullptr && item->isObject()) {
                entry.ledRegMode = LowByte(Member(item, "LEDREGMode"));
                entry.ledBrightness = LowByte(Member(item, "LEDBrightness"));
                entry.ledSpeed = LowByte(Member(item, "LEDSpeed"));
                entry.ledDirection = Flag(Member(item, "LEDDirection")) ? 1 : 0;
                entry.ledMultiColor = Flag(Member(item, "LEDMultiColor")) ? 1 : 0;
                entry.red = LowByte(Member(item, "red"));
                entry.green = LowByte(Member(item, "green"));
                entry.blue = LowByte(Member(item, "blue"));
                entry.present = 1;
            }
            list.push_back(entry);
        }
    }
    lightList_ = list;
    return list;
}

std::vector<LightEffectStep> CBasicProfiledata::GetCustomLightEffect() {
    std::vector<LightEffectStep> steps;
    const int userLight = static_cast<int>(lightInfo_.selectItem) - firstUserLight_;
    const Json::Value* lights = lightDeviceNumber_ >= 0 && userLight >= 0
                                    ? Element(jsonaccess::ArrayMember(&lightConfig_, "LightInfo"),
                                              static_cast<Json::ArrayIndex>(lightDeviceNumber_))
                                    : nullptr;
    const std::string guid = jsonaccess::Text(Member(
        Element(lights, static_cast<Json::ArrayIndex>(userLight < 0 ? 0 : userLight)), "Guid"));
    // The name comes from a file: it must not lead out of the light configuration's folder.
    if (lights != nullptr && files::IsSafeFileName(guid)) {
        const Json::Value file =
            jsonFile_.readjsonValue(FolderOf(lightConfigPath_) + guid + ".light");
        if (const Json::Value* list = jsonaccess::ArrayMember(&file, "LEDEffectList")) {
            steps.reserve(list->size());
            for (Json::ArrayIndex i = 0; i < list->size(); ++i) {
                const Json::Value* item = Element(list, i);
                LightEffectStep step;
                step.ledRegMode = LowByte(Member(item, "LEDREGMode"));
                step.ledDirection = LowByte(Member(item, "LEDDirection"));
                step.ledBrightness = LowByte(Member(item, "LEDBrightness"));
                step.ledSpeed = LowByte(Member(item, "LEDSpeed"));
                step.ledMultiColor = LowByte(Member(item, "LEDMultiColor"));
                step.red = LowByte(Member(item, "red"));
                step.green = LowByte(Member(item, "green"));
                step.blue = LowByte(Member(item, "blue"));
                step.time = jsonaccess::Low32(Member(item, "Time"));
                step.cyle = jsonaccess::Low32(Member(item, "Cyle"));
                steps.push_back(step);
            }
        }
    }
    lightSteps_ = steps;
    return steps;
}

std::vector<KeyListEntry> CBasicProfiledata::GetKeyList() {
    std::vector<KeyListEntry> list;
    if (const Json::Value* array = jsonaccess::ArrayMember(ReadableDocument(), "KeyList")) {
        list.reserve(array->size());
        for (Json::ArrayIndex i = 0; i < array->size(); ++i) {
            const Json::Value* item = Element(array, i);
            KeyListEntry entry;
            entry.index = static_cast<std::uint16_t>(i);
            entry.defaultIndex = static_cast<std::uint16_t>(i);
            entry.assignment =
                KeyCodeFromValue(static_cast<std::uint32_t>(Integer(Member(item, "Assignment"))));
            entry.defaultAssignment = KeyCodeFromValue(
                static_cast<std::uint32_t>(Integer(Member(item, "DefaultAssignment"))));
            list.push_back(entry);
        }
    }
    keyList_ = list;
    return list;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyListEntry>& list) {
    keyList_ = list;
    if (list.empty()) {
        return;  // nothing to write: a kind without keys gets no "KeyList"
    }
    Json::Value& keys = jsonaccess::ArrayAt(WritableDocument(), "KeyList");
    for (std::size_t i = 0; i < list.size(); ++i) {
        jsonaccess::ObjectAt(keys, static_cast<Json::ArrayIndex>(i))["Assignment"] =
            static_cast<Json::Int>(KeyCodeValue(list[i].assignment));
    }
}
