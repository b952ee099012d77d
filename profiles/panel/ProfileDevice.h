#pragma once

#include <QString>

namespace profilepanel {

// The device operations the profile panel runs after a switch or a reset; the device page
// implements them over its core.
class IProfileDevice {
public:
    virtual ~IProfileDevice() = default;
    virtual void SetProfileId(const QString& id) = 0;
    virtual int LoadProfileState() = 0;
    virtual void ValidateMacroKeys() = 0;
    virtual void RefreshControls() = 0;
    virtual int WriteSettings() = 0;
    // -1: the transfer failed; n > 0: n bytes too many; 0: done.
    virtual int DownloadMacros() = 0;
    virtual int WriteKeys(int profile) = 0;
};

}  // namespace profilepanel
