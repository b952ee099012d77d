#pragma once

// The recoil tab of the assembled main window over the emulated mouse, with helpers that act
// on the panel as a user does: clicks, typing, leaving an edit.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <string>

#include "profiles/JsonFile.h"
#include "recoil/ShootData.h"
#include "recoil/panel/ShootControlUI.h"
#include "tests/support/TestDirs.h"
#include "tests/support/ui/MainWindowTest.h"

namespace shoottest {

class ShootPanelTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        OpenRecoilTab();
    }

    void OpenRecoilTab() {
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        Click("cursor_Op_tab");
        ASSERT_NE(Panel(), nullptr);
    }

    // A new main window, as on the next start of the program.
    void RebuildWindow() {
        window_.reset();
        rig_->mouse->Firmware().ClearLog();
        StartWindow();
        ASSERT_FALSE(HasFatalFailure());
        OpenRecoilTab();
    }

    template <class T = QWidget>
    T* Find(const QString& name) const {
        return window_->FindControl<T>(name);
    }
    shootpanel::CShootControlUI* Panel() const {
        return Find<shootpanel::CShootControlUI>(QStringLiteral("ShootControlItem"));
    }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(QString::fromLatin1(name)); }
    QAbstractButton* Button(const QString& name) const { return Find<QAbstractButton>(name); }

    void Click(const QString& name) {
        QAbstractButton* button = Button(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        ASSERT_TRUE(button->isVisible()) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void Click(const char* name) { Click(QString::fromLatin1(name)); }
    void ClickGun(int gun) { Click(QStringLiteral("shoot_gun_op_%1").arg(gun)); }
    void ClickBullet(int bullet) { Click(QStringLiteral("bullet_op_%1").arg(bullet)); }

    // Sets a direction option the way the user does: a click when it shows the other way.
    void SetDirection(const char* check, bool down) {
        QAbstractButton* option = Button(QString::fromLatin1(check));
        ASSERT_NE(option, nullptr);
        if (option->isChecked() != down) {
            Click(check);
        }
        ASSERT_EQ(option->isChecked(), down);
    }

    // Replaces the edit's text by typing; the focus stays in the edit.
    void Type(const char* name, const QString& text) {
        QLineEdit* edit = Edit(name);
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        ASSERT_TRUE(edit->hasFocus());
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void Leave(const char* name) { Edit(name)->clearFocus(); }
    void TypeAndLeave(const char* name, const QString& text) {
        Type(name, text);
        Leave(name);
    }

    std::string GunPath(int gun) const { return Panel()->Data().DataFilePath(gun); }
    std::string DefaultPath(int gun) const { return Panel()->Data().DefaultFilePath(gun); }
    std::string GunBytes(int gun) const { return testsupport::ReadFile(GunPath(gun)); }
    Json::Value GunDocument(int gun) const { return CJsonFile().readjsonValue(GunPath(gun)); }
    std::array<std::string, recoil::kGunCount> AllGunBytes() const {
        std::array<std::string, recoil::kGunCount> all;
        for (int gun = 0; gun < recoil::kGunCount; ++gun) {
            all[static_cast<std::size_t>(gun)] = GunBytes(gun);
        }
        return all;
    }

    // "Action/Button/Delay/Type" of one event of a gun's file.
    std::string EventText(int gun, int element) const {
        const Json::Value e = GunDocument(gun)["Events"][element];
        return e["Action"].asString() + "/" + std::to_string(e["Button"].asInt()) + "/" +
               std::to_string(e["Delay"].asInt()) + "/" + std::to_string(e["Type"].asInt());
    }
    std::string BulletText(int gun, int bullet) const {
        std::string text;
        for (int k = 0; k < recoil::kEventsPerBullet; ++k) {
            text += (k > 0 ? " " : "") + EventText(gun, bullet * recoil::kEventsPerBullet + k);
        }
        return text;
    }
};

}  // namespace shoottest
