#include <gtest/gtest.h>

#include "configstore/removal_log.h"
#include "platform/file_system.h"
#include "ui/user_interface.h"
#include "setupfiles/app_context.h"
#include "test_support.h"

namespace {

class RemovalLogTest : public SetupFixture {
  protected:
    const std::string kHeader =
        "QZT Quorel Setup --- *** DON'T TOUCH THIS FILE!!!***\r\nDeleted Objects:\r\n\r\n";
};

TEST_F(RemovalLogTest, FirstAppendWritesTheHeaderOnceAndTheFileIsHidden) {
    EXPECT_EQ(AppendRemovalLog("C:\\WINNT\\SYSTEM32\\X.DLL"), 1);
    EXPECT_EQ(AppendRemovalLog("SOFTWARE\\CAPI20\\1"), 1);
    EXPECT_EQ(AppendRemovalLog("C:\\WINNT\\SYSTEM32\\X.DLL"), 1);  // the same object may stand twice
    EXPECT_EQ(
        ReadFile("removed.qzt"),
        kHeader + "C:\\WINNT\\SYSTEM32\\X.DLL\r\nSOFTWARE\\CAPI20\\1\r\nC:\\WINNT\\SYSTEM32\\X.DLL\r\n");
    EXPECT_TRUE(platform::FileAttributes(RemovalLogPath()) & platform::kAttributeHidden);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(RemovalLogTest, HiddenLogOfAnEarlierRunIsAppendedTo) {
    WriteFile("removed.qzt", kHeader + "C:\\A.DLL\r\n");
    ASSERT_TRUE(platform::SetFileAttributesOf(RemovalLogPath(), platform::kAttributeHidden));
    EXPECT_EQ(AppendRemovalLog("C:\\B.DLL"), 1);
    EXPECT_EQ(ReadFile("removed.qzt"), kHeader + "C:\\A.DLL\r\nC:\\B.DLL\r\n");
}

TEST_F(RemovalLogTest, LookupIgnoresCaseAndSeesTheHeader) {
    EXPECT_EQ(IsInRemovalLog("C:\\A.DLL"), 0);  // no log yet
    AppendRemovalLog("C:\\WINNT\\SYSTEM32\\X.DLL");
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
    for (const Case& c : cases) EXPECT_EQ(IsInRemovalLog(c.object), c.found) << c.object;
}

TEST_F(RemovalLogTest, LogThatCannotBeCreatedAsksRetryIgnore) {
    LoadLanguage({{"[ERR_WRITEPROTECTED]", "Drive %s is write-protected"}});
    App().SetupDirectory = Dir() + "\\missing";
    ui::fake::QueueAnswers({ui::kAnswerRetry, ui::kAnswerIgnore});
    EXPECT_EQ(AppendRemovalLog("C:\\A.DLL"), 0);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[0].kind, "AskRetryIgnore");
    EXPECT_EQ(Shown()[0].text, "Drive " + Dir().substr(0, 3) + " is write-protected");
    ui::fake::QueueAnswers({ui::kAnswerCancel});
    EXPECT_EQ(AppendRemovalLog("C:\\A.DLL"), 0);
}

TEST_F(RemovalLogTest, OverlongObjectIsCutToTheEntryWidth) {
    AppendRemovalLog(std::string(400, 'x'));
    EXPECT_EQ(ReadFile("removed.qzt"), kHeader + std::string(257, 'x') + "\r\n");
    EXPECT_EQ(IsInRemovalLog(std::string(400, 'x')), 1);  // found again, cut the same way
}

}  // namespace
