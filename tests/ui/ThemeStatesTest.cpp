// The skin's style sheet draws every state of a check box, radio button and option as its own
// picture: a later, broader rule (":disabled") must not hide an earlier state (":checked").
#include <QAbstractButton>
#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>

#include "tests/support/ui/UiTestHarness.h"
#include "ui/OptionButton.h"
#include "ui/PictureButton.h"

namespace {

class ThemeStatesTest : public testsupport::UiTest {};

// The button drawn in one state, without text so that only the indicator or face shows.
QImage Drawn(const std::function<QAbstractButton*()>& make, bool checked, bool enabled) {
    std::unique_ptr<QAbstractButton> button(make());
    button->setCheckable(true);
    button->setChecked(checked);
    button->setEnabled(enabled);
    button->resize(button->sizeHint().expandedTo(QSize(24, 24)));
    button->ensurePolished();
    return button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// An option's face colour, beside its text and inside its rounded border.
QImage Face(const QImage& option) {
    return option.copy(4, option.height() / 2, 1, 1);
}

TEST_F(ThemeStatesTest, EveryCheckedAndEnabledStateLooksDifferent) {
    const struct {
        const char* name;
        std::function<QAbstractButton*()> make;
        std::function<QImage(const QImage&)> look;
    } kinds[] = {
        {"check box", [] { return new QCheckBox; }, [](const QImage& i) { return i; }},
        {"radio button", [] { return new QRadioButton; }, [](const QImage& i) { return i; }},
        {"option",
         [] {
             auto* option = new ui::OptionButton;
             option->setText(QStringLiteral("Right"));
             return option;
         },
         Face},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const QImage onLive = kind.look(Drawn(kind.make, true, true));
        const QImage offLive = kind.look(Drawn(kind.make, false, true));
        const QImage onDisabled = kind.look(Drawn(kind.make, true, false));
        const QImage offDisabled = kind.look(Drawn(kind.make, false, false));
        // Checked but disabled (the one DPI stage left on) still reads as checked ...
        EXPECT_TRUE(onDisabled != offDisabled);
        // ... yet plainly off, not like a live control.
        EXPECT_TRUE(onDisabled != onLive);
        EXPECT_TRUE(offDisabled != offLive);
        EXPECT_TRUE(onLive != offLive);
    }
}

TEST_F(ThemeStatesTest, ADisabledRadioButtonStaysRound) {
    const QImage radio = Drawn([] { return new QRadioButton; }, false, false);
    const QImage check = Drawn([] { return new QCheckBox; }, false, false);
    EXPECT_TRUE(radio != check);
}

// Keyboard focus (Tab) shows in a button's border or a check's indicator; nothing is drawn over
// the caption (the base style's focus frame was a dark box behind a button's text).
TEST_F(ThemeStatesTest, KeyboardFocusLeavesTheCaptionAlone) {
    const struct {
        const char* name;
        std::function<QAbstractButton*(QWidget*)> make;
        QRect caption;  // the part that must not change (inside the rounded border)
    } kinds[] = {
        {"push button", [](QWidget* w) { return new QPushButton(QStringLiteral("Manage"), w); },
         QRect(8, 4, 80, 24)},
        {"option",
         [](QWidget* w) {
             auto* option = new ui::OptionButton(w);
             option->setText(QStringLiteral("Right"));
             return option;
         },
         QRect(8, 4, 80, 24)},
        {"check box", [](QWidget* w) { return new QCheckBox(QStringLiteral("Colour cycle"), w); },
         QRect(20, 0, 76, 32)},
        {"radio button",
         [](QWidget* w) { return new QRadioButton(QStringLiteral("Colour cycle"), w); },
         QRect(20, 0, 76, 32)},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        QWidget window;
        auto* before = new QPushButton(QStringLiteral("Rename"), &window);
        before->setGeometry(0, 0, 96, 32);
        QAbstractButton* button = kind.make(&window);
        button->setGeometry(100, 0, 96, 32);
        window.resize(200, 40);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        before->setFocus();
        const QImage unfocused = button->grab().toImage();
        QTest::keyClick(&window, Qt::Key_Tab);
        ASSERT_TRUE(button->hasFocus());
        const QImage focused = button->grab().toImage();
        EXPECT_TRUE(focused != unfocused);  // the focus shows ...
        EXPECT_TRUE(focused.copy(kind.caption) == unfocused.copy(kind.caption));  // ... beside it
    }
}

// Destructive buttons (delete, reset) draw their caption in the warning colour, whichever
// button class the layout makes.
TEST_F(ThemeStatesTest, DangerButtonsShowTheWarningColour) {
    auto hasWarningText = [](QAbstractButton* button) {
        button->setText(QStringLiteral("Reset"));
        button->setProperty("role", QStringLiteral("danger"));
        button->resize(96, 32);
        button->ensurePolished();
        const QImage image = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 120 && c.blue() < 120) {
                    return true;
                }
            }
        }
        return false;
    };
    QPushButton push;
    ui::PictureButton picture;
    EXPECT_TRUE(hasWarningText(&push));
    EXPECT_TRUE(hasWarningText(&picture));
}

}  // namespace
