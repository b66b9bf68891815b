#include "configdialog/page_dialogs_win32.h"

#include "configdialog/config_dialogs.h"
#include "configdialog/page_commands.h"
#include "configdialog/page_layout.h"
#include "resources/configdialog_ids.h"
#include "ui/controls.h"

namespace {

// Tab stops of the calling number list, in dialog units: the subaddresses stand in a column.
constexpr int kCallingNumberTabStops[] = {0, 90};

bool IsSelectionChange(int notification) {
    return notification == CBN_SELCHANGE;  // LBN_SELCHANGE has the same code
}

}  // namespace

void PageDialog::Show(const ConfigPages& pages) {
    showing_ = true;
    ShowControls(pages);
    showing_ = false;
}

void PageDialog::ShowChoices(int id, const ChoiceList& list) {
    ComboBox combo(Window(), id);
    combo.Reset();
    for (const std::string& entry : list.entries) combo.Add(entry);
    combo.Select(list.selected);
}

void PageDialog::ShowEditText(int id, const std::string& text) {
    Edit field(Window(), id);
    if (field.Text() != text)
        field.SetText(text);
}

void PageDialog::PutBackFiltered(int id, const FilteredText& filtered) {
    if (!filtered.changed)
        return;
    Edit field(Window(), id);
    showing_ = true;
    field.SetText(filtered.text);
    showing_ = false;
    field.Select(static_cast<int>(filtered.caret), static_cast<int>(filtered.caret));
}

int PageDialog::ComboSelection(int id) const {
    return ComboBox(Window(), id).Selected();
}

AdapterPageDialog::AdapterPageDialog(PageHost& host) : PageDialog(kAdapterPageTemplate, host) {}

bool AdapterPageDialog::OnInit() {
    Edit(Window(), IDC_CFG_BASE_ADDRESS).Limit(static_cast<int>(kBaseAddressDigits));
    Edit(Window(), IDC_CFG_SPID).Limit(static_cast<int>(kSpidWidth - 1));
    for (int id : {IDC_CFG_G_GENERAL, IDC_CFG_G_ADAPTER, IDC_CFG_PROTOCOL_LABEL, IDC_CFG_START_LABEL,
                   IDC_CFG_TEST_LABEL, IDC_CFG_CHANGE, IDC_CFG_BASE_ADDRESS_LABEL, IDC_CFG_INTERRUPT_LABEL})
        SetItemText(id);
    // Without a protocol that has SPIDs there is no SPID field at all in this dialog.
    if (Pages().adapter.spidPresent) {
        SetItemText(IDC_CFG_SPID_LABEL);
    } else {
        DestroyWindow(Item(IDC_CFG_SPID_LABEL));
        DestroyWindow(Item(IDC_CFG_SPID));
    }
    return true;
}

void AdapterPageDialog::ShowControls(const ConfigPages& pages) {
    const AdapterPage& page = pages.adapter;
    ShowChoices(IDC_CFG_PROTOCOL, page.protocol);
    ShowChoices(IDC_CFG_START, page.start);
    ShowChoices(IDC_CFG_TEST, page.test);
    ShowChoices(IDC_CFG_ADAPTERS, page.adapters);
    ShowChoices(IDC_CFG_INTERRUPT, page.interrupt);
    ShowEditText(IDC_CFG_BASE_ADDRESS, page.baseAddress);
    if (page.spidPresent) {
        ShowEditText(IDC_CFG_SPID, page.spid);
        Control(Window(), IDC_CFG_SPID).Enable(page.spidEnabled);
        Control(Window(), IDC_CFG_SPID_LABEL).Enable(page.spidEnabled);
    }
}

void AdapterPageDialog::OnCommand(int id, int notification) {
    if (Showing())
        return;
    ConfigPages& pages = Pages();
    if (id == IDC_CFG_CHANGE && notification == BN_CLICKED) {
        ChangeAdapterCount();
        return;
    }
    if (notification == EN_CHANGE) {
        Edit field(Window(), id);
        size_t caret = static_cast<size_t>(field.CaretPosition());
        if (id == IDC_CFG_BASE_ADDRESS)
            PutBackFiltered(id, EditBaseAddress(pages, field.Text(), caret));
        else if (id == IDC_CFG_SPID)
            PutBackFiltered(id, EditSpid(pages, field.Text(), caret));
        return;
    }
    if (!IsSelectionChange(notification))
        return;
    int position = ComboSelection(id);
    switch (id) {
        case IDC_CFG_ADAPTERS:
            SelectAdapter(pages, Host().Adapters(), position);
            Host().ShowModel();
            break;
        case IDC_CFG_PROTOCOL:
            SelectProtocol(pages, Host().Config(), Host().Adapters(), position);
            Host().ShowModel();
            break;
        case IDC_CFG_INTERRUPT:
            SelectInterrupt(pages, Host().Adapters(), position);
            break;
        case IDC_CFG_START:
            SelectEntry(pages, pages.adapter.start, position);
            break;
        case IDC_CFG_TEST:
            SelectEntry(pages, pages.adapter.test, position);
            break;
    }
}

