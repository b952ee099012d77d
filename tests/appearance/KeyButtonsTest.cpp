#include <gtest/gtest.h>

#include <memory>

#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "appearance/DeviceKeyButtonUI.h"
#include "appearance/HandImgButtonUI.h"
#include "appearance/HandImgSelectButtonUI.h"
#include "appearance/SelectPanelUI.h"
#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/SkinResources.h"

namespace {

using appearance::CDeviceKeyButtonUI;
using appearance::CHandImgButtonUI;
using appearance::CHandImgSelectButtonUI;
using appearance::CSelectPanelUI;

// A select panel with three key buttons side by side, all marked, inside a recording window.
class SelectPanelTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        window_ = std::make_unique<testsupport::RecordingWindow>();
        window_->resize(400, 300);
        panel_ = new CSelectPanelUI(window_.get());
        panel_->setObjectName(QStringLiteral("select_panel"));
        panel_->setGeometry(0, 0, 400, 300);
        for (int i = 0; i < 3; ++i) {
            auto* key = new CDeviceKeyButtonUI(panel_);
            key->setObjectName(QStringLiteral("key_%1").arg(i));
            key->setGeometry(20 + i * 60, 20, 40, 40);
            key->SetSelectMark(true);
            keys_.push_back(key);
        }
        // A child of another class is never marked.
        other_ = new QWidget(panel_);
        other_->setGeometry(20, 100, 40, 40);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(panel_, Qt::LeftButton, {}, from);
        QTest::mouseMove(panel_, (from + to) / 2);
        QTest::mouseMove(panel_, to);
        QTest::mouseRelease(panel_, Qt::LeftButton, {}, to);
    }

    std::vector<bool> Marks() const {
        std::vector<bool> out;
        for (auto* key : keys_) {
            out.push_back(key->IsSelectMarked());
        }
        return out;
    }

    std::unique_ptr<testsupport::RecordingWindow> window_;
    CSelectPanelUI* panel_ = nullptr;
    QWidget* other_ = nullptr;
    std::vector<CDeviceKeyButtonUI*> keys_;
};

