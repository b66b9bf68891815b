#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "resources/resource_ids.h"
#include "harness.h"
#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"

// The question dialogs and the progress window run here in-process, from the program's own code and
// resources. A modal question blocks the test thread, so a helper thread finds the dialog, records what it
// shows and answers it; the progress window lives on the test thread, which pumps it.
namespace {

using namespace e2e;

constexpr int kCancel = IDC_ASK_CANCEL, kText = IDC_ASK_TEXT, kYes = IDC_ASK_YES, kNo = IDC_ASK_NO,
              kAll = IDC_ASK_ALL, kRetry = IDC_ASK_RETRY, kIgnore = IDC_ASK_IGNORE;
constexpr int kIcon = IDC_ASK_ICON, kInfoText = IDC_INFO_TEXT;
const LPCSTR kQuestionIcon = MAKEINTRESOURCEA(32514);
const LPCSTR kWarningIcon = MAKEINTRESOURCEA(32515);
const LPCSTR kInformationIcon = MAKEINTRESOURCEA(32516);

struct Language {
    int index;
    const char* file;
};
const Language kEnglish = {0, "ENGLISH.LNG"};
const Language kGerman = {1, "DEUTSCH.LNG"};

std::string Lng(const Language& language, const char* key) {
    return LanguageText(DistDirectory() + "\\" + language.file, key);
}

bool LoadLanguage(const Language& language) {
    App().SetupDirectory = DistDirectory();
    App().Languages.entries = {{"English", kEnglish.file}, {"Deutsch", kGerman.file}};
    App().LanguageIndex = language.index;
    return LoadCurrentLanguage(App()) == 1;
}

HICON SystemIcon(LPCSTR id) {
    return LoadIconA(nullptr, id);
}

// The icon a static control of the window shows, or nullptr.
HICON ShownIcon(HWND window, int id) {
    return reinterpret_cast<HICON>(SendMessageW(GetDlgItem(window, id), STM_GETICON, 0, 0));
}

// Any static of the window that shows the icon (a system message box numbers its controls its own way).
bool ShowsIcon(HWND window, HICON icon) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) == icon)
            return true;
    return false;
}

bool IsCentred(HWND window) {
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    return own.left == desktop.right / 2 - (own.right - own.left) / 2 &&
           own.top == desktop.bottom / 2 - (own.bottom - own.top) / 2;
}

bool HasStyle(HWND window, LONG_PTR style) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style;
}

// ---- Question dialogs ----

enum class Kind { YesNo, YesAllNo, RetryIgnore };

std::vector<int> ButtonsOf(Kind kind) {
    switch (kind) {
        case Kind::YesNo:
            return {kYes, kNo, kCancel};
        case Kind::YesAllNo:
            return {kYes, kAll, kNo, kCancel};
        case Kind::RetryIgnore:
            return {kCancel, kRetry, kIgnore};
    }
    return {};
}

ui::Answer Ask(Kind kind, WindowRef owner, const std::string& text) {
    if (kind == Kind::RetryIgnore)
        return ui::AskRetryIgnore(owner, text);
    return ui::AskYesNo(owner, kind == Kind::YesAllNo, text);
}

// What the user does to an open question, in order.
enum class Step { Press, Close, EscapeCommand, EscapeKey, EnterKey };
struct Action {
    Step step;
    int id;  // the button for Press
};
Action Press(int id) {
    return {Step::Press, id};
}
const Action kClose = {Step::Close, 0};
const Action kEscapeCommand = {Step::EscapeCommand, 0};
const Action kEscapeKey = {Step::EscapeKey, 0};
const Action kEnterKey = {Step::EnterKey, 0};

void Perform(HWND dialog, const Action& action) {
    switch (action.step) {
        case Step::Press:
            PressButton(dialog, action.id);
            break;
        case Step::Close:
            CloseWindowBySystemMenu(dialog);
            break;
        case Step::EscapeCommand:
            // What the dialog manager makes of the Escape key.
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            break;
        case Step::EscapeKey:
        case Step::EnterKey: {
            // The key goes to the first button, where the dialog put the focus.
            HWND focus = GetWindow(dialog, GW_CHILD);
            while (focus && !HasStyle(focus, WS_TABSTOP)) focus = GetWindow(focus, GW_HWNDNEXT);
            PostKey(focus ? focus : dialog, action.step == Step::EscapeKey ? VK_ESCAPE : VK_RETURN);
            break;
        }
    }
}