void AdapterPageDialog::ChangeAdapterCount() {
    ConfigPages& pages = Pages();
    uint32_t count = static_cast<uint32_t>(pages.adapter.adapters.entries.size());
    if (RunAdapterContentsDialog(Window(), count)) {
        ::ChangeAdapterCount(pages, Host().Config(), Host().Adapters(), count);
        Host().ShowModel();
    }
    SetActiveWindow(Host().FrameWindow());
}

bool AdvancedPageDialog::OnInit() {
    for (int id :
         {IDC_CFG_G_ADVANCED, IDC_CFG_DOS_VECTOR_LABEL, IDC_CFG_X31_LAYER2_LABEL, IDC_CFG_DATA_IO_LABEL,
          IDC_CFG_DELIVERY_CONF_LABEL, IDC_CFG_POINT2POINT, IDC_CFG_MAINTENANCE_SWITCH})
        SetItemText(id);
    return true;
}

void AdvancedPageDialog::ShowControls(const ConfigPages& pages) {
    const AdvancedPage& page = pages.advanced;
    ShowChoices(IDC_CFG_DOS_VECTOR, page.dosVector);
    ShowChoices(IDC_CFG_X31_LAYER2, page.x31Layer2);
    Control(Window(), IDC_CFG_X31_LAYER2).Enable(page.x31Layer2Enabled);
    Control(Window(), IDC_CFG_X31_LAYER2_LABEL).Enable(page.x31Layer2Enabled);
    ShowChoices(IDC_CFG_DELIVERY_CONF, page.deliveryConf);
    ShowChoices(IDC_CFG_DATA_IO, page.dataIoMode);
    CheckBox(Window(), IDC_CFG_POINT2POINT).SetChecked(page.point2Point);
    CheckBox(Window(), IDC_CFG_MAINTENANCE_SWITCH).SetChecked(page.maintenanceSwitch);
}

void AdvancedPageDialog::OnCommand(int id, int notification) {
    if (Showing())
        return;
    ConfigPages& pages = Pages();
    if (notification == BN_CLICKED && id == IDC_CFG_POINT2POINT) {
        SetPoint2Point(pages, CheckBox(Window(), id).Checked());
        return;
    }
    if (notification == BN_CLICKED && id == IDC_CFG_MAINTENANCE_SWITCH) {
        SetMaintenanceSwitch(pages, CheckBox(Window(), id).Checked());
        Host().ShowModel();
        return;
    }
    if (!IsSelectionChange(notification))
        return;
    AdvancedPage& page = pages.advanced;
    ChoiceList* lists[] = {&page.dosVector, &page.x31Layer2, &page.deliveryConf, &page.dataIoMode};
    int ids[] = {IDC_CFG_DOS_VECTOR, IDC_CFG_X31_LAYER2, IDC_CFG_DELIVERY_CONF, IDC_CFG_DATA_IO};
    for (size_t i = 0; i < 4; ++i)
        if (ids[i] == id)
            SelectEntry(pages, *lists[i], ComboSelection(id));
}

bool MaintenancePageDialog::OnInit() {
    Edit(Window(), IDC_CFG_USERNAME).Limit(static_cast<int>(kUserWidth - 1));
    Edit(Window(), IDC_CFG_PASSWORD).Limit(static_cast<int>(kUserWidth - 1));
    Edit(Window(), IDC_CFG_CALLED_NUMBER).Limit(static_cast<int>(kPartyPartLength));
    Edit(Window(), IDC_CFG_CALLED_SUBADDRESS).Limit(static_cast<int>(kPartyPartLength));
    SendMessageA(Item(IDC_CFG_CALLING_NUMBERS), LB_SETTABSTOPS, 2,
                 reinterpret_cast<LPARAM>(kCallingNumberTabStops));
    for (int id : {IDC_CFG_G_GENERAL, IDC_CFG_G_SECURITY, IDC_CFG_CIP_LABEL,
                   IDC_CFG_MAINTENANCE_ADAPTER_LABEL, IDC_CFG_USERNAME_LABEL, IDC_CFG_PASSWORD_LABEL,
                   IDC_CFG_CALLED_NUMBER_LABEL, IDC_CFG_CALLED_SUBADDRESS_LABEL, IDC_CFG_CALLING_LABEL,
                   IDC_CFG_CALLING_COMMENT, IDC_CFG_ADD_NUMBER, IDC_CFG_EDIT_NUMBER, IDC_CFG_REMOVE_NUMBER})
        SetItemText(id);
    return true;
}

