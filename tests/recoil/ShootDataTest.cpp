#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "macros/EventImage.h"
#include "profiles/JsonFile.h"
#include "recoil/ShootData.h"
#include "recoil/ShootDataFiles.h"
#include "tests/support/TestDirs.h"

namespace {

using recoil::BulletValues;
using recoil::CShootData;
using testsupport::ReadFile;
using testsupport::WriteFile;

std::string EventText(const Json::Value& e) {
    return e["Action"].asString() + "/" + std::to_string(e["Button"].asInt()) + "/" +
           std::to_string(e["Delay"].asInt()) + "/" + std::to_string(e["Type"].asInt());
}

class ShootDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = testsupport::MakeTempDir("shoot-data") + "/";
        defaults_ = testsupport::MakeTempDir("shoot-default") + "/";
        for (int gun = 0; gun < recoil::kGunCount; ++gun) {
            Json::Value doc = recoil::DefaultPatternDocument(gun);
            doc["Marker"] = gun;
            ASSERT_TRUE(CJsonFile().writejsonFile(defaults_ + recoil::ShootFileName(gun), doc));
        }
        shoot_.SetFolders(data_, defaults_);
    }
    Json::Value ReadGun(int gun) const {
        return CJsonFile().readjsonValue(data_ + recoil::ShootFileName(gun));
    }

    std::string data_;
    std::string defaults_;
    CShootData shoot_;
};

TEST_F(ShootDataTest, AFreshFolderGetsTheFactoryFilesByteForByte) {
    WriteFile(data_ + "ShootData_1.Shoot", "{ broken");
    WriteFile(data_ + "ShootData_3.Shoot", R"({"Events": [], "Mine": true})");
    ASSERT_TRUE(shoot_.EnsureFiles());
    EXPECT_EQ(ReadFile(data_ + "ShootData_0.Shoot"), ReadFile(defaults_ + "ShootData_0.Shoot"));
    EXPECT_EQ(ReadFile(data_ + "ShootData_1.Shoot"), ReadFile(defaults_ + "ShootData_1.Shoot"));
    EXPECT_EQ(ReadFile(data_ + "ShootData_2.Shoot"), ReadFile(defaults_ + "ShootData_2.Shoot"));
    EXPECT_TRUE(ReadGun(3)["Mine"].asBool());  // a readable file is kept

    // Deleting gun 2's file restores the default pattern the next time.
    std::filesystem::remove(data_ + "ShootData_2.Shoot");
    ASSERT_TRUE(shoot_.EnsureFiles());
    EXPECT_EQ(ReadGun(2)["Marker"].asInt(), 2);
}

// A gun file that is there but cannot be used (truncated, too large to read, not a pattern) is
// kept aside whole before the factory pattern replaces it; a missing one is simply made.
TEST_F(ShootDataTest, ABrokenGunFileIsKeptAsideBeforeItIsReplaced) {
    const std::string truncated = R"({"Events": [{"Action": "down", "Butt)";
    std::string oversized = R"({"Events": [], "Pad": ")";
    oversized.append(CJsonFile::kMaxFileBytes, 'x');
    oversized += "\"}";
    WriteFile(data_ + "ShootData_0.Shoot", truncated);
    WriteFile(data_ + "ShootData_1.Shoot", oversized);
    ASSERT_TRUE(shoot_.EnsureFiles());
    auto aside = [this](int gun) {
        return testsupport::KeptAsideCopies(data_, recoil::ShootFileName(gun));
    };
    ASSERT_EQ(aside(0).size(), 1u);
    EXPECT_EQ(ReadFile(aside(0)[0]), truncated);
    ASSERT_EQ(aside(1).size(), 1u);
    EXPECT_EQ(ReadFile(aside(1)[0]).size(), oversized.size());
    EXPECT_TRUE(aside(2).empty());  // missing is not broken
    EXPECT_EQ(ReadGun(0)["Marker"].asInt(), 0);
    EXPECT_EQ(ReadGun(1)["Marker"].asInt(), 1);

    // Damaged after the page was built: the next edit keeps it too.
    WriteFile(data_ + "ShootData_2.Shoot", R"({"Events": {"not": "an array"}})");
    ASSERT_TRUE(shoot_.WriteBullet(2, 0, BulletValues{true, 3, false, 4, 50}));
    ASSERT_EQ(aside(2).size(), 1u);
    EXPECT_EQ(ReadFile(aside(2)[0]), R"({"Events": {"not": "an array"}})");
    EXPECT_EQ(shoot_.ReadBullet(2, 0), (BulletValues{true, 3, false, 4, 50}));
}

