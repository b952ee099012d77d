// The main window on two screens of different sizes (two-screens.json on the offscreen
// platform: "a-small", 1366 x 768, the primary, and "b-large", 1920 x 1080, to its right): drawn
// at 100 % on the small screen and at 150 % on the large one, whichever it started on, and
// sized and centred again when its screen's resolution changes. The factors are chosen before
// the application exists, so this test has its own main().
#include <gtest/gtest.h>

#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/MainWnd.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/Scaling.h"

namespace {

class DisplayChangeTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        const QList<QScreen*> screens = QGuiApplication::screens();
        for (QScreen* screen : screens) {
            (screen->name() == QLatin1String("a-small") ? small_ : large_) = screen;
        }
        ASSERT_EQ(screens.size(), 2) << "run with QT_QPA_PLATFORM=offscreen:configfile=...";
        ASSERT_NE(small_, nullptr);
        ASSERT_NE(large_, nullptr);
        MainWndOptions options;
        options.useSessionBus = false;
        options.useSystemBus = false;
        options.showAtStart = true;
        window_ = std::make_unique<CMainWnd>(options);
        ASSERT_TRUE(window_->Build()) << window_->LayoutError().toStdString();
        window_->Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    void TearDown() override {
        window_.reset();
        UiTest::TearDown();
    }

    // Places the window's top left corner on screen, as the user dragging it there would.
    void MoveOnto(QScreen* screen, QPoint offset) {
        window_->move(screen->geometry().topLeft() + offset);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window_->screen() == screen; }, 5000))
            << screen->name().toStdString();
    }
    QSize DrawnSize() const { return window_->grab().size(); }

    QScreen* small_ = nullptr;
    QScreen* large_ = nullptr;
    std::unique_ptr<CMainWnd> window_;
};

TEST_F(DisplayChangeTest, TheWindowIsDrawnAtTheFactorOfTheScreenItIsOn) {
    struct Case {
        QScreen* screen;
        double factor;
        QSize drawn;
    };
    const Case cases[] = {
        {small_, 1.0, {1000, 640}},
        {large_, 1.5, {1500, 960}},
        {small_, 1.0, {1000, 640}},  // and back again
    };
    for (const Case& c : cases) {
        QScreen* screen = c.screen;
        SCOPED_TRACE(screen->name().toStdString());
        MoveOnto(screen, {40, 40});
        EXPECT_EQ(window_->devicePixelRatioF(), c.factor);
        EXPECT_EQ(window_->size(), QSize(1000, 640));
        EXPECT_EQ(DrawnSize(), c.drawn);
        EXPECT_TRUE(screen->availableGeometry().contains(window_->geometry()));
    }
}

TEST_F(DisplayChangeTest, AResolutionChangeSizesAndCentresTheWindowAgain) {
    MoveOnto(large_, {10, 10});
    window_->resize(700, 500);
    // What the platform reports when the screen's resolution changed (the offscreen platform
    // cannot change a screen while the application runs).
    emit large_->geometryChanged(large_->geometry());
    EXPECT_EQ(window_->size(), QSize(1000, 640));
    EXPECT_EQ(DrawnSize(), QSize(1500, 960));
    const QPoint offCentre = window_->geometry().center() - large_->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2) << offCentre.x() << "," << offCentre.y();

    // The screen the window left is no longer watched.
    MoveOnto(small_, {10, 10});
    window_->resize(700, 500);
    const QRect before = window_->geometry();
    emit large_->geometryChanged(large_->geometry());
    EXPECT_EQ(window_->geometry(), before);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The program's own choice, from the screens alone.
    for (const char* name : {"ZORVATH_SCALE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
        qunsetenv(name);
    }
    ui::ChooseScaleBeforeApplication(argc, argv);
    return RUN_ALL_TESTS();
}
