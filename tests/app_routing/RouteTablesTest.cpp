#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/routing/RouteNames.h"
#include "app/routing/RouteTables.h"

namespace {

using routing::Op;
using routing::Target;

struct RouteCase {
    const char* type;
    const char* name;
    Target target;  // Target::None with Op::None: no route at all
    Op op;
    int number = 0;
    int argument = 0;
};

std::string Describe(const RouteCase& c) {
    return std::string(c.type) + " " + c.name;
}

const RouteCase kRoutes[] = {
    // The key buttons: lower or capital K, and "key_" with no number.
    {"click", "key_3", Target::Device, Op::Control, 3},
    {"click", "Key_3", Target::Device, Op::Control, 3},
    {"click", "KEY_17", Target::Device, Op::Control, 17},
    {"click", "key_", Target::Device, Op::Control, 0},
    // Names that begin like a prefix but split elsewhere are exact names.
    {"click", "key_butt_keysave", Target::KeySetPanel, Op::Control},
    {"click", "KEY_BUTT_KEYDEFALUT", Target::KeySetPanel, Op::Control},
    {"click", "color_option_4", Target::LightPanel, Op::Control, 4},
    {"click", "windowdeviceset_1", Target::Router, Op::OpenDesktopSettings, 1},
    {"click", "default_btn", Target::Router, Op::ConfirmDefaults},
    {"click", "device_copy_btn", Target::ProfilePanel, Op::Control},
    {"click", "macro_btn_starredio", Target::MacroPanel, Op::StartRecording, 0, 0},
    {"click", "Macro_Btn_DeleteAll", Target::MacroPanel, Op::Control},
    // The macro insert buttons are matched exactly as written.
    {"click", "macro_inset_moveleftkey_btn", Target::MacroPanel, Op::Control, 0, 1},
    {"click", "macro_inset_moverightkey_btn", Target::MacroPanel, Op::Control, 0, 0},
    {"click", "macro_inset_moveupkey_btn", Target::MacroPanel, Op::Control, 0, 1},
    {"click", "macro_inset_movedownkey_btn", Target::MacroPanel, Op::Control, 0, 0},
    {"click", "Macro_inset_moveleftkey_btn", Target::None, Op::None},
    {"click", "macro_inset_MOVEUPKEY_btn", Target::None, Op::None},
    {"click", "profile_fun_spread_btn", Target::ProfilePanel, Op::Control},
    {"click", "Profile_fun_spread_btn", Target::None, Op::None},
    {"click", "bullet_selected_next", Target::ShootPanel, Op::Control, 0, 1},
    {"click", "deng_same_mode", Target::Switcher, Op::LightSyncAll},
    {"click", "device_select_prev", Target::Switcher, Op::SelectPreviousDevice},
    {"click", "unknown_btn", Target::None, Op::None},
    {"click", "keyset", Target::None, Op::None},  // no "_": never a prefix entry
    // Selection.
    {"selectchanged", "DPI_enable_check_1", Target::Device, Op::Control, 1},
    {"selectchanged", "polling_rate_option_4", Target::Device, Op::Control, 4},
    {"selectchanged", "key_ComBox_check_10", Target::KeySetPanel, Op::Control, 10},
    {"selectchanged", "macro_Op_tab", Target::Device, Op::FunctionPage, 0, 3},
    {"selectchanged", "Virtual7.1_Op_tab", Target::Device, Op::FunctionPage, 0, 8},
    {"selectchanged", "deng_FXL_check", Target::LightPanel, Op::Control, 0, 1},
    {"selectchanged", "deng_FXR_check", Target::LightPanel, Op::Control, 0, 0},
    {"selectchanged", "device_select", Target::Switcher, Op::DeviceEntrySelected},
    {"selectchanged", "key_3", Target::None, Op::None},  // "key_" is a click prefix only
    // Values: the slider prefixes, and the dragging variant with the "tamric_" sliders.
    {"valuechanged", "DPI_slider_2", Target::Device, Op::Control, 2},
    {"valuechanged", "tamric_DPI_slider_2", Target::None, Op::None},
    {"movevaluechanged", "tamric_DPI_slider_2", Target::Device, Op::Control, 2},
    {"movevaluechanged", "DPI_slider_0", Target::Device, Op::Control, 0},
    {"valuechanged", "6533_eq_hz_slider_9", Target::VoicePanel, Op::Control, 9},
    // Lists and edits.
    {"itemselect", "device_profile_combo", Target::Router, Op::RestartProfileTimer},
    {"itemselect", "keyset_function_combo", Target::KeySetPanel, Op::Control},
    {"itemselect", "keyset_gunkey_combo", Target::KeySetPanel, Op::KeySetSave},
    {"killfocus", "tamric_DPI_edit_1", Target::Device, Op::Control, 1},
    {"killfocus", "keyset_keyboard_text_edit", Target::Window, Op::RemoveCaptureHook},
    {"killfocus", "macro_delay", Target::MacroPanel, Op::MacroSave},
    {"killfocus", "bullet_delay_eidt", Target::ShootPanel, Op::Control},
    // Enter applies a DPI edit as leaving it does; other edits take no Enter.
    {"return", "DPI_edit_3", Target::Device, Op::Control, 3},
    {"return", "tamric_DPI_edit_1", Target::Device, Op::Control, 1},
    {"return", "deng_edit_R", Target::None, Op::None},
    {"colorchanged", "deng_Color_Pallet", Target::LightPanel, Op::Control},
    {"click_select_end", "device_key_light", Target::None, Op::None},
    {"click_select_end", "mouse_device_key_light", Target::Router, Op::KeyLightSelectionEnd},
    {"windowsize", "root", Target::Window, Op::WindowSize},
    {"windowsize", "other", Target::None, Op::None},
    // Menus.
    {"menucommand", "about_menu", Target::Window, Op::ShowAbout},
    {"menucommand", "setwnd_menu", Target::Window, Op::ShowSettings, 0, 1},
    {"menucommand", "redio_previous_constant_time", Target::MacroPanel, Op::StartRecording, 0, 2},
    {"menucommand", "redio_later_ignore_time", Target::MacroPanel, Op::StartRecording, 0, 3},
    {"menucommand", "macro_action_edit", Target::MacroPanel, Op::StartRecording, 0, 3},
    {"menucommand", "back_click", Target::MacroPanel, Op::Control},
    // Types without a table.
    {"itemclick", "macro_name_list", Target::None, Op::None},
    {"textchanged", "deng_edit_R", Target::None, Op::None},
};

TEST(RouteTables, NamesRouteToTheirHandlers) {
    for (const RouteCase& c : kRoutes) {
        SCOPED_TRACE(Describe(c));
        const auto match = routing::FindRoute(c.type, c.name);
        if (c.target == Target::None && c.op == Op::None) {
            EXPECT_TRUE(!match || match->entry->first.target == Target::None);
            continue;
        }
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(match->entry->first.target, c.target);
        EXPECT_EQ(match->entry->first.op, c.op);
        EXPECT_EQ(match->number, c.number);
        EXPECT_EQ(match->entry->argument, c.argument);
    }
}

TEST(RouteTables, FollowUpStepsRunAfterTheFirst) {
    struct Case {
        const char* type;
        const char* name;
        Target then;
        Op thenOp;
    };
    const Case cases[] = {
        {"selectchanged", "key_ComBox_check_2", Target::KeySetPanel, Op::KeySetSave},
        {"selectchanged", "deng_Op_tab", Target::ProfilePanel, Op::FunctionPage},
        {"click", "macro_inset_movedownkey_btn", Target::MacroPanel, Op::MacroSave},
        {"menucommand", "left_down", Target::MacroPanel, Op::MacroSave},
        {"click", "macro_btn_save", Target::None, Op::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto match = routing::FindRoute(c.type, c.name);
        ASSERT_TRUE(match.has_value());
        EXPECT_EQ(match->entry->then.target, c.then);
        EXPECT_EQ(match->entry->then.op, c.thenOp);
    }
}

TEST(RouteTables, KindLimitsFollowTheDeviceKinds) {
    const auto kindsOf = [](const char* type, const char* name) {
        return routing::FindRoute(type, name)->entry->kinds;
    };
    EXPECT_EQ(kindsOf("click", "reset_repeat_btn"), routing::kKeyboard);
    EXPECT_EQ(kindsOf("click", "bullet_selected_prev"), routing::kMouse);
    EXPECT_EQ(kindsOf("selectchanged", "polling_rate_option_1"),
              routing::kMouse | routing::kKeyboard);
    EXPECT_EQ(kindsOf("click", "hs_EQ_btn_save"), routing::kHeadset);
    EXPECT_EQ(kindsOf("click", "key_1"), routing::kAnyKind);
    EXPECT_EQ(routing::KindBit(2), routing::kMouse);
    EXPECT_EQ(routing::KindBit(6), routing::kMouse);  // the mouse through its receiver
    EXPECT_EQ(routing::KindBit(1), routing::kKeyboard);
    EXPECT_EQ(routing::KindBit(3), routing::kMousePad);
    EXPECT_EQ(routing::KindBit(7), routing::kHeadset);
    EXPECT_EQ(routing::KindBit(0), 0);
}

TEST(RouteTables, CaptionButtonsMatchOnlyTheWindowsOwnControls) {
    EXPECT_FALSE(routing::FindRoute("click", "closebtn").has_value());
    const auto own = [](std::string_view name) { return name == "closebtn"; };
    const auto match = routing::FindRoute("click", "CloseBtn", own);
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->entry->first.op, Op::CloseWindow);
    EXPECT_FALSE(routing::FindRoute("click", "minbtn", own).has_value());
}

// Each table is well formed: prefixes end in "_", and no name is listed twice, so that no entry
// is shadowed by an earlier one.
TEST(RouteTables, TablesHaveNoShadowedEntries) {
    for (const char* type :
         {"click", "selectchanged", "valuechanged", "movevaluechanged", "itemselect", "killfocus",
          "return", "colorchanged", "click_select_end", "windowsize", "menucommand"}) {
        SCOPED_TRACE(type);
        const auto table = routing::TableFor(type);
        ASSERT_FALSE(table.empty());
        for (std::size_t i = 0; i < table.size(); ++i) {
            const auto& entry = table[i];
            if (entry.match == routing::Match::Prefix) {
                EXPECT_EQ(entry.name.back(), '_') << entry.name;
            }
            // Every entry is reached by its own name (the caption buttons by identity).
            const auto own = [&](std::string_view name) { return name == entry.name; };
            const std::string probe =
                std::string(entry.name) + (entry.match == routing::Match::Prefix ? "1" : "");
            const auto match = routing::FindRoute(type, probe, own);
            ASSERT_TRUE(match.has_value()) << probe;
            EXPECT_EQ(match->entry, &entry) << probe << " is shadowed";
        }
    }
    EXPECT_TRUE(routing::TableFor("nosuchtype").empty());
}

TEST(RouteTables, TypeLevelRules) {
    for (const char* type : {"msenter", "msleave", "itemclick", "textchanged", "click_wpremove",
                             "click_wpadd", "click_wpedit", "click_wpselect"}) {
        EXPECT_TRUE(routing::IsNoEffectType(type)) << type;
    }
    EXPECT_FALSE(routing::IsNoEffectType("click"));
    EXPECT_TRUE(routing::SkipsDefaultHandling("click_wpremove"));
    EXPECT_TRUE(routing::SkipsDefaultHandling("click_wpedit"));
    EXPECT_FALSE(routing::SkipsDefaultHandling("click_wpadd"));
    EXPECT_FALSE(routing::IsTraced("timer"));
    EXPECT_TRUE(routing::IsTraced("click"));
}

}  // namespace
