#pragma once

#include <QWidget>

class IPanelPage;

namespace macropanel {

// The root of its layout file; the device page finds it after building and attaches it.
class CMacroControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CMacroControlUI(QWidget* parent = nullptr);
    ~CMacroControlUI() override;

    // Once the page is configured and its profile chosen.
    void Attach(IPanelPage* page);
    // The page's controls are shown again (profile switch, device read).
    void Refresh();

private:
    IPanelPage* page_ = nullptr;
};

}  // namespace macropanel
