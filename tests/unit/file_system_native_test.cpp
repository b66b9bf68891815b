#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/szdd_header.h"
#include "test_support.h"

// The native files stand in for Windows in every installation test, so they must fail where
// those fail, and as quietly.
namespace {

class FileSystemNativeTest : public SetupFixture {
  protected:
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Dir()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST(SzddHeaderTest, OnlyACompressionHeaderPromisesALength) {
    const std::string header(
        "SZDD\x88\xF0\x27\x33"
        "A_"
        "\x04\x03\x02\x01",
        14);
    const std::string highest(
        "SZDD\x88\xF0\x27\x33"
        "A_"
        "\xFF\xFF\xFF\xFF",
        14);
    struct Case {
        const char* what;
        std::string bytes;
        int64_t length;
    } cases[] = {
        {"a header", header, 0x01020304},
        {"the longest length, not taken as negative", highest, 0xFFFFFFFF},
        {"a header cut short", header.substr(0, 13), platform::kAnyLength},
        {"another signature", "SZDE" + header.substr(4), platform::kAnyLength},
        {"an empty file", "", platform::kAnyLength},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::SzddExpandedLength(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                               c.bytes.size()),
                  c.length)
            << c.what;
}

TEST_F(FileSystemNativeTest, ReplaceRefusesTargetsWindowsWouldNotReplace) {
    WriteFile("held.sys", "held");
    WriteFile("readonly.sys", "read-only");
    std::filesystem::create_directory(PathOf("dir.sys"));
    platform::fake::HoldFileOpen(PathOf("held.sys"));
    ASSERT_TRUE(platform::SetFileAttributesOf(PathOf("readonly.sys"), platform::kAttributeReadOnly));
    for (const char* target : {"held.sys", "readonly.sys", "dir.sys"}) {
        WriteFile("new.tmp", "new");
        EXPECT_FALSE(platform::ReplaceFilePath(PathOf("new.tmp"), PathOf(target))) << target;
        EXPECT_EQ(ReadFile("new.tmp"), "new") << target;
    }
    platform::fake::ReleaseHeldFiles();
    EXPECT_EQ(ReadFile("held.sys"), "held");
    EXPECT_EQ(ReadFile("readonly.sys"), "read-only");
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("dir.sys")));
    EXPECT_TRUE(platform::ReplaceFilePath(PathOf("new.tmp"), PathOf("held.sys")));
    EXPECT_EQ(ReadFile("held.sys"), "new");
    EXPECT_FALSE(Exists("new.tmp"));
}

}  // namespace
