#include "app/discovery/DeviceSwitcher.h"

#include <QAbstractButton>
#include <QLayout>
#include <QTimer>
#include <QWidget>

#include "app/discovery/SwitcherControls.h"
#include "appearance/DeviceOptionUI.h"
#include "appearance/MpDevicePowerUI.h"
#include "base/Trace.h"
#include "devices/core/UsbDeviceCore.h"
#include "ui/ControlLookup.h"
#include "ui/LayoutLoader.h"
#include "ui/OptionButton.h"
#include "ui/TabLayout.h"

namespace discovery {

namespace {

constexpr char kEntryContainer[] = "device_select_layout";
constexpr char kPageTabs[] = "device_switch";
constexpr char kPowerTabs[] = "device_power_switch";
constexpr char kNoDevice[] = "No_device_Link";
constexpr char kPreviousButton[] = "device_select_prev";
constexpr char kNextButton[] = "device_select_next";
constexpr char kSameMode[] = "deng_same_mode";

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool SameDevice(const hid::HidInterfaceId& a, const hid::HidInterfaceId& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.deviceKind == b.deviceKind;
}

}  // namespace

struct CDeviceSwitcher::CreatedDevice {
    const DeviceKindRow* row = nullptr;
    std::unique_ptr<IDevicePage> page;
    QPointer<appearance::CDeviceOptionUI> entry;
    QPointer<appearance::CMpDevicePowerUI> power;
};

// The discovery thread's hand-overs, run on the UI thread while the thread waits.
class CDeviceSwitcher::Events : public IDiscoveryEvents {
public:
    explicit Events(CDeviceSwitcher& owner) : owner_(owner) {}
    bool Arrival(std::size_t slot, const std::stop_token& token) override {
        return owner_.host_.SendToUi(token, [this, slot] { owner_.OnDeviceArrival(slot); });
    }
    bool Removal(std::size_t slot, const std::stop_token& token) override {
        return owner_.host_.SendToUi(token, [this, slot] { owner_.OnDeviceRemoval(slot); });
    }
    void FirstPassDone() override {
        owner_.host_.PostToUi([this] {
            trace::Line("InstanceMsg 0 0");
            owner_.host_.ActivateMainWindow();
        });
    }

private:
    CDeviceSwitcher& owner_;
};

// A device core as the synchronisation thread sees it.
class CDeviceSwitcher::SyncTarget : public ILightSyncDevice {
public:
    explicit SyncTarget(devices::CUsbDeviceCore& core) : core_(core) {}
    bool IsOpen() const override { return core_.IsCommandOpen(); }
    bool PreviewPaused() const override { return core_.commandProtocol.previewPaused.load(); }
    int LedCount() const override { return core_.GetLedCount(); }
    void SetLedColour(int index, std::uint32_t value) override { core_.SetLedColour(index, value); }

private:
    devices::CUsbDeviceCore& core_;
};

CDeviceSwitcher::CDeviceSwitcher(IDeviceSwitcherHost& host, std::vector<DevicePageClass> classes,
                                 std::shared_ptr<hid::IHidBackend> backend)
    : host_(host),
      classes_(std::move(classes)),
      backend_(backend ? std::move(backend) : hid::DefaultBackend()),
      pass_(std::make_unique<CDiscoveryPass>(backend_, slots_)),
      events_(std::make_unique<Events>(*this)),
      controls_(std::make_unique<CSwitcherControls>(*this)) {}

CDeviceSwitcher::~CDeviceSwitcher() {
    for (auto& device : devices_) {
        if (device->entry) {
            device->entry->BindDevice(nullptr);
        }
    }
}

void CDeviceSwitcher::CreateDevicePages() {
    if (!devices_.empty()) {
        return;
    }
    for (const DeviceKindRow& row : DeviceKindTable()) {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            const hid::HidInterfaceId slot = slots_.Slot(i);
            if (slot.vendorId == row.vendorId && slot.productId == row.productId &&
                slot.deviceKind == row.kind && slot.interfaceRole == row.extraKey) {
                CreateDevice(slot);
                break;
            }
        }
    }
    std::vector<ILightSyncDevice*> targets;
    for (auto& device : devices_) {
        syncTargets_.push_back(std::make_unique<SyncTarget>(device->page->Core()));
        targets.push_back(syncTargets_.back().get());
    }
    lightSync_ = std::make_unique<CLightSync>(std::move(targets));
}