// What the helper saw of an open question dialog.
struct QuestionView {
    bool found = false;
    std::string caption;
    std::string text;
    std::map<int, std::string> buttons;  // every button id of the three templates that the dialog has
    bool captionAndSystemMenu = false;
    bool questionIcon = false;
    bool centred = false;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    bool endedByActions = false;  // else the helper had to end it
};

// Runs a question on this thread while a helper thread looks at it and performs the actions; the dialog's
// posted messages are handled in order, so an Escape followed by a button shows whether Escape ended it.
ui::Answer RunQuestion(Kind kind, WindowRef owner, const std::string& text,
                       const std::string& expectedCaption, const std::vector<Action>& actions,
                       QuestionView* view) {
    std::thread helper([&] {
        std::vector<int> ids = ButtonsOf(kind);
        ids.push_back(kText);
        HWND dialog = WaitForWindow([&](HWND window) { return IsDialogWithControls(window, ids); });
        if (!dialog) {
            // Whatever opened instead must not keep the test thread waiting for ever.
            for (HWND window : VisibleWindows()) PostMessageA(window, WM_CLOSE, 0, 0);
            return;
        }
        // The caption is set after the question text: once it is there, the dialog has its texts.
        WaitFor([&] { return WindowText(dialog) == expectedCaption; }, 5000);
        view->found = true;
        view->caption = WindowText(dialog);
        view->text = ControlText(dialog, kText);
        for (int id : {kYes, kNo, kAll, kCancel, kRetry, kIgnore})
            if (HasControl(dialog, id))
                view->buttons[id] = ControlText(dialog, id);
        view->captionAndSystemMenu = HasStyle(dialog, WS_CAPTION | WS_SYSMENU);
        view->questionIcon = ShownIcon(dialog, kIcon) == SystemIcon(kQuestionIcon);
        view->centred = IsCentred(dialog);
        view->owner = GetWindow(dialog, GW_OWNER);
        if (view->owner)
            view->ownerEnabled = IsWindowEnabled(view->owner);
        for (const Action& action : actions) Perform(dialog, action);
        // A dialog that the actions did not end is closed, or else cancelled, so that the test thread gets
        // a result to fail on instead of waiting for ever.
        view->endedByActions = WaitFor([&] { return !IsWindow(dialog); }, 5000);
        if (view->endedByActions)
            return;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (!WaitFor([&] { return !IsWindow(dialog); }, 2000))
            PressButton(dialog, kCancel);
    });
    ui::Answer result = Ask(kind, owner, text);
    helper.join();
    return result;
}

class QuestionsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadLanguage(kEnglish)); }
    void TearDown() override {
        if (owner_)
            DestroyWindow(owner_);
        App() = savedApp_;
        ClearLanguageTable();
    }
    HWND Owner() {
        if (!owner_)
            owner_ =
                CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        return owner_;
    }

  private:
    HWND owner_ = nullptr;
    AppContext savedApp_ = App();
};

