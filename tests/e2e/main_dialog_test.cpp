#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "harness.h"

namespace {

using namespace e2e;

constexpr int kAction = IDC_MAIN_ACTION, kAbout = IDC_MAIN_ABOUT, kExit = IDC_MAIN_EXIT,
              kLanguage = IDC_MAIN_LANGUAGE, kTitle = IDC_MAIN_TITLE, kLabel = IDC_MAIN_LANGUAGE_LABEL,
              kVersion = IDC_MAIN_VERSION;

class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = PrepareDistribution(std::string(info->test_suite_name()) + "." + info->name());
    }
    std::string English(const std::string& key) const { return LanguageText(dir_ + "\\ENGLISH.LNG", key); }
    std::string German(const std::string& key) const { return LanguageText(dir_ + "\\DEUTSCH.LNG", key); }

    // Ends the program with its Exit button and expects exit code 0.
    static void ExitNormally(const SetupProcess& setup, HWND main) {
        PressButton(main, kExit);
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(&code));
        EXPECT_EQ(code, 0u);
    }

    std::string dir_;
};

TEST_F(MainDialogTest, GermanSwitchStartsInGermanAndEnglishChoiceRelabelsAtOnce) {
    SetupProcess setup(dir_, "/lDeutsch");
    ASSERT_TRUE(setup.Started());
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), German("[DLG_MAIN_CAPTION]"));
    EXPECT_EQ(ControlText(main, kAction), German("[DLG_MAIN_INSTALL]"));
    EXPECT_EQ(ControlText(main, kAbout), German("[DLG_MAIN_ABOUT]"));
    EXPECT_EQ(ControlText(main, kExit), German("[DLG_MAIN_EXIT]"));
    EXPECT_EQ(ControlText(main, kTitle), German("[DLG_MAIN_INTRO]"));
    EXPECT_EQ(ControlText(main, kLabel), German("[DLG_MAIN_LANGUAGE]"));
    EXPECT_EQ(ControlText(main, kVersion), German("[DLG_MAIN_VERSION]"));
    EXPECT_EQ(ComboEntries(main, kLanguage), (std::vector<std::string>{"English", "Deutsch"}));
    EXPECT_EQ(ComboSelection(main, kLanguage), 1);

    SelectComboEntry(main, kLanguage, 0);
    EXPECT_TRUE(WaitFor([&] { return ControlText(main, kAction) == English("[DLG_MAIN_INSTALL]"); }));
    EXPECT_EQ(WindowText(main), English("[DLG_MAIN_CAPTION]"));
    EXPECT_EQ(ControlText(main, kTitle), English("[DLG_MAIN_INTRO]"));
    EXPECT_EQ(ComboEntries(main, kLanguage), (std::vector<std::string>{"English", "Deutsch"}));
    ExitNormally(setup, main);
}

TEST_F(MainDialogTest, ModeSwitchesChooseTheActionText) {
    struct Case {
        const char* arguments;
        const char* key;
    } cases[] = {
        {"/c", "[DLG_MAIN_CONFIG]"},       {"/d", "[DLG_MAIN_DEINSTALL]"}, {"/d /c", "[DLG_MAIN_CONFIG]"},
        {"-c -D", "[DLG_MAIN_DEINSTALL]"}, {"", "[DLG_MAIN_INSTALL]"},
    };
    for (const Case& c : cases) {
        SetupProcess setup(dir_, c.arguments);
        HWND main = setup.SkipIntroToMainDialog();
        ASSERT_NE(main, nullptr) << c.arguments;
        EXPECT_EQ(ControlText(main, kAction), English(c.key)) << c.arguments;
        EXPECT_EQ(ComboSelection(main, kLanguage), 0) << c.arguments;
        ExitNormally(setup, main);
    }
}

TEST_F(MainDialogTest, ScriptForAnotherSystemShowsTheMessageAndEnds) {
    std::string script = ReadFileBytes(dir_ + "\\SETUP.QZT");
    size_t at = script.find("!OS_WINDOWS_NT");
    ASSERT_NE(at, std::string::npos);
    script.replace(at, 14, "!OS_WINDOWS_95");
    WriteFileBytes(dir_ + "\\SETUP.QZT", script);

    SetupProcess setup(dir_, "");
    HWND box = setup.WaitForText(English("[ERR_INVALID_OS]"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), English("[MSG_CAPTION]"));
    for (HWND window : setup.Windows()) EXPECT_FALSE(HasControl(window, kLanguage));
    PressButton(box, IDOK);
    DWORD code = 99;
    ASSERT_TRUE(setup.WaitForExit(&code));
    EXPECT_EQ(code, 1633u);  // the installer service's code for a package of another system
}

TEST_F(MainDialogTest, MissingLanguageFileIsReportedAndTheDialogStillOpens) {
    ASSERT_TRUE(DeleteFileA((dir_ + "\\DEUTSCH.LNG").c_str()));
    SetupProcess setup(dir_, "/lDeutsch");
    HWND box = setup.WaitForText("Language is not supported!");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "");  // no language text was ever read
    PressButton(box, IDOK);
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ControlText(main, kAction), "");
    EXPECT_EQ(ComboSelection(main, kLanguage), 1);
    // Switching to a language that has its file brings the texts.
    SelectComboEntry(main, kLanguage, 0);
    EXPECT_TRUE(WaitFor([&] { return ControlText(main, kAction) == English("[DLG_MAIN_INSTALL]"); }));
    ExitNormally(setup, main);
}