TEST_F(ShootDataTest, WithoutFactoryFilesTheBuiltInPatternIsUsed) {
    shoot_.SetFolders(data_, data_ + "missing/");
    ASSERT_TRUE(shoot_.EnsureFiles());
    EXPECT_EQ(ReadFile(data_ + "ShootData_0.Shoot"),
              CJsonFile::FormatText(recoil::DefaultPatternDocument(0)));
}

TEST_F(ShootDataTest, WritingABulletStoresItsSixEvents) {
    ASSERT_TRUE(shoot_.EnsureFiles());
    EXPECT_FALSE(shoot_.WriteCurrentBullet({}));  // no bullet chosen yet
    EXPECT_EQ(ReadFile(data_ + "ShootData_0.Shoot"), ReadFile(defaults_ + "ShootData_0.Shoot"));
    shoot_.SelectGun(1);
    shoot_.SelectBullet(3);
    const BulletValues values{true, 2, false, 7, 95};
    ASSERT_TRUE(shoot_.WriteCurrentBullet(values));
    const Json::Value events = ReadGun(1)["Events"];
    ASSERT_EQ(events.size(), 180u);
    const char* expected[] = {"down/1/10/1", "up/1/0/1",   "down/2/5/4",
                              "up/7/95/5",   "down/0/0/4", "up/0/0/5"};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(EventText(events[18 + k]), expected[k]) << k;
        EXPECT_TRUE(events[18 + k]["Delay"].isInt());
    }
    EXPECT_EQ(ReadGun(1)["Marker"].asInt(), 1);  // other members survive
    EXPECT_EQ(shoot_.CurrentBulletValues(), values);
    EXPECT_EQ(ReadFile(data_ + "ShootData_0.Shoot"), ReadFile(defaults_ + "ShootData_0.Shoot"));

    // The editors' limits hold whatever the caller passes.
    ASSERT_TRUE(shoot_.WriteCurrentBullet({false, 999, true, -4, 70000}));
    EXPECT_EQ(shoot_.CurrentBulletValues(), (BulletValues{false, 255, true, 0, 65535}));
}

TEST_F(ShootDataTest, ALostFileIsRebuiltFromTheFactoryPatternAroundTheWrittenBullet) {
    shoot_.SelectBullet(5);
    ASSERT_TRUE(shoot_.WriteCurrentBullet({false, 3, false, 4, 50}));
    const Json::Value events = ReadGun(0)["Events"];
    ASSERT_EQ(events.size(), 180u);
    EXPECT_EQ(EventText(events[0]), "down/1/10/1");
    EXPECT_EQ(EventText(events[33]), "up/4/50/5");
}

TEST_F(ShootDataTest, BulletSelectionIsClamped) {
    EXPECT_EQ(shoot_.CurrentBullet(), -1);
    EXPECT_EQ(shoot_.CurrentBulletValues(), BulletValues{});
    shoot_.SelectBullet(29);
    shoot_.SelectNextBullet();
    EXPECT_EQ(shoot_.CurrentBullet(), 29);
    shoot_.SelectBullet(0);
    shoot_.SelectPreviousBullet();
    EXPECT_EQ(shoot_.CurrentBullet(), 0);
    shoot_.SelectGun(7);
    EXPECT_EQ(shoot_.CurrentGun(), 3);
    shoot_.SelectGun(-2);
    EXPECT_EQ(shoot_.CurrentGun(), 0);
}

TEST_F(ShootDataTest, UnreadableFilesShowZeros) {
    WriteFile(data_ + "ShootData_0.Shoot", R"({"Events": [null, 5, "down", [1]]})");
    EXPECT_EQ(shoot_.ReadBullet(0, 0), BulletValues{});
    WriteFile(data_ + "ShootData_0.Shoot", R"({"Events": {"a": 1}})");
    EXPECT_EQ(shoot_.ReadBullet(0, 0), BulletValues{});
    EXPECT_EQ(shoot_.ReadBullet(9, 0), BulletValues{});
}