TEST_F(QuestionsTest, EachAnswerGivesItsResult) {
    struct Case {
        const char* name;
        Kind kind;
        std::vector<Action> actions;
        ui::Answer expected;
    } cases[] = {
        {"yes/no: Yes", Kind::YesNo, {Press(kYes)}, ui::Answer::kYes},
        {"yes/no: No", Kind::YesNo, {Press(kNo)}, ui::Answer::kNo},
        {"yes/no: Cancel", Kind::YesNo, {Press(kCancel)}, ui::Answer::kCancel},
        {"yes/no: system menu Close", Kind::YesNo, {kClose}, ui::Answer::kCancel},
        {"yes/no: Enter presses Yes", Kind::YesNo, {kEnterKey}, ui::Answer::kYes},
        {"yes/no: Escape command, then No", Kind::YesNo, {kEscapeCommand, Press(kNo)}, ui::Answer::kNo},
        {"yes/no: Escape key, then Yes", Kind::YesNo, {kEscapeKey, Press(kYes)}, ui::Answer::kYes},
        {"yes/all/no: Yes", Kind::YesAllNo, {Press(kYes)}, ui::Answer::kYes},
        {"yes/all/no: All", Kind::YesAllNo, {Press(kAll)}, ui::Answer::kAll},
        {"yes/all/no: No", Kind::YesAllNo, {Press(kNo)}, ui::Answer::kNo},
        {"yes/all/no: Cancel", Kind::YesAllNo, {Press(kCancel)}, ui::Answer::kCancel},
        {"yes/all/no: system menu Close", Kind::YesAllNo, {kClose}, ui::Answer::kCancel},
        {"yes/all/no: Escape command, then All",
         Kind::YesAllNo,
         {kEscapeCommand, Press(kAll)},
         ui::Answer::kAll},
        {"yes/all/no: Escape key, then No", Kind::YesAllNo, {kEscapeKey, Press(kNo)}, ui::Answer::kNo},
        {"retry/ignore: Cancel", Kind::RetryIgnore, {Press(kCancel)}, ui::Answer::kCancel},
        {"retry/ignore: Retry", Kind::RetryIgnore, {Press(kRetry)}, ui::Answer::kRetry},
        {"retry/ignore: Ignore", Kind::RetryIgnore, {Press(kIgnore)}, ui::Answer::kIgnore},
        {"retry/ignore: system menu Close", Kind::RetryIgnore, {kClose}, ui::Answer::kCancel},
        {"retry/ignore: Enter presses Cancel",
         Kind::RetryIgnore,
         {kEnterKey, Press(kRetry)},
         ui::Answer::kCancel},
        {"retry/ignore: Escape command, then Retry",
         Kind::RetryIgnore,
         {kEscapeCommand, Press(kRetry)},
         ui::Answer::kRetry},
        {"retry/ignore: Escape key, then Ignore",
         Kind::RetryIgnore,
         {kEscapeKey, Press(kIgnore)},
         ui::Answer::kIgnore},
        // Commands of buttons the dialog does not have are ignored.
        {"yes/no: Retry command, then No", Kind::YesNo, {Press(kRetry), Press(kNo)}, ui::Answer::kNo},
        {"retry/ignore: Yes and No commands, then Ignore",
         Kind::RetryIgnore,
         {Press(kYes), Press(kNo), Press(kIgnore)},
         ui::Answer::kIgnore},
    };
    for (const Case& c : cases) {
        QuestionView view;
        ui::Answer result =
            RunQuestion(c.kind, nullptr, "Question?", Lng(kEnglish, "[MSG_CAPTION]"), c.actions, &view);
        ASSERT_TRUE(view.found) << c.name;
        EXPECT_TRUE(view.endedByActions) << c.name;
        EXPECT_EQ(result, c.expected) << c.name;
    }
}

