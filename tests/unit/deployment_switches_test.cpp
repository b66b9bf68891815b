#include <gtest/gtest.h>

#include "shell/app_context.h"
#include "test_support.h"
#include "shell/command_line.h"
#include "shell/exit_codes.h"

namespace {

TEST(DeploymentSwitchesTest, SwitchesOfUnattendedRuns) {
    const std::string longPath = "C:\\" + std::string(200, 'x') + "\\answers.ini";
    struct Case {
        std::string line;
        bool silent;
        std::string answerFile;
        std::string reportFile;
        bool verify;
        bool valid;
        int mode;
    } cases[] = {
        {"/s", true, "", "", false, true, kRunNormal},
        {"-S /D", true, "", "", false, true, kRunDeinstall},
        {"/aC:\\a.ini", true, "C:\\a.ini", "", false, true, kRunNormal},  // /a implies /s
        {"/aC:\\a.ini /c", true, "C:\\a.ini", "", false, true, kRunConfigure},
        {"/rC:\\setup.log", false, "", "C:\\setup.log", false, true, kRunNormal},
        {"/v /r\\\\srv\\logs\\pc1.log", false, "", "\\\\srv\\logs\\pc1.log", true, true, kRunNormal},
        {"/a\"C:\\My Files\\a.ini\" /s", true, "C:\\My Files\\a.ini", "", false, true, kRunNormal},
        {"/r\"C:\\Log Files\\x-d.log\"", false, "", "C:\\Log Files\\x-d.log", false, true, kRunNormal},
        // A '-' or '/' inside a value is no switch.
        {"/aC:\\x-d\\a.ini", true, "C:\\x-d\\a.ini", "", false, true, kRunNormal},
        {"/c /a" + longPath, true, longPath, "", false, true, kRunConfigure},
        {"/x /q /z", false, "", "", false, true, kRunNormal},
        {"/a", true, "", "", false, false, kRunNormal},
        {"/r /s", true, "", "", false, false, kRunNormal},
        {"/a\"C:\\unclosed", true, "", "", false, false, kRunNormal},
        {"/a\"\"", true, "", "", false, false, kRunNormal},
        {"/aC:\\" + std::string(257, 'y'), true, "C:\\" + std::string(257, 'y'), "", false, false,
         kRunNormal},
    };
    for (const Case& c : cases) {
        App() = AppContext();
        DeploymentSwitches switches = ParseCommandLine(c.line, App());
        EXPECT_EQ(switches.silent, c.silent) << c.line;
        if (c.valid) {
            EXPECT_EQ(switches.answerFile, c.answerFile) << c.line;
            EXPECT_EQ(switches.reportFile, c.reportFile) << c.line;
        }
        EXPECT_EQ(switches.verify, c.verify) << c.line;
        EXPECT_EQ(switches.valid, c.valid) << c.line;
        EXPECT_EQ(switches.valid, switches.problem.empty()) << c.line;
        EXPECT_EQ(App().RunMode, c.mode) << c.line;
    }
}

TEST(DeploymentSwitchesTest, QuestionMarkOrHAsksForTheSwitches) {
    for (const char* line : {"/?", "-h", "/H /s", "/c /?", "/rC:\\x.log /?"}) {
        App() = AppContext();
        EXPECT_TRUE(ParseCommandLine(line, App()).help) << line;
    }
    for (const char* line : {"", "/s /d", "/aC:\\h\\a.ini", "/rC:\\x-h.log"}) {
        App() = AppContext();
        EXPECT_FALSE(ParseCommandLine(line, App()).help) << line;
    }
}

TEST(DeploymentSwitchesTest, TheOtherSwitchesKeepTheirFirst127Characters) {
    App() = AppContext();
    DeploymentSwitches switches = ParseCommandLine(std::string(130, ' ') + "/c /s /rC:\\r.log", App());
    EXPECT_EQ(App().RunMode, kRunNormal);
    EXPECT_TRUE(switches.silent);
    EXPECT_EQ(switches.reportFile, "C:\\r.log");
    // A /f value cut at the 127th character leaves nothing behind it that counts as a switch.
    App() = AppContext();
    switches = ParseCommandLine("/f" + std::string(124, 'A') + "-s", App());
    EXPECT_EQ(App().SetupInfoFileName, std::string(124, 'A') + "-");
    EXPECT_FALSE(switches.silent);
}

TEST(ExitCodesTest, EveryEndOfARunHasItsCode) {
    struct Case {
        RunEnd end;
        bool completed;
        bool cancelled;
        bool restartNeeded;
        bool differences;
        int code;
    } cases[] = {
        {RunEnd::kFlowEnded, true, false, false, false, 0},
        {RunEnd::kFlowEnded, true, false, true, false, 3010},
        {RunEnd::kFlowEnded, false, true, false, false, 1602},
        {RunEnd::kFlowEnded, false, false, false, false, 1603},
        {RunEnd::kFlowEnded, false, false, true, false, 1603},  // a failed run never asks for a restart
        {RunEnd::kBadCommandLine, false, false, false, false, 1639},
        {RunEnd::kWrongSystem, false, false, false, false, 1633},
        {RunEnd::kNoRights, false, false, false, false, 5},
        {RunEnd::kScriptRefused, false, false, false, false, 1603},
        {RunEnd::kVerified, false, false, false, false, 0},
        {RunEnd::kVerified, false, false, false, true, 1},
    };
    for (const Case& c : cases) {
        RunSummary summary;
        summary.end = c.end;
        summary.completed = c.completed;
        summary.cancelled = c.cancelled;
        summary.restartNeeded = c.restartNeeded;
        summary.differences = c.differences;
        EXPECT_EQ(ExitCode(summary), c.code) << static_cast<int>(c.end) << c.completed << c.cancelled;
    }
}

}  // namespace
