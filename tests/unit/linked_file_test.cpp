#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "configstore/autoexec_block.h"
#include "configstore/removal_log.h"
#include "deinstall/removal_logging.h"
#include "install/copy_file.h"
#include "platform/file_system.h"
#include "ui/run_report.h"
#include "ui/user_interface.h"
#include "test_support.h"

// Files the program writes by a name that someone else may have planted as a link to a file of theirs.
namespace {

namespace fs = std::filesystem;

class LinkedFileTest : public SetupFixture {
  protected:
    CopyRun run_;
    void SetUp() override {
        SetupFixture::SetUp();
        LoadLanguage({{"[ERR_LINKEDFILE]", "Linked: %s"}, {"[ERR_CANTWRITE]", "Cannot write %s"}});
        fs::create_directories(PathOf("system32"));
        fs::create_directories(PathOf("inst"));
        platform::fake::SetWindowsDirectory(Dir());
        platform::fake::SetSystemDirectory(Dir() + "\\system32");
        WriteDriverAndToolSources();
    }
    std::string Win(const std::string& relative) const {
        std::string path = Dir() + "\\" + relative;
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }
    void Link(const std::string& name, bool hard) {
        WriteFile("victim.txt", "the victim's own");
        if (hard)
            fs::create_hard_link(PathOf("victim.txt"), PathOf(name));
        else
            fs::create_symlink(PathOf("victim.txt"), PathOf(name));
    }
};

TEST_F(LinkedFileTest, NothingIsWrittenThroughAHardLinkOrASymbolicLink) {
    WriteFile("system32/AutoExec.NT", CrLf({"REM stock", "lh %SystemRoot%\\system\\dxbridge.exe", ""}));
    struct Case {
        const char* what;
        const char* linkName;
        std::function<bool()> written;  // whether the writer claims success
    } cases[] = {
        {"removal log", "inst/removed.qzt", [&] { return AppendRemovalLog(Win("inst"), "C:\\x") == 1; }},
        {"report", "report.txt",
         [&] {
             bool opened = ui::OpenReport(Win("report.txt"));
             ui::Report("a line");
             ui::CloseReport();
             return opened;
         }},
        {"expansion file beside the target", "inst/kxbus.sys.$$$",
         [&] {
             ui::fake::QueueAnswers({ui::Answer::kCancel});
             return CopyOrExpandFile(nullptr, run_, Win("dist/DRIVER/KXBUS.SY_"), Win("inst/kxbus.sys"),
                                     true) == FileResult::kDone;
         }},
        {"copy over an existing file", "inst/tool.exe",
         [&] {
             ui::fake::QueueAnswers({ui::Answer::kCancel});
             return CopyOrExpandFile(nullptr, run_, Win("dist/DRIVER/TOOL.EX_"), Win("inst/tool.exe"),
                                     false) == FileResult::kDone;
         }},
        {"AUTOEXEC.NT's temporary copy", "system32/AutoTmp.$$$", [&] { return RemoveAutoexecBlock(); }},
    };
    for (const Case& c : cases) {
        for (bool hard : {true, false}) {
            std::string what = std::string(c.what) + (hard ? ", hard link" : ", symbolic link");
            Shown().clear();
            run_.overwriteAll = true;  // the link is newer than the source; nothing else is asked
            Link(c.linkName, hard);
            EXPECT_FALSE(c.written()) << what;
            EXPECT_EQ(ReadFile("victim.txt"), "the victim's own") << what;
            if (std::string(c.what) != "report") {
                ASSERT_FALSE(Shown().empty()) << what;
                std::string name = fs::path(c.linkName).filename().string();
                EXPECT_EQ(ShownTexts().front().rfind("Linked: ", 0), 0u) << what;
                EXPECT_NE(ShownTexts().front().find(name), std::string::npos) << what;
            }
            fs::remove(PathOf(c.linkName));
        }
    }
    EXPECT_NE(ReadFile("system32/AutoExec.NT").find("dxbridge"), std::string::npos);
}

// Only a second name counts: a file of its own, or none, is written as before.
TEST_F(LinkedFileTest, AFileWithOneNameOrNoneIsNoLink) {
    WriteFile("one.txt", "x");
    fs::create_directories(PathOf("dir"));
    EXPECT_FALSE(platform::IsLinkedFile(Win("one.txt")));
    EXPECT_FALSE(platform::IsLinkedFile(Win("missing.txt")));
    EXPECT_FALSE(platform::IsLinkedFile(Win("dir")));
    EXPECT_EQ(AppendRemovalLog(Win("inst"), "C:\\x"), 1);
    EXPECT_EQ(AppendRemovalLog(Win("inst"), "C:\\y"), 1);
    EXPECT_TRUE(IsInRemovalLog(Win("inst"), "C:\\y"));
}

}  // namespace