TEST_F(QuestionsTest, DialogsShowTheLoadedLanguageAndTheirOwnButtonsOnly) {
    const std::map<int, const char*> buttonKeys = {
        {kYes, "[DLG_YNO_YES]"},      {kNo, "[DLG_YNO_NO]"},       {kAll, "[DLG_YNO_ALL]"},
        {kCancel, "[BUTTON_CANCEL]"}, {kRetry, "[DLG_ARI_RETRY]"}, {kIgnore, "[DLG_ARI_IGNORE]"}};
    // A question as a run formats it: a path, a line break, and characters of the language's code page.
    const std::string question =
        "C:\\QUOREL2\\A & B.DLL\nM\xf6"
        "chten Sie fortfahren?";
    for (const Language& language : {kEnglish, kGerman}) {
        ASSERT_TRUE(LoadLanguage(language));
        for (Kind kind : {Kind::YesNo, Kind::YesAllNo, Kind::RetryIgnore}) {
            std::string name = std::string(language.file) + " kind " + std::to_string(static_cast<int>(kind));
            QuestionView view;
            ui::Answer result =
                RunQuestion(kind, Owner(), question, Lng(language, "[MSG_CAPTION]"), {kClose}, &view);
            ASSERT_TRUE(view.found) << name;
            EXPECT_TRUE(view.endedByActions) << name;
            EXPECT_EQ(result, ui::Answer::kCancel) << name;
            EXPECT_EQ(view.caption, Lng(language, "[MSG_CAPTION]")) << name;
            EXPECT_EQ(view.text, FromAnsi(question)) << name;
            std::map<int, std::string> expected;
            for (int id : ButtonsOf(kind)) expected[id] = Lng(language, buttonKeys.at(id));
            EXPECT_EQ(view.buttons, expected) << name;
            EXPECT_TRUE(view.captionAndSystemMenu) << name;
            EXPECT_TRUE(view.questionIcon) << name;
            EXPECT_TRUE(view.centred) << name;
            EXPECT_EQ(view.owner, Owner()) << name;
            EXPECT_FALSE(view.ownerEnabled) << name << ": a question is modal to its owner";
            EXPECT_TRUE(IsWindowEnabled(Owner())) << name;
        }
    }
    // German texts really differ, so the comparisons above tell the languages apart.
    EXPECT_NE(Lng(kEnglish, "[DLG_YNO_YES]"), Lng(kGerman, "[DLG_YNO_YES]"));
}

// ---- System Yes/No message box ----

// What the helper saw of a system message box, and how it answered.
struct BoxView {
    bool found = false;
    std::string caption;
    int defaultButton = 0;
    bool icon = false;
    std::string progressText;  // of the progress window given, while the box was up
};

