#include "profiles/JsonFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "base/AtomicFile.h"
#include "tests/support/TestDirs.h"

namespace {

class JsonFileTest : public ::testing::Test {
protected:
    std::string dir_ = testsupport::MakeTempDir("jsonfile");
    CJsonFile json_;
};

TEST_F(JsonFileTest, WritesStyledTextWithCrLfAndOneExtraLineEnd) {
    Json::Value value;
    value["b"] = 1;
    value["a"]["list"].append(2);
    value["a"]["list"].append("x");
    const std::string path = dir_ + "/out.json";
    ASSERT_TRUE(json_.writejsonFile(path, value));
    EXPECT_EQ(testsupport::ReadFile(path),
              "{\r\n"
              "   \"a\" : {\r\n"
              "      \"list\" : [ 2, \"x\" ]\r\n"
              "   },\r\n"
              "   \"b\" : 1\r\n"
              "}\r\n"
              "\r\n");
}

TEST_F(JsonFileTest, WrittenFileReadsBackEqual) {
    Json::Value value;
    value["name"] = "Gr\xC3\xBC\xC3\x9F \"quoted\"\nline";
    value["n"] = -7;
    value["big"] = Json::Int64(1) << 40;
    value["nested"][3]["deep"] = true;
    const std::string path = dir_ + "/round.json";
    ASSERT_TRUE(json_.writejsonFile(path, value));
    // jsoncpp's == compares sparse arrays by stored elements, so compare the written text.
    EXPECT_EQ(CJsonFile::FormatText(json_.readjsonValue(path)), CJsonFile::FormatText(value));
}

TEST_F(JsonFileTest, CommentsSurviveARoundTrip) {
    const std::string path = dir_ + "/comment.json";
    testsupport::WriteFile(path, "// factory data\r\n{\r\n   \"a\" : 1 // one\r\n}\r\n");
    const Json::Value value = json_.readjsonValue(path);
    ASSERT_TRUE(value.isObject());
    ASSERT_TRUE(json_.writejsonFile(path, value));
    const std::string text = testsupport::ReadFile(path);
    EXPECT_NE(text.find("// factory data"), std::string::npos);
    EXPECT_NE(text.find("// one"), std::string::npos);
    EXPECT_EQ(text.find("\r\r"), std::string::npos);
}

TEST_F(JsonFileTest, UnusableFilesReadAsNull) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"truncated", "{\"Device\": [ {\"LightInfo\": {"},
        {"garbage", std::string("\xff\xfe\x00\x01garbage", 11)},
        {"nested too deep", std::string(5000, '[')},
        {"nested too deep and closed", std::string(3000, '[') + std::string(3000, ']')},
        {"trailing junk only", "   \r\n  "},
    };
    for (const Case& c : cases) {
        const std::string path = dir_ + "/bad.json";
        testsupport::WriteFile(path, c.bytes);
        EXPECT_TRUE(json_.readjsonValue(path).isNull()) << c.name;
    }
    EXPECT_TRUE(json_.readjsonValue(dir_ + "/missing.json").isNull());
    EXPECT_TRUE(json_.readjsonValue(dir_).isNull()) << "a folder is not a file";
    EXPECT_TRUE(json_.readjsonFile(dir_ + "/missing.json").empty());
}

TEST_F(JsonFileTest, OversizedFileReadsAsNullAndEmpty) {
    const std::string path = dir_ + "/huge.json";
    std::string text = "[";
    text.append(CJsonFile::kMaxFileBytes, ' ');
    text += "1]";
    testsupport::WriteFile(path, text);
    EXPECT_TRUE(json_.readjsonFile(path).empty());
    EXPECT_TRUE(json_.readjsonValue(path).isNull());
}

TEST_F(JsonFileTest, FailedWriteIsReportedAndKeepsThePreviousFile) {
    const std::string path = dir_ + "/keep.json";
    Json::Value before;
    before["kept"] = 1;
    ASSERT_TRUE(json_.writejsonFile(path, before));
    const std::string bytes = testsupport::ReadFile(path);

    Json::Value after;
    after["kept"] = 2;
    files::SetFailBeforeRenameForTesting(true);
    EXPECT_FALSE(json_.writejsonFile(path, after));
    files::SetFailBeforeRenameForTesting(false);
    EXPECT_EQ(testsupport::ReadFile(path), bytes);

    EXPECT_FALSE(json_.writejsonFile(dir_ + "/no/such/folder/x.json", after));
}

TEST_F(JsonFileTest, TimeStampHasTheFixedShape) {
    const std::string stamp = json_.MakeTimeStamp();
    const std::string shape = "dddd_dd_dd_dd_dd_dd_ddd";
    ASSERT_EQ(stamp.size(), shape.size()) << stamp;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        EXPECT_EQ(shape[i] == 'd', std::isdigit(static_cast<unsigned char>(stamp[i])) != 0)
            << stamp;
    }
}

}  // namespace
