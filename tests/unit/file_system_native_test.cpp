#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/file.h"
#include "platform/file_system.h"
#include "test_support.h"

// The native files stand in for Windows and LZ32 in every installation test, so they must fail where
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

TEST_F(FileSystemNativeTest, CutCompressedFileExpandsShortWithoutAnError) {
    const std::string compressed = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_");
    const std::string original = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin");
    WriteFile("CUT.BI_", compressed.substr(0, compressed.size() / 2));
    long written = -1;
    {
        platform::LzFile from(platform::LzOpenSource(PathOf("CUT.BI_")));
        platform::LzFile to(platform::LzCreateTarget(PathOf("driver.bin")));
        ASSERT_TRUE(from.IsOpen() && to.IsOpen());
        written = platform::LzCopyFile(from.Id(), to.Id());
    }
    EXPECT_GT(written, 0);
    EXPECT_LT(written, static_cast<long>(original.size()));
    EXPECT_EQ(ReadFile("driver.bin"), original.substr(0, static_cast<size_t>(written)));
}

TEST_F(FileSystemNativeTest, TargetThatCannotBeMadeFailsWithoutAnotherName) {
    WriteFile("held.sys", "earlier");
    platform::fake::HoldFileOpen(PathOf("held.sys"));
    std::filesystem::create_directory(PathOf("dir.sys"));
    EXPECT_EQ(platform::LzCreateTarget(PathOf("held.sys")), platform::kNoLz);
    EXPECT_EQ(platform::LzCreateTarget(PathOf("dir.sys")), platform::kNoLz);
    EXPECT_EQ(platform::LzCreateTarget(PathOf("nodir/new.sys")), platform::kNoLz);
    EXPECT_EQ(Names(), (std::vector<std::string>{"dir.sys", "held.sys", "system32"}));
    platform::fake::ReleaseHeldFiles();
    EXPECT_EQ(ReadFile("held.sys"), "earlier");
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

TEST_F(FileSystemNativeTest, TemporaryFilesAreNewAndLieInTheDirectory) {
    std::string first = platform::CreateTemporaryFile(Dir());
    std::string second = platform::CreateTemporaryFile(Dir());
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.compare(0, Dir().size() + 1, Dir() + "\\"), 0) << first;
    EXPECT_EQ(platform::FileAttributes(first), platform::kAttributeNormal);
    EXPECT_EQ(platform::CreateTemporaryFile(Dir() + "\\nodir"), "");
}

}  // namespace