TEST_F(SelectPanelTest, DragTouchingNoKeyUnmarksAllAndStillNotifies) {
    Drag({300, 200}, {380, 280});
    EXPECT_EQ(Marks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(
        window_->Of(QStringLiteral("click_select_end"), QStringLiteral("select_panel")).size(), 1u);
}

TEST_F(SelectPanelTest, DragMarksExactlyTheKeysItTouches) {
    struct Case {
        QPoint from, to;
        std::vector<bool> marks;
    };
    const std::vector<Case> cases = {
        {{10, 10}, {90, 90}, {true, true, false}},     // covers key 0 and touches key 1
        {{250, 90}, {150, 30}, {false, false, true}},  // dragged up and left
        {{0, 40}, {300, 40}, {true, true, true}},      // a straight line across all three
        {{61, 0}, {79, 100}, {false, false, false}},   // the gap between key 0 and key 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y());
        window_->Clear();
        Drag(c.from, c.to);
        EXPECT_EQ(Marks(), c.marks);
        EXPECT_EQ(window_->Of(QStringLiteral("click_select_end")).size(), 1u);
    }
}

TEST_F(SelectPanelTest, PressAndReleaseWithoutMoveChangesNothing) {
    QTest::mousePress(panel_, Qt::LeftButton, {}, {300, 200});
    QTest::mouseRelease(panel_, Qt::LeftButton, {}, {300, 200});
    EXPECT_EQ(Marks(), (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(window_->Of(QStringLiteral("click_select_end")).empty());
}

TEST_F(SelectPanelTest, DisabledPanelDoesNotSelect) {
    panel_->setEnabled(false);
    Drag({300, 200}, {380, 280});
    EXPECT_EQ(Marks(), (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(window_->Of(QStringLiteral("click_select_end")).empty());
}

class KeyButtonTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        // A skin of one white square picture, to see the light drawn over the key.
        skin_ = QString::fromStdString(testsupport::MakeTempDir("keyskin"));
        QImage white(20, 20, QImage::Format_ARGB32);
        white.fill(Qt::white);
        ASSERT_TRUE(white.save(skin_ + QStringLiteral("/light.png")));
        ui::SetSkinFolderForTesting(skin_);
    }
    QString skin_;
};

TEST_F(KeyButtonTest, DoubleClickNotifiesAndTheReleaseStillClicks) {
    testsupport::RecordingWindow window;
    auto* key = new CDeviceKeyButtonUI(&window);
    key->setObjectName(QStringLiteral("key_3"));
    key->setGeometry(10, 10, 40, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(key, &QAbstractButton::clicked);

    const QPointF at(20, 20);
    const QPointF global = key->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {});
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(key, &press);
    QApplication::sendEvent(key, &release);
    QApplication::sendEvent(key, &dbl);
    EXPECT_TRUE(key->isDown());
    QApplication::sendEvent(key, &release);

    EXPECT_EQ(window.Of(QStringLiteral("dbclick"), QStringLiteral("key_3")).size(), 1u);
    EXPECT_EQ(clicked.count(), 2);
}

TEST_F(KeyButtonTest, LightTakesTheDeviceColourWordAndAlpha) {
    CDeviceKeyButtonUI key;
    key.resize(20, 20);
    key.SetLightImage(QStringLiteral("light.png"));
    // Red in bits 0-7, blue in bits 8-15, green in bits 16-23.
    key.ShowLightColour(0x00336699u, 255);
    EXPECT_EQ(key.LightColour(), QColor(0x99, 0x33, 0x66));
    EXPECT_TRUE(key.IsLightDisplayed());
    const QImage full = key.grab().toImage();
    const QColor centre = full.pixelColor(full.width() / 2, full.height() / 2);
    EXPECT_NEAR(centre.red(), 0x99, 2);
    EXPECT_NEAR(centre.green(), 0x33, 2);
    EXPECT_NEAR(centre.blue(), 0x66, 2);

    // Alpha 0 shows nothing of the light; switching the display off as well.
    key.ShowLightColour(0x000000FFu, 0);
    const QImage none = key.grab().toImage();
    EXPECT_NE(none.pixelColor(none.width() / 2, none.height() / 2).red(), 0xFF);
    key.ShowLightColour(0x000000FFu, 255);
    key.SetLightDisplay(false);
    const QImage off = key.grab().toImage();
    EXPECT_NE(off.pixelColor(off.width() / 2, off.height() / 2).rgb(), QColor(Qt::red).rgb());
}

class HandImgButtonTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        window_ = std::make_unique<testsupport::RecordingWindow>();
        window_->resize(300, 200);
        button_ = new CHandImgButtonUI(window_.get());
        button_->setObjectName(QStringLiteral("macro_pic"));
        button_->setGeometry(10, 10, 120, 100);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    std::unique_ptr<testsupport::RecordingWindow> window_;
    CHandImgButtonUI* button_ = nullptr;
};

TEST_F(HandImgButtonTest, BadgeSitsThirtyLeftOfTheRightAndTwentyNineAboveTheBottom) {
    EXPECT_EQ(button_->DeleteBadgeRect(), QRect(90, 71, 20, 20));
}

TEST_F(HandImgButtonTest, ReleaseOnTheBadgeDeletesWithoutClicking) {
    QSignalSpy clicked(button_, &QAbstractButton::clicked);
    const QPoint badge = button_->DeleteBadgeRect().center();
    QTest::mouseMove(button_, badge);
    EXPECT_TRUE(button_->IsBadgeHot());
    QTest::mouseClick(button_, Qt::LeftButton, {}, badge);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(window_->Of(QStringLiteral("click_handdelete"), QStringLiteral("macro_pic")).size(),
              1u);
    EXPECT_FALSE(button_->isDown());

    QTest::mouseClick(button_, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(window_->Of(QStringLiteral("click_handdelete")).size(), 1u);
}

TEST_F(HandImgButtonTest, PressOnTheBodyReleasedOnTheBadgeDoesNotClick) {
    QSignalSpy clicked(button_, &QAbstractButton::clicked);
    QTest::mousePress(button_, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(button_, Qt::LeftButton, {}, button_->DeleteBadgeRect().center());
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(HandImgButtonTest, SelectButtonTracksTheHeldButtonAndTheCursorWord) {
    auto* select = new CHandImgSelectButtonUI(window_.get());
    select->setObjectName(QStringLiteral("gun_pic"));
    select->setGeometry(150, 10, 100, 100);
    select->show();
    QTest::mousePress(select, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(select->IsLeftButtonHeld());
    QTest::mouseRelease(select, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(select->IsLeftButtonHeld());

    select->SetCursorName(QStringLiteral("hand"));
    EXPECT_EQ(select->cursor().shape(), Qt::PointingHandCursor);
    select->SetCursorName(QStringLiteral("no-such-cursor"));
    EXPECT_EQ(select->cursor().shape(), Qt::PointingHandCursor);

    select->SetHandImage(QStringLiteral("guns/ak.png"));
    select->SetHandSource(QRect(10, 20, 30, 40));
    EXPECT_EQ(select->HandImageDescription(),
              QStringLiteral("file='guns/ak.png' source='10,20,40,60'"));
}

}  // namespace
