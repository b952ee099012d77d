#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/JsonFile.h"
#include "profiles/ProfileRecords.h"

// The profile document of one device: element [device index] of the "Device" array of a profile
// file. Getters read the document (a missing or wrong-typed member reads as 0, false, an empty
// string or an empty list) and never create members unless stated; setters change the document
// in memory and nothing reaches the file until Save. The mouse pad uses this class as it is.
// Not thread-safe: the owning device serialises access.
class CBasicProfiledata {
public:
    CBasicProfiledata();
    virtual ~CBasicProfiledata() = default;

    CBasicProfiledata(const CBasicProfiledata&) = default;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = default;

    // Writes the document into its element of the profile file. False when the file could not be
    // written; the file then keeps its previous contents.
    virtual bool Save();
    // Replaces element [device index] of "Device" in the file at path, keeping every other member.
    virtual bool SaveDeviceEntry(const Json::Value& value, const std::string& path);
    // Writes value as the whole file at path.
    virtual bool WriteDocument(const Json::Value& value, const std::string& path);

    // Empty paths are ignored.
    void SetProfilePath(const std::string& path);
    const std::string& GetProfilePath() const { return profilePath_; }
    void SetDefaultProfilePath(const std::string& path);
    const std::string& GetDefaultProfilePath() const { return defaultProfilePath_; }
    void SetLightConfigPath(const std::string& path) { lightConfigPath_ = path; }
    const std::string& GetLightConfigPath() const { return lightConfigPath_; }
    // Indices outside 0 to 255 are ignored.
    void SetDeviceIndex(int index);
    int GetDeviceIndex() const { return deviceIndex_; }

    // Which user light an effect number names: entry "SelectItem" - firstUserLight of
    // "LightInfo"[deviceNumber] of the light configuration.
    void SetUserLightSource(int deviceNumber, int firstUserLight);

    // Loads the document from the file at path. A file without a document (missing, unreadable,
    // or without element [device index]) gets the default profile's document, and the file is
    // written with it. Returns a copy of the document.
    Json::Value LoadProfile(const std::string& path);
    Json::Value LoadLightConfig(const std::string& path);

    const Json::Value& GetDocument() const { return document_; }
    // Replaces the in-memory document without touching a file (imports, tests).
    void SetDocument(const Json::Value& document) { document_ = document; }

    LightInfoRecord GetLightInfo();
    void SetLightInfo(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    void SetLightInfo(const LightInfoRecord& record);
    const LightInfoRecord& CurrentLightInfo() const { return lightInfo_; }
    std::vector<LightListEntry> GetLightList();
    std::vector<LightEffectStep> GetCustomLightEffect();
    std::vector<KeyListEntry> GetKeyList();
    void SetKeyList(const std::vector<KeyListEntry>& list);

protected:
    // The document when it is an object, else nullptr.
    const Json::Value* ReadableDocument() const;
    // The document, made an object first when it is null or of another type.
    Json::Value& WritableDocument();

private:
    // Reads the profile file at path for an update of its "Device" element. A file whose content
    // cannot be kept (unreadable, not a JSON object) is first moved aside to
    // path + "." + time stamp + ".unreadable"; false when that fails, so nothing is overwritten.
    bool ReadFileForUpdate(const std::string& path, Json::Value& file) const;
    bool StoreDeviceEntry(Json::Value& file, const Json::Value& value, const std::string& path);

    std::string profilePath_;
    std::string defaultProfilePath_;
    LightInfoRecord lightInfo_;
    std::vector<LightListEntry> lightList_;
    Json::Value document_;
    CJsonFile jsonFile_;
    std::string lightConfigPath_;
    std::vector<LightEffectStep> lightSteps_;
    Json::Value lightConfig_;
    std::vector<KeyListEntry> keyList_;
    int deviceIndex_ = 0;
    int lightDeviceNumber_ = 2;
    int firstUserLight_ = 9;
};
