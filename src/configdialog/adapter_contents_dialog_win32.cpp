#include <windows.h>

#include "configdialog/adapter_contents.h"
#include "configdialog/config_dialogs.h"
#include "resources/configdialog_ids.h"
#include "setupfiles/text_ids.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/message_boxes.h"
#include "ui/window_placement.h"

namespace {

class AdapterContentsDialog : public Dialog {
  public:
    explicit AdapterContentsDialog(uint32_t count) : Dialog("DLG_chctl"), contents_(count) {}
    uint32_t Count() const { return contents_.Count(); }

  private:
    bool OnInit() override {
        CenterWindow(Window());
        SetCaption(kTextDlgChgCaption);
        for (int id : {IDC_CHG_OK, IDC_CHG_CANCEL, IDC_CHG_LABEL, IDC_CHG_ADD, IDC_CHG_REMOVE})
            SetItemText(id);
        ShowContents();
        return true;
    }

    void OnCommand(int id, int) override {
        switch (id) {
            case IDC_CHG_ADD:
                contents_.Add();
                ShowContents();
                break;
            case IDC_CHG_REMOVE:
                contents_.Remove();
                ShowContents();
                break;
            case IDC_CHG_OK:
                End(1);
                break;
            case IDC_CHG_CANCEL:
            case IDCANCEL:  // Escape
                End(0);
                break;
        }
    }
    void OnClose() override { End(0); }

    void ShowContents() {
        ListBox list(Window(), IDC_CHG_ADAPTERS);
        list.Reset();
        for (const std::string& line : contents_.Lines()) list.Add(line);
        Button(Window(), IDC_CHG_ADD).Enable(contents_.CanAdd());
        Button(Window(), IDC_CHG_REMOVE).Enable(contents_.CanRemove());
    }

    AdapterContents contents_;
};

}  // namespace

bool RunAdapterContentsDialog(WindowRef owner, uint32_t& count) {
    AdapterContentsDialog dialog(count);
    INT_PTR result = dialog.RunModal(static_cast<HWND>(owner));
    if (result == -1) {
        ShowError(owner, "Unable to open Adapters' Content dialog!");
        return false;
    }
    if (result != 1)
        return false;
    count = dialog.Count();
    return true;
}
