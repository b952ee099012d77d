#include "tests/profiles/ProfileExercise.h"

#include "profiles/Hs6533Profiledata.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"

namespace {

void ExerciseBasic(CBasicProfiledata& profile) {
    const LightInfoRecord light = profile.GetLightInfo();
    profile.GetLightList();
    profile.GetCustomLightEffect();
    const std::vector<KeyListEntry> keys = profile.GetKeyList();
    profile.SetLightInfo(light.WordA(), light.WordB(), light.WordC());
    profile.SetKeyList(keys);
}

}  // namespace

void ExerciseAllProfileClasses(const Json::Value& document) {
    CBasicProfiledata pad;
    pad.SetDocument(document);
    ExerciseBasic(pad);

    CMouseProfiledata mouse;
    mouse.SetDocument(document);
    const std::vector<DpiStage> stages = mouse.GetDpiStages();
    mouse.GetActiveDpiStage();
    const SystemStageWords mouseWords = mouse.GetSystemStages();
    mouse.GetCorrections();
    ExerciseBasic(mouse);
    mouse.SetDpiStages(stages);
    mouse.SetActiveDpiStage(mouse.GetActiveDpiStage());
    mouse.SetSystemStages(mouseWords);

    CKeyboardProfiledata keyboard;
    keyboard.SetDocument(document);
    const SystemStageWords keyboardWords = keyboard.GetSystemStages();
    const int group = keyboard.GetCustomLightGroupIndex();
    const std::vector<CustomLightColor> colours = keyboard.GetCustomLightColors(group, 126);
    keyboard.GetCustomLightColors(0, 126);
    ExerciseBasic(keyboard);
    keyboard.SetSystemStages(keyboardWords);
    keyboard.SetCustomLightColors(colours, group);
    keyboard.SetCustomLightGroupIndex(group);

    CHs6533Profiledata headset;
    headset.SetDocument(document);
    const HeadsetSettings settings = headset.GetSystemSetStages();
    for (int eqType : {0, 1, 12, 13, 20, settings[2]}) {
        headset.GetEqValues(eqType);
    }
    const std::vector<std::string> names = headset.GetCustomEqNames();
    const std::vector<std::int32_t> custom = headset.GetCustomEqValues(settings[3]);
    headset.GetCustomEqValues(0);
    ExerciseBasic(headset);
    headset.SetSystemSetStages(settings);
    headset.SetEqValues(settings[2], headset.GetEqValues(settings[2]));
    headset.SetCustomEqNames(names);
    headset.SetCustomEqValues(settings[3], custom);

    // Whatever the setters made must be writable.
    CJsonFile::FormatText(headset.GetDocument());
    CJsonFile::FormatText(keyboard.GetDocument());
    CJsonFile::FormatText(mouse.GetDocument());
}
