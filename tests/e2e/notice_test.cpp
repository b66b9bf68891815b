#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "resources/resource_ids.h"
#include "harness.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "ui/message_boxes.h"

// The program's own notice "DLG_msg" and the system message box, shown in-process; a helper thread acts as
// the user.
namespace {

using namespace e2e;

constexpr int kOk = IDC_MSG_OK, kText = IDC_MSG_TEXT;

class NoticeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App().SetupDirectory = DistDirectory();
        App().Languages.entries = {{"English", "ENGLISH.LNG"}, {"Deutsch", "DEUTSCH.LNG"}};
        App().LanguageIndex = 1;
        ASSERT_EQ(LoadCurrentLanguage(App()), 1);
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
    int result = ShowWhile("text", [&](HWND notice) {
        PostKey(notice, VK_ESCAPE);
        PostMessageA(notice, WM_COMMAND, IDCANCEL, 0);
        ExpectStays([&] { return IsWindow(notice) != FALSE; }, 300, "the notice after Escape and Cancel");
        PostMessageA(notice, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(result, -1);
}

// The height the text needs at the control's width, in the control's own font.
int NeededTextHeight(HWND control, const std::string& text) {
    RECT shown;
    GetClientRect(control, &shown);
    RECT needed = {0, 0, shown.right, 0};
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return needed.bottom;
}

TEST_F(NoticeTest, AmpersandIsShownAsItStandsAndALongMessageWhole) {
    std::string text = "Drivers & tools of R&D:";
    for (int i = 0; i < 30; ++i) text += " C:\\QUOREL2\\DRIVERS\\FILE" + std::to_string(i) + ".SYS";
    bool noPrefix = false, fits = false, buttonBelow = false;
    int needed = 0, height = 0;
    ShowWhile(text, [&](HWND notice) {
        HWND shown = GetDlgItem(notice, kText);
        noPrefix = (GetWindowLongA(shown, GWL_STYLE) & SS_NOPREFIX) != 0;
        RECT textRect, okRect, client;
        GetWindowRect(shown, &textRect);
        GetWindowRect(GetDlgItem(notice, kOk), &okRect);
        GetClientRect(shown, &client);
        needed = NeededTextHeight(shown, text);
        height = client.bottom;
        fits = needed <= client.bottom;
        buttonBelow = okRect.top >= textRect.bottom;
        RECT dialog;
        GetWindowRect(notice, &dialog);
        buttonBelow = buttonBelow && okRect.bottom <= dialog.bottom;
        PressButton(notice, kOk);
    });
    EXPECT_TRUE(noPrefix);
    EXPECT_TRUE(fits) << "needs " << needed << " pixels, has " << height;
    EXPECT_TRUE(buttonBelow);
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
