#include <gtest/gtest.h>

#include <filesystem>

#include "configstore/removal_log.h"
#include "deinstall/removal_logging.h"
#include "platform/file_system.h"
#include "ui/user_interface.h"
#include "test_support.h"

namespace {

class RemovalLogTest : public SetupFixture {
  protected:
    const std::string kHeader =
        "QZT Quorel Setup --- *** DON'T TOUCH THIS FILE!!!***\r\nDeleted Objects:\r\n\r\n";
};

TEST_F(RemovalLogTest, FirstAppendWritesTheHeaderOnceAndTheFileIsHidden) {
    EXPECT_EQ(AppendRemovalLog(Dir(), "C:\\WINNT\\SYSTEM32\\X.DLL"), 1);
    EXPECT_EQ(AppendRemovalLog(Dir(), "SOFTWARE\\CAPI20\\1"), 1);
    EXPECT_EQ(AppendRemovalLog(Dir(), "C:\\WINNT\\SYSTEM32\\X.DLL"), 1);  // the same object may stand twice
    EXPECT_EQ(
        ReadFile("removed.qzt"),
        kHeader + "C:\\WINNT\\SYSTEM32\\X.DLL\r\nSOFTWARE\\CAPI20\\1\r\nC:\\WINNT\\SYSTEM32\\X.DLL\r\n");
    EXPECT_TRUE(platform::FileAttributes(RemovalLogPath(Dir())) & platform::kAttributeHidden);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(RemovalLogTest, HiddenLogOfAnEarlierRunIsAppendedTo) {
    WriteFile("removed.qzt", kHeader + "C:\\A.DLL\r\n");
    ASSERT_TRUE(platform::SetFileAttributesOf(RemovalLogPath(Dir()), platform::kAttributeHidden));
    EXPECT_EQ(AppendRemovalLog(Dir(), "C:\\B.DLL"), 1);
    EXPECT_EQ(ReadFile("removed.qzt"), kHeader + "C:\\A.DLL\r\nC:\\B.DLL\r\n");
}

TEST_F(RemovalLogTest, LookupIgnoresCaseAndSeesTheHeader) {
    EXPECT_EQ(IsInRemovalLog(Dir(), "C:\\A.DLL"), 0);  // no log yet
    AppendRemovalLog(Dir(), "C:\\WINNT\\SYSTEM32\\X.DLL");
    struct Case {
        const char* object;
        int found;
    } cases[] = {
        {"c:\\winnt\\system32\\x.dll", 1},
        {"Deleted Objects:", 1},
        {"", 1},  // the empty third header line
        {"C:\\WINNT\\SYSTEM32\\X.DL", 0},
        {"C:\\WINNT\\SYSTEM32\\X.DLL ", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(IsInRemovalLog(Dir(), c.object), c.found) << c.object;
}

TEST_F(RemovalLogTest, LogThatCannotBeCreatedAsksRetryIgnore) {
    LoadLanguage({{"[ERR_WRITEPROTECTED]", "Drive %s is write-protected"}});
    const std::string missing = Dir() + "\\missing";
    ui::fake::QueueAnswers({ui::Answer::kRetry, ui::Answer::kIgnore});
    EXPECT_EQ(AppendRemovalLog(missing, "C:\\A.DLL"), 0);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[0].kind, "AskRetryIgnore");
    EXPECT_EQ(Shown()[0].text, "Drive " + Dir().substr(0, 3) + " is write-protected");
    ui::fake::QueueAnswers({ui::Answer::kCancel});
    EXPECT_EQ(AppendRemovalLog(missing, "C:\\A.DLL"), 0);
}

TEST_F(RemovalLogTest, EntryThatCannotBeWrittenIsReportedAndNotTakenAsWritten) {
    LoadLanguage({{"[ERR_CANTWRITE]", "Cannot write %s"}});
    struct Case {
        const char* what;
        bool logThere;
        std::vector<ui::fake::QueuedAnswer> answers;
        size_t questions;
    } cases[] = {
        {"appending, Ignore", true, {ui::Answer::kIgnore}, 1},
        {"appending, Retry then Abort", true, {ui::Answer::kRetry, ui::Answer::kCancel}, 2},
        {"creating the log, Ignore", false, {ui::Answer::kIgnore}, 1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(PathOf("removed.qzt"));
        if (c.logThere)
            WriteFile("removed.qzt", kHeader);
        Shown().clear();
        platform::fake::FailFileOperation(RemovalLogPath(Dir()), platform::fake::FileOperation::kWrite);
        ui::fake::QueueAnswers(c.answers);
        EXPECT_EQ(AppendRemovalLog(Dir(), "C:\\A.DLL"), 0) << c.what;
        EXPECT_EQ(ShownTexts(),
                  std::vector<std::string>(c.questions, "Cannot write " + RemovalLogPath(Dir())))
            << c.what;
        EXPECT_EQ(IsInRemovalLog(Dir(), "C:\\A.DLL"), 0) << c.what;
        platform::fake::ResetFiles();
    }
}

TEST_F(RemovalLogTest, RetryAfterAPartlyWrittenEntryWritesItOnALineOfItsOwn) {
    WriteFile("removed.qzt", kHeader + "C:\\A.DLL\r\n");
    platform::fake::FailFileOperation(RemovalLogPath(Dir()), platform::fake::FileOperation::kWrite, 1);
    ui::fake::QueueAnswers({ui::Answer::kRetry});
    EXPECT_EQ(AppendRemovalLog(Dir(), "C:\\B.DLL"), 1);
    // Half of "C:\B.DLL" CR LF was written by the failed try.
    EXPECT_EQ(ReadFile("removed.qzt"), kHeader + "C:\\A.DLL\r\nC:\\B.\r\nC:\\B.DLL\r\n");
    EXPECT_EQ(IsInRemovalLog(Dir(), "C:\\B.DLL"), 1);
}

TEST_F(RemovalLogTest, OverlongObjectIsCutToTheEntryWidth) {
    AppendRemovalLog(Dir(), std::string(400, 'x'));
    EXPECT_EQ(ReadFile("removed.qzt"), kHeader + std::string(257, 'x') + "\r\n");
    EXPECT_EQ(IsInRemovalLog(Dir(), std::string(400, 'x')), 1);  // found again, cut the same way
}

}  // namespace
