#pragma once

#include <vector>

#include "profiles/BasicProfiledata.h"

// The mouse's profile document: DPI stages, system settings with the report rate, corrections.
class CMouseProfiledata : public CBasicProfiledata {
public:
    CMouseProfiledata();

    // Stages read from "DPIStages" are merged into the cached list (stage i replaces cached stage
    // i or is appended; cached stages beyond those read remain). Returns the cache.
    std::vector<DpiStage> GetDpiStages();
    void SetDpiStages(const std::vector<DpiStage>& stages);
    // The cached active stage; the document is not consulted.
    int GetActiveDpiStage() const { return activeDpiStage_; }
    void SetActiveDpiStage(int stage);

    SystemStageWords GetSystemStages();
    void SetSystemStages(const SystemStageWords& words);

    std::vector<CorrectionEntry> GetCorrections();

private:
    std::vector<DpiStage> dpiStages_;
    int activeDpiStage_ = 0;
    SystemStageWords systemStages_{};
    std::vector<CorrectionEntry> corrections_;
};