TEST_F(ShootDataTest, ImportReplacesOnlyTheCurrentGunAndExportCopiesIt) {
    ASSERT_TRUE(shoot_.EnsureFiles());
    const std::string others[] = {ReadFile(data_ + "ShootData_0.Shoot"),
                                  ReadFile(data_ + "ShootData_1.Shoot"),
                                  ReadFile(data_ + "ShootData_3.Shoot")};
    const std::string source = testsupport::MakeTempDir("shoot-import") + "/pattern.shoot";
    const std::string bytes = R"({"Events": [{"Action":"down","Button":1,"Delay":10,"Type":1}]})";
    WriteFile(source, bytes);
    shoot_.SelectGun(2);
    ASSERT_TRUE(shoot_.ImportCurrentGun(source));
    EXPECT_EQ(ReadFile(data_ + "ShootData_2.Shoot"), bytes);
    EXPECT_EQ(ReadFile(data_ + "ShootData_0.Shoot"), others[0]);
    EXPECT_EQ(ReadFile(data_ + "ShootData_1.Shoot"), others[1]);
    EXPECT_EQ(ReadFile(data_ + "ShootData_3.Shoot"), others[2]);

    WriteFile(source, "not json");
    EXPECT_FALSE(shoot_.ImportCurrentGun(source));
    EXPECT_FALSE(shoot_.ImportCurrentGun(""));
    EXPECT_EQ(ReadFile(data_ + "ShootData_2.Shoot"), bytes);

    const std::string exported = testsupport::MakeTempDir("shoot-export") + "/out.shoot";
    ASSERT_TRUE(shoot_.ExportCurrentGun(exported));
    EXPECT_EQ(ReadFile(exported), bytes);
    EXPECT_FALSE(shoot_.ExportCurrentGun(""));

    ASSERT_TRUE(shoot_.ResetCurrentGun());
    EXPECT_EQ(ReadFile(data_ + "ShootData_2.Shoot"), ReadFile(defaults_ + "ShootData_2.Shoot"));
}

TEST_F(ShootDataTest, ShootImageHoldsFourGunsInEventEncoding) {
    ASSERT_TRUE(shoot_.EnsureFiles());
    shoot_.SelectBullet(0);
    ASSERT_TRUE(shoot_.WriteCurrentBullet({true, 2, true, 7, 300}));
    std::filesystem::remove(data_ + "ShootData_3.Shoot");  // contributes no events
    const std::vector<std::uint8_t> image = shoot_.BuildShootImage();
    ASSERT_EQ(image.size(), 16u + 6 * 4 + 4 * 180 * 3);
    EXPECT_EQ(image[0], 0xAA);
    EXPECT_EQ(image[1], 0x55);
    EXPECT_EQ(image[4], 4);
    const std::size_t first = 16 + 8;  // after the header and four offsets
    EXPECT_EQ(image[16], first & 0xFF);
    EXPECT_EQ(image[first], 180);
    const std::vector<std::uint8_t> bullet0(image.begin() + first + 4,
                                            image.begin() + first + 4 + 24);
    const std::vector<std::uint8_t> expected = {
        10,   0, 0x81, 1, 0, 0, 0x01, 1, 5, 0, 0x84, 2,
        0x2C, 1, 0x85, 7, 0, 0, 0x84, 0, 0, 0, 0x85, 0,
    };
    EXPECT_EQ(bullet0, expected);
    const std::size_t last = image[22] | (image[23] << 8);
    EXPECT_EQ(image[last], 0);  // gun 3: no events
    EXPECT_EQ(last + 4, image.size());
}

TEST(ShippedShootData, FactoryFilesAreTheBuiltInPatterns) {
    for (int gun = 0; gun < recoil::kGunCount; ++gun) {
        const std::string path =
            std::string(ZORVATH_SOURCE_DIR) + "/data/DefaultData/" + recoil::ShootFileName(gun);
        EXPECT_EQ(testsupport::ReadFile(path),
                  CJsonFile::FormatText(recoil::DefaultPatternDocument(gun)))
            << "regenerate with zorvath_make_default_shoot data/DefaultData";
    }
}

}  // namespace
