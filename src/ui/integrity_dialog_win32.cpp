#include <windows.h>

#include "ui/user_interface.h"
#include "ui/interaction_backend.h"
#include "resources/configstore_ids.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/window_placement.h"
#include "setupfiles/text_ids.h"

// "DLG_chkintegrity": the choice between the settings found in the registry and those of the backup.
namespace ui {

namespace {

const LPCSTR kWarningIcon = MAKEINTRESOURCEA(32515);

// The controls that show the language text of their own id, in the order the texts are set.
constexpr int kTextControls[] = {IDC_CCI_INFO,       IDC_CCI_RESTORE,       IDC_CCI_APPLY,
                                 IDC_CCI_CANCEL,     IDC_CCI_APPLYNEW_TEXT, IDC_CCI_RESTOREOLD_TEXT,
                                 IDC_CCI_CANCEL_TEXT};

class IntegrityDialogBox : public Dialog {
  public:
    explicit IntegrityDialogBox(const std::string& information)
        : Dialog("DLG_chkintegrity"), information_(information) {}

  private:
    bool OnInit() override {
        ShowWindow(Window(), SW_HIDE);
        CenterWindow(Window());
        Static(Window(), IDC_CCI_ICON).SetIcon(LoadIconA(nullptr, kWarningIcon));
        SetCaption(kTextDlgCciCaption);
        for (int control : kTextControls) SetItemText(control);
        SetItemString(IDC_CCI_INFO, information_);
        ShowWindow(Window(), SW_SHOW);
        // Enter on the focused button must not choose for the user: the focus starts on Cancel.
        Button(Window(), IDC_CCI_CANCEL).Focus();
        return false;
    }
    // Escape (IDCANCEL) is taken as the Cancel button: leaving the configuration closed changes nothing.
    void OnCommand(int id, int) override {
        switch (id) {
            case IDC_CCI_APPLY:
                End(static_cast<int>(IntegrityAnswer::kApplyCurrent));
                break;
            case IDC_CCI_RESTORE:
                End(static_cast<int>(IntegrityAnswer::kRestoreBackup));
                break;
            case IDC_CCI_CANCEL:
            case IDCANCEL:
                End(static_cast<int>(IntegrityAnswer::kCancel));
                break;
        }
    }
    void OnClose() override { End(static_cast<int>(IntegrityAnswer::kCancel)); }

    const std::string& information_;
};

}  // namespace

// A template that cannot be loaded gives -1, taken as Cancel.
IntegrityAnswer backend::IntegrityDialog(WindowRef owner, const std::string& information) {
    IntegrityDialogBox dialog(information);
    INT_PTR result = dialog.RunModal(static_cast<HWND>(owner));
    return result < 0 ? IntegrityAnswer::kCancel : static_cast<IntegrityAnswer>(result);
}

}  // namespace ui