void CDeviceSwitcher::CreateDevice(const hid::HidInterfaceId& slot) {
    // Paired (receiver) slots are not in the interface table; a kind-6 slot is a mouse.
    const std::uint16_t kind = ListKind(slot.deviceKind);
    const DeviceKindRow* row =
        FindDeviceKindRow(slot.vendorId, slot.productId, kind, slot.interfaceRole);
    if (row == nullptr) {
        return;
    }
    const DevicePageClass* pageClass = nullptr;
    for (const DevicePageClass& c : classes_) {
        if (c.kind == kind && c.adapt) {
            pageClass = &c;
        }
    }
    QWidget* root = host_.Root();
    auto* entryContainer = ui::FindControl(root, QString::fromLatin1(kEntryContainer));
    ui::TabLayout* pageTabs = Tabs(kPageTabs);
    ui::TabLayout* powerTabs = Tabs(kPowerTabs);
    if (pageClass == nullptr || entryContainer == nullptr || pageTabs == nullptr ||
        powerTabs == nullptr) {
        trace::Linef("device page of kind %d not created", kind);
        return;
    }

    const ui::LoaderConfig& config = host_.PageLoaderConfig();
    QString error;
    std::unique_ptr<QWidget> powerWidget(
        ui::BuildLayout(Text(kPowerLayout), nullptr, config, &error));
    std::unique_ptr<QWidget> entryWidget(
        ui::BuildLayout(Text(row->entryLayout), nullptr, config, &error));
    const QString pageLayout =
        pageClass->pageLayout.isEmpty() ? Text(row->pageLayout) : pageClass->pageLayout;
    std::unique_ptr<QWidget> pageWidget(ui::BuildLayout(pageLayout, nullptr, config, &error));
    auto* power = qobject_cast<appearance::CMpDevicePowerUI*>(powerWidget.get());
    auto* entry = qobject_cast<appearance::CDeviceOptionUI*>(entryWidget.get());
    std::unique_ptr<IDevicePage> page =
        pageWidget ? pageClass->adapt(pageWidget.get()) : std::unique_ptr<IDevicePage>();
    if (power == nullptr || entry == nullptr || page == nullptr) {
        trace::Linef("device page of kind %d not built: %s", kind, qPrintable(error));
        return;
    }

    power->SetDeviceKind(kind);
    const int powerPage = powerTabs->addWidget(powerWidget.release());

    DevicePageSetup setup;
    setup.row = row;
    setup.slotRecord = slot;
    setup.powerControl = power;
    setup.mainWindow = root;
    setup.profileName = host_.ProfileName();
    page->Configure(setup);

    const int pageIndex = pageTabs->addWidget(pageWidget.release());

    if (QLayout* layout = entryContainer->layout()) {
        layout->addWidget(entryWidget.release());
    } else {
        entryWidget.release()->setParent(entryContainer);
    }
    entry->SetPageIndex(pageIndex);
    entry->SetPowerPageIndex(powerPage);
    entry->SetDeviceKind(kind, slot.interfaceRole);
    if (ui::OptionButton* option = entry->SelectOption()) {
        option->SetGroup(Text(row->entryGroup));
    }
    entry->BindDevice(page->OptionTarget());
    entry->hide();

    auto created = std::make_unique<CreatedDevice>();
    created->row = row;
    created->page = std::move(page);
    created->entry = entry;
    created->power = power;
    devices_.push_back(std::move(created));
}

