#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "app/ThreadSlots.h"
#include "app/discovery/DeviceSwitcherHost.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "ui/ControlFactory.h"
#include "ui/TabLayout.h"

namespace discoverytest {

// A window with the containers device switching fills (entries, pages, power indicators, the
// no-device page) and real thread slots, standing in for the main window.
class SwitcherHost : public discovery::IDeviceSwitcherHost {
public:
    SwitcherHost()
        : config_(devices::page::PageLoaderConfig()), threads_([this] {
              QMetaObject::invokeMethod(
                  &window, [this] { threads_.RunPending(); }, Qt::QueuedConnection);
          }) {
        auto* layout = new QVBoxLayout(&window);
        auto* entries = new QWidget(&window);
        entries->setObjectName(QStringLiteral("device_select_layout"));
        new QHBoxLayout(entries);
        auto* power = new ui::TabLayout(&window);
        power->setObjectName(QStringLiteral("device_power_switch"));
        auto* pages = new ui::TabLayout(&window);
        pages->setObjectName(QStringLiteral("device_switch"));
        noDevice = new QLabel(QStringLiteral("no device"), &window);
        noDevice->setObjectName(QStringLiteral("No_device_Link"));
        noDevice->hide();
        previous = new QPushButton(QStringLiteral("<"), &window);
        previous->setObjectName(QStringLiteral("device_select_prev"));
        next = new QPushButton(QStringLiteral(">"), &window);
        next->setObjectName(QStringLiteral("device_select_next"));
        sameMode = new QCheckBox(QStringLiteral("same"), &window);
        sameMode->setObjectName(QStringLiteral("deng_same_mode"));
        for (QWidget* w : std::initializer_list<QWidget*>{entries, power, pages, noDevice, previous,
                                                          next, sameMode}) {
            layout->addWidget(w);
        }
        window.resize(1000, 640);
    }

    QWidget* Root() const override { return &window; }
    const ui::LoaderConfig& PageLoaderConfig() const override { return config_; }
    bool SendToUi(const std::stop_token& token, std::function<void()> task) override {
        return threads_.Send(token, std::move(task));
    }
    bool PostToUi(std::function<void()> task) override { return threads_.Post(std::move(task)); }
    bool StartThread(int slot, std::function<void(std::stop_token)> body) override {
        return threads_.Start(slot, std::move(body));
    }
    void ActivateMainWindow() override {
        ++activations;
        window.show();
        window.raise();
    }
    void CloseOwnedWindows() override { ++ownedWindowsClosed; }
    void StopMacroRecording() override { ++recordingsStopped; }
    bool SystemAwake() const override { return awake; }

    int StopThreads() { return threads_.StopAll(); }
    ui::TabLayout* Pages() const {
        return window.findChild<ui::TabLayout*>(QStringLiteral("device_switch"));
    }
    ui::TabLayout* PowerPages() const {
        return window.findChild<ui::TabLayout*>(QStringLiteral("device_power_switch"));
    }

    mutable QWidget window;
    QLabel* noDevice = nullptr;
    QPushButton* previous = nullptr;
    QPushButton* next = nullptr;
    QCheckBox* sameMode = nullptr;
    int activations = 0;
    int ownedWindowsClosed = 0;
    int recordingsStopped = 0;
    bool awake = true;

private:
    ui::LoaderConfig config_;
    CThreadSlots threads_;
};

}  // namespace discoverytest
