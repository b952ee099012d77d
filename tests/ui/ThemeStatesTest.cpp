// The skin's style sheet draws every state of a check box, radio button and option as its own
// picture: a later, broader rule (":disabled") must not hide an earlier state (":checked").
#include <QAbstractButton>
#include <QCheckBox>
#include <QImage>
#include <QRadioButton>
#include <functional>
#include <memory>

#include "tests/support/ui/UiTestHarness.h"
#include "ui/OptionButton.h"

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

}  // namespace
