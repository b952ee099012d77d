#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/BasicProfiledata.h"

// The headset's profile document: audio settings and the preset and user equalisers.
class CHs6533Profiledata : public CBasicProfiledata {
public:
    // The equaliser type of the user equaliser, which has no preset bands.
    static constexpr int kUserEqType = 13;
    static constexpr int kBandCount = 10;

    CHs6533Profiledata();

    HeadsetSettings GetSystemSetStages();
    void SetSystemSetStages(const HeadsetSettings& settings);

    // Preset band values of an equaliser type: 0 and types above 13 mean preset 1, type 13 has
    // none. Reading a preset that is missing stores ten zero bands in the document.
    std::vector<std::int32_t> GetEqValues(int eqType);
    void SetEqValues(int eqType, const std::vector<std::int32_t>& values);

    std::vector<std::string> GetCustomEqNames();
    void SetCustomEqNames(const std::vector<std::string>& names);
    std::vector<std::int32_t> GetCustomEqValues(int index);
    void SetCustomEqValues(int index, const std::vector<std::int32_t>& values);

    // The "EQHzValueInfo" index of an equaliser type, or -1 for the user equaliser.
    static int PresetIndex(int eqType);

private:
    std::vector<std::int32_t> ReadBands(const char* section, int index);
    void WriteBands(const char* section, int index, const std::vector<std::int32_t>& values);

    HeadsetSettings settings_{};
};
