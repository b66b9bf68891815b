#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "install/copy_file.h"
#include "platform/file_system.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "test_support.h"

namespace {

using namespace ui;
using ui::fake::QueueAnswers;

constexpr uint64_t kOlder = 130000000000000000ULL;
constexpr uint64_t kNewer = 130000000100000000ULL;

class CopyFileTest : public SetupFixture {
  protected:
    CopyRun run_;
    void SetUp() override {
        SetupFixture::SetUp();
        // The texts the questions are built from, so that the tests see what the user would read.
        LoadLanguage({{"[ERR_NOWRITEACCESS]", "%s is write-protected, replace with %s?"},
                      {"[ERR_FILENOTFOUND]", "Missing %s"},
                      {"[ERR_CANTWRITE]", "Cannot write %s"},
                      {"[INFO_CREATEPATH]", "Creating %s"},
                      {"[QUEST_OVERWRITENEW]", "%s is newer"}});
    }
    std::string P(const std::string& name) const { return PathOf(name); }
    void File(const std::string& name, const std::string& content, uint64_t time) {
        WriteFile(name, content);
        ASSERT_TRUE(platform::SetLastWriteTime(P(name), time));
    }
    // What the directory holds, by name.
    std::vector<std::string> Names(const std::string& directory) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(PathOf(directory)))
            names.push_back(entry.path().filename().string());
        return names;
    }
    std::vector<std::string> Kinds() {
        std::vector<std::string> kinds;
        for (const auto& shown : Shown()) kinds.push_back(shown.kind);
        return kinds;
    }
};

TEST_F(CopyFileTest, MissingSourceAsksAbortRetryIgnore) {
    struct Case {
        std::vector<ui::fake::QueuedAnswer> answers;
        FileResult result;
        size_t questions;
    } cases[] = {
        {{ui::Answer::kCancel}, FileResult::kAborted, 1},
        {{ui::Answer::kIgnore}, FileResult::kIgnored, 1},
        {{ui::Answer::kRetry, ui::Answer::kRetry, ui::Answer::kIgnore}, FileResult::kIgnored, 3},
    };
    for (const Case& c : cases) {
        Shown().clear();
        QueueAnswers(c.answers);
        EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("missing.dll"), P("target.dll"), false), c.result);
        ASSERT_EQ(Shown().size(), c.questions);
        EXPECT_EQ(Shown()[0].kind, "AskRetryIgnore");
        EXPECT_EQ(Shown()[0].text, "Missing " + P("missing.dll"));
        EXPECT_FALSE(Exists("target.dll"));
    }
    // Retry finds the file once it is there.
    Shown().clear();
    QueueAnswers({ui::Answer::kRetry});
    WriteFile("late.dll", "late");
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("late.dll"), P("copy.dll"), false), FileResult::kDone);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(CopyFileTest, WriteProtectedTargetIsAskedBeforeTheDateEvenAfterAll) {
    File("new.dll", "new", kOlder);
    File("old.dll", "old", kNewer);
    ASSERT_TRUE(platform::SetFileAttributesOf(P("old.dll"), platform::kAttributeReadOnly));
    run_.overwriteAll = true;
    QueueAnswers({ui::Answer::kNo});  // No: keep it, and count the file as done
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("new.dll"), P("old.dll"), false), FileResult::kDone);
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"AskSystemYesNo"}));
    EXPECT_EQ(Shown()[0].text, P("old.dll") + " is write-protected, replace with " + P("new.dll") + "?");
    EXPECT_EQ(ReadFile("old.dll"), "old");

    Shown().clear();
    QueueAnswers(
        {ui::Answer::kYes});  // Yes: the attribute goes, the file is replaced without the date question (All)
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("new.dll"), P("old.dll"), false), FileResult::kDone);
    EXPECT_EQ(ReadFile("old.dll"), "new");
    EXPECT_EQ(platform::FileAttributes(P("old.dll")) & platform::kAttributeReadOnly, 0u);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"AskSystemYesNo"}));
}

TEST_F(CopyFileTest, NewerTargetAsksUntilAll) {
    struct Case {
        ui::Answer answer;
        FileResult result;
        const char* content;
    } cases[] = {
        {ui::Answer::kNo, FileResult::kSkipped, "target"},
        {ui::Answer::kCancel, FileResult::kAborted, "target"},
        {ui::Answer::kYes, FileResult::kDone, "source"},
    };
    for (const Case& c : cases) {
        File("a.sys", "source", kOlder);
        File("b.sys", "target", kNewer);
        Shown().clear();
        QueueAnswers({c.answer});
        EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("a.sys"), P("b.sys"), false), c.result);
        ASSERT_EQ(Kinds(), (std::vector<std::string>{"AskYesAllNo"}));
        EXPECT_EQ(Shown()[0].text, P("b.sys") + " is newer");
        EXPECT_EQ(ReadFile("b.sys"), c.content);
        EXPECT_FALSE(run_.overwriteAll);
    }
    // All overwrites this file and every later one without asking.
    File("b.sys", "target", kNewer);
    File("c.sys", "target", kNewer);
    Shown().clear();
    QueueAnswers({ui::Answer::kAll});
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("a.sys"), P("b.sys"), false), FileResult::kDone);
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("a.sys"), P("c.sys"), false), FileResult::kDone);
    EXPECT_TRUE(run_.overwriteAll);
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(ReadFile("c.sys"), "source");
}

