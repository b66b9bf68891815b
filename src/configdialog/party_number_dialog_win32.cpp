#include <windows.h>

#include "configdialog/config_dialogs.h"
#include "configdialog/input_filters.h"
#include "resources/configdialog_ids.h"
#include "setupfiles/text_ids.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/window_placement.h"

namespace {

// The fields are taken as typed: only the separators of the stored forms are kept out.
class PartyNumberEditor : public Dialog {
  public:
    PartyNumberEditor(bool editing, PartyNumber& party)
        : Dialog("DLG_partynumber"), editing_(editing), party_(party) {}

  private:
    bool OnInit() override {
        SetCaption(editing_ ? kTextDlgCpnCaptionEdit : kTextDlgCpnCaptionAdd);
        for (int id : {IDC_CPN_OK, IDC_CPN_CANCEL, IDC_CPN_NUMBER_LABEL, IDC_CPN_SUBADDRESS_LABEL})
            SetItemText(id);
        Edit number(Window(), IDC_CPN_NUMBER), subaddress(Window(), IDC_CPN_SUBADDRESS);
        number.Limit(static_cast<int>(kPartyPartLength));
        subaddress.Limit(static_cast<int>(kPartyPartLength));
        if (editing_) {
            number.SetText(party_.number);
            subaddress.SetText(party_.subaddress);
        }
        CenterWindow(Window());
        number.Focus();
        return false;
    }

    void OnCommand(int id, int notification) override {
        if (notification == EN_CHANGE && (id == IDC_CPN_NUMBER || id == IDC_CPN_SUBADDRESS)) {
            Filter(id);
            return;
        }
        if (id == IDC_CPN_OK) {
            party_.number = Edit(Window(), IDC_CPN_NUMBER).Text();
            party_.subaddress = Edit(Window(), IDC_CPN_SUBADDRESS).Text();
            End(1);
        } else if (id == IDC_CPN_CANCEL || id == IDCANCEL) {  // IDCANCEL: Escape
            End(0);
        }
    }
    void OnClose() override { End(0); }

    void Filter(int id) {
        Edit field(Window(), id);
        FilteredText filtered = FilterPartyNumber(field.Text(), static_cast<size_t>(field.CaretPosition()));
        if (!filtered.changed)
            return;
        field.SetText(filtered.text);
        field.Select(static_cast<int>(filtered.caret), static_cast<int>(filtered.caret));
    }

    bool editing_;
    PartyNumber& party_;
};

}  // namespace

bool RunPartyNumberEditor(WindowRef owner, bool editing, PartyNumber& party) {
    PartyNumber edited = party;
    PartyNumberEditor editor(editing, edited);
    if (editor.RunModal(static_cast<HWND>(owner)) != 1)
        return false;
    party = edited;
    return true;
}
