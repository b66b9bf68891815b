#include <gtest/gtest.h>

#include "configstore/progman_group.h"
#include "ui/silent_mode.h"
#include "shell/app_context.h"
#include "test_support.h"

namespace {

using platform::fake::DdeCommands;

class ProgmanGroupTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        WriteFile("SETUP.QZT", CrLf({"[PROGMAN]",  "Quorel ISDN",
                                     "English",    "3",
                                     "Configure",  "!SETUPFILE+CMD",
                                     "/c",         "!SETUPDIR",
                                     "!SETUPICON", "0",
                                     "Read Me",    "notepad.exe README.TXT",
                                     "DOCS",       "icons\\doc.ico",
                                     "-1",         "Plain",
                                     "!SETUPFILE", "!SETUPDIR",
                                     "!SETUPICON", "2",
                                     "Deutsch",    "0"}));
    }
    SetupInfoFile Script() const { return SetupInfoFile::Read(Dir() + "\\SETUP.QZT"); }
};

TEST_F(ProgmanGroupTest, BuildSendsTheCommandsWithKeywordsResolved) {
    BuildProgmanGroup(nullptr, Script(), "English", "SETUP.EXE", "C:\\");
    EXPECT_EQ(DdeCommands(),
              (std::vector<std::string>{
                  "[DeleteGroup(Quorel ISDN)]",
                  "[CreateGroup(\"Quorel ISDN\",0)]",
                  "[ShowGroup(\"Quorel ISDN\",1)]",
                  "[AddItem(SETUP.EXE /c,Configure,C:\\SETUP.EXE,0,20,10,C:\\)]",
                  "[AddItem(notepad.exe README.TXT ,Read Me,C:\\icons\\doc.ico,65535,95,10,C:\\DOCS)]",
                  "[AddItem(SETUP.EXE ,Plain,C:\\SETUP.EXE,2,170,10,C:\\)]",
                  "[ShowGroup(\"Quorel ISDN\",6)]",
              }));
    EXPECT_EQ(platform::fake::DdePauses(), 3);
    EXPECT_TRUE(Shown().empty());
}

// A silent run opens no window: the group is made and filled without the Program Manager showing it.
TEST_F(ProgmanGroupTest, SilentRunBuildsTheGroupWithoutShowingIt) {
    ui::EnterSilentMode();
    BuildProgmanGroup(nullptr, Script(), "English", "SETUP.EXE", "C:\\");
    ui::LeaveSilentMode();
    EXPECT_EQ(DdeCommands(),
              (std::vector<std::string>{
                  "[DeleteGroup(Quorel ISDN)]",
                  "[CreateGroup(\"Quorel ISDN\",0)]",
                  "[AddItem(SETUP.EXE /c,Configure,C:\\SETUP.EXE,0,20,10,C:\\)]",
                  "[AddItem(notepad.exe README.TXT ,Read Me,C:\\icons\\doc.ico,65535,95,10,C:\\DOCS)]",
                  "[AddItem(SETUP.EXE ,Plain,C:\\SETUP.EXE,2,170,10,C:\\)]",
              }));
    EXPECT_EQ(platform::fake::DdePauses(), 3);
}

TEST_F(ProgmanGroupTest, LanguageWithoutItemsStillMakesAnEmptyGroup) {
    BuildProgmanGroup(nullptr, Script(), "Deutsch", "SETUP.EXE", "C:\\Quorel2");
    EXPECT_EQ(DdeCommands().size(), 4u);
    EXPECT_EQ(DdeCommands().back(), "[ShowGroup(\"Quorel ISDN\",6)]");
}