TEST_F(CopyFileTest, EqualOrOlderTargetTimesOverwriteWithoutQuestion) {
    for (uint64_t targetTime : {kOlder, kOlder - 1}) {
        File("a.sys", "source", kOlder);
        File("b.sys", "target", targetTime);
        EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("a.sys"), P("b.sys"), false), FileResult::kDone);
        EXPECT_EQ(ReadFile("b.sys"), "source");
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(CopyFileTest, SamePathIgnoringCaseCopiesNothing) {
    WriteFile("Same.DLL", "content");
    std::string upper = Dir() + "/Same.DLL";
    std::string mixed = Dir() + "/sAME.dll";
    // Host file names are case-sensitive, so point both names at the one file the test made.
    std::filesystem::create_symlink(upper, mixed);
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, upper, mixed, false), FileResult::kDone);
    EXPECT_EQ(ReadFile("Same.DLL"), "content");
    EXPECT_TRUE(Shown().empty());
}

TEST_F(CopyFileTest, FailedCopyOrExpansionIsAskedAboutAndAbortEndsTheRun) {
    WriteFile("a.sys", "source");
    for (bool expand : {false, true}) {
        struct Case {
            std::vector<ui::fake::QueuedAnswer> answers;
            FileResult result;
        } cases[] = {
            {{ui::Answer::kCancel}, FileResult::kAborted},
            {{ui::Answer::kIgnore}, FileResult::kIgnored},
            {{ui::Answer::kRetry, ui::Answer::kIgnore},
             FileResult::kIgnored},  // Retry tries again, and asks again
        };
        for (const Case& c : cases) {
            Shown().clear();
            QueueAnswers(c.answers);
            EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("a.sys"), P("nodir/b.sys"), expand), c.result)
                << expand;
            EXPECT_EQ(Kinds(), std::vector<std::string>(c.answers.size(), "AskRetryIgnore")) << expand;
            EXPECT_EQ(Shown().back().text, "Cannot write " + P("nodir/b.sys")) << expand;
        }
    }
    EXPECT_FALSE(Exists("nodir"));
}

// A source that is there but cannot be read (another program holds it locked) is asked about as a source
// that is missing, naming the source, not the target that was never the problem.
TEST_F(CopyFileTest, UnreadableSourceIsAskedAsAMissingSourceNamingIt) {
    WriteFile("a.sys", "source");
    platform::fake::HoldFileOpen(P("a.sys"));
    for (bool expand : {false, true}) {
        Shown().clear();
        QueueAnswers({ui::Answer::kRetry, ui::Answer::kIgnore});
        EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("a.sys"), P("b.sys"), expand), FileResult::kIgnored)
            << expand;
        EXPECT_EQ(Kinds(), std::vector<std::string>(2, "AskRetryIgnore")) << expand;
        EXPECT_EQ(Shown().back().text, "Missing " + P("a.sys")) << expand;
        EXPECT_FALSE(Exists("b.sys")) << expand;
    }
    platform::fake::ReleaseHeldFiles();
}

TEST_F(CopyFileTest, FailedExpansionLeavesTheEarlierDriverFileAndNoOtherFile) {
    const std::string compressed = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_");
    WriteFile("DRIVER.SY_", compressed);
    WriteFile("CUT.SY_", compressed.substr(0, compressed.size() / 2));
    run_.overwriteAll = true;  // no date question in the way
    struct Case {
        const char* what;
        const char* source;
        std::function<void()> prepare;
        bool directoryInPlace;
    } cases[] = {
        {"the earlier file is held open by the running driver", "DRIVER.SY_",
         [this] { platform::fake::HoldFileOpen(P("drivers/kxbus.sys")); }, false},
        {"the compressed source was cut off halfway", "CUT.SY_", [] {}, false},
        {"a directory stands in the target's place", "DRIVER.SY_",
         [this] {
             std::filesystem::remove(PathOf("drivers/kxbus.sys"));
             std::filesystem::create_directory(PathOf("drivers/kxbus.sys"));
         },
         true},
    };
    for (const Case& c : cases) {
        for (ui::Answer answer : {ui::Answer::kCancel, ui::Answer::kIgnore}) {
            std::filesystem::remove_all(PathOf("drivers"));
            WriteFile("drivers/kxbus.sys", "earlier driver");
            c.prepare();
            Shown().clear();
            QueueAnswers({answer});
            EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P(c.source), P("drivers/kxbus.sys"), true),
                      answer == ui::Answer::kIgnore ? FileResult::kIgnored : FileResult::kAborted)
                << c.what;
            EXPECT_EQ(Kinds(), (std::vector<std::string>{"AskRetryIgnore"})) << c.what;
            platform::fake::ReleaseHeldFiles();
            if (c.directoryInPlace) {
                EXPECT_TRUE(std::filesystem::is_directory(PathOf("drivers/kxbus.sys"))) << c.what;
            } else {
                EXPECT_EQ(ReadFile("drivers/kxbus.sys"), "earlier driver") << c.what;
            }
            // Nothing beside it: no name.ex_ in its place, no temporary file left over.
            EXPECT_EQ(Names("drivers"), std::vector<std::string>{"kxbus.sys"}) << c.what;
        }
    }
}

