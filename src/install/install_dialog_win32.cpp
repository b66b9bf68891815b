#include <windows.h>

#include "install/install_dialog.h"
#include "install/installation_run.h"
#include "resources/install_ids.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/message_boxes.h"
#include "ui/window_placement.h"
#include "setupfiles/text_ids.h"

namespace {

constexpr UINT kPathSize = 260;

std::string WindowsDriveRoot() {
    char windows[kPathSize] = {};
    GetWindowsDirectoryA(windows, kPathSize);
    return std::string(windows).substr(0, 3);
}

// "DLG_changedir": picks a directory, starting from the path in the parent's edit control.
class DirectoryPicker : public Dialog {
  public:
    explicit DirectoryPicker(const std::string& start) : Dialog("DLG_changedir"), start_(start) {}
    // The chosen directory, once OK is pressed.
    const std::string& Picked() const { return picked_; }

  private:
    bool OnInit() override {
        ShowWindow(Window(), SW_HIDE);
        CenterWindow(Window());
        SetCaption(kTextDlgChpCaption);
        for (int id :
             {IDC_PICK_OK, IDC_PICK_CANCEL, IDC_PICK_SHOWN_LABEL, IDC_PICK_HELP, IDC_PICK_DRIVE_LABEL})
            SetItemText(id);
        Fill(start_);
        ShowWindow(Window(), SW_SHOW);
        return true;
    }

    void OnCommand(int id, int notification) override {
        switch (id) {
            case IDC_PICK_OK: {
                char current[kPathSize] = {};
                GetCurrentDirectoryA(kPathSize, current);
                picked_ = current;
                End(1);
                break;
            }
            case IDC_PICK_CANCEL:
                picked_.clear();
                End(0);
                break;
            case IDC_PICK_DIRECTORIES:
                if (notification == LBN_DBLCLK)
                    Select(IDC_PICK_DIRECTORIES);
                break;
            case IDC_PICK_DRIVES:
                if (notification == CBN_SELCHANGE)
                    Select(IDC_PICK_DRIVES);
                break;
        }
    }
    // The close box does nothing: only the two buttons end the picker.

    // Lists a directory specification; the listing makes it the process's current directory, which is
    // what OK returns.
    void Fill(const std::string& specification) {
        char spec[kPathSize] = {};
        lstrcpynA(spec, specification.c_str(), kPathSize);
        if (!DlgDirListA(Window(), spec, IDC_PICK_DIRECTORIES, IDC_PICK_SHOWN,
                         DDL_DIRECTORY | DDL_EXCLUSIVE)) {
            lstrcpynA(spec, WindowsDriveRoot().c_str(), kPathSize);
            DlgDirListA(Window(), spec, IDC_PICK_DIRECTORIES, IDC_PICK_SHOWN, DDL_DIRECTORY | DDL_EXCLUSIVE);
        }
        std::string shown = ItemString(IDC_PICK_SHOWN);
        char drives[kPathSize] = "*.*";
        DlgDirListComboBoxA(Window(), drives, IDC_PICK_DRIVES, 0, DDL_DRIVES | DDL_EXCLUSIVE);
        std::string drive = std::string("[-") + (shown.empty() ? 'c' : shown[0]) + "-]";
        ComboBox(Window(), IDC_PICK_DRIVES).SelectText(drive);
    }

    void Select(int id) {
        char selected[kPathSize] = {};
        // "[dir]" becomes "dir\" and "[-d-]" becomes "d:"; the result is listed whether or not it named a
        // directory.
        if (id == IDC_PICK_DIRECTORIES)
            DlgDirSelectExA(Window(), selected, kPathSize, IDC_PICK_DIRECTORIES);
        else
            DlgDirSelectComboBoxExA(Window(), selected, kPathSize, IDC_PICK_DRIVES);
        Fill(selected);
    }

    std::string start_;
    std::string picked_;
};

// "DLG_install": the source and destination paths, and the button that starts the run.
class InstallDialog : public Dialog {
  public:
    explicit InstallDialog(const InstallationSetup& setup, const std::string& defaultFolder)
        : Dialog("DLG_install"), setup_(setup), defaultFolder_(defaultFolder) {}
    const InstallationOutcome& Outcome() const { return outcome_; }

  private:
    bool OnInit() override {
        ShowWindow(Window(), SW_HIDE);
        SetCaption(kTextDlgInsCaption);
        SetItemTextFrom(IDC_INSTALL_START, kTextDlgInsInstall);
        SetItemTextFrom(IDC_INSTALL_CANCEL, kTextButtonCancel);
        for (int id : {IDC_INSTALL_SOURCE_LABEL, IDC_INSTALL_DESTINATION_LABEL, IDC_INSTALL_CHANGE_SOURCE,
                       IDC_INSTALL_CHANGE_DESTINATION})
            SetItemText(id);
        CenterWindow(Window());
        SetItemString(IDC_INSTALL_SOURCE, setup_.setupDirectory);
        SetItemString(IDC_INSTALL_DESTINATION, DefaultDestinationPath(defaultFolder_));
        ShowWindow(Window(), SW_SHOW);
        return true;
    }

    void OnCommand(int id, int) override {
        switch (id) {
            case IDC_INSTALL_START:
                Install();
                break;
            case IDC_INSTALL_CANCEL:
                End(0);
                break;
            case IDC_INSTALL_CHANGE_SOURCE:
                ChangePath(IDC_INSTALL_SOURCE);
                break;
            case IDC_INSTALL_CHANGE_DESTINATION:
                ChangePath(IDC_INSTALL_DESTINATION);
                break;
        }
    }
    void OnClose() override { End(0); }

    // While the run works, its progress window and questions are the only way in: the buttons and paths
    // here could otherwise start a second run inside the first.
    void Install() {
        EnableInputs(false);
        outcome_ = RunInstallation(Window(), setup_, ItemString(IDC_INSTALL_SOURCE),
                                   ItemString(IDC_INSTALL_DESTINATION));
        EnableInputs(true);
        End(0);
    }

    void EnableInputs(bool enabled) {
        for (int id : kInputControls) Control(Window(), id).Enable(enabled);
    }

    void ChangePath(int editId) {
        DirectoryPicker picker(ItemString(editId));
        if (picker.RunModal(Window()) > 0)
            SetItemString(editId, picker.Picked());
    }

    static constexpr int kInputControls[] = {IDC_INSTALL_START,         IDC_INSTALL_CANCEL,
                                             IDC_INSTALL_CHANGE_SOURCE, IDC_INSTALL_CHANGE_DESTINATION,
                                             IDC_INSTALL_SOURCE,        IDC_INSTALL_DESTINATION};
    InstallationSetup setup_;
    std::string defaultFolder_;
    InstallationOutcome outcome_;
};

}  // namespace

InstallationOutcome OpenInstallDialog(WindowRef owner, const InstallationSetup& setup,
                                      const std::string& defaultFolder) {
    InstallDialog dialog(setup, defaultFolder);
    if (dialog.RunModal(static_cast<HWND>(owner)) == -1)
        ShowError(owner, "Unable to open Install dialog!");
    return dialog.Outcome();
}