// Finds the message box that shows the text, records it (and the text of a progress window behind it) and
// answers it with the button. Gives up when stop is set or the time is up.
void AnswerBox(const std::string& text, HICON icon, int answer, BoxView* view,
               const std::atomic<bool>* stop = nullptr, HWND progress = nullptr) {
    HWND box = nullptr;
    WaitFor([&] {
        if (stop && *stop)
            return true;
        for (HWND window : VisibleWindows())
            if (IsDialogWithControls(window, {}) && ShowsText(window, text))
                return (box = window) != nullptr;
        return false;
    });
    if (!box)
        return;
    view->found = true;
    view->caption = WindowText(box);
    // Wine's message box marks its default button by the button's style, not with DM_SETDEFID.
    for (int id : {IDYES, IDNO, IDOK, IDCANCEL})
        if (HWND button = GetDlgItem(box, id);
            button && (GetWindowLongPtrW(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
            view->defaultButton = id;
    // The box may show before its icon is set; wait for the icon as for any other state.
    view->icon = WaitFor([&] { return ShowsIcon(box, icon); }, 2000);
    if (progress)
        view->progressText = ControlText(progress, kInfoText);
    PressButton(box, answer);
    WaitFor([&] { return !IsWindow(box); });
}

TEST_F(QuestionsTest, SystemYesNoBoxHasNoAsDefaultAndTheMessageCaption) {
    struct Case {
        bool warning;
        LPCSTR icon;
        int answer;
        bool expected;
    } cases[] = {
        {false, kQuestionIcon, IDYES, true},
        {false, kQuestionIcon, IDNO, false},
        {true, kWarningIcon, IDYES, true},
        {true, kWarningIcon, IDNO, false},
    };
    for (const Case& c : cases) {
        std::string name =
            std::string(c.warning ? "warning" : "question") + (c.answer == IDYES ? " Yes" : " No");
        const std::string text = "Remove the driver?";
        BoxView view;
        std::thread helper([&] { AnswerBox(text, SystemIcon(c.icon), c.answer, &view); });
        bool result = ui::AskSystemYesNo(nullptr, text, c.warning);
        helper.join();
        ASSERT_TRUE(view.found) << name;
        EXPECT_EQ(result, c.expected) << name;
        EXPECT_EQ(view.caption, Lng(kEnglish, "[MSG_CAPTION]")) << name;
        EXPECT_EQ(view.defaultButton, IDNO) << name;
        EXPECT_TRUE(view.icon) << name;
    }
}

// ---- Progress window ----

class ProgressWindowTest : public QuestionsTest {
  protected:
    void TearDown() override {
        if (window_)
            ui::CloseInfoWindow(window_);
        QuestionsTest::TearDown();
    }
    HWND Open(bool withCancel, bool askOnCancel) {
        window_ = static_cast<HWND>(ui::OpenInfoWindow(nullptr, withCancel, askOnCancel));
        return window_;
    }
    HWND window_ = nullptr;
};

TEST_F(ProgressWindowTest, TemplatesHaveNoCaptionAndOnlyTheCancelVariantHasAButton) {
    for (bool withCancel : {false, true}) {
        HWND window = Open(withCancel, false);
        ASSERT_NE(window, nullptr) << withCancel;
        EXPECT_TRUE(IsWindowVisible(window)) << withCancel;
        EXPECT_TRUE(IsCentred(window)) << withCancel;
        EXPECT_FALSE(HasStyle(window, WS_CAPTION)) << withCancel;
        EXPECT_FALSE(HasStyle(window, WS_SYSMENU)) << withCancel;
        EXPECT_EQ(WindowText(window), "") << withCancel;
        EXPECT_TRUE(HasControl(window, kInfoText)) << withCancel;
        EXPECT_EQ(ShownIcon(window, kIcon), SystemIcon(kInformationIcon)) << withCancel;
        EXPECT_EQ(HasControl(window, kCancel), withCancel);
        if (withCancel) {
            EXPECT_EQ(ControlText(window, kCancel), Lng(kEnglish, "[BUTTON_CANCEL]"));
        }
        ui::CloseInfoWindow(window);
        EXPECT_FALSE(IsWindow(window)) << withCancel;
        ui::CloseInfoWindow(window);  // already gone: nothing happens
    }
}

TEST_F(ProgressWindowTest, CancelButtonTakesTheLoadedLanguage) {
    ASSERT_TRUE(LoadLanguage(kGerman));
    HWND window = Open(true, false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ControlText(window, kCancel), Lng(kGerman, "[BUTTON_CANCEL]"));
}

// Records every text that a control is given, in order.
std::vector<std::string> g_setTexts;
WNDPROC g_staticProc = nullptr;
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT)
        g_setTexts.push_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
    return CallWindowProcA(g_staticProc, window, message, wParam, lParam);
}

// Every text reaches the screen, emptied first; one set while the one before has not stood its time yet
// waits for a later pump.
TEST_F(ProgressWindowTest, EachTextIsShownAfterAnEmptyOneOnceTheOneBeforeHasStood) {
    HWND window = Open(false, false);
    ASSERT_NE(window, nullptr);
    HWND text = GetDlgItem(window, kInfoText);
    g_setTexts.clear();
    g_staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
    const std::string texts[] = {
        "Copying C:\\DIST\\KXBUS.SY_\nto C:\\WINNT\\SYSTEM32\\DRIVERS\\KXBUS.SYS",
        "Short",
        "",
        "50% & more",
        std::string(259, 'x'),
    };
    std::vector<std::string> expectedSets;
    for (const std::string& shown : texts) {
        ui::SetInfoText(window, shown);
        EXPECT_TRUE(WaitFor([&] {
            ui::PumpMessages(window);
            return ControlText(window, kInfoText) == shown;
        })) << shown;
        expectedSets.push_back("");
        expectedSets.push_back(shown);
    }
    SetWindowLongPtrA(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_staticProc));
    EXPECT_EQ(g_setTexts, expectedSets);
}

