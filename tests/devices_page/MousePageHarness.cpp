#include "tests/devices_page/MousePageHarness.h"

#include <QTest>
#include <QVBoxLayout>

#include "hid/HidBackend.h"
#include "profiles/DataFolders.h"
#include "profiles/JsonFile.h"
#include "tests/support/TestDirs.h"
#include "ui/TabLayout.h"

namespace testsupport {

void MousePageTest::SetUp() {
    UiTest::SetUp();
    rig_ = std::make_unique<sim::CSimulatedMouseRig>();
    // Pages made by the loader use the process's backend.
    hid::UseBackend(rig_->bus);

    window_ = std::make_unique<RecordingWindow>();
    window_->resize(800, 592);
    auto* box = new QVBoxLayout(window_.get());
    box->setContentsMargins(0, 0, 0, 0);
    page_ = devices::page::BuildMousePage(window_.get());
    ASSERT_NE(page_, nullptr);
    box->addWidget(page_);
    entry_ = new appearance::CDeviceOptionUI(window_.get());
    entry_->setGeometry(0, 0, 72, 72);
    entry_->hide();
    window_->onNotify = [this](const ui::Notification& n) {
        if (page_ != nullptr) {
            page_->HandleNotification(n);
        }
    };

    // The main window's order of configuration.
    page_->SetMainWindow(window_.get());
    page_->SetKeyCount(8);
    page_->SetLedCount(0);
    page_->SetStatusPolling(0);
    page_->SetProfileId(QString::fromLatin1(kProfileId));
    page_->SetFolderName(QStringLiteral("mouse"));
    page_->SetDeviceNumber(1);
    page_->SetLightFileName(QStringLiteral("tamric_light"));
    page_->BindControls();

    // The profile panel would have made the profile from the default one.
    WriteFile(ProfilePath(), ReadFile(ZORVATH_SOURCE_DIR "/data/DefaultData/mouse.Json"));

    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

void MousePageTest::TearDown() {
    window_.reset();  // the page stops its core's threads before the emulated mouse goes
    page_ = nullptr;
    hid::UseBackend(nullptr);
    rig_.reset();
    UiTest::TearDown();
}

void MousePageTest::OpenDevice() {
    ASSERT_TRUE(page_->OpenCommandInterface(QString::fromStdString(rig_->CommandPath()), false));
    ASSERT_TRUE(page_->OpenEventInterface(QString::fromStdString(rig_->EventPath())));
    page_->SetOptionEntry(entry_);
    entry_->BindDevice(page_);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return !entry_->IsTimerActive(appearance::CDeviceOptionUI::kTimerOpen); }, 3000));
    QApplication::processEvents();
}

void MousePageTest::ShowSystemPage() {
    page_->SetFunctionMode(4);
    RunEventLoopFor(20);
}

std::string MousePageTest::ProfilePath() const {
    return datafolders::GetDeviceDataFolder("mouse") + kProfileId + ".Json";
}

Json::Value MousePageTest::ReadProfile() const {
    return CJsonFile().readjsonValue(ProfilePath());
}

void MousePageTest::WriteProfile(const Json::Value& document) const {
    WriteFile(ProfilePath(), CJsonFile::FormatText(document));
}

std::vector<std::uint8_t> MousePageTest::ReceivedCommands() const {
    std::vector<std::uint8_t> out;
    for (const sim::FrameBytes& frame : rig_->mouse->Firmware().ReceivedFrames()) {
        out.push_back(frame[3]);
    }
    return out;
}

std::vector<sim::FrameBytes> MousePageTest::ReceivedFrames(std::uint8_t command) const {
    return rig_->mouse->Firmware().ReceivedFrames(command);
}

void MousePageTest::ClearFrames() {
    rig_->mouse->Firmware().ClearLog();
}

}  // namespace testsupport
