#include "app/routing/ControlRouter.h"

#include <QVariant>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "app/routing/KeyLightSelection.h"
#include "appearance/DeviceKeyButtonUI.h"
#include "base/Trace.h"
#include "profiles/DataFolders.h"
#include "profiles/JsonFile.h"
#include "ui/ControlClass.h"
#include "ui/Dialogs.h"
#include "ui/Notification.h"

namespace routing {

namespace {

bool IsDeviceTarget(Target target) {
    switch (target) {
        case Target::Device:
        case Target::ProfilePanel:
        case Target::KeySetPanel:
        case Target::MacroPanel:
        case Target::LightPanel:
        case Target::ShootPanel:
        case Target::VoicePanel:
            return true;
        default:
            return false;
    }
}

// Where the capture hook's macro messages go, with the insertion flag they stand for.
struct MacroMessage {
    capture::RecordingMessage message;
    int insertion;
};
constexpr MacroMessage kKeyMacroMessages[] = {
    {capture::RecordingMessage::KeyKbMacro, capture::mode::kAppend},
    {capture::RecordingMessage::KeyKbMacroPrevious, capture::mode::kBefore},
    {capture::RecordingMessage::KeyKbMacroLater, capture::mode::kAfter},
    {capture::RecordingMessage::KeyKbMacroSingle, capture::mode::kReplace},
};
constexpr MacroMessage kMouseMacroMessages[] = {
    {capture::RecordingMessage::KeyMsMacro, capture::mode::kAppend},
    {capture::RecordingMessage::KeyMsMacroPrevious, capture::mode::kBefore},
    {capture::RecordingMessage::KeyMsMacroLater, capture::mode::kAfter},
    {capture::RecordingMessage::KeyMsMacroSingle, capture::mode::kReplace},
};

template <std::size_t N>
int InsertionOf(const MacroMessage (&table)[N], capture::RecordingMessage message) {
    for (const MacroMessage& row : table) {
        if (row.message == message) {
            return row.insertion;
        }
    }
    return 0;
}

}  // namespace

CControlRouter::CControlRouter(RoutingHost& host, QObject* parent) : QObject(parent), host_(host) {
    profileTimer_.setSingleShot(true);
    profileTimer_.setInterval(kProfileTimerMs);
    connect(&profileTimer_, &QTimer::timeout, this, &CControlRouter::OnProfileTimer);
}

CControlRouter::~CControlRouter() = default;

void CControlRouter::SetDesktopSettingsLauncher(DesktopSettingsLauncher launcher) {
    launcher_ = std::move(launcher);
}

bool CControlRouter::Route(const ui::Notification& notification) {
    // The window has written the notification to the trace already.
    const std::string type = notification.type.toStdString();
    if (type == "windowinit") {
        RoutedEvent event;
        event.notification = &notification;
        Deliver({Target::Window, Op::WindowInit}, event, kAnyKind);
        return true;
    }
    if (IsNoEffectType(type)) {
        return !SkipsDefaultHandling(type);
    }
    const std::string name = notification.senderName.toStdString();
    const QWidget* sender = notification.sender.data();
    const IdentityCheck isOwnControl = [this, sender](std::string_view ownName) {
        const QWidget* own = host_.OwnControl(
            QString::fromUtf8(ownName.data(), static_cast<qsizetype>(ownName.size())));
        return own != nullptr && own == sender;
    };
    if (const auto match = FindRoute(type, name, isOwnControl)) {
        Run(*match, notification);
    }
    return true;
}

void CControlRouter::Run(const RouteMatch& match, const ui::Notification& notification) {
    const RouteEntry& entry = *match.entry;
    if (entry.first.target == Target::None) {
        return;
    }
    if (entry.first.target == Target::Router) {
        RunRouterOp(match, notification);
        return;
    }
    RoutedEvent event;
    event.name = entry.name;
    event.number = match.number;
    event.argument = entry.argument;
    event.argument2 = entry.argument2;
    event.notification = &notification;
    event.op = entry.first.op;
    if (!Deliver(entry.first, event, entry.kinds)) {
        return;
    }
    if (entry.then.target != Target::None) {
        event.op = entry.then.op;
        Deliver(entry.then, event, entry.kinds);
    }
}

ControlHandler* CControlRouter::Receiver(Target target, std::uint8_t kinds) {
    switch (target) {
        case Target::Window:
            return host_.WindowCommands();
        case Target::Switcher:
            return host_.Switcher();
        default:
            break;
    }
    if (!IsDeviceTarget(target)) {
        return nullptr;
    }
    RoutedDevice* device = host_.CurrentDevice();
    if (device == nullptr) {
        return nullptr;
    }
    if (kinds != kAnyKind && (KindBit(device->DeviceKind()) & kinds) == 0) {
        return nullptr;
    }
    return device->Handler(target);
}

bool CControlRouter::Deliver(Step step, RoutedEvent event, std::uint8_t kinds) {
    // Light synchronisation copies the current device's effect: nothing to copy without one.
    if (step.op == Op::LightSyncAll && host_.CurrentDevice() == nullptr) {
        return false;
    }
    ControlHandler* handler = Receiver(step.target, kinds);
    if (handler == nullptr) {
        return false;
    }
    event.op = step.op;
    handler->OnControl(event);
    return true;
}

void CControlRouter::RunRouterOp(const RouteMatch& match, const ui::Notification& notification) {
    const RouteEntry& entry = *match.entry;
    switch (entry.first.op) {
        case Op::OpenDesktopSettings:
            if (match.number == 0 || match.number == 1) {
                launcher_.Open(static_cast<SettingsPage>(match.number), host_.DialogOwner());
            }
            break;
        case Op::RestartProfileTimer:
            profileTimer_.start();
            break;
        case Op::ConfirmDefaults: {
            if (host_.CurrentDevice() == nullptr) {
                return;
            }
            const int answer = ui::CurrentDialogs().ShowMessage(
                host_.DialogOwner(), QString::fromLatin1(kDefaultsQuestionId), 2);
            // The modal question runs the event loop: the device may have gone meanwhile.
            if (answer == 1) {
                RoutedEvent event;
                event.name = entry.name;
                event.notification = &notification;
                Deliver({Target::Device, Op::LoadDefaults}, event, entry.kinds);
            }
            break;
        }
        case Op::KeyLightSelectionEnd:
            FinishKeyLightSelection(notification);
            break;
        default:
            break;
    }
}

void CControlRouter::OnProfileTimer() {
    RoutedEvent event;
    event.name = "device_profile_combo";
    Deliver({Target::ProfilePanel, Op::ProfileSwitch}, event, kAnyKind);
}

void CControlRouter::FinishKeyLightSelection(const ui::Notification& notification) {
    RoutedDevice* device = host_.CurrentDevice();
    const QWidget* panel = notification.sender.data();
    if (device == nullptr || panel == nullptr) {
        return;
    }
    std::vector<std::string> texts;  // owns the strings the button states point into
    std::vector<KeyButtonState> buttons;
    const QList<QWidget*> children = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    texts.reserve(static_cast<std::size_t>(children.size()) * 2);
    for (const QWidget* child : children) {
        if (ui::ControlClass(child) != QStringLiteral("DeviceKeyButton")) {
            continue;
        }
        texts.push_back(child->objectName().toStdString());
        texts.push_back(child->property("userdata").toString().toStdString());
        KeyButtonState state;
        const auto* button = qobject_cast<const appearance::CDeviceKeyButtonUI*>(child);
        state.selected = button != nullptr && button->IsSelectMarked();
        state.hidden = child->isHidden();
        buttons.push_back(state);
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].name = texts[2 * i];
        buttons[i].userData = texts[2 * i + 1];
    }
    if (!KeyLightSelectsAllLeds(buttons, device->LedCount())) {
        return;
    }
    const QString profileName = host_.ProfileName();
    if (profileName.contains(QLatin1Char('/')) || profileName.contains(QLatin1String(".."))) {
        return;  // the document must stay in the user data folder
    }
    const std::string path =
        datafolders::GetUserDataFolder() + profileName.toStdString() + std::string(".json");
    if (CJsonFile().readjsonValue(path).isNull()) {
        return;
    }
    RoutedEvent event;
    event.name = "mouse_device_key_light";
    event.notification = &notification;
    event.text = QString::fromStdString(path);
    Deliver({Target::Device, Op::KeyLightProfile}, event, kAnyKind);
}

void CControlRouter::OnRecordedKey(capture::RecordingMessage message,
                                   const capture::KeyRecord& record) {
    RoutedEvent event;
    event.name = capture::RecordingMessageName(message);
    event.key = &record;
    if (message == capture::RecordingMessage::KeySingleKey) {
        Deliver({Target::KeySetPanel, Op::CapturedKey}, event, kMouse | kKeyboard);
        return;
    }
    event.argument = InsertionOf(kKeyMacroMessages, message);
    if (event.argument != 0) {
        Deliver({Target::MacroPanel, Op::RecordedKey}, event, kMouse | kKeyboard);
    }
}

void CControlRouter::OnRecordedMouse(capture::RecordingMessage message,
                                     const capture::MouseRecord& record) {
    RoutedEvent event;
    event.name = capture::RecordingMessageName(message);
    event.mouse = &record;
    event.argument = InsertionOf(kMouseMacroMessages, message);
    if (event.argument != 0) {
        Deliver({Target::MacroPanel, Op::RecordedMouse}, event, kMouse | kKeyboard);
    }
}

}  // namespace routing
