#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>
#include <vector>

#include "macros/MacroEvent.h"

// Recoil patterns: four guns of thirty bullets, each gun one "ShootData_<n>.Shoot" file in the
// mouse's data folder in the event encoding of the macro files. Bullet b owns the six events
// 6b .. 6b + 5: left press (10 ms), left release, the horizontal move (5 ms), the vertical move
// (bullet delay), and two zero moves.
namespace recoil {

inline constexpr int kGunCount = 4;
inline constexpr int kBulletCount = 30;
inline constexpr int kEventsPerBullet = 6;
inline constexpr int kMaxDistance = 255;  // only the low byte reaches the device
inline constexpr int kMaxBulletDelay = 65535;
// An imported pattern may carry more than the 180 events the panel writes, but four such
// patterns must still fit in one shoot image (its length is a 16-bit field).
inline constexpr int kMaxEventsPerGun = 4000;

// What the shoot panel edits for one bullet.
struct BulletValues {
    bool xLeft = false;  // "down" on the horizontal move: to the left
    int x = 0;
    bool yUp = false;  // "down" on the vertical move: upwards
    int y = 0;
    int delay = 0;

    bool operator==(const BulletValues&) const = default;
};

// "ShootData_" + gun + ".Shoot".
std::string ShootFileName(int gun);

// The values of bullet b as a document holds them; zeros where it holds nothing readable.
BulletValues BulletFromDocument(const Json::Value& document, int bullet);

// Replaces the six events of bullet b in "Events" (created when missing). Distances are limited
// to 0..255 and the delay to 0..65535; other members and other elements stay.
void WriteBulletIntoDocument(Json::Value& document, int bullet, const BulletValues& values);

// Whether a document can stand as a gun's pattern: an object whose "Events" is an array of at
// most kMaxEventsPerGun objects.
bool IsShootDocument(const Json::Value& document);

// The factory pattern of a gun (gun clamped to 0..3), a complete 180-event document.
Json::Value DefaultPatternDocument(int gun);

// The device event records of one shoot document, all of its "Events" in order.
std::vector<macros::DeviceEventRecord> ShootRecords(const Json::Value& document);

}  // namespace recoil