TEST_F(CopyFileTest, FailedExpansionWhereNoFileWasLeavesNone) {
    const std::string compressed = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_");
    WriteFile("CUT.SY_", compressed.substr(0, compressed.size() / 2));
    WriteFile("HEADER.SY_", compressed.substr(0, 14));  // the header, and nothing of the file
    for (const char* source : {"CUT.SY_", "HEADER.SY_"}) {
        for (ui::Answer answer : {ui::Answer::kCancel, ui::Answer::kIgnore}) {
            std::filesystem::remove_all(PathOf("drivers"));
            std::filesystem::create_directory(PathOf("drivers"));
            Shown().clear();
            QueueAnswers({answer});
            EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P(source), P("drivers/kxbus.sys"), true),
                      answer == ui::Answer::kIgnore ? FileResult::kIgnored : FileResult::kAborted)
                << source;
            EXPECT_EQ(Kinds(), (std::vector<std::string>{"AskRetryIgnore"})) << source;
            EXPECT_TRUE(std::filesystem::is_empty(PathOf("drivers"))) << source;
        }
    }
}

TEST_F(CopyFileTest, ExpansionReplacesWhatWasThereWhole) {
    const std::string original = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin");
    WriteFile("DRIVER.SY_", ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_"));
    struct Case {
        const char* what;
        std::function<void()> prepare;
    } cases[] = {
        {"an earlier, older driver", [this] { File("drivers/kxbus.sys", "earlier driver", kOlder); }},
        // What a run ended in the middle of the file leaves: half an expansion beside the target, none in
        // its place.
        {"half an expansion left by a run ended mid-file",
         [&] { WriteFile("drivers/kxbus.sys.$$$", original.substr(0, 100)); }},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(PathOf("drivers"));
        c.prepare();
        Shown().clear();
        EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("DRIVER.SY_"), P("drivers/kxbus.sys"), true),
                  FileResult::kDone)
            << c.what;
        EXPECT_EQ(ReadFile("drivers/kxbus.sys"), original) << c.what;
        EXPECT_EQ(Names("drivers"), std::vector<std::string>{"kxbus.sys"}) << c.what;
        EXPECT_TRUE(Shown().empty()) << c.what;
    }
}

TEST_F(CopyFileTest, ExpandsCompressedFilesAndCopiesOthersUnchanged) {
    std::string original = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin");
    std::string compressed = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_");
    ASSERT_EQ(compressed.compare(0, 4, "SZDD"), 0);
    WriteFile("DRIVER.BI_", compressed);
    WriteFile("plain.txt", "not compressed\r\n");
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("DRIVER.BI_"), P("driver.bin"), true), FileResult::kDone);
    EXPECT_EQ(ReadFile("driver.bin"), original);
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("plain.txt"), P("plain.out"), true), FileResult::kDone);
    EXPECT_EQ(ReadFile("plain.out"), "not compressed\r\n");
    EXPECT_EQ(CopyOrExpandFile(nullptr, run_, P("DRIVER.BI_"), P("copied.bi_"), false), FileResult::kDone);
    EXPECT_EQ(ReadFile("copied.bi_"), compressed);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(CopyFileTest, CreatePathDirectoriesMakesEveryLevelOnce) {
    std::string path = Dir() + "\\A\\B\\C";
    CreatePathDirectories(nullptr, path);
    EXPECT_TRUE(platform::IsDirectory(path));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].kind, "InfoText");
    EXPECT_EQ(Shown()[0].text, "Creating " + path);
    Shown().clear();
    CreatePathDirectories(nullptr, path);  // existing: the progress text stays as it was
    EXPECT_TRUE(Shown().empty());
}

}  // namespace
