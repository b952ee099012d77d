#include <array>
#include <string>

#include "keys/KeyLookup.h"
#include "macros/MouseEventTable.h"
#include "macros/editing/ActionCommands.h"
#include "profiles/JsonAccess.h"

// The events the action menu and the move buttons insert, and what a row's labels show.
namespace macros::editing {
namespace {

struct MenuButton {
    std::string_view name;
    int bit;
};

constexpr std::array<MenuButton, 5> kMenuButtons{{
    {"left", 0x01},
    {"right", 0x02},
    {"middle", 0x04},
    {"back", 0x08},
    {"forward", 0x10},
}};

Json::Value ButtonEvent(int bit, bool down) {
    return MakeEvent(down, bit, EventType::MouseButton, 0);
}

}  // namespace

std::vector<Json::Value> MenuItemEvents(std::string_view itemName) {
    const std::size_t cut = itemName.rfind('_');
    if (cut == std::string_view::npos) {
        return {};
    }
    const std::string_view button = itemName.substr(0, cut);
    const std::string_view what = itemName.substr(cut + 1);
    for (const MenuButton& entry : kMenuButtons) {
        if (entry.name != button) {
            continue;
        }
        if (what == "down") {
            return {ButtonEvent(entry.bit, true)};
        }
        if (what == "up") {
            return {ButtonEvent(entry.bit, false)};
        }
        if (what == "click") {
            return {ButtonEvent(entry.bit, true), ButtonEvent(entry.bit, false)};
        }
        return {};
    }
    return {};
}

Json::Value MoveEvent(EventType type, bool down, std::string_view distanceText) {
    const int distance = static_cast<int>(ParseDelayText(distanceText) & 0xFF);
    return MakeEvent(down, distance, type, 0);
}

RowLabels LabelsOf(const Json::Value& event) {
    using jsonaccess::Integer;
    using jsonaccess::Member;
    RowLabels labels;
    const std::int64_t type = Integer(Member(&event, "Type"));
    const std::int64_t button = Integer(Member(&event, "Button"));
    const std::string action = jsonaccess::Text(Member(&event, "Action"));
    const bool down = action == kActionDown;

    switch (type) {
        case static_cast<int>(EventType::Key): {
            labels.keyboardStyle = true;
            const keys::KeyRow* row =
                button > 0 && button <= 0xFF
                    ? keys::FindKeyboardRowByUsage(static_cast<std::uint8_t>(button))
                    : nullptr;
            if (row != nullptr) {
                labels.name = std::string(row->name);
            }
            break;
        }
        case static_cast<int>(EventType::Modifier): {
            labels.keyboardStyle = true;
            const keys::KeyRow* row =
                button > 0 && button <= 0xFF
                    ? keys::FindModifierRowByBit(static_cast<std::uint8_t>(button))
                    : nullptr;
            if (row != nullptr) {
                labels.name = std::string(row->name);
            }
            break;
        }
        case static_cast<int>(EventType::MouseButton): {
            // The press and release rows carry the same name, so the action does not matter.
            for (std::size_t i = 0; i < 10; ++i) {
                if (kMouseEventTable[i].button == button) {
                    labels.name = std::string(kMouseEventTable[i].nameId);
                    break;
                }
            }
            break;
        }
        case static_cast<int>(EventType::MoveX):
        case static_cast<int>(EventType::MoveY): {
            // A move names its direction, which only "down" or "up" gives.
            if (down || action == kActionUp) {
                const MouseEventRow* row = FindMouseEventByCode(type, button, down);
                if (row != nullptr) {
                    labels.name = std::string(row->nameId);
                }
            }
            break;
        }
        default:
            break;
    }
    labels.nameIsTextId = !labels.name.empty();

    switch (type) {
        case static_cast<int>(EventType::MoveX):
        case static_cast<int>(EventType::MoveY):
            labels.second = RowLabels::Second::Distance;
            labels.distance = std::to_string(button);
            break;
        case static_cast<int>(EventType::LegacyMouse2):
        case static_cast<int>(EventType::LegacyMouse3):
            labels.second = RowLabels::Second::Empty;
            break;
        default:
            labels.second = down ? RowLabels::Second::Down : RowLabels::Second::Up;
            break;
    }
    return labels;
}

}  // namespace macros::editing
