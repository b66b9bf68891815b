#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/file_expansion.h"
#include "platform/file_system.h"
#include "test_support.h"

// The expansion of one file as the installation and the file versions dialog make it.
namespace {

using platform::ExpansionResult;

constexpr uint64_t kSourceTime = 130000000000000000ULL;

class FileExpansionTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        compressed_ = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_");
        original_ = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin");
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Dir()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    uint64_t TimeOf(const std::string& name) {
        return platform::QueryPathInformation(PathOf(name)).lastWriteTime;
    }
    std::string compressed_;
    std::string original_;
};

// As LZCopy: a compressed file decoded, any other copied, the source's time kept (a later installation of the
// same distribution then overwrites without asking about a newer file).
TEST_F(FileExpansionTest, SoundFilesAreExpandedOrCopiedWithTheSourcesTime) {
    struct Case {
        const char* what;
        std::string source;
        std::string expanded;
    } cases[] = {
        {"a compressed driver", compressed_, original_},
        {"a plain file", "plain tool", "plain tool"},
        {"an empty file", "", ""},
        {"a compression header without data", compressed_.substr(0, 10), compressed_.substr(0, 10)},
    };
    for (const Case& c : cases) {
        WriteFile("SOURCE.SY_", c.source);
        ASSERT_TRUE(platform::SetLastWriteTime(PathOf("SOURCE.SY_"), kSourceTime));
        EXPECT_EQ(platform::ExpandFile(PathOf("SOURCE.SY_"), PathOf("target.sys")), ExpansionResult::kDone)
            << c.what;
        EXPECT_EQ(ReadFile("target.sys"), c.expanded) << c.what;
        EXPECT_EQ(TimeOf("target.sys"), kSourceTime) << c.what;
    }
}

// LZCopy expands a cut file short and says nothing; here it is damaged and nothing is written, nor does an
// earlier file of the target's name lose a byte.
TEST_F(FileExpansionTest, ACutCompressedFileIsDamagedAndWritesNothing) {
    WriteFile("CUT.BI_", compressed_.substr(0, compressed_.size() / 2));
    WriteFile("earlier.bin", "earlier");
    EXPECT_EQ(platform::ExpandFile(PathOf("CUT.BI_"), PathOf("driver.bin")), ExpansionResult::kDamaged);
    EXPECT_EQ(platform::ExpandFile(PathOf("CUT.BI_"), PathOf("earlier.bin")), ExpansionResult::kDamaged);
    EXPECT_EQ(Names(), (std::vector<std::string>{"CUT.BI_", "earlier.bin", "system32"}));
    EXPECT_EQ(ReadFile("earlier.bin"), "earlier");
}

TEST_F(FileExpansionTest, ATargetThatCannotBeMadeFailsWithoutAnotherName) {
    WriteFile("SOURCE.SY_", compressed_);
    WriteFile("held.sys", "earlier");
    platform::fake::HoldFileOpen(PathOf("held.sys"));
    std::filesystem::create_directory(PathOf("dir.sys"));
    for (const char* target : {"held.sys", "dir.sys", "nodir/new.sys"})
        EXPECT_EQ(platform::ExpandFile(PathOf("SOURCE.SY_"), PathOf(target)),
                  ExpansionResult::kTargetUnwritable)
            << target;
    EXPECT_EQ(Names(), (std::vector<std::string>{"SOURCE.SY_", "dir.sys", "held.sys", "system32"}));
    platform::fake::ReleaseHeldFiles();
    EXPECT_EQ(ReadFile("held.sys"), "earlier");
}

// A write that breaks off leaves no part of the target; a source that cannot be opened makes none. Each
// operation failing once, one at a time (a read as at the end of the file, before the file's size): the
// expansion never reports success and leaves no target.
TEST_F(FileExpansionTest, AFailedWriteOrReadLeavesNoTarget) {
    WriteFile("SOURCE.SY_", compressed_);
    platform::fake::FailFileOperation(PathOf("target.sys"), platform::fake::FileOperation::kWrite, 1);
    EXPECT_EQ(platform::ExpandFile(PathOf("SOURCE.SY_"), PathOf("target.sys")),
              ExpansionResult::kTargetUnwritable);
    EXPECT_FALSE(Exists("target.sys"));
    platform::fake::FailFileOperation(PathOf("SOURCE.SY_"), platform::fake::FileOperation::kOpenForRead, 1);
    EXPECT_EQ(platform::ExpandFile(PathOf("SOURCE.SY_"), PathOf("target.sys")),
              ExpansionResult::kSourceUnreadable);
    EXPECT_FALSE(Exists("target.sys"));

    platform::fake::CountOperations();
    ASSERT_EQ(platform::ExpandFile(PathOf("SOURCE.SY_"), PathOf("target.sys")), ExpansionResult::kDone);
    int operations = platform::fake::CountedOperations().Total();
    ASSERT_GE(operations, 5);  // open, size and time, read, create, write, time
    for (int failAt = 1; failAt <= operations; ++failAt) {
        std::filesystem::remove(PathOf("target.sys"));
        platform::fake::CountOperations(failAt);
        EXPECT_NE(platform::ExpandFile(PathOf("SOURCE.SY_"), PathOf("target.sys")), ExpansionResult::kDone)
            << platform::fake::FailedOperation();
        EXPECT_FALSE(Exists("target.sys")) << platform::fake::FailedOperation();
    }
    platform::fake::CountOperations();
}

// A missing file is read under LZ32's compressed name, and only a missing one.
TEST_F(FileExpansionTest, AMissingSourceIsReadUnderItsCompressedName) {
    struct Case {
        const char* path;
        const char* compressed;
    } cases[] = {
        {"C:\\d\\kxbus.sys", "C:\\d\\kxbus.sy_"},
        {"C:\\d\\readme.tx", "C:\\d\\readme.tx_"},
        {"C:\\d\\makefile", "C:\\d\\makefile._"},
        {"C:\\d.x\\makefile", "C:\\d.x\\makefile._"},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::CompressedName(c.path), c.compressed) << c.path;
    WriteFile("kxbus.sy_", compressed_);
    EXPECT_EQ(platform::ExpandFile(PathOf("kxbus.sys"), PathOf("out.sys")), ExpansionResult::kDone);
    EXPECT_EQ(ReadFile("out.sys"), original_);
    EXPECT_EQ(platform::ExpandFile(PathOf("none.sys"), PathOf("out2.sys")),
              ExpansionResult::kSourceUnreadable);
    EXPECT_FALSE(Exists("out2.sys"));
}

}  // namespace
