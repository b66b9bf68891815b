#include <windows.h>

#include "ui/user_interface.h"
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
        CenterWindow(Window());
        Static(Window(), IDC_MSG_ICON).SetIcon(LoadIconA(nullptr, kInformationIcon));
        SetItemString(IDC_MSG_TEXT, text_);
        SetWindowTextA(Window(), caption_.c_str());
        SetItemString(IDC_MSG_OK, okText_);
        return true;
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

int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text) {
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text) {
    NoticeDialogBox notice(caption, okText, text);
    return static_cast<int>(notice.RunModal(static_cast<HWND>(owner)));
}

void ShowWaitCursor(bool wait) {
    SetCursor(LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

}  // namespace ui