void CDeviceSwitcher::StartThreads() {
    host_.StartThread(kDiscoverySlot,
                      [this](std::stop_token token) { RunDiscoveryLoop(token, *pass_, *events_); });
    if (lightSync_) {
        host_.StartThread(kLightSyncSlot,
                          [this](std::stop_token token) { lightSync_->Run(token); });
    }
}

std::uint16_t CDeviceSwitcher::ListKind(std::uint16_t kind) const {
    return kind == hid::kKindWirelessMouse ? hid::kKindMouse : kind;
}

int CDeviceSwitcher::FindBySlotRecord(const hid::HidInterfaceId& slot) const {
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i]->page->Core().GetSlotRecord() == slot) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool CDeviceSwitcher::DeferWhileAsleep(std::function<void()> change) {
    if (host_.SystemAwake()) {
        return false;
    }
    // Not acted on while the system sleeps, but not lost either: a claimed slot whose arrival
    // was dropped would never be opened, and a dropped removal would leave a dead handle open.
    QTimer::singleShot(kAsleepRetryMs, &timerContext_, [this, change = std::move(change)] {
        if (!DeferWhileAsleep(change)) {
            change();
        }
    });
    return true;
}

void CDeviceSwitcher::OnDeviceArrival(std::size_t slotIndex) {
    if (slotIndex >= slots_.size() ||
        DeferWhileAsleep([this, slotIndex] { OnDeviceArrival(slotIndex); })) {
        return;
    }
    const hid::HidInterfaceId slot = slots_.Slot(slotIndex);
    trace::Linef("device arrival: slot %zu", slotIndex);
    if (slot.interfaceRole == hid::kRoleEvent) {
        for (auto& device : devices_) {
            devices::CUsbDeviceCore& core = device->page->Core();
            if (device->row->kind == ListKind(slot.deviceKind) && !core.IsEventOpen() &&
                SameDevice(core.GetSlotRecord(), slot)) {
                core.OpenEventInterface(slot.path);
                break;
            }
        }
    } else if (slot.interfaceRole == hid::kRoleCommand) {
        const int index = FindBySlotRecord(slot);
        if (index >= 0) {
            CreatedDevice& device = *devices_[static_cast<std::size_t>(index)];
            devices::CUsbDeviceCore& core = device.page->Core();
            if (!core.IsCommandOpen()) {
                // An interface that does not open still shows its entry; its commands answer 0
                // until the interface goes away and comes back.
                if (core.OpenCommandInterface(slot.path,
                                              slot.deviceKind == hid::kKindWirelessMouse)) {
                    core.SetSlotRecord(slot);
                }
                const bool select = VisibleEntries().second == 0;
                ShowDeviceEntry(static_cast<std::size_t>(index), true, select);
                if (device.entry) {
                    device.entry->RequestTimer(appearance::CDeviceOptionUI::kTimerOpen,
                                               appearance::CDeviceOptionUI::kOpenDelayMs);
                }
            }
        }
    }
    host_.ActivateMainWindow();
}

void CDeviceSwitcher::OnDeviceRemoval(std::size_t slotIndex) {
    if (slotIndex >= slots_.size() ||
        DeferWhileAsleep([this, slotIndex] { OnDeviceRemoval(slotIndex); })) {
        return;
    }
    const hid::HidInterfaceId slot = slots_.Slot(slotIndex);
    trace::Linef("device removal: slot %zu", slotIndex);
    if (slot.interfaceRole == hid::kRoleEvent) {
        for (auto& device : devices_) {
            devices::CUsbDeviceCore& core = device->page->Core();
            if (device->row->kind == ListKind(slot.deviceKind) && core.IsEventOpen() &&
                SameDevice(core.GetSlotRecord(), slot)) {
                core.CloseEventInterface();
            }
        }
    } else if (slot.interfaceRole == hid::kRoleCommand) {
        const int index = FindBySlotRecord(slot);
        if (index >= 0) {
            devices_[static_cast<std::size_t>(index)]->page->Core().CloseCommandInterface();
            HideDeviceEntry(static_cast<std::size_t>(index));
        }
    }
}