TEST_F(ProgmanGroupTest, FieldsWithSeparatorsAreQuotedAndCommandsGoWhole) {
    const std::string longDirectory = "C:\\" + std::string(250, 'd');
    struct Case {
        const char* what;
        std::string groupName;
        ProgmanItem item;
        std::string installDirectory;
        std::vector<std::string> expected;
    } cases[] = {
        {"a comma in the title, parentheses in the path",
         "Quorel",
         {"Setup, Configure", "!SETUPFILE+CMD", "/c", "!SETUPDIR", "!SETUPICON", 0},
         "C:\\Program Files (x86)\\Quorel",
         {"[DeleteGroup(Quorel)]", "[CreateGroup(\"Quorel\",0)]", "[ShowGroup(\"Quorel\",1)]",
          "[AddItem(SETUP.EXE /c,\"Setup, Configure\",\"C:\\Program Files (x86)\\Quorel\\SETUP.EXE\",0,20,10,"
          "\"C:\\Program Files (x86)\\Quorel\")]",
          "[ShowGroup(\"Quorel\",6)]"}},
        {"brackets and a comma in the group name",
         "ISDN [Quorel], CAPI",
         {"Test", "capitest.exe", "", "TOOLS", "test.ico", 1},
         "C:\\Q",
         {"[DeleteGroup(\"ISDN [Quorel], CAPI\")]", "[CreateGroup(\"ISDN [Quorel], CAPI\",0)]",
          "[ShowGroup(\"ISDN [Quorel], CAPI\",1)]",
          "[AddItem(capitest.exe ,Test,C:\\Q\\test.ico,1,20,10,C:\\Q\\TOOLS)]",
          "[ShowGroup(\"ISDN [Quorel], CAPI\",6)]"}},
        {"quotation marks cannot stand inside a field",
         "The \"Quorel\" group",
         {"Say \"hi\", then", "notepad.exe", "", "!SETUPDIR", "!SETUPICON", 0},
         "C:\\Q",
         {"[DeleteGroup(The Quorel group)]", "[CreateGroup(\"The Quorel group\",0)]",
          "[ShowGroup(\"The Quorel group\",1)]",
          "[AddItem(notepad.exe ,\"Say hi, then\",C:\\Q\\SETUP.EXE,0,20,10,C:\\Q)]",
          "[ShowGroup(\"The Quorel group\",6)]"}},
        {"a long installation path",
         "G",
         {"T", "!SETUPFILE", "", "!SETUPDIR", "!SETUPICON", 0},
         longDirectory,
         {"[DeleteGroup(G)]", "[CreateGroup(\"G\",0)]", "[ShowGroup(\"G\",1)]",
          "[AddItem(SETUP.EXE ,T," + longDirectory + "\\SETUP.EXE,0,20,10," + longDirectory + ")]",
          "[ShowGroup(\"G\",6)]"}},
    };
    for (const Case& c : cases) {
        ProgmanGroup group;
        group.name = c.groupName;
        group.items.push_back(c.item);
        EXPECT_EQ(ProgmanBuildCommands(group, "SETUP.EXE", c.installDirectory), c.expected) << c.what;
    }
}

TEST_F(ProgmanGroupTest, RefusedCommandsAreNotReportedAndTheRestIsStillSent) {
    platform::fake::RefuseDdeCommands();
    BuildProgmanGroup(nullptr, Script(), "English", "SETUP.EXE", "C:\\Q");
    EXPECT_EQ(DdeCommands().size(), 7u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ProgmanGroupTest, RemoveDeletesTheGroup) {
    RemoveProgmanGroup(nullptr, Script(), "English");
    EXPECT_EQ(DdeCommands(), (std::vector<std::string>{"[DeleteGroup(Quorel ISDN)]"}));
    DdeCommands().clear();
    RemoveProgmanGroup(nullptr, SetupInfoFile::Read(Dir() + "\\missing\\SETUP.QZT"), "English");
    EXPECT_TRUE(DdeCommands().empty());
    EXPECT_EQ(Shown().back().text, "Can't find SETUPINFOFILE!");
}

TEST_F(ProgmanGroupTest, DdeRegistrationFailureIsReportedAndNothingSent) {
    platform::fake::FailDdeStart(0x4009);
    BuildProgmanGroup(nullptr, Script(), "English", "SETUP.EXE", "C:\\Q");
    RemoveProgmanGroup(nullptr, Script(), "English");
    EXPECT_TRUE(DdeCommands().empty());
    EXPECT_EQ(ShownTexts(),
              (std::vector<std::string>{"No DDE conversation!", "No DDE Conversation!\nErrorCode: 0x4009"}));
}

}  // namespace
