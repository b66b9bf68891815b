#include <windows.h>

#include <memory>

#include "ui/user_interface.h"
#include "ui/interaction_backend.h"
#include "resources/resource_ids.h"
#include "setupfiles/language_table.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/progress_pacing.h"
#include "ui/window_placement.h"
#include "setupfiles/text_ids.h"

// The Win32 side of the progress window: a modeless dialog that a long run shows while it works, and the
// small message pump through which the run lets it respond between its steps.
namespace ui {

namespace {

const LPCSTR kInformationIcon = MAKEINTRESOURCEA(32516);

class ProgressWindow : public Dialog {
  public:
    ProgressWindow(bool withCancel, bool askOnCancel)
        : Dialog(withCancel ? "DLG_info_cancel" : "DLG_info"), askOnCancel_(askOnCancel) {}
    // Set by the user's Cancel; read by the run after the window is gone.
    bool CancelRequested() const { return cancelRequested_; }

  private:
    bool OnInit() override {
        CenterWindow(Window());
        Static(Window(), IDC_INFO_ICON).SetIcon(LoadIconA(nullptr, kInformationIcon));
        SetItemText(IDC_INFO_CANCEL);
        return true;
    }
    void OnCommand(int id, int) override {
        if (id == IDC_INFO_CANCEL)
            OnCancel();
    }
    void OnCancel() {
        // The dialog manager turns Enter into id 1 even where there is no such button: only a window that
        // has its Cancel button can be cancelled, so a run shown without one cannot be stopped by a key.
        if (!Item(IDC_INFO_CANCEL))
            return;
        if (askOnCancel_ && !AskSystemYesNo(Window(), Text(kTextQuestInfoAbort), false, kTextQuestInfoAbort))
            return;
        cancelRequested_ = true;
        End(0);
    }
    bool askOnCancel_;
    bool cancelRequested_ = false;
};

// There is one progress window at a time; it stays until the next one opens, so that the run can ask
// whether it was cancelled after the window is gone.
std::unique_ptr<ProgressWindow>& CurrentProgress() {
    static std::unique_ptr<ProgressWindow> progress;
    return progress;
}

ProgressPacing& Pacing() {
    static ProgressPacing pacing;
    return pacing;
}

void ShowInfoText(WindowRef window, const std::string& text) {
    HWND dialog = static_cast<HWND>(window);
    // Emptied first, so that a shorter text leaves nothing of the longer one before it on the screen. The
    // control is looked up once: under Wine each lookup is a round trip to the server.
    HWND control = dialog ? GetDlgItem(dialog, IDC_INFO_TEXT) : nullptr;
    if (control) {
        SetWindowTextA(control, "");
        SetWindowTextA(control, text.c_str());
    }
}

}  // namespace

WindowRef backend::OpenInfoWindow(WindowRef owner, bool withCancel, bool askOnCancel) {
    Pacing().Reset();
    std::unique_ptr<ProgressWindow>& progress = CurrentProgress();
    progress.reset(new ProgressWindow(withCancel, askOnCancel));
    return progress->Open(static_cast<HWND>(owner));
}

void backend::ForgetInfoWindow() {
    CurrentProgress().reset();
}

void backend::SetInfoText(WindowRef window, const std::string& text) {
    if (Pacing().Offer(window, text, GetTickCount()))
        ShowInfoText(window, text);
}

void backend::ShowWaitingInfoText() {
    WindowRef window = nullptr;
    std::string text;
    if (Pacing().TakeWaiting(GetTickCount(), &window, &text))
        ShowInfoText(window, text);
}

// Handles what is queued and comes back: a run calls it between its files, and a wait here would cost every
// file the time until the next message. A pause that has to wait is PumpMessagesFor.
void backend::PumpMessages(WindowRef) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Tab, Enter and Escape reach the progress window's button (and every other open modeless dialog)
        // the way the program's own loop routes them.
        if (RouteToModelessDialog(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    WindowRef window = nullptr;
    std::string text;
    if (Pacing().TakeDue(GetTickCount(), &window, &text))
        ShowInfoText(window, text);
}

void CloseInfoWindow(WindowRef window) {
    Pacing().Reset();
    HWND dialog = static_cast<HWND>(window);
    // The user's Cancel may have destroyed it already.
    if (dialog && IsWindow(dialog))
        DestroyWindow(dialog);
}

bool CancelRequested() {
    const std::unique_ptr<ProgressWindow>& progress = CurrentProgress();
    return progress && progress->CancelRequested();
}

}  // namespace ui
