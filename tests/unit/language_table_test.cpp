#include <gtest/gtest.h>

#include <algorithm>

#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "test_support.h"

namespace {

class LanguageTableTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        App().Languages.entries = {{"English", "ENGLISH.LNG"}, {"Deutsch", "DEUTSCH.LNG"}};
    }

    // Every key with the text "<prefix> <textId>", in table order, except the keys in skip.
    std::vector<std::string> AllKeys(const std::string& prefix, std::vector<int> skipOrders = {}) {
        std::vector<std::string> lines;
        for (int order = 0; order < kLanguageKeyCount; ++order) {
            if (std::find(skipOrders.begin(), skipOrders.end(), order) != skipOrders.end())
                continue;
            lines.push_back(kLanguageKeys[order].key);
            lines.push_back(prefix + " " + std::to_string(kLanguageKeys[order].textId));
        }
        return lines;
    }
};

TEST_F(LanguageTableTest, CompleteFileFillsEveryKeyWithoutMessages) {
    WriteFile("ENGLISH.LNG", CrLf(AllKeys("en")));
    ASSERT_EQ(LoadCurrentLanguage(App()), 1);
    EXPECT_TRUE(Shown().empty());
    for (const LanguageKey& key : kLanguageKeys)
        EXPECT_EQ(Text(key.textId), "en " + std::to_string(key.textId));
    EXPECT_EQ(Text(14), "");
    EXPECT_EQ(Text(699), "");
    EXPECT_EQ(Text(700), "");
    EXPECT_EQ(Text(-1), "");
}

TEST_F(LanguageTableTest, AddedKeysAreFoundAfterTheOthersAndOlderFilesGetTheEnglishText) {
    const AddedLanguageKey& added = kAddedLanguageKeys[0];
    struct Case {
        const char* what;
        std::vector<std::string> after;  // what follows the last of the other keys
        std::string text;
    } cases[] = {
        {"file made before the key was added", {}, added.english},
        {"key given", {added.key, "given"}, "given"},
        {"key after an unknown one", {"[LATER_KEY]", "later", added.key, "given"}, "given"},
        {"key without its text at the end of the file", {added.key}, ""},
    };
    for (const Case& c : cases) {
        ClearLanguageTable();
        std::vector<std::string> lines = AllKeys("en");
        lines.insert(lines.end(), c.after.begin(), c.after.end());
        WriteFile("ENGLISH.LNG", CrLf(lines));
        ASSERT_EQ(LoadCurrentLanguage(App()), 1) << c.what;
        EXPECT_TRUE(Shown().empty()) << c.what;
        EXPECT_EQ(Text(added.textId), c.text) << c.what;
        EXPECT_EQ(Text(kLanguageKeys[kLanguageKeyCount - 1].textId),
                  "en " + std::to_string(kLanguageKeys[kLanguageKeyCount - 1].textId))
            << c.what;
    }
}

TEST_F(LanguageTableTest, BothChangeKeysFillSlotTwoAndTheLaterWins) {
    WriteFile("ENGLISH.LNG", CrLf(AllKeys("en")));
    LoadCurrentLanguage(App());
    EXPECT_EQ(Text(2), "en 2");
    int buttonChange = 6, dialogChange = 48;
    EXPECT_EQ(std::string(kLanguageKeys[buttonChange].key), "[BUTTON_CHANGE]");
    EXPECT_EQ(std::string(kLanguageKeys[dialogChange].key), "[DLG_CFG_CHANGE]");
    auto lines = AllKeys("en");
    lines[2 * dialogChange + 1] = "later";
    WriteFile("ENGLISH.LNG", CrLf(lines));
    LoadCurrentLanguage(App());
    EXPECT_EQ(Text(2), "later");
}

TEST_F(LanguageTableTest, MissingThirdKeyFailsItAndEveryLaterKey) {
    WriteFile("ENGLISH.LNG", CrLf(AllKeys("en", {2})));
    ASSERT_EQ(LoadCurrentLanguage(App()), 1);
    ASSERT_EQ(Shown().size(), 139u);
    EXPECT_EQ(Shown()[0].text, "LNG Section not found: [BUTTON_RESET]");
    EXPECT_EQ(Shown()[0].kind, "InfoMessageBox");
    EXPECT_EQ(Shown()[0].caption, "");
    EXPECT_EQ(Shown()[138].text, "LNG Section not found: [TEXT_UNKNOWNVERSION]");
    EXPECT_EQ(Text(0), "en 0");
    EXPECT_EQ(Text(1), "en 1");
    EXPECT_EQ(Text(6), "");
    EXPECT_EQ(Text(112), "");
}

