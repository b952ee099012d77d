#include "recoil/panel/ShootControlUI.h"

#include <QAbstractButton>
#include <QFile>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "devices/core/MouseDeviceCore.h"
#include "devices/page/PanelPage.h"
#include "recoil/panel/ShootPatternView.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/Dialogs.h"
#include "ui/LanguageTexts.h"
#include "ui/OptionButton.h"
#include "ui/TabLayout.h"

namespace shootpanel {
namespace {

const QString kFileFilter = QStringLiteral("Shoot Files(*.shoot)");

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

int EditValue(const QLineEdit* edit, int maximum) {
    if (edit == nullptr) {
        return 0;
    }
    bool ok = false;
    const qlonglong value = edit->text().trimmed().toLongLong(&ok);
    return ok ? static_cast<int>(std::clamp<qlonglong>(value, 0, maximum)) : 0;
}

void LimitEdit(QLineEdit* edit, int maximum) {
    if (edit == nullptr) {
        return;
    }
    edit->setValidator(new QIntValidator(0, maximum, edit));
    edit->setMaxLength(static_cast<int>(QString::number(maximum).size()));
}

}  // namespace

CShootControlUI::CShootControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("ShootControlUI"));
}

CShootControlUI::~CShootControlUI() = default;

void CShootControlUI::Attach(IPanelPage* page) {
    page_ = page;
    if (page_ != nullptr) {
        devices::CUsbDeviceCore& core = page_->Core();
        // The mouse sends the files of its own data folder, so the panel must edit those.
        auto* mouse = dynamic_cast<devices::CMouseDeviceCore*>(&core);
        SetFolders(mouse != nullptr ? mouse->DataFolder() : core.GetUserDataFolder(),
                   core.GetDefaultDataFolder());
    }
    Reset();
}

void CShootControlUI::SetFolders(std::string dataFolder, std::string defaultFolder) {
    data_.SetFolders(std::move(dataFolder), std::move(defaultFolder));
}

void CShootControlUI::Reset() {
    FindControls();
    if (!data_.EnsureFiles()) {
        ShowMessage("shoot_write_failed_text");
    }
    ready_ = true;
    data_.SelectGun(0);
    data_.ClearBullet();
    ShowSelection();
    ShowBulletValues();
    for (int gun = 0; gun < recoil::kGunCount; ++gun) {
        if (CShootPatternView* view = patternViews_[static_cast<std::size_t>(gun)]) {
            view->SetPattern(data_.ReadPattern(gun));
        }
    }
}

void CShootControlUI::Refresh() {
    if (!ready_) {
        return;  // no folders yet: nothing to show
    }
    FlushEdits();  // a refresh from the device must not throw away what is being typed
    ShowSelection();
    ShowBulletValues();
}

