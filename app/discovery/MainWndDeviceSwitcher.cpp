#include "app/discovery/MainWndDeviceSwitcher.h"

#include "app/MainWnd.h"
#include "app/discovery/DeviceSwitcher.h"
#include "app/discovery/ZelvaneDevicePages.h"

namespace discovery {

namespace {

class CMainWndHost : public IDeviceSwitcherHost {
public:
    explicit CMainWndHost(CMainWnd& window) : window_(window) {}

    QWidget* Root() const override { return &window_; }
    const ui::LoaderConfig& PageLoaderConfig() const override { return window_.LoaderConfig(); }
    bool SendToUi(const std::stop_token& token, std::function<void()> task) override {
        return window_.SendToUi(token, std::move(task));
    }
    bool PostToUi(std::function<void()> task) override { return window_.PostToUi(std::move(task)); }
    bool StartThread(int slot, std::function<void(std::stop_token)> body) override {
        return window_.Threads().Start(slot, std::move(body));
    }
    void ActivateMainWindow() override { window_.ActivateMainWindow(); }
    void CloseOwnedWindows() override {
        for (QWidget* owned : {window_.settingsWindow.data(), window_.aboutWindow.data()}) {
            if (owned != nullptr) {
                owned->close();
            }
        }
    }
    bool SystemAwake() const override { return window_.SystemAwake(); }

private:
    CMainWnd& window_;
};

// The host is a base so that it exists before the switcher that refers to it.
struct HostHolder {
    explicit HostHolder(CMainWnd& window) : host(window) {}
    CMainWndHost host;
};

class CMainWndDeviceSwitcher : private HostHolder, public CDeviceSwitcher {
public:
    CMainWndDeviceSwitcher(CMainWnd& window, std::shared_ptr<hid::IHidBackend> backend)
        : HostHolder(window),
          CDeviceSwitcher(host, ZelvaneDevicePageClasses(), std::move(backend)) {}
};

}  // namespace

std::unique_ptr<IDeviceSwitcher> CreateMainWndDeviceSwitcher(
    CMainWnd& window, std::shared_ptr<hid::IHidBackend> backend) {
    return std::make_unique<CMainWndDeviceSwitcher>(window, std::move(backend));
}

}  // namespace discovery