TEST_F(LanguageTableTest, SwappedKeysFindTheFirstAndLoseTheRest) {
    auto lines = AllKeys("en");
    // Swap the pairs of order 3 ("[BUTTON_ADD]") and 4 ("[BUTTON_EDIT]").
    std::swap(lines[6], lines[8]);
    std::swap(lines[7], lines[9]);
    WriteFile("ENGLISH.LNG", CrLf(lines));
    LoadCurrentLanguage(App());
    EXPECT_EQ(Text(4), "en 4");
    EXPECT_EQ(Text(3), "");
    EXPECT_EQ(Text(5), "");
    EXPECT_EQ(Shown().size(), static_cast<size_t>(kLanguageKeyCount - 4));
    EXPECT_EQ(Shown()[0].text, "LNG Section not found: [BUTTON_EDIT]");
}

TEST_F(LanguageTableTest, SwitchingKeepsOldTextsWhereTheNewFileFails) {
    WriteFile("ENGLISH.LNG", CrLf(AllKeys("en")));
    LoadCurrentLanguage(App());
    App().LanguageIndex = 1;
    EXPECT_EQ(LoadCurrentLanguage(App()), 0);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "Language is not supported!");
    EXPECT_EQ(Shown()[0].caption, "en 112");
    EXPECT_EQ(Text(9), "en 9");

    // A German file that stops after the caption key: later keys keep their English texts.
    auto lines = AllKeys("de");
    lines.resize(2 * 8);
    WriteFile("DEUTSCH.LNG", CrLf(lines));
    Shown().clear();
    EXPECT_EQ(LoadCurrentLanguage(App()), 1);
    EXPECT_EQ(Text(7), "de 7");
    EXPECT_EQ(Text(15), "en 15");
    EXPECT_EQ(Shown().size(), static_cast<size_t>(kLanguageKeyCount - 8));
}

TEST_F(LanguageTableTest, TextLinesAsTheyStand) {
    auto lines = AllKeys("en");
    lines[2 * 8 + 1] = "Line one\xAFLine two";  // "[DLG_MAIN_INTRO]"
    lines[2 * 9 + 1] = "";                      // "[DLG_MAIN_VERSION]"
    lines[2 * 10 + 1] = std::string(400, 'L');  // "[DLG_MAIN_LANGUAGE]"
    std::string bytes = CrLf(lines);
    bytes.resize(bytes.size() - 2);  // the last text without its line end
    WriteFile("ENGLISH.LNG", bytes);
    ASSERT_EQ(LoadCurrentLanguage(App()), 1);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Text(15), "Line one\nLine two");
    EXPECT_EQ(Text(17), "");
    EXPECT_EQ(Text(16), std::string(259, 'L'));
    EXPECT_EQ(Text(605), "en 605");
}

TEST_F(LanguageTableTest, NoLanguageListMeansNoFile) {
    App().Languages.entries.clear();
    EXPECT_EQ(LoadCurrentLanguage(App()), 0);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "Language is not supported!");
}

TEST_F(LanguageTableTest, ShippedLanguageFilesAreComplete) {
    for (const char* name : {"ENGLISH.LNG", "DEUTSCH.LNG"}) {
        App().SetupDirectory = QUOREL_SAMPLE_DIR;
        App().Languages.entries = {{"any", name}};
        ClearLanguageTable();
        Shown().clear();
        ASSERT_EQ(LoadCurrentLanguage(App()), 1) << name;
        EXPECT_TRUE(Shown().empty()) << name << ": " << (Shown().empty() ? "" : Shown()[0].text);
        for (const LanguageKey& key : kLanguageKeys)
            EXPECT_FALSE(Text(key.textId).empty()) << name << " " << key.key;
    }
}

}  // namespace