ui::TabLayout* CDeviceSwitcher::Tabs(const char* name) const {
    return ui::FindControlAs<ui::TabLayout>(host_.Root(), QString::fromLatin1(name));
}

bool CDeviceSwitcher::EntryVisible(std::size_t index) const {
    // Hidden explicitly, not through a hidden window: the window starts hidden.
    const auto& entry = devices_[index]->entry;
    return entry && !entry->isHidden();
}

bool CDeviceSwitcher::EntrySelected(std::size_t index) const {
    const auto& entry = devices_[index]->entry;
    return entry && entry->IsSelected();
}

void CDeviceSwitcher::ShowPages(std::size_t index) {
    const auto& entry = devices_[index]->entry;
    if (!entry) {
        return;
    }
    if (ui::TabLayout* pages = Tabs(kPageTabs)) {
        pages->SelectItem(entry->PageIndex());
    }
    if (ui::TabLayout* power = Tabs(kPowerTabs)) {
        if (entry->PowerPageIndex() >= 0) {
            power->SelectItem(entry->PowerPageIndex());
            power->show();
        } else {
            power->hide();
        }
    }
}

void CDeviceSwitcher::ShowDeviceEntry(std::size_t index, bool visible, bool select) {
    if (index >= devices_.size() || !devices_[index]->entry) {
        return;
    }
    appearance::CDeviceOptionUI* entry = devices_[index]->entry;
    entry->setVisible(visible);
    if (select) {
        ShowPages(index);
        if (ui::OptionButton* option = entry->SelectOption()) {
            option->SetSelected(true);
        }
    }
    const int count = VisibleEntries().second;
    if (QWidget* noDevice = ui::FindControl(host_.Root(), QString::fromLatin1(kNoDevice))) {
        noDevice->setVisible(count == 0);
    }
    if (count == 0) {
        if (ui::TabLayout* power = Tabs(kPowerTabs)) {
            power->SelectItem(0);
        }
        if (ui::TabLayout* pages = Tabs(kPageTabs)) {
            pages->SelectItem(0);
        }
    }
    // Stepping through the list and the common light effect mean something from two devices on.
    for (const char* name : {kPreviousButton, kNextButton}) {
        if (QWidget* step = ui::FindControl(host_.Root(), QString::fromLatin1(name))) {
            step->setVisible(count > 0);
            step->setEnabled(count > 1);
        }
    }
    if (auto* sameMode = qobject_cast<QAbstractButton*>(
            ui::FindControl(host_.Root(), QString::fromLatin1(kSameMode)))) {
        sameMode->setEnabled(count > 1);
        if (count <= 1) {
            sameMode->setChecked(false);
        }
    }
    for (auto& device : devices_) {
        device->page->SetSameModeOffered(count > 1);
        if (count <= 1) {
            device->page->Core().commandProtocol.previewPaused = false;
        }
    }
    if (count <= 1 && lightSync_) {
        lightSync_->Wake();
    }
}

void CDeviceSwitcher::HideDeviceEntry(std::size_t index) {
    if (index >= devices_.size()) {
        return;
    }
    int next = -1;
    if (EntryVisible(index) && EntrySelected(index)) {
        host_.CloseOwnedWindows();
        host_.StopMacroRecording();
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            if (i != index && EntryVisible(i)) {
                next = static_cast<int>(i);
                break;
            }
        }
    }
    ShowDeviceEntry(index, false, false);
    if (next >= 0) {
        ShowDeviceEntry(static_cast<std::size_t>(next), true, true);
    }
}

void CDeviceSwitcher::SelectPreviousDevice() {
    int previous = -1;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (EntryVisible(i) && EntrySelected(i)) {
            if (previous >= 0) {
                ShowDeviceEntry(static_cast<std::size_t>(previous), true, true);
            }
            return;
        }
        if (EntryVisible(i)) {
            previous = static_cast<int>(i);
        }
    }
}

void CDeviceSwitcher::SelectNextDevice() {
    bool afterSelected = false;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (afterSelected && EntryVisible(i)) {
            ShowDeviceEntry(i, true, true);
            return;
        }
        if (EntryVisible(i) && EntrySelected(i)) {
            afterSelected = true;
        }
    }
}

