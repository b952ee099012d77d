#pragma once

#include <QWidget>

class IPanelPage;

namespace shootpanel {

// The root of its layout file; the device page finds it after building and attaches it.
class CShootControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CShootControlUI(QWidget* parent = nullptr);
    ~CShootControlUI() override;

    // Once the page is configured and its profile chosen.
    void Attach(IPanelPage* page);
    // The page's controls are shown again (profile switch, device read).
    void Refresh();

private:
    IPanelPage* page_ = nullptr;
};

}  // namespace shootpanel