void CShootControlUI::FindControls() {
    if (controlsFound_) {
        return;  // the panel's own layout: its controls stay for its lifetime
    }
    controlsFound_ = true;
    auto find = [this](const QString& name) { return ui::FindControl(this, name); };
    for (int i = 0; i < recoil::kGunCount; ++i) {
        gunOptions_[static_cast<std::size_t>(i)] =
            qobject_cast<ui::OptionButton*>(find(QStringLiteral("shoot_gun_op_%1").arg(i)));
    }
    for (int i = 0; i < recoil::kBulletCount; ++i) {
        bulletOptions_[static_cast<std::size_t>(i)] =
            qobject_cast<ui::OptionButton*>(find(QStringLiteral("bullet_op_%1").arg(i)));
    }
    imageSwitch_ = qobject_cast<ui::TabLayout*>(find(QStringLiteral("shoot_image_display_switch")));
    bulletIndex_ = qobject_cast<QLabel*>(find(QStringLiteral("bullet_select_index")));
    editLayout_ = find(QStringLiteral("bullet_edit_layout"));
    xCheck_ = qobject_cast<QAbstractButton*>(find(QStringLiteral("bullet_x_check")));
    yCheck_ = qobject_cast<QAbstractButton*>(find(QStringLiteral("bullet_y_check")));
    xEdit_ = qobject_cast<QLineEdit*>(find(QStringLiteral("bullet_x_eidt")));
    yEdit_ = qobject_cast<QLineEdit*>(find(QStringLiteral("bullet_y_eidt")));
    delayEdit_ = qobject_cast<QLineEdit*>(find(QStringLiteral("bullet_delay_eidt")));
    LimitEdit(xEdit_, recoil::kMaxDistance);
    LimitEdit(yEdit_, recoil::kMaxDistance);
    LimitEdit(delayEdit_, recoil::kMaxBulletDelay);
    // Return stores as well, so a value can be confirmed without leaving the edit.
    for (QLineEdit* edit : {xEdit_, yEdit_, delayEdit_}) {
        if (edit != nullptr) {
            connect(edit, &QLineEdit::returnPressed, this, &CShootControlUI::StoreCurrentBullet);
        }
    }
    // Each page of the picture switch shows its gun's pattern as a plot.
    for (int gun = 0; imageSwitch_ != nullptr && gun < recoil::kGunCount; ++gun) {
        auto& view = patternViews_[static_cast<std::size_t>(gun)];
        QWidget* page = imageSwitch_->widget(gun);
        if (page == nullptr) {
            continue;
        }
        view = new CShootPatternView(page);
        view->setObjectName(QStringLiteral("shoot_pattern_view_%1").arg(gun));
        if (page->layout() == nullptr) {
            auto* box = new QVBoxLayout(page);
            box->setContentsMargins(0, 0, 0, 0);
        }
        page->layout()->addWidget(view);
        connect(view, &CShootPatternView::BulletClicked, this,
                [this](int bullet) { SelectBullet(bullet); });
    }
}

void CShootControlUI::SelectGun(int gun) {
    FlushEdits();
    data_.SelectGun(gun);
    ShowSelection();
    ShowBulletValues();
}

void CShootControlUI::SelectBullet(int bullet) {
    FlushEdits();
    data_.SelectBullet(bullet);
    ShowSelection();
    ShowBulletValues();
}

void CShootControlUI::StepBullet(int direction) {
    SelectBullet(CurrentBullet() + (direction == 0 ? -1 : 1));
}

void CShootControlUI::DirectionChanged() {
    ShowDirectionTexts();
    // Only the edits store on leaving; a flipped direction would otherwise be lost unless the
    // user happened to visit an edit afterwards.
    if (CurrentBullet() >= 0) {
        WriteBullet(ValuesFromControls());
    }
}

void CShootControlUI::StoreCurrentBullet() {
    if (CurrentBullet() < 0) {
        return;
    }
    WriteBullet(ValuesFromControls());
}

void CShootControlUI::ImportGun() {
    const QString path = ui::CurrentDialogs().GetOpenFileName(
        page_ != nullptr ? page_->MainWindow() : window(),
        ui::Text(QStringLiteral("shoot_import_title_text")), QString(), kFileFilter);
    if (path.isEmpty()) {
        return;
    }
    if (!data_.ImportCurrentGun(LocalPath(path))) {
        ShowMessage("shoot_import_failed_text");
        return;
    }
    ShowBulletValues();
}

void CShootControlUI::ExportGun() {
    FlushEdits();
    const QString path = ui::CurrentDialogs().GetSaveFileName(
        page_ != nullptr ? page_->MainWindow() : window(),
        ui::Text(QStringLiteral("shoot_export_title_text")),
        QString::fromStdString(recoil::ShootFileName(CurrentGun()))
            .replace(QStringLiteral(".Shoot"), QStringLiteral(".shoot")),
        kFileFilter);
    if (path.isEmpty()) {
        return;
    }
    if (!data_.ExportCurrentGun(LocalPath(path))) {
        ShowMessage("shoot_export_failed_text");
    }
}

void CShootControlUI::ResetGun() {
    if (!data_.ResetCurrentGun()) {
        ShowMessage("shoot_write_failed_text");
    }
    ShowBulletValues();
}

void CShootControlUI::SaveToDevice() {
    FlushEdits();
    if (page_ == nullptr) {
        return;
    }
    auto* mouse = dynamic_cast<devices::CMouseDeviceCore*>(&page_->Core());
    if (mouse != nullptr && !mouse->DownloadShootData()) {
        // The files keep the patterns; the user can send them again.
        ShowMessage("shoot_send_failed_text");
    }
}

