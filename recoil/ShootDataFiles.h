#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/JsonFile.h"
#include "recoil/ShootData.h"

// The four shoot files of the mouse's data folder and the gun and bullet the shoot panel has
// chosen. Every edit is written to the gun's file at once.
namespace recoil {

class CShootData {
public:
    // The mouse's data folder and the default data folder holding the factory copies.
    void SetFolders(std::string dataFolder, std::string defaultFolder);

    // For each gun whose file is missing or unparsable: the factory copy, byte for byte; when
    // that is missing too, the built-in pattern. A file that is there but cannot be read is kept
    // aside first ("<file>.<time>.unreadable"). Returns false when a file could not be written.
    bool EnsureFiles();

    std::string DataFilePath(int gun) const;
    std::string DefaultFilePath(int gun) const;

    // Panel state: gun 0..3 (clamped); bullet 0..29 (clamped) once chosen, -1 before.
    void SelectGun(int gun);
    void SelectBullet(int bullet);
    // Back to no chosen bullet.
    void ClearBullet() { currentBullet_ = -1; }
    void SelectPreviousBullet() { SelectBullet(currentBullet_ - 1); }
    void SelectNextBullet() { SelectBullet(currentBullet_ + 1); }
    int CurrentGun() const { return currentGun_; }
    int CurrentBullet() const { return currentBullet_; }

    // The current bullet's values from the current gun's file (zeros when unreadable or when
    // no bullet is chosen).
    BulletValues CurrentBulletValues() const;
    BulletValues ReadBullet(int gun, int bullet) const;
    // All thirty bullets of a gun from one read of its file.
    std::vector<BulletValues> ReadPattern(int gun) const;

    // Writes the current bullet into the current gun's file; nothing without a chosen bullet.
    bool WriteCurrentBullet(const BulletValues& values);
    bool WriteBullet(int gun, int bullet, const BulletValues& values);

    // The current gun's file becomes a copy of source; refused (false, file unchanged) when the
    // source is not a pattern (IsShootDocument).
    bool ImportCurrentGun(const std::string& source);
    // Copies the current gun's file to destination; false when there is nothing to copy.
    bool ExportCurrentGun(const std::string& destination) const;
    // Restores the current gun's file from the factory copy (or the built-in pattern).
    bool ResetCurrentGun();
    bool ResetGun(int gun);

    // The records of the four files, gun order; a missing or unreadable file gives none.
    std::vector<std::vector<macros::DeviceEventRecord>> LoadRecords() const;
    // The shoot image the mouse stores (same layout as the macro image, four records); empty
    // when the files hold more events than the image can carry.
    std::vector<std::uint8_t> BuildShootImage() const;

private:
    // The factory bytes of a gun: the default folder's copy when it parses as an object, else
    // the built-in pattern.
    std::string FactoryBytes(int gun) const;
    static bool ValidGun(int gun) { return gun >= 0 && gun < kGunCount; }

    CJsonFile json_;
    std::string dataFolder_;
    std::string defaultFolder_;
    int currentGun_ = 0;
    int currentBullet_ = -1;
};

}  // namespace recoil
