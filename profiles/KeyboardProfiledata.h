#pragma once

#include <vector>

#include "profiles/BasicProfiledata.h"

// The keyboard's profile document: system settings and the per-key custom colour groups.
class CKeyboardProfiledata : public CBasicProfiledata {
public:
    CKeyboardProfiledata();

    SystemStageWords GetSystemStages();
    void SetSystemStages(const SystemStageWords& words);

    // The colours of positions 0 to count-1 of a group. Missing colours are created in the
    // document as zero colours (group missing: all of them) and read as zero.
    std::vector<CustomLightColor> GetCustomLightColors(int group, int count);
    void SetCustomLightColors(const std::vector<CustomLightColor>& colors, int group);
    int GetCustomLightGroupIndex();
    void SetCustomLightGroupIndex(int group);

private:
    SystemStageWords systemStages_{};
    std::vector<CustomLightColor> customColors_;
    int customGroupIndex_ = 0;
};
