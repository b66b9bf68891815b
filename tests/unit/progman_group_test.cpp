#include <gtest/gtest.h>

#include "install/progman_group.h"
#include "setupfiles/app_context.h"
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
    std::string Script() const { return Dir() + "\\SETUP.QZT"; }
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

TEST_F(ProgmanGroupTest, LanguageWithoutItemsStillMakesAnEmptyGroup) {
    BuildProgmanGroup(nullptr, Script(), "Deutsch", "SETUP.EXE", "C:\\Quorel2");
    EXPECT_EQ(DdeCommands().size(), 4u);
    EXPECT_EQ(DdeCommands().back(), "[ShowGroup(\"Quorel ISDN\",6)]");
}

TEST_F(ProgmanGroupTest, OverlongItemCommandIsCutToTheCommandBuffer) {
    ProgmanGroup group;
    group.name = "G";
    group.items.push_back({"T", std::string(259, 'p'), "", "!SETUPDIR", "!SETUPICON", 0});
    auto commands = ProgmanBuildCommands(group, "SETUP.EXE", "C:\\Q");
    EXPECT_EQ(commands[3].size(), 259u);
}

TEST_F(ProgmanGroupTest, RemoveDeletesTheGroup) {
    RemoveProgmanGroup(nullptr, Script(), "English");
    EXPECT_EQ(DdeCommands(), (std::vector<std::string>{"[DeleteGroup(Quorel ISDN)]"}));
    DdeCommands().clear();
    RemoveProgmanGroup(nullptr, Dir() + "\\missing\\SETUP.QZT", "English");
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
