#include "sim/ImageArea.h"

#include <gtest/gtest.h>

#include "tests/sim/TestImages.h"

namespace {

using sim::ImageArea;

// Writes the image in 56-byte frames; returns the first check that is not Ok.
ImageArea::Check Upload(ImageArea& area, const std::vector<std::uint8_t>& image) {
    for (std::size_t at = 0; at < image.size(); at += 56) {
        std::size_t length = std::min<std::size_t>(56, image.size() - at);
        ImageArea::Check check = area.Write(at, image.data() + at, length);
        if (check != ImageArea::Check::Ok) {
            return check;
        }
    }
    return ImageArea::Check::Ok;
}

TEST(ImageArea, AcceptsWellFormedImageAndReportsItsRecords) {
    ImageArea area(4096, 0);
    auto image = simtest::BuildImage({3, 0, 20});
    EXPECT_EQ(Upload(area, image), ImageArea::Check::Ok);
    EXPECT_EQ(area.state(), ImageArea::State::Complete);
    EXPECT_EQ(area.bytes(), image);
    EXPECT_EQ(area.RecordEventCounts(), (std::vector<std::uint16_t>{3, 0, 20}));
}

TEST(ImageArea, RefusesBadImages) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> image;
        std::size_t capacity;
        std::size_t requiredRecords;
        ImageArea::Check expected;
    };
    auto badMagic = simtest::BuildImage({2});
    badMagic[0] = 0x55;
    badMagic[1] = 0xAA;
    auto shortLength = simtest::BuildImage({2});
    shortLength[2] = 8;
    auto wrongCount = simtest::BuildImage({2, 2});
    wrongCount[4] = 3;  // claims a third record the table does not hold
    auto wrongEvents = simtest::BuildImage({2, 2});
    wrongEvents[16 + 4] = 3;  // first record claims one event more than the image carries
    std::vector<Case> cases = {
        {"bad magic", badMagic, 4096, 0, ImageArea::Check::BadMagic},
        {"declared length under header", shortLength, 4096, 0, ImageArea::Check::BadLength},
        {"larger than capacity", simtest::BuildImage({40}), 128, 0, ImageArea::Check::BadLength},
        {"record count off", wrongCount, 4096, 0, ImageArea::Check::BadLayout},
        {"event count off", wrongEvents, 4096, 0, ImageArea::Check::BadLayout},
        {"shoot image needs four sets", simtest::BuildImage({1, 1, 1}), 4096, 4,
         ImageArea::Check::BadLayout},
    };
    for (const auto& c : cases) {
        ImageArea area(c.capacity, c.requiredRecords);
        EXPECT_EQ(Upload(area, c.image), c.expected) << c.name;
        EXPECT_NE(area.state(), ImageArea::State::Complete) << c.name;
    }
}

TEST(ImageArea, FramesMustArriveInOrderAndANewImageRestarts) {
    ImageArea area(4096, 0);
    auto image = simtest::BuildImage({30});
    ASSERT_EQ(area.Write(0, image.data(), 56), ImageArea::Check::Ok);
    EXPECT_EQ(area.Write(112, image.data() + 112, 8), ImageArea::Check::OutOfOrder);
    EXPECT_EQ(area.state(), ImageArea::State::Invalid);
    // Starting again at offset 0 recovers.
    EXPECT_EQ(Upload(area, image), ImageArea::Check::Ok);
    EXPECT_EQ(area.state(), ImageArea::State::Complete);
}

}  // namespace