// A question about a file comes with that file's progress text behind it, waiting or not.
TEST_F(ProgressWindowTest, AQuestionShowsTheWaitingProgressTextFirst) {
    HWND window = Open(true, false);
    ASSERT_NE(window, nullptr);
    const std::string question = "Overwrite the newer C:\\WINNT\\SYSTEM32\\DRIVERS\\KXBUS.SYS?";
    ui::SetInfoText(window, "Expanding the first file");  // a new window's first text: at once
    ui::SetInfoText(window, "Expanding KXBUS.SY_");       // waits, unless the first has stood already
    BoxView view;
    std::thread helper([&] { AnswerBox(question, SystemIcon(kQuestionIcon), IDNO, &view, nullptr, window); });
    ui::AskSystemYesNo(window, question, false);
    helper.join();
    ASSERT_TRUE(view.found);
    EXPECT_EQ(view.progressText, "Expanding KXBUS.SY_");
}

// Pumps the progress window on this thread. A pump that waits for a message that never comes is woken
// after a few seconds by a message of the watchdog's own, so that it comes back with nothing of the
// window's and fails the test instead of blocking it; a pump that works is never woken by it.
class WatchedPump {
  public:
    WatchedPump() : thread_(GetCurrentThreadId()), helper_([this] { Watch(); }) {}
    ~WatchedPump() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        helper_.join();
    }
    WatchedPump(const WatchedPump&) = delete;
    WatchedPump& operator=(const WatchedPump&) = delete;

    void Pump(HWND window) {
        ui::PumpMessages(window);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++returns_;
        }
        wake_.notify_one();
    }

  private:
    void Watch() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!done_) {
            unsigned seen = returns_;
            if (!wake_.wait_for(lock, std::chrono::seconds(3), [&] { return done_ || returns_ != seen; }))
                PostThreadMessageA(thread_, WM_NULL, 0, 0);
        }
    }
    DWORD thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    unsigned returns_ = 0;
    std::thread helper_;
};

