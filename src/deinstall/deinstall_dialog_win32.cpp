#include <windows.h>

#include "deinstall/deinstall_dialog.h"
#include "resources/deinstall_ids.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/message_boxes.h"
#include "ui/window_placement.h"

namespace {

// "DLG_deinstall": the warning, and the button that removes the driver.
class DeinstallDialog : public Dialog {
  public:
    explicit DeinstallDialog(const DeinstallInputs& inputs) : Dialog("DLG_deinstall"), inputs_(inputs) {}
    DeinstallOutcome Outcome() const { return outcome_; }

  private:
    bool OnInit() override {
        ShowWindow(Window(), SW_HIDE);
        CenterWindow(Window());
        SetCaption(kTextDlgDeiCaption);
        SetItemString(IDC_DEINSTALL_WARNING, FormatText(Text(kTextDlgDeiWarning), {inputs_.setupDirectory}));
        SetItemTextFrom(IDC_DEINSTALL_START_HELP, kTextDlgDeiOktxt);
        SetItemTextFrom(IDC_DEINSTALL_CANCEL_HELP, kTextDlgDeiCanceltxt);
        SetItemTextFrom(IDC_DEINSTALL_START, kTextDlgDeiOk);
        SetItemTextFrom(IDC_DEINSTALL_CANCEL, kTextButtonCancel);
        ShowWindow(Window(), SW_SHOW);
        // The focus starts on Cancel, the default button, not on the first button of the tab order.
        SetFocus(Item(IDC_DEINSTALL_CANCEL));
        return false;
    }

    void OnCommand(int id, int) override {
        switch (id) {
            case IDC_DEINSTALL_START:
                Deinstall();
                break;
            case IDC_DEINSTALL_CANCEL:
                End(0);
                break;
        }
    }
    // While the run works the close box waits for it, as the buttons do.
    void OnClose() override {
        if (Control(Window(), IDC_DEINSTALL_CANCEL).IsEnabled())
            End(0);
    }

    // The run's questions are owned by this dialog; its buttons stay out of reach meanwhile, so that no
    // second run starts inside the first.
    void Deinstall() {
        EnableButtons(false);
        outcome_ = ConfirmAndRunDeinstallation(Window(), inputs_);
        EnableButtons(true);
        End(0);
    }

    void EnableButtons(bool enabled) {
        for (int id : {IDC_DEINSTALL_START, IDC_DEINSTALL_CANCEL}) Control(Window(), id).Enable(enabled);
    }

    DeinstallInputs inputs_;
    DeinstallOutcome outcome_ = DeinstallOutcome::kCancelled;
};

}  // namespace

DeinstallOutcome OpenDeinstallDialog(WindowRef owner, const DeinstallInputs& inputs) {
    DeinstallDialog dialog(inputs);
    if (dialog.RunModal(static_cast<HWND>(owner)) == -1)
        ShowError(owner, "Unable to open DeInstall dialog!");
    return dialog.Outcome();
}
