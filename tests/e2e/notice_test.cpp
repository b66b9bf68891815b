#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "harness.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "shell/message_boxes.h"

// The program's own notice "DLG_msg" and the system message box, shown in-process; a helper thread acts as
// the user.
namespace {

using namespace e2e;

constexpr int kOk = 0, kText = 113;

class NoticeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App().SetupDirectory = DistDirectory();
        App().Languages.entries = {{"English", "ENGLISH.LNG"}, {"Deutsch", "DEUTSCH.LNG"}};
        App().LanguageIndex = 1;
        ASSERT_EQ(LoadLanguageTable(), 1);
    }
    void TearDown() override {
        App() = savedApp_;
        ClearLanguageTable();
    }
    std::string German(const char* key) const { return LanguageText(DistDirectory() + "\\DEUTSCH.LNG", key); }

    // Shows the notice on this thread while the helper finds it and does what act says; returns its result.
    int ShowWhile(const std::string& text, const std::function<void(HWND)>& act) {
        std::atomic<bool> acted{false};
        std::thread user([&] {
            HWND notice = WaitForWindow([](HWND window) {
                return IsDialogWithControls(window, {kOk, kText});
            });
            if (notice)
                act(notice);
            acted = true;
        });
        int result = ShowMessage(nullptr, text);
        user.join();
        EXPECT_TRUE(acted);
        return result;
    }

  private:
    AppContext savedApp_ = App();
};

TEST_F(NoticeTest, OkEndsWithZeroAndTheTextsComeFromTheLanguage) {
    std::string caption, button, shown;
    int result = ShowWhile("first line\nsecond line", [&](HWND notice) {
        caption = WindowText(notice);
        button = ControlText(notice, kOk);
        shown = ControlText(notice, kText);
        PressButton(notice, kOk);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(caption, German("[MSG_CAPTION]"));
    EXPECT_EQ(button, German("[BUTTON_OK]"));
    EXPECT_EQ(shown, "first line\nsecond line");
}

TEST_F(NoticeTest, EscapeLeavesItOpenAndTheCloseBoxEndsWithMinusOne) {
    std::atomic<bool> openAfterEscape{false};
    int result = ShowWhile("text", [&](HWND notice) {
        PostKey(notice, VK_ESCAPE);
        PostMessageA(notice, WM_COMMAND, IDCANCEL, 0);
        // Give the dialog time to (wrongly) end.
        openAfterEscape = !WaitUntil([&] { return !IsWindow(notice); }, 300);
        PostMessageA(notice, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, -1);
}

TEST_F(NoticeTest, SystemMessageBoxCarriesTheLanguageCaption) {
    std::string caption;
    std::thread user([&] {
        HWND box = WaitForWindow([](HWND window) { return ShowsText(window, "Unable to find font!"); });
        if (!box)
            return;
        caption = WindowText(box);
        PressButton(box, IDOK);
    });
    EXPECT_EQ(ShowError(nullptr, "Unable to find font!"), IDOK);
    user.join();
    EXPECT_EQ(caption, German("[MSG_CAPTION]"));
}

}  // namespace
