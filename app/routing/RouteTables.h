#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

// The routing tables of the main window: for each notification type, which control names and
// name prefixes exist and who handles them. Matching is Qt-free so that it is tested everywhere.
namespace routing {

// Who receives a routed control event.
enum class Target : std::uint8_t {
    None,          // the notification has no effect
    Router,        // the router acts itself (desktop settings, profile timer, confirmations)
    Window,        // the main window's own commands
    Switcher,      // device switching and light synchronisation
    Device,        // the current device's page
    ProfilePanel,  // panels of the current device's page
    KeySetPanel,
    MacroPanel,
    LightPanel,
    ShootPanel,
    VoicePanel,
};
inline constexpr int kTargetCount = 11;

// What runs. Control means "the operation of that control" (the handler tells by name); the
// others are operations whose meaning differs from the control's name.
enum class Op : std::uint8_t {
    None,
    Control,
    // Window
    WindowInit,
    WindowSize,
    CloseWindow,  // "closebtn": close the secondary windows, hide the main window
    HideWindow,   // "nodevice_ok_btn"
    Minimize,
    Maximize,
    Restore,
    SkinChooser,
    ShowSettings,  // argument: 0 beside the main window, 1 centred
    ToggleLightControl,
    ShowAbout,
    Exit,
    RemoveCaptureHook,
    // Switcher
    LightSyncAll,
    SelectPreviousDevice,
    SelectNextDevice,
    DeviceEntrySelected,
    // Router
    OpenDesktopSettings,  // number 0 keyboard, 1 mouse
    RestartProfileTimer,
    ConfirmDefaults,
    KeyLightSelectionEnd,
    // Device and panels
    LoadDefaults,     // device: LoadDefaultProfileState, WriteKeys, WriteSettings
    FunctionPage,     // device and profile panel: page = argument
    ProfileSwitch,    // profile panel, when timer 1055 fires
    KeySetSave,       // the key set save of "key_butt_keysave"
    MacroSave,        // save the selected macro
    StartRecording,   // macro panel: argument = mode (0: as the record button), argument2 = flags
    KeyLightProfile,  // device: reload from the key-light profile document (path in text)
    CapturedKey,      // key set panel: a single key from the capture hook
    RecordedKey,      // macro panel: argument = insertion flag (4, 8, 16, 32)
    RecordedMouse,
};

// Device kinds an entry is limited to (0: any, or no device needed).
enum KindMask : std::uint8_t {
    kAnyKind = 0,
    kKeyboard = 1 << 0,
    kMouse = 1 << 1,  // on a cable (2) or through the receiver (6)
    kMousePad = 1 << 2,
    kHeadset = 1 << 3,
};
std::uint8_t KindBit(int deviceKind);

enum class Match : std::uint8_t { Exact, Prefix };

struct Step {
    Target target = Target::None;
    Op op = Op::None;
};

struct RouteEntry {
    std::string_view name;
    Match match = Match::Exact;
    bool caseSensitive = false;
    bool byIdentity = false;  // caption buttons: the window's own control of that name only
    std::uint8_t kinds = kAnyKind;
    Step first;
    Step then;  // runs after first when set
    int argument = 0;
    int argument2 = 0;
};

// A matched entry with the number taken from an indexed name (0 for exact names).
struct RouteMatch {
    const RouteEntry* entry = nullptr;
    int number = 0;
};

// The table of a notification type, in matching order; empty for unknown types.
std::span<const RouteEntry> TableFor(std::string_view type);

// Answers whether the sender is the window's own control of that name (caption buttons).
using IdentityCheck = std::function<bool(std::string_view name)>;

// The first entry of type's table that name matches (prefix entries by the indexed-name rule);
// an identity entry matches only when isOwnControl confirms it. Menu items use "menucommand".
std::optional<RouteMatch> FindRoute(std::string_view type, std::string_view name,
                                    const IdentityCheck& isOwnControl = {});

// Types that are handled without a table: a handler that does nothing, and the two wallpaper
// notifications after which the UI layer's default handling is skipped too.
bool IsNoEffectType(std::string_view type);
bool SkipsDefaultHandling(std::string_view type);

// Whether a notification of this type is written to the trace (all but "timer").
bool IsTraced(std::string_view type);

}  // namespace routing