TEST_F(MainDialogTest, ScriptNamedBySwitchGivesTheLanguagesAndALastLineWithoutLineEndCounts) {
    // The sample's language list is its last section: a third language whose file name ends the script
    // without CR LF, in a script that only /f names.
    std::string script = ReadFileBytes(dir_ + "\\SETUP.QZT");
    const std::string list = "[LANGUAGE]\r\n2\r\n";
    size_t at = script.find(list);
    ASSERT_NE(at, std::string::npos);
    script.replace(at, list.size(), "[LANGUAGE]\r\n3\r\n");
    ASSERT_EQ(script.substr(script.size() - 13), "DEUTSCH.LNG\r\n");
    script += "Englisch\r\nENGLISH.LNG";
    WriteFileBytes(dir_ + "\\OTHER.QZT", script);
    ASSERT_TRUE(DeleteFileA((dir_ + "\\SETUP.QZT").c_str()));

    SetupProcess setup(dir_, "/fOTHER.QZT /lEnglisch");
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ComboEntries(main, kLanguage), (std::vector<std::string>{"English", "Deutsch", "Englisch"}));
    EXPECT_EQ(ComboSelection(main, kLanguage), 2);
    EXPECT_EQ(ControlText(main, kAction), English("[DLG_MAIN_INSTALL]"));
    ExitNormally(setup, main);
}

TEST_F(MainDialogTest, SwitchingToALanguageWithoutFileKeepsTheTexts) {
    ASSERT_TRUE(DeleteFileA((dir_ + "\\DEUTSCH.LNG").c_str()));
    SetupProcess setup(dir_, "");
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_NE(main, nullptr);
    SelectComboEntry(main, kLanguage, 1);
    HWND box = setup.WaitForText("Language is not supported!");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), English("[MSG_CAPTION]"));
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return setup.Windows().size() == 1; }));
    EXPECT_EQ(ControlText(main, kAction), English("[DLG_MAIN_INSTALL]"));
    ExitNormally(setup, main);
}

TEST_F(MainDialogTest, CloseBoxEndsTheProgram) {
    SetupProcess setup(dir_, "");
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_NE(main, nullptr);
    CloseWindowBySystemMenu(main);
    DWORD code = 99;
    ASSERT_TRUE(setup.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
}

// The control that has the keyboard focus in the program's window's thread.
int FocusedControl(HWND main) {
    HWND focus = FocusedWindow(main);
    if (!focus)
        return -1;
    // A combo box's focus may rest on its own child.
    if (GetParent(focus) != main)
        focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

TEST_F(MainDialogTest, TabMovesTheFocusThroughTheControlsAndEnterPressesTheFocusedButton) {
    SetupProcess setup(dir_, "");
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return FocusedControl(main) == kLanguage; })) << FocusedControl(main);
    // The order of the template: language, action, about, exit, and round again.
    for (int expected : {kAction, kAbout, kExit, kLanguage, kAction, kAbout, kExit}) {
        HWND focus = GetDlgItem(main, FocusedControl(main));
        PostKey(focus, VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return FocusedControl(main) == expected; }))
            << "expected " << expected << ", focus on " << FocusedControl(main);
    }
    // Enter on the focused Exit button ends the program, although the action button is the default one.
    PostKey(GetDlgItem(main, kExit), VK_RETURN);
    DWORD code = 99;
    ASSERT_TRUE(setup.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainDialogTest, StartWindowComesBeforeTheMainDialogAndClosesByItself) {
    SetupProcess setup(dir_, "");
    HWND intro = setup.WaitForIntro();
    ASSERT_NE(intro, nullptr);
    for (HWND window : setup.Windows()) EXPECT_FALSE(HasControl(window, kLanguage));
    // No input: the start window ends on its own and the main dialog follows it.
    HWND main = setup.WaitForControls({kAction, kExit, kLanguage});
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindow(intro));
    ExitNormally(setup, main);
}

// /? and /h answer with the switches in the chosen language and end; nothing else is done.
TEST_F(MainDialogTest, QuestionMarkShowsTheSwitchesInTheChosenLanguage) {
    struct Case {
        const char* arguments;
        std::string text;
    } cases[] = {{"/?", English("[TEXT_COMMANDLINE]")}, {"/h /lDeutsch", German("[TEXT_COMMANDLINE]")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        ASSERT_NE(c.text.find("/c"), std::string::npos) << c.text;
        SetupProcess setup(dir_, c.arguments);
        HWND box = setup.WaitForText(c.text);
        ASSERT_NE(box, nullptr);
        PressButton(box, IDOK);
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(&code));
        EXPECT_EQ(code, 0u);
    }
    // Silent, the switches go into the report, their line breaks as blanks.
    std::string report = dir_ + "\\help.log";
    SetupProcess silent(dir_, "/s /? /r" + report);
    DWORD code = 99;
    ASSERT_TRUE(silent.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
    std::string line = English("[TEXT_COMMANDLINE]");
    for (char& c : line)
        if (c == '\n')
            c = ' ';
    EXPECT_NE(ReadFileBytes(report).find(line), std::string::npos) << ReadFileBytes(report);
}

}  // namespace