// The messages this thread takes from its queue, in order, while the object lives.
class TakenMessages {
  public:
    TakenMessages() {
        taken_ = &messages_;
        hook_ = SetWindowsHookExA(WH_GETMESSAGE, Record, nullptr, GetCurrentThreadId());
    }
    ~TakenMessages() {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        taken_ = nullptr;
    }
    TakenMessages(const TakenMessages&) = delete;
    TakenMessages& operator=(const TakenMessages&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    // What was taken since the last call.
    std::vector<MSG> Take() {
        std::vector<MSG> taken;
        taken.swap(messages_);
        return taken;
    }

  private:
    static LRESULT CALLBACK Record(int code, WPARAM removal, LPARAM message) {
        if (code == HC_ACTION && removal == PM_REMOVE && taken_)
            taken_->push_back(*reinterpret_cast<const MSG*>(message));
        return CallNextHookEx(nullptr, code, removal, message);
    }
    static std::vector<MSG>* taken_;
    std::vector<MSG> messages_;
    HHOOK hook_ = nullptr;
};
std::vector<MSG>* TakenMessages::taken_ = nullptr;

std::string Describe(const std::vector<MSG>& messages) {
    std::string text;
    char entry[64];
    for (const MSG& message : messages) {
        snprintf(entry, sizeof entry, "(%p, 0x%04X) ", static_cast<void*>(message.hwnd), message.message);
        text += entry;
    }
    return text.empty() ? "nothing" : text;
}

// A run pumps once per file: a pump that waited there for a message would cost every file the time until
// the next one came. It handles what is queued and comes back, never woken by the watchdog.
TEST_F(ProgressWindowTest, PumpMessagesHandlesWhatIsQueuedAndNeverWaits) {
    WatchedPump pump;
    TakenMessages taken;
    ASSERT_TRUE(taken.Hooked());
    HWND window = Open(true, true);
    ASSERT_NE(window, nullptr);
    pump.Pump(window);  // whatever opening the window queued
    for (int file = 0; file < 20; ++file) {
        ui::SetInfoText(window, "file " + std::to_string(file));
        taken.Take();
        if (file % 2)
            PostMessageA(window, WM_NULL, 0, 0);
        pump.Pump(window);
        std::vector<MSG> messages = taken.Take();
        bool woken = std::any_of(messages.begin(), messages.end(), [](const MSG& message) {
            return !message.hwnd && message.message == WM_NULL;
        });
        bool posted = std::any_of(messages.begin(), messages.end(), [&](const MSG& message) {
            return message.hwnd == window && message.message == WM_NULL;
        });
        EXPECT_FALSE(woken) << "file " << file << ": " << Describe(messages);
        EXPECT_EQ(posted, file % 2 == 1) << "file " << file << ": " << Describe(messages);
    }
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(ui::CancelRequested());
    ui::CloseInfoWindow(window);
}

// A pause keeps the window answering and ends early once the user's Cancel has closed the window.
TEST_F(ProgressWindowTest, APauseServesTheWindowAndEndsWithItsCancel) {
    HWND window = Open(true, false);
    ASSERT_NE(window, nullptr);
    ui::SetInfoText(window, "Setting up the system entries");
    PressButton(window, kCancel);
    ui::PumpMessagesFor(window, 600000);  // the test's time limit ends a pause that missed the Cancel
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(ui::CancelRequested());
}

TEST_F(ProgressWindowTest, KeysReachTheWindowThroughThePump) {
    struct Case {
        const char* name;
        bool withCancel;
        WPARAM key;
        bool cancels;
    } cases[] = {
        {"Enter presses Cancel", true, VK_RETURN, true},
        {"Escape does nothing", true, VK_ESCAPE, false},
        {"Enter without a Cancel button does nothing", false, VK_RETURN, false},
        {"Escape without a Cancel button does nothing", false, VK_ESCAPE, false},
    };
    for (const Case& c : cases) {
        HWND window = Open(c.withCancel, false);
        ASSERT_NE(window, nullptr) << c.name;
        // The key goes where the keyboard would send it: the focused control, else the window.
        HWND focus = GetFocus();
        PostKey(focus && IsChild(window, focus) ? focus : window, c.key);
        ui::PumpMessages(window);  // handles everything posted before it
        EXPECT_EQ(ui::CancelRequested(), c.cancels) << c.name;
        EXPECT_EQ(IsWindow(window) != FALSE, !c.cancels) << c.name;
        ui::CloseInfoWindow(window);
    }
}

TEST_F(ProgressWindowTest, CancelWithoutAskingDestroysAtOnceAndTheNextWindowClearsTheFlag) {
    HWND window = Open(true, false);
    ASSERT_NE(window, nullptr);
    // Should a question come up after all, the helper notes and answers it instead of leaving us waiting.
    BoxView question;
    std::atomic<bool> stop{false};
    std::thread helper(
        [&] { AnswerBox(Lng(kEnglish, "[QUEST_INFO_ABORT]"), nullptr, IDYES, &question, &stop); });
    PressButton(window, kCancel);
    ui::PumpMessages(window);
    bool gone = !IsWindow(window);
    bool cancelled = ui::CancelRequested();
    stop = true;
    helper.join();
    EXPECT_TRUE(gone);
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(question.found);

    window = Open(true, false);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(ui::CancelRequested());
}

TEST_F(ProgressWindowTest, CancelAsksFirstAndOnlyYesCancels) {
    HWND window = Open(true, true);
    ASSERT_NE(window, nullptr);
    const std::string question = Lng(kEnglish, "[QUEST_INFO_ABORT]");
    struct Round {
        int answer;
        bool cancels;
    } rounds[] = {{IDNO, false}, {IDNO, false}, {IDYES, true}};
    for (const Round& round : rounds) {
        BoxView view;
        std::thread helper([&] { AnswerBox(question, SystemIcon(kQuestionIcon), round.answer, &view); });
        PressButton(window, kCancel);
        ui::PumpMessages(window);  // the question runs inside it
        helper.join();
        ASSERT_TRUE(view.found) << round.answer;
        EXPECT_EQ(view.caption, Lng(kEnglish, "[MSG_CAPTION]"));
        EXPECT_EQ(view.defaultButton, IDNO);
        EXPECT_TRUE(view.icon);
        EXPECT_EQ(ui::CancelRequested(), round.cancels) << round.answer;
        EXPECT_EQ(IsWindow(window) != FALSE, !round.cancels) << round.answer;
    }
}

}  // namespace
