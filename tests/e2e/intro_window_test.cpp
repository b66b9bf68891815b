#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "harness.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "shell/intro_window.h"

// The start window run in-process from the program's own code and resources. Hooks on this thread see the
// window open and every message its modal loop takes, so the tests tell by the order of messages what
// closed it: the input they gave it, or its own timer.
namespace {

using namespace e2e;

// The window being shown and the messages its loop took for it; one start window at a time.
struct Observed {
    HWND window = nullptr;
    UINT input = 0;  // posted to the window as soon as it is set up; 0 for none
    std::vector<UINT> taken;
};
Observed* g_observed = nullptr;

LRESULT CALLBACK OnSentMessage(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_observed && sent->message == WM_INITDIALOG && !g_observed->window) {
        g_observed->window = sent->hwnd;
        // Queued now, it is there before the window's timer could fire.
        if (g_observed->input)
            PostMessageA(sent->hwnd, g_observed->input,
                         g_observed->input == WM_KEYDOWN || g_observed->input == WM_CHAR ? 'A' : 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnTakenMessage(int code, WPARAM removal, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && g_observed && g_observed->window &&
        message->hwnd == g_observed->window)
        g_observed->taken.push_back(message->message);
    return CallNextHookEx(nullptr, code, removal, lParam);
}

// A hook on this thread, removed on every path.
class ThreadHook {
  public:
    ThreadHook(int kind, HOOKPROC procedure)
        : hook_(SetWindowsHookExA(kind, procedure, nullptr, GetCurrentThreadId())) {}
    ~ThreadHook() {
        if (hook_)
            UnhookWindowsHookEx(hook_);
    }
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;
    explicit operator bool() const { return hook_ != nullptr; }

  private:
    HHOOK hook_;
};

bool IsInput(UINT message) {
    return message == WM_KEYDOWN || message == WM_CHAR || message == WM_LBUTTONDOWN ||
           message == WM_RBUTTONDOWN;
}

class IntroWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App().SetupDirectory = DistDirectory();
        App().Languages.entries = {{"English", "ENGLISH.LNG"}, {"Deutsch", "DEUTSCH.LNG"}};
        App().LanguageIndex = 0;
    }
    void TearDown() override {
        g_observed = nullptr;
        App() = savedApp_;
        ClearLanguageTable();
    }

  private:
    AppContext savedApp_ = App();
};

TEST_F(IntroWindowTest, InputClosesTheStartWindowBeforeItsTimerAndWithoutInputTheTimerDoes) {
    struct Case {
        const char* what;
        UINT input;
    } cases[] = {
        {"a key", WM_KEYDOWN},
        {"a character", WM_CHAR},
        {"a click", WM_LBUTTONDOWN},
        {"a right click", WM_RBUTTONDOWN},
        {"nothing", 0},
    };
    for (const Case& c : cases) {
        Observed observed;
        observed.input = c.input;
        g_observed = &observed;
        {
            ThreadHook opening(WH_CALLWNDPROC, OnSentMessage);
            ThreadHook taking(WH_GETMESSAGE, OnTakenMessage);
            ASSERT_TRUE(opening && taking);
            ShowIntroWindow(nullptr, App());
        }
        g_observed = nullptr;
        ASSERT_NE(observed.window, nullptr) << c.what;
        EXPECT_FALSE(IsWindow(observed.window)) << c.what;
        ASSERT_FALSE(observed.taken.empty()) << c.what;
        // The last message the loop took for the window is the one that ended it.
        UINT closing = observed.taken.back();
        if (c.input) {
            EXPECT_EQ(closing, c.input) << c.what;
            EXPECT_EQ(std::count(observed.taken.begin(), observed.taken.end(), static_cast<UINT>(WM_TIMER)),
                      0)
                << c.what << ": the timer came first";
        } else {
            EXPECT_EQ(closing, static_cast<UINT>(WM_TIMER));
            EXPECT_EQ(std::count_if(observed.taken.begin(), observed.taken.end(), IsInput), 0);
        }
    }
}

}  // namespace
