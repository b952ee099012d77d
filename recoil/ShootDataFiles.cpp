#include "recoil/ShootDataFiles.h"

#include <algorithm>
#include <utility>

#include "base/AtomicFile.h"
#include "macros/EventImage.h"
#include "macros/MacroFiles.h"
#include "profiles/JsonAccess.h"

namespace recoil {

void CShootData::SetFolders(std::string dataFolder, std::string defaultFolder) {
    dataFolder_ = std::move(dataFolder);
    defaultFolder_ = std::move(defaultFolder);
}

std::string CShootData::DataFilePath(int gun) const {
    return macros::JoinPath(dataFolder_, ShootFileName(gun));
}

std::string CShootData::DefaultFilePath(int gun) const {
    return macros::JoinPath(defaultFolder_, ShootFileName(gun));
}

std::string CShootData::FactoryBytes(int gun) const {
    std::string bytes = json_.readjsonFile(DefaultFilePath(gun));
    if (!CJsonFile::ParseText(bytes).isObject()) {
        bytes = CJsonFile::FormatText(DefaultPatternDocument(gun));
    }
    return bytes;
}

bool CShootData::EnsureFiles() {
    bool ok = true;
    for (int gun = 0; gun < kGunCount; ++gun) {
        const std::string path = DataFilePath(gun);
        if (json_.readjsonValue(path).isNull()) {
            // A damaged pattern is kept beside the factory one that replaces it.
            ok = CJsonFile::SetAsideBeforeReplacing(path) &&
                 files::WriteFileAtomically(path, FactoryBytes(gun)) && ok;
        }
    }
    return ok;
}

void CShootData::SelectGun(int gun) {
    currentGun_ = std::clamp(gun, 0, kGunCount - 1);
}

void CShootData::SelectBullet(int bullet) {
    currentBullet_ = std::clamp(bullet, 0, kBulletCount - 1);
}

BulletValues CShootData::ReadBullet(int gun, int bullet) const {
    if (!ValidGun(gun)) {
        return {};
    }
    return BulletFromDocument(json_.readjsonValue(DataFilePath(gun)), bullet);
}

std::vector<BulletValues> CShootData::ReadPattern(int gun) const {
    std::vector<BulletValues> bullets(kBulletCount);
    if (!ValidGun(gun)) {
        return bullets;
    }
    const Json::Value document = json_.readjsonValue(DataFilePath(gun));
    for (int b = 0; b < kBulletCount; ++b) {
        bullets[static_cast<std::size_t>(b)] = BulletFromDocument(document, b);
    }
    return bullets;
}

BulletValues CShootData::CurrentBulletValues() const {
    return ReadBullet(currentGun_, currentBullet_);
}

bool CShootData::WriteBullet(int gun, int bullet, const BulletValues& values) {
    if (!ValidGun(gun) || bullet < 0 || bullet >= kBulletCount) {
        return false;
    }
    const std::string path = DataFilePath(gun);
    Json::Value document = json_.readjsonValue(path);
    const Json::Value* events = jsonaccess::Member(&document, "Events");
    if (!document.isObject() || (events != nullptr && !events->isArray())) {
        // The file was lost or damaged since the page was built: start from the factory
        // pattern rather than from a file of nulls around one bullet, and keep the damaged one.
        if (!CJsonFile::SetAsideBeforeReplacing(path)) {
            return false;
        }
        document = CJsonFile::ParseText(FactoryBytes(gun));
    }
    WriteBulletIntoDocument(document, bullet, values);
    return json_.writejsonFile(path, document);
}

bool CShootData::WriteCurrentBullet(const BulletValues& values) {
    if (currentBullet_ < 0) {
        return false;
    }
    return WriteBullet(currentGun_, currentBullet_, values);
}

bool CShootData::ImportCurrentGun(const std::string& source) {
    if (source.empty()) {
        return false;
    }
    const std::string bytes = json_.readjsonFile(source);
    if (!IsShootDocument(CJsonFile::ParseText(bytes))) {
        return false;
    }
    return files::WriteFileAtomically(DataFilePath(currentGun_), bytes);
}

bool CShootData::ExportCurrentGun(const std::string& destination) const {
    if (destination.empty()) {
        return false;
    }
    const std::string bytes = json_.readjsonFile(DataFilePath(currentGun_));
    return !bytes.empty() && files::WriteFileAtomically(destination, bytes);
}

bool CShootData::ResetGun(int gun) {
    return ValidGun(gun) && files::WriteFileAtomically(DataFilePath(gun), FactoryBytes(gun));
}

bool CShootData::ResetCurrentGun() {
    return ResetGun(currentGun_);
}

std::vector<std::vector<macros::DeviceEventRecord>> CShootData::LoadRecords() const {
    std::vector<std::vector<macros::DeviceEventRecord>> records;
    records.reserve(kGunCount);
    for (int gun = 0; gun < kGunCount; ++gun) {
        records.push_back(ShootRecords(json_.readjsonValue(DataFilePath(gun))));
    }
    return records;
}

std::vector<std::uint8_t> CShootData::BuildShootImage() const {
    return macros::BuildEventImage(LoadRecords());
}

}  // namespace recoil