void MaintenancePageDialog::ShowControls(const ConfigPages& pages) {
    const MaintenancePage& page = pages.maintenance;
    if (editable_) {
        ShowChoices(IDC_CFG_CIP, page.cipValue);
        ShowChoices(IDC_CFG_MAINTENANCE_ADAPTER, page.adapter);
        ShowEditText(IDC_CFG_USERNAME, page.username);
        ShowEditText(IDC_CFG_PASSWORD, page.password);
        ShowEditText(IDC_CFG_CALLED_NUMBER, page.called.number);
        ShowEditText(IDC_CFG_CALLED_SUBADDRESS, page.called.subaddress);
    } else {
        SetItemString(IDC_CFG_CIP, page.cipValueText);
        SetItemString(IDC_CFG_MAINTENANCE_ADAPTER, page.adapterText);
        SetItemString(IDC_CFG_USERNAME, page.username);
        SetItemString(IDC_CFG_PASSWORD, page.password);
        SetItemString(IDC_CFG_CALLED_NUMBER, page.called.number);
        SetItemString(IDC_CFG_CALLED_SUBADDRESS, page.called.subaddress);
    }
    ListBox list(Window(), IDC_CFG_CALLING_NUMBERS);
    list.Reset();
    for (const std::string& line : page.callingNumbers.entries) list.Add(line);
    list.Select(page.callingNumbers.selected);
    ShowNumberButtons();
}

void MaintenancePageDialog::ShowNumberButtons() {
    NumberButtons buttons = CallingNumberButtons(Pages());
    Button(Window(), IDC_CFG_ADD_NUMBER).Enable(buttons.add);
    Button(Window(), IDC_CFG_EDIT_NUMBER).Enable(buttons.edit);
    Button(Window(), IDC_CFG_REMOVE_NUMBER).Enable(buttons.remove);
}

void MaintenancePageDialog::EditCallingNumber(bool editing) {
    ConfigPages& pages = Pages();
    PartyNumber party = editing ? SelectedCallingNumber(pages) : PartyNumber();
    if (RunPartyNumberEditor(Window(), editing, party)) {
        if (editing)
            ReplaceCallingNumber(pages, party);
        else
            AddCallingNumber(pages, party);
    }
    Show(pages);
}

void MaintenancePageDialog::OnCommand(int id, int notification) {
    if (Showing() || !editable_)
        return;
    ConfigPages& pages = Pages();
    MaintenancePage& page = pages.maintenance;
    switch (id) {
        case IDC_CFG_ADD_NUMBER:
            EditCallingNumber(false);
            return;
        case IDC_CFG_EDIT_NUMBER:
            EditCallingNumber(true);
            return;
        case IDC_CFG_REMOVE_NUMBER:
            RemoveCallingNumber(pages);
            Show(pages);
            return;
        case IDC_CFG_CALLING_NUMBERS:
            if (notification == LBN_DBLCLK && CallingNumberButtons(pages).edit) {
                EditCallingNumber(true);
            } else if (notification == LBN_SELCHANGE) {
                SelectEntry(pages, page.callingNumbers, ListBox(Window(), id).Selected());
                ShowNumberButtons();
            }
            return;
    }
    if (notification == EN_CHANGE) {
        Edit field(Window(), id);
        size_t caret = static_cast<size_t>(field.CaretPosition());
        if (id == IDC_CFG_USERNAME)
            EditUsername(pages, field.Text());
        else if (id == IDC_CFG_PASSWORD)
            EditPassword(pages, field.Text());
        else if (id == IDC_CFG_CALLED_NUMBER)
            PutBackFiltered(id, EditCalledNumber(pages, field.Text(), caret));
        else if (id == IDC_CFG_CALLED_SUBADDRESS)
            PutBackFiltered(id, EditCalledSubaddress(pages, field.Text(), caret));
        return;
    }
    if (IsSelectionChange(notification) && id == IDC_CFG_CIP)
        SelectEntry(pages, page.cipValue, ComboSelection(id));
    else if (IsSelectionChange(notification) && id == IDC_CFG_MAINTENANCE_ADAPTER)
        SelectEntry(pages, page.adapter, ComboSelection(id));
}
