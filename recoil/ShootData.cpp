#include "recoil/ShootData.h"

#include <algorithm>
#include <array>

#include "macros/MacroFiles.h"
#include "profiles/JsonAccess.h"

namespace recoil {

namespace {

Json::Value MakeShootEvent(bool down, int button, int delay, int type) {
    Json::Value event(Json::objectValue);
    event["Action"] = down ? "down" : "up";
    event["Button"] = button;
    event["Delay"] = delay;  // an integer in shoot files, unlike macro files
    event["Type"] = type;
    return event;
}

int ReadDistance(const Json::Value* event) {
    const std::int64_t value = jsonaccess::Integer(jsonaccess::Member(event, "Button"));
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, kMaxDistance));
}

bool IsDown(const Json::Value* event) {
    return jsonaccess::Text(jsonaccess::Member(event, "Action")) == macros::kActionDown;
}

}  // namespace

std::string ShootFileName(int gun) {
    return "ShootData_" + std::to_string(gun) + ".Shoot";
}

BulletValues BulletFromDocument(const Json::Value& document, int bullet) {
    BulletValues values;
    const Json::Value& events = macros::EventsOf(document);
    if (bullet < 0 || bullet >= kBulletCount) {
        return values;
    }
    const auto first = static_cast<Json::ArrayIndex>(bullet * kEventsPerBullet);
    const Json::Value* xMove = jsonaccess::Element(&events, first + 2);
    const Json::Value* yMove = jsonaccess::Element(&events, first + 3);
    values.xLeft = IsDown(xMove);
    values.x = ReadDistance(xMove);
    values.yUp = IsDown(yMove);
    values.y = ReadDistance(yMove);
    values.delay = macros::ClampDelay(macros::DelayValue(jsonaccess::Member(yMove, "Delay")));
    return values;
}

void WriteBulletIntoDocument(Json::Value& document, int bullet, const BulletValues& values) {
    if (bullet < 0 || bullet >= kBulletCount) {
        return;
    }
    if (!document.isObject()) {
        document = Json::Value(Json::objectValue);
    }
    Json::Value& events = document["Events"];
    if (!events.isArray()) {
        events = Json::Value(Json::arrayValue);
    }
    const int x = std::clamp(values.x, 0, kMaxDistance);
    const int y = std::clamp(values.y, 0, kMaxDistance);
    const int delay = std::clamp(values.delay, 0, kMaxBulletDelay);
    const auto first = static_cast<Json::ArrayIndex>(bullet * kEventsPerBullet);
    const std::array<Json::Value, kEventsPerBullet> six = {
        MakeShootEvent(true, 1, 10, 1),        MakeShootEvent(false, 1, 0, 1),
        MakeShootEvent(values.xLeft, x, 5, 4), MakeShootEvent(values.yUp, y, delay, 5),
        MakeShootEvent(values.xLeft, 0, 0, 4), MakeShootEvent(values.yUp, 0, 0, 5),
    };
    for (Json::ArrayIndex k = 0; k < six.size(); ++k) {
        events[first + k] = six[k];
    }
}

bool IsShootDocument(const Json::Value& document) {
    if (!document.isObject()) {
        return false;
    }
    const Json::Value* events = jsonaccess::Member(&document, "Events");
    if (events == nullptr || !events->isArray() || events->size() > kMaxEventsPerGun) {
        return false;
    }
    return std::all_of(events->begin(), events->end(),
                       [](const Json::Value& event) { return event.isObject(); });
}

Json::Value DefaultPatternDocument(int gun) {
    gun = std::clamp(gun, 0, kGunCount - 1);
    // Per gun: time between shots and how hard the muzzle climbs. The pull starts strong,
    // settles after the first burst, and drifts sideways in a slow sway.
    struct Gun {
        int delay;
        int climbStart;
        int climbSettled;
        int sway;
    };
    constexpr std::array<Gun, kGunCount> kGuns = {{
        {95, 9, 5, 2},     // assault rifle
        {70, 6, 4, 1},     // submachine gun
        {110, 12, 7, 3},   // light machine gun
        {150, 14, 10, 1},  // marksman rifle
    }};
    const Gun& g = kGuns[static_cast<std::size_t>(gun)];
    Json::Value document(Json::objectValue);
    for (int b = 0; b < kBulletCount; ++b) {
        BulletValues values;
        values.y = b < 8 ? g.climbStart - (g.climbStart - g.climbSettled) * b / 8 : g.climbSettled;
        values.yUp = false;             // pull down against the climb
        const int phase = (b / 5) % 4;  // ten bullets drifting right, then ten left
        values.xLeft = phase >= 2;
        values.x = (b % 5 == 4) ? 0 : g.sway;
        values.delay = g.delay;
        WriteBulletIntoDocument(document, b, values);
    }
    return document;
}

std::vector<macros::DeviceEventRecord> ShootRecords(const Json::Value& document) {
    return macros::EncodeEvents(document);
}

}  // namespace recoil
