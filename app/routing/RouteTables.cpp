#include "app/routing/RouteTables.h"

#include <array>

#include "app/routing/RouteNames.h"

namespace routing {

namespace {

constexpr Step kDevice{Target::Device, Op::Control};
constexpr Step kProfile{Target::ProfilePanel, Op::Control};
constexpr Step kKeySet{Target::KeySetPanel, Op::Control};
constexpr Step kKeySetSave{Target::KeySetPanel, Op::KeySetSave};
constexpr Step kMacro{Target::MacroPanel, Op::Control};
constexpr Step kMacroSave{Target::MacroPanel, Op::MacroSave};
constexpr Step kLight{Target::LightPanel, Op::Control};
constexpr Step kShoot{Target::ShootPanel, Op::Control};
constexpr Step kVoice{Target::VoicePanel, Op::Control};
constexpr std::uint8_t kMouseOrKeyboard = kMouse | kKeyboard;

constexpr Step Window(Op op) {
    return {Target::Window, op};
}

constexpr RouteEntry Exact(std::string_view name, Step first, std::uint8_t kinds = kAnyKind,
                           int argument = 0) {
    RouteEntry e;
    e.name = name;
    e.first = first;
    e.kinds = kinds;
    e.argument = argument;
    return e;
}

constexpr RouteEntry Prefix(std::string_view name, Step first, std::uint8_t kinds = kAnyKind) {
    RouteEntry e = Exact(name, first, kinds);
    e.match = Match::Prefix;
    return e;
}

constexpr RouteEntry Then(RouteEntry e, Step then) {
    e.then = then;
    return e;
}

constexpr RouteEntry CaseSensitive(RouteEntry e) {
    e.caseSensitive = true;
    return e;
}

constexpr RouteEntry Identity(RouteEntry e) {
    e.byIdentity = true;
    return e;
}

constexpr RouteEntry Recording(std::string_view name, int mode, int flags) {
    RouteEntry e = Exact(name, {Target::MacroPanel, Op::StartRecording}, kMouseOrKeyboard, mode);
    e.argument2 = flags;
    return e;
}

// "click": the caption buttons by identity, then prefixes, then names.
constexpr std::array kClick{
    Identity(Exact("closebtn", Window(Op::CloseWindow))),
    Identity(Exact("nodevice_ok_btn", Window(Op::HideWindow))),
    Identity(Exact("minbtn", Window(Op::Minimize))),
    Identity(Exact("maxbtn", Window(Op::Maximize))),
    Identity(Exact("restorebtn", Window(Op::Restore))),
    Identity(Exact("skinbtn", Window(Op::SkinChooser))),
    Identity(Exact("setbtn", Window(Op::ShowSettings), kAnyKind, 0)),
    Identity(Exact("control_light_status", Window(Op::ToggleLightControl))),

    Prefix("key_", kDevice),
    Prefix("color_option_", kLight),
    Prefix("windowdeviceset_", {Target::Router, Op::OpenDesktopSettings}),

    Exact("default_btn", {Target::Router, Op::ConfirmDefaults}),
    Exact("reset_repeat_btn", kDevice, kKeyboard),
    Exact("device_add_btn", kProfile),
    Exact("device_sub_btn", kProfile),
    Exact("device_copy_btn", kProfile),
    Exact("device_export_btn", kProfile),
    Exact("device_import_btn", kProfile),
    Exact("device_reset_btn", kProfile),
    Exact("device_profile_edit_save_btn", kProfile),
    Exact("key_butt_keysave", kKeySet),
    Exact("key_butt_keydefalut", kKeySet),
    Exact("key_butt_keycancel", kKeySet),
    Exact("key_butt_prosave", kKeySet),
    Recording("macro_btn_starredio", 0, 4),
    Exact("macro_btn_stopredio", kMacro, kMouseOrKeyboard),
    Exact("macro_btn_name_add", kMacro),
    Exact("macro_btn_name_sub", kMacro),
    Exact("macro_btn_name_edit", kMacro),
    Exact("macro_btn_save", kMacro),
    Exact("macro_btn_cancel", kMacro),
    Exact("macro_btn_export", kMacro),
    Exact("macro_btn_import", kMacro),
    Exact("macro_btn_up", kMacro),
    Exact("macro_btn_down", kMacro),
    Exact("macro_btn_uptop", kMacro),
    Exact("macro_btn_downbottom", kMacro),
    Exact("macro_btn_delete", kMacro),
    Exact("macro_btn_deleteall", kMacro),
    CaseSensitive(Then(Exact("macro_inset_moveleftkey_btn", kMacro, kAnyKind, 1), kMacroSave)),
    CaseSensitive(Then(Exact("macro_inset_moverightkey_btn", kMacro, kAnyKind, 0), kMacroSave)),
    CaseSensitive(Then(Exact("macro_inset_moveupkey_btn", kMacro, kAnyKind, 1), kMacroSave)),
    CaseSensitive(Then(Exact("macro_inset_movedownkey_btn", kMacro, kAnyKind, 0), kMacroSave)),
    Exact("shootdate_save_btn", kShoot),
    Exact("shootdate_reset_btn", kShoot),
    Exact("shootdate_import_btn", kShoot),
    Exact("shootdate_export_btn", kShoot),
    Exact("bullet_selected_prev", kShoot, kMouse, 0),
    Exact("bullet_selected_next", kShoot, kMouse, 1),
    Exact("custom_bright_color_btn", kLight, kKeyboard),
    Exact("custom_off_color_btn", kLight, kKeyboard),
    Exact("deng_same_mode", {Target::Switcher, Op::LightSyncAll}),
    Exact("hs_EQ_btn_save", kVoice, kHeadset),
    Exact("hs_EQ_btn_delete", kVoice, kHeadset),
    CaseSensitive(Exact("profile_fun_spread_btn", kProfile)),
    Exact("device_select_prev", {Target::Switcher, Op::SelectPreviousDevice}),
    Exact("device_select_next", {Target::Switcher, Op::SelectNextDevice}),
};

constexpr RouteEntry FunctionTab(std::string_view name, int page) {
    return Then(Exact(name, {Target::Device, Op::FunctionPage}, kAnyKind, page),
                {Target::ProfilePanel, Op::FunctionPage});
}

constexpr std::array kSelectChanged{
    Prefix("DPI_enable_check_", kDevice, kMouse),
    Prefix("polling_rate_option_", kDevice, kMouseOrKeyboard),
    Prefix("repeat_delay_check_", kDevice, kKeyboard),
    Prefix("mouse_device_seting_option_", kDevice, kMouse),
    Prefix("shoot_gun_op_", kShoot),
    Prefix("bullet_op_", kShoot),
    Prefix("magic_option_", kVoice, kHeadset),
    Prefix("6533_eq_option_", kVoice, kHeadset),
    Then(Prefix("key_ComBox_check_", kKeySet), kKeySetSave),
    Exact("pointer_precision_check", kDevice, kMouse),
    Exact("scrolls_page_check", kDevice, kMouse),
    Exact("winlockflag_option", kDevice, kKeyboard),
    Exact("wflag_option", kDevice, kKeyboard),
    Exact("6flag_option", kDevice, kKeyboard),
    Exact("synchro_device_select", {Target::Switcher, Op::DeviceEntrySelected}),
    Exact("device_select", {Target::Switcher, Op::DeviceEntrySelected}),
    FunctionTab("deng_Op_tab", 1),
    FunctionTab("key_Op_tab", 2),
    FunctionTab("macro_Op_tab", 3),
    FunctionTab("system_Op_tab", 4),
    FunctionTab("cursor_Op_tab", 5),
    FunctionTab("6533_voice_Op_tab", 6),
    FunctionTab("magic_Op_tab", 7),
    FunctionTab("Virtual7.1_Op_tab", 8),
    Exact("deng_FXL_check", kLight, kAnyKind, 1),
    Exact("deng_FXR_check", kLight, kAnyKind, 0),
    Exact("deng_7color_check", kLight),
    Exact("bullet_x_check", kShoot),
    Exact("bullet_y_check", kShoot),
    Exact("magic_enable_option", kVoice, kHeadset),
    Exact("6533_MicIn_option", kVoice, kHeadset),
    Exact("6533_MicMoniter_option", kVoice, kHeadset),
};

constexpr std::array kValueChanged{
    Prefix("DPI_slider_", kDevice, kMouse),
    Prefix("6533_eq_hz_slider_", kVoice, kHeadset),
    Exact("pointer_speed_slider", kDevice, kMouse),
    Exact("scroll_speed_slider", kDevice, kMouse),
    Exact("double_click_slider", kDevice, kMouse),
    Exact("repeat_rate_slider", kDevice, kKeyboard),
    Exact("deng_light_slider", kLight),
    Exact("deng_speed_slider", kLight),
    Exact("6533_MicIn_slider", kVoice, kHeadset),
    Exact("6533_MicMoniter_slider", kVoice, kHeadset),
};

constexpr std::array kMoveValueChanged{
    Prefix("DPI_slider_", kDevice, kMouse),
    Prefix("tamric_DPI_slider_", kDevice, kMouse),
};

constexpr std::array kItemSelect{
    Exact("device_profile_combo", {Target::Router, Op::RestartProfileTimer}),
    Exact("light_combo_modeSelect", kLight),
    Exact("light_combo_custommodeSelect", kLight, kKeyboard),
    Exact("light_combo_ZZCCmodeSelect", kLight, kKeyboard),
    Exact("keyset_function_combo", kKeySet),
    Exact("keyset_macro_over_combo", kKeySet),
    Exact("macro_name_list", kMacro),
    Exact("custom_eq_name_combo", kVoice, kHeadset),
    Exact("keyset_mousekey_combo", kKeySetSave),
    Exact("keyset_mouseswing_combo", kKeySetSave),
    Exact("keyset_mousewheel_combo", kKeySetSave),
    Exact("keyset_mousedpi_combo", kKeySetSave),
    Exact("keyset_media_combo", kKeySetSave),
    Exact("keyset_system_combo", kKeySetSave),
    Exact("keyset_macro_combo", kKeySetSave),
    Exact("keyset_gunkey_combo", kKeySetSave),
    Exact("keyset_combokey_combo", kKeySetSave),
};

constexpr std::array kKillFocus{
    Prefix("DPI_edit_", kDevice, kMouse),
    Prefix("tamric_DPI_edit_", kDevice, kMouse),
    Exact("deng_edit_R", kLight),
    Exact("deng_edit_G", kLight),
    Exact("deng_edit_B", kLight),
    Exact("keyset_keyboard_text_edit", Window(Op::RemoveCaptureHook)),
    Exact("bullet_x_eidt", kShoot),
    Exact("bullet_y_eidt", kShoot),
    Exact("bullet_delay_eidt", kShoot),
    Exact("macro_delay", kMacroSave),
    Exact("keyset_mouseswing_num_edit", kKeySetSave),
    Exact("keyset_mouseswing_delay_edit", kKeySetSave),
    Exact("keyset_mouseswing_speed_edit", kKeySetSave),
    Exact("keyset_mousewheel_num_edit", kKeySetSave),
    Exact("keyset_mousewheel_delay_edit", kKeySetSave),
    Exact("keyset_mousewheel_speed_edit", kKeySetSave),
    Exact("keyset_mousefire_interval_edit", kKeySetSave),
    Exact("keyset_mousefire_num_edit", kKeySetSave),
    Exact("keyset_macro_cycle_edit", kKeySetSave),
};

// Enter in a DPI edit applies it as leaving the edit does.
constexpr std::array kReturn{
    Prefix("DPI_edit_", kDevice, kMouse),
    Prefix("tamric_DPI_edit_", kDevice, kMouse),
};

constexpr std::array kColorChanged{
    Exact("deng_Color_Pallet", kLight),
};

constexpr std::array kClickSelectEnd{
    Exact("device_key_light", {Target::None, Op::None}),
    Exact("mouse_device_key_light", {Target::Router, Op::KeyLightSelectionEnd}),
};

constexpr std::array kWindowSize{
    Exact("root", Window(Op::WindowSize)),
};

constexpr RouteEntry MenuMouse(std::string_view name) {
    return Then(Exact(name, kMacro), kMacroSave);
}

constexpr std::array kMenuCommand{
    Exact("exit", Window(Op::Exit)),
    Exact("about_menu", Window(Op::ShowAbout)),
    Exact("setwnd_menu", Window(Op::ShowSettings), kAnyKind, 1),
    Recording("redio_previous_record_time", 0, 8),
    Recording("redio_previous_constant_time", 2, 8),
    Recording("redio_previous_ignore_time", 3, 8),
    Recording("redio_later_record_time", 0, 16),
    Recording("redio_later_constant_time", 2, 16),
    Recording("redio_later_ignore_time", 3, 16),
    Recording("macro_action_edit", 3, 32),
    MenuMouse("left_down"),
    MenuMouse("left_up"),
    MenuMouse("left_click"),
    MenuMouse("middle_down"),
    MenuMouse("middle_up"),
    MenuMouse("middle_click"),
    MenuMouse("right_down"),
    MenuMouse("right_up"),
    MenuMouse("right_click"),
    MenuMouse("forward_down"),
    MenuMouse("forward_up"),
    MenuMouse("forward_click"),
    MenuMouse("back_down"),
    MenuMouse("back_up"),
    MenuMouse("back_click"),
};

struct TypeTable {
    std::string_view type;
    std::span<const RouteEntry> entries;
};

constexpr std::array kTables{
    TypeTable{"click", kClick},
    TypeTable{"selectchanged", kSelectChanged},
    TypeTable{"valuechanged", kValueChanged},
    TypeTable{"movevaluechanged", kMoveValueChanged},
    TypeTable{"itemselect", kItemSelect},
    TypeTable{"killfocus", kKillFocus},
    TypeTable{"return", kReturn},
    TypeTable{"colorchanged", kColorChanged},
    TypeTable{"click_select_end", kClickSelectEnd},
    TypeTable{"windowsize", kWindowSize},
    TypeTable{"menucommand", kMenuCommand},
};

constexpr std::array<std::string_view, 8> kNoEffectTypes{
    "msenter",        "msleave",     "itemclick",    "textchanged",
    "click_wpremove", "click_wpadd", "click_wpedit", "click_wpselect",
};

bool NameMatches(const RouteEntry& entry, std::string_view name) {
    return entry.caseSensitive ? entry.name == name : EqualsIgnoringCase(entry.name, name);
}

}  // namespace

std::uint8_t KindBit(int deviceKind) {
    switch (deviceKind) {
        case 1:
            return kKeyboard;
        case 2:
        case 6:
            return kMouse;
        case 3:
            return kMousePad;
        case 7:
            return kHeadset;
        default:
            return 0;
    }
}

std::span<const RouteEntry> TableFor(std::string_view type) {
    for (const TypeTable& table : kTables) {
        if (table.type == type) {
            return table.entries;
        }
    }
    return {};
}

std::optional<RouteMatch> FindRoute(std::string_view type, std::string_view name,
                                    const IdentityCheck& isOwnControl) {
    const std::optional<IndexedName> indexed = SplitIndexedName(name);
    for (const RouteEntry& entry : TableFor(type)) {
        if (entry.match == Match::Prefix) {
            if (indexed && NameMatches(entry, indexed->prefix)) {
                return RouteMatch{&entry, indexed->number};
            }
        } else if (NameMatches(entry, name)) {
            if (entry.byIdentity && !(isOwnControl && isOwnControl(entry.name))) {
                continue;
            }
            return RouteMatch{&entry, 0};
        }
    }
    return std::nullopt;
}

bool IsNoEffectType(std::string_view type) {
    for (std::string_view t : kNoEffectTypes) {
        if (t == type) {
            return true;
        }
    }
    return false;
}

bool SkipsDefaultHandling(std::string_view type) {
    return type == "click_wpremove" || type == "click_wpedit";
}

bool IsTraced(std::string_view type) {
    return type != "timer";
}

}  // namespace routing
