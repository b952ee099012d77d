#include "profiles/MouseProfiledata.h"

#include "profiles/JsonAccess.h"

using jsonaccess::Element;
using jsonaccess::Low16;
using jsonaccess::LowByte;
using jsonaccess::Member;
using jsonaccess::ObjectMember;

CMouseProfiledata::CMouseProfiledata() {
    SetUserLightSource(1, 9);
}

std::vector<DpiStage> CMouseProfiledata::GetDpiStages() {
    if (const Json::Value* section = ObjectMember(ReadableDocument(), "DPIStages")) {
        activeDpiStage_ = jsonaccess::Low32(Member(section, "StageActive"));
        if (const Json::Value* list = jsonaccess::ArrayMember(section, "StageDPIs")) {
            for (Json::ArrayIndex i = 0; i < list->size(); ++i) {
                const Json::Value* item = Element(list, i);
                DpiStage stage;
                stage.enabled = LowByte(Member(item, "StageActive"));
                stage.xy = LowByte(Member(item, "StageXY"));
                stage.dpiX = Low16(Member(item, "StageDPIX"));
                stage.dpiY = Low16(Member(item, "StageDPIY"));
                stage.red = LowByte(Member(item, "StageColorR"));
                stage.green = LowByte(Member(item, "StageColorG"));
                stage.blue = LowByte(Member(item, "StageColorB"));
                if (i < dpiStages_.size()) {
                    dpiStages_[i] = stage;
                } else {
                    dpiStages_.push_back(stage);
                }
            }
        }
    }
    return dpiStages_;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStage>& stages) {
    dpiStages_ = stages;
    Json::Value& list =
        jsonaccess::ArrayAt(jsonaccess::ObjectAt(WritableDocument(), "DPIStages"), "StageDPIs");
    for (std::size_t i = 0; i < stages.size(); ++i) {
        Json::Value& item = jsonaccess::ObjectAt(list, static_cast<Json::ArrayIndex>(i));
        item["StageActive"] = stages[i].enabled;
        item["StageXY"] = stages[i].xy;
        item["StageDPIX"] = stages[i].dpiX;
        item["StageDPIY"] = stages[i].dpiY;
        item["StageColorR"] = stages[i].red;
        item["StageColorG"] = stages[i].green;
        item["StageColorB"] = stages[i].blue;
    }
}

void CMouseProfiledata::SetActiveDpiStage(int stage) {
    activeDpiStage_ = stage;
    jsonaccess::ObjectAt(WritableDocument(), "DPIStages")["StageActive"] = stage;
}

SystemStageWords CMouseProfiledata::GetSystemStages() {
    SystemStageWords words{};
    const Json::Value* document = ReadableDocument();
    if (const Json::Value* system = ObjectMember(document, "SystemStages")) {
        words[0] = PackHalves(Low16(Member(system, "DoubleClickTime")),
                              Low16(Member(system, "MouseSpeed")));
        words[1] = PackHalves(Low16(Member(system, "PointerPrecision")),
                              Low16(Member(system, "ScorllPage")));
        words[2] = Low16(Member(system, "WheelScorlllinse"));
    }
    if (const Json::Value* report = ObjectMember(document, "ReportStages")) {
        words[2] = PackHalves(LowHalf(words[2]), Low16(Member(report, "StageActive")));
    }
    systemStages_ = words;
    return words;
}

void CMouseProfiledata::SetSystemStages(const SystemStageWords& words) {
    systemStages_ = words;
    Json::Value& document = WritableDocument();
    Json::Value& system = jsonaccess::ObjectAt(document, "SystemStages");
    system["DoubleClickTime"] = LowHalf(words[0]);
    system["MouseSpeed"] = HighHalf(words[0]);
    system["PointerPrecision"] = LowHalf(words[1]);
    system["ScorllPage"] = HighHalf(words[1]);
    system["WheelScorlllinse"] = LowHalf(words[2]);
    jsonaccess::ObjectAt(document, "ReportStages")["StageActive"] = HighHalf(words[2]);
}

std::vector<CorrectionEntry> CMouseProfiledata::GetCorrections() {
    std::vector<CorrectionEntry> list;
    if (const Json::Value* array = jsonaccess::ArrayMember(ReadableDocument(), "CorrectInfo")) {
        list.reserve(array->size());
        for (Json::ArrayIndex i = 0; i < array->size(); ++i) {
            const Json::Value* item = Element(array, i);
            CorrectionEntry entry;
            entry.pixThresh = LowByte(Member(item, "CorrectPixThresh"));
            entry.minSq = LowByte(Member(item, "CorrectMinSq"));
            entry.select = LowByte(Member(item, "CorrectSelect"));
            entry.name = jsonaccess::Text(Member(item, "CorrectName"));
            list.push_back(std::move(entry));
        }
    }
    corrections_ = list;
    return list;
}