void CDeviceSwitcher::OnDeviceEntrySelected() {
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (EntryVisible(i) && EntrySelected(i)) {
            ShowPages(i);
            return;
        }
    }
}

std::pair<int, int> CDeviceSwitcher::VisibleEntries() const {
    int first = -1;
    int count = 0;
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (EntryVisible(i)) {
            if (first < 0) {
                first = static_cast<int>(i);
            }
            ++count;
        }
    }
    return {first, count};
}

IDevicePage* CDeviceSwitcher::CurrentDevice() const {
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (EntryVisible(i) && EntrySelected(i)) {
            return devices_[i]->page.get();
        }
    }
    return nullptr;
}

IDevicePage* CDeviceSwitcher::Device(std::size_t index) const {
    return index < devices_.size() ? devices_[index]->page.get() : nullptr;
}

appearance::CDeviceOptionUI* CDeviceSwitcher::Entry(std::size_t index) const {
    return index < devices_.size() ? devices_[index]->entry.data() : nullptr;
}

bool CDeviceSwitcher::EnterSameMode() {
    IDevicePage* current = CurrentDevice();
    if (current == nullptr || !lightSync_) {
        return false;
    }
    devices::CUsbDeviceCore& core = current->Core();
    const LightInfoRecord light = core.GetLightSettings();
    const std::optional<SyncEffect> effect = SyncEffectOf(core.GetDeviceKind(), light.selectItem);
    if (!effect) {
        return false;
    }
    LightSyncSettings settings;
    settings.effect = *effect;
    settings.light = light.light;
    settings.speed = light.speed;
    settings.fx = light.fx;
    settings.multiColor = light.multiColor;
    settings.red = light.red;
    settings.green = light.green;
    settings.blue = light.blue;
    for (auto& device : devices_) {
        devices::CUsbDeviceCore& other = device->page->Core();
        if (!other.IsCommandOpen()) {
            continue;
        }
        LightInfoRecord own = other.GetLightSettings();
        own.selectItem = EffectNumberOf(other.GetDeviceKind(), *effect);
        own.light = light.light;
        own.speed = light.speed;
        own.fx = light.fx;
        own.multiColor = light.multiColor;
        own.red = light.red;
        own.green = light.green;
        own.blue = light.blue;
        other.SetLightSettings(own.WordA(), own.WordB(), own.WordC());
        other.SaveProfile();
        other.ApplyProfileState();
        device->page->ApplyLightFromOutside();
        other.commandProtocol.previewPaused = true;
    }
    lightSync_->Start(settings);
    return true;
}

void CDeviceSwitcher::ForEachListedDevice(const std::function<void(devices::CUsbDeviceCore&)>& f) {
    // The mouse, pad and keyboard lists; the headset is not among them.
    for (auto& device : devices_) {
        if (device->row->kind != hid::kKindHeadset) {
            f(device->page->Core());
        }
    }
}

void CDeviceSwitcher::SetWindowActive(bool active) {
    ForEachListedDevice([active](devices::CUsbDeviceCore& core) { core.SetWindowActive(active); });
}

void CDeviceSwitcher::SetLiveLight(bool on) {
    ForEachListedDevice([on](devices::CUsbDeviceCore& core) { core.SetLiveLight(on); });
}

void CDeviceSwitcher::OnLanguageChanged() {
    for (auto& device : devices_) {
        if (device->row->kind == hid::kKindMouse || device->row->kind == hid::kKindKeyboard) {
            device->page->OnLanguageChanged();
        }
    }
}

void CDeviceSwitcher::Shutdown() {
    for (auto& device : devices_) {
        if (device->entry) {
            device->entry->BindDevice(nullptr);
        }
        devices::CUsbDeviceCore& core = device->page->Core();
        core.StopThreads();
        core.CloseEventInterface();
        core.CloseCommandInterface();
    }
}

}  // namespace discovery
