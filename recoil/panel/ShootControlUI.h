#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "recoil/ShootDataFiles.h"

class IPanelPage;
class QAbstractButton;
class QLabel;
class QLineEdit;

namespace ui {
class OptionButton;
class TabLayout;
}  // namespace ui

namespace shootpanel {

class CShootPatternView;

// The recoil panel of the mouse page: four guns of thirty bullets, each bullet a horizontal and
// a vertical move and a delay. Every change goes to the gun's file at once; the save button
// sends all four files to the mouse. The root of its layout file.
class CShootControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CShootControlUI(QWidget* parent = nullptr);
    ~CShootControlUI() override;

    // Once the page is configured: takes the mouse's folders and resets.
    void Attach(IPanelPage* page);
    // The page's controls are shown again (profile switch, device read).
    void Refresh();

    // The folders without a page; Reset then restores missing gun files.
    void SetFolders(std::string dataFolder, std::string defaultFolder);
    // Restores missing or unreadable gun files from the factory copies; gun 0, no bullet.
    void Reset();

    // The panel's operations, as its controls ask for them.
    void SelectGun(int gun);
    void SelectBullet(int bullet);
    // 0: previous, 1: next; stops at the first and last bullet.
    void StepBullet(int direction);
    // A direction option changed: its caption follows, and the bullet is stored.
    void DirectionChanged();
    // An edit was left: the current bullet is stored as the controls show it.
    void StoreCurrentBullet();
    void ImportGun();
    void ExportGun();
    void ResetGun();
    // Stores what the controls show and sends the four patterns to the mouse.
    void SaveToDevice();

    int CurrentGun() const { return data_.CurrentGun(); }
    int CurrentBullet() const { return data_.CurrentBullet(); }
    const recoil::CShootData& Data() const { return data_; }

private:
    void FindControls();
    void ShowSelection();
    void ShowBulletValues();
    void ShowDirectionTexts();
    void ShowPattern();
    // What the controls hold for the current bullet (clamped to the allowed ranges).
    recoil::BulletValues ValuesFromControls() const;
    // Writes the controls' values when they differ from the file, so that a change is never
    // lost because focus did not leave an edit before the selection moved.
    void FlushEdits();
    void WriteBullet(const recoil::BulletValues& values);
    void ShowMessage(const char* textId);

    IPanelPage* page_ = nullptr;
    recoil::CShootData data_;
    bool ready_ = false;  // folders set and files checked
    bool controlsFound_ = false;

    std::array<ui::OptionButton*, recoil::kGunCount> gunOptions_{};
    std::array<ui::OptionButton*, recoil::kBulletCount> bulletOptions_{};
    std::array<CShootPatternView*, recoil::kGunCount> patternViews_{};
    ui::TabLayout* imageSwitch_ = nullptr;
    QLabel* bulletIndex_ = nullptr;
    QWidget* editLayout_ = nullptr;
    QAbstractButton* xCheck_ = nullptr;
    QAbstractButton* yCheck_ = nullptr;
    QLineEdit* xEdit_ = nullptr;
    QLineEdit* yEdit_ = nullptr;
    QLineEdit* delayEdit_ = nullptr;
};

}  // namespace shootpanel
