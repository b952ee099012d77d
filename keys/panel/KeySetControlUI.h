#pragma once

#include <QWidget>

class IPanelPage;

namespace keypanel {

// The root of its layout file; the device page finds it after building and attaches it.
class CKeySetControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CKeySetControlUI(QWidget* parent = nullptr);
    ~CKeySetControlUI() override;

    // Once the page is configured and its profile chosen.
    void Attach(IPanelPage* page);
    // The page's controls are shown again (profile switch, device read).
    void Refresh();
    // The page's key number index was chosen in the device picture.
    void ShowKey(int index);

private:
    IPanelPage* page_ = nullptr;
};

}  // namespace keypanel
