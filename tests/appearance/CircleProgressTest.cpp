#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <QImage>
#include <QTest>

#include "appearance/CircleProgressUI.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

using appearance::CCircleProgressUI;

const QColor kBack(0x20, 0x26, 0x2E);
const QColor kFore(0x00, 0x99, 0xFF);
const QColor kInner(Qt::white);

// The colour at a point of the ring: `clock` in hours (6 = bottom, 9 = left), halfway between
// the outer edge and the inner disc of a 100 x 100 control.
QColor RingColour(const QImage& image, double clock) {
    const double angle = (clock / 12.0) * 2.0 * std::numbers::pi;  // clockwise from twelve
    const double radius = 50.0 - CCircleProgressUI::kRingInset / 2.0;
    const double ratio = image.devicePixelRatio();
    const int x = static_cast<int>((50.0 + std::sin(angle) * radius) * ratio);
    const int y = static_cast<int>((50.0 - std::cos(angle) * radius) * ratio);
    return image.pixelColor(x, y);
}

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
           std::abs(a.blue() - b.blue()) < 24;
}

class CircleProgressTest : public testsupport::UiTest {
protected:
    QImage Grab(int value, int minimum, int maximum) {
        CCircleProgressUI progress;
        progress.resize(100, 100);
        progress.SetBackgroundColour(kBack);
        progress.SetForegroundColour(kFore);
        progress.SetInnerColour(kInner);
        progress.setRange(minimum, maximum);
        progress.setValue(value);
        return progress.grab().toImage();
    }
};

TEST_F(CircleProgressTest, HalfFilledRingRunsFromTheBottomThroughTheLeft) {
    const QImage image = Grab(50, 0, 100);
    // Just after six o'clock (clockwise: towards the left) is done, just before it is not.
    EXPECT_TRUE(Near(RingColour(image, 6.3), kFore));
    EXPECT_TRUE(Near(RingColour(image, 9.0), kFore));
    EXPECT_TRUE(Near(RingColour(image, 11.7), kFore));
    EXPECT_TRUE(Near(RingColour(image, 5.7), kBack));
    EXPECT_TRUE(Near(RingColour(image, 3.0), kBack));
    EXPECT_TRUE(Near(RingColour(image, 0.3), kBack));
    // The middle is the inner disc, so only a ring shows.
    const double r = image.devicePixelRatio();
    EXPECT_TRUE(Near(image.pixelColor(int(50 * r), int(50 * r)), kInner));
}

TEST_F(CircleProgressTest, SweepFollowsTheValueWithinTheRange) {
    struct Case {
        int value, minimum, maximum;
        double clock;
        bool done;
    };
    const Case cases[] = {
        {25, 0, 100, 7.5, true},     {25, 0, 100, 10.0, false},  {100, 0, 100, 5.7, true},
        {0, 0, 100, 6.3, false},     {150, 100, 200, 8.9, true}, {150, 100, 200, 0.5, false},
        {100, 100, 200, 6.5, false},  // a range that starts above 0 starts empty
        {5, 5, 5, 9.0, false},        // an empty range shows no progress and does not fail
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.value << " in " << c.minimum << ".." << c.maximum << " at " << c.clock);
        const QImage image = Grab(c.value, c.minimum, c.maximum);
        EXPECT_TRUE(Near(RingColour(image, c.clock), c.done ? kFore : kBack));
    }
}

}  // namespace
