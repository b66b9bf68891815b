#include <windows.h>

#include "ui/user_interface.h"
#include "ui/interaction_backend.h"
#include "platform/win32_handles.h"
#include "resources/resource_ids.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/window_placement.h"

// The Win32 side of the user interaction seam: the system message box and "DLG_msg".
namespace ui {

namespace {

const LPCSTR kInformationIcon = MAKEINTRESOURCEA(32516);

class NoticeDialogBox : public Dialog {
  public:
    NoticeDialogBox(const std::string& caption, const std::string& okText, const std::string& text)
        : Dialog("DLG_msg"), caption_(caption), okText_(okText), text_(text) {}

  private:
    bool OnInit() override {
        Static(Window(), IDC_MSG_ICON).SetIcon(LoadIconA(nullptr, kInformationIcon));
        SetItemString(IDC_MSG_TEXT, text_);
        SetWindowTextA(Window(), caption_.c_str());
        SetItemString(IDC_MSG_OK, okText_);
        GrowToFitText();
        CenterWindow(Window());
        return true;
    }

    // A long message is shown whole: the text grows downwards as far as its lines need, and the dialog
    // and its OK button move with it.
    void GrowToFitText() {
        HWND text = Item(IDC_MSG_TEXT);
        RECT shown;
        GetWindowRect(text, &shown);
        RECT needed = {0, 0, shown.right - shown.left, 0};
        WindowDC dc(text);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(text, WM_GETFONT, 0, 0));
        HGDIOBJ previous = SelectObject(dc.Get(), font);
        DrawTextA(dc.Get(), text_.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc.Get(), previous);
        int grow = (needed.bottom - needed.top) - (shown.bottom - shown.top);
        if (grow <= 0)
            return;
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&shown), 2);
        SetWindowPos(text, nullptr, 0, 0, shown.right - shown.left, shown.bottom - shown.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER);
        HWND ok = Item(IDC_MSG_OK);
        RECT button;
        GetWindowRect(ok, &button);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&button), 2);
        SetWindowPos(ok, nullptr, button.left, button.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RECT frame;
        GetWindowRect(Window(), &frame);
        SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    // Only OK ends the notice; Escape (a command with id 2) does nothing.
    void OnCommand(int id, int) override {
        if (id == IDC_MSG_OK)
            End(0);
    }
    void OnClose() override { End(-1); }

    const std::string& caption_;
    const std::string& okText_;
    const std::string& text_;
};

}  // namespace

namespace backend {

int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text) {
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text) {
    NoticeDialogBox notice(caption, okText, text);
    return static_cast<int>(notice.RunModal(static_cast<HWND>(owner)));
}

}  // namespace backend

void ShowWaitCursor(bool wait) {
    SetCursor(LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

}  // namespace ui