void CShootControlUI::ShowSelection() {
    const int gun = CurrentGun();
    const int bullet = CurrentBullet();
    for (int i = 0; i < recoil::kGunCount; ++i) {
        if (ui::OptionButton* option = gunOptions_[static_cast<std::size_t>(i)]) {
            option->SetSelected(i == gun);
        }
    }
    if (imageSwitch_ != nullptr) {
        imageSwitch_->SelectItem(gun);
    }
    for (int i = 0; i < recoil::kBulletCount; ++i) {
        if (ui::OptionButton* option = bulletOptions_[static_cast<std::size_t>(i)]) {
            option->SetSelected(i == bullet);
        }
    }
    if (bulletIndex_ != nullptr) {
        ui::SetPlainText(bulletIndex_,
                         bullet >= 0 ? QString::number(bullet + 1) : QStringLiteral("\u2013"));
    }
    if (editLayout_ != nullptr) {
        editLayout_->setEnabled(bullet >= 0);
    }
}

void CShootControlUI::ShowBulletValues() {
    const bool chosen = CurrentBullet() >= 0;
    const recoil::BulletValues values = data_.CurrentBulletValues();
    if (xCheck_ != nullptr) {
        xCheck_->setChecked(values.xLeft);
    }
    if (yCheck_ != nullptr) {
        yCheck_->setChecked(values.yUp);
    }
    ShowDirectionTexts();
    auto show = [chosen](QLineEdit* edit, int value) {
        if (edit != nullptr) {
            edit->setText(chosen ? QString::asprintf("%d", value) : QString());
        }
    };
    show(xEdit_, values.x);
    show(yEdit_, values.y);
    show(delayEdit_, values.delay);
    ShowPattern();
}

void CShootControlUI::ShowDirectionTexts() {
    if (xCheck_ != nullptr) {
        ui::SetTextId(xCheck_, xCheck_->isChecked() ? QStringLiteral("mouse_move_to_left_text")
                                                    : QStringLiteral("mouse_move_to_right_text"));
    }
    if (yCheck_ != nullptr) {
        ui::SetTextId(yCheck_, yCheck_->isChecked() ? QStringLiteral("mouse_move_to_up_text")
                                                    : QStringLiteral("mouse_move_to_down_text"));
    }
}

void CShootControlUI::ShowPattern() {
    const int gun = CurrentGun();
    for (int i = 0; i < recoil::kGunCount; ++i) {
        CShootPatternView* view = patternViews_[static_cast<std::size_t>(i)];
        if (view == nullptr) {
            continue;
        }
        if (i == gun) {
            view->SetPattern(data_.ReadPattern(gun));
        }
        view->SetCurrentBullet(i == gun ? CurrentBullet() : -1);
    }
}

recoil::BulletValues CShootControlUI::ValuesFromControls() const {
    recoil::BulletValues values;
    values.xLeft = xCheck_ != nullptr && xCheck_->isChecked();
    values.yUp = yCheck_ != nullptr && yCheck_->isChecked();
    values.x = EditValue(xEdit_, recoil::kMaxDistance);
    values.y = EditValue(yEdit_, recoil::kMaxDistance);
    values.delay = EditValue(delayEdit_, recoil::kMaxBulletDelay);
    return values;
}

void CShootControlUI::FlushEdits() {
    if (CurrentBullet() < 0) {
        return;
    }
    const recoil::BulletValues shown = ValuesFromControls();
    if (!(shown == data_.CurrentBulletValues())) {
        WriteBullet(shown);
    }
}

void CShootControlUI::WriteBullet(const recoil::BulletValues& values) {
    if (!data_.WriteCurrentBullet(values)) {
        ShowMessage("shoot_write_failed_text");
    }
    ShowBulletValues();
}

void CShootControlUI::ShowMessage(const char* textId) {
    ui::CurrentDialogs().ShowMessage(page_ != nullptr ? page_->MainWindow() : window(),
                                     QString::fromLatin1(textId), 1);
}

}  // namespace shootpanel
