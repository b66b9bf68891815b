#include <windows.h>

#include <string>

#include "install/file_versions_dialog.h"
#include "resources/version_ids.h"
#include "shell/app_context.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_ids.h"
#include "shell/about_box.h"
#include "shell/driver_version.h"
#include "shell/flow_inputs.h"
#include "ui/dialog.h"
#include "ui/message_boxes.h"
#include "ui/window_placement.h"

namespace {

// "DLG_about".
class AboutDialog : public Dialog {
  public:
    explicit AboutDialog(const AppContext& app) : Dialog("DLG_about"), app_(app) {}

  private:
    bool OnInit() override {
        ShowWindow(Window(), SW_HIDE);
        CenterWindow(Window());
        FillAboutBox();
        ShowWindow(Window(), SW_SHOW);
        return true;
    }

    void OnCommand(int id, int) override {
        if (id == IDC_ABOUT_FILE_VERSIONS)
            OpenFileVersionDialog(Window(), CurrentFileVersionPlaces(app_));
        else
            End(0);
    }
    void OnClose() override { End(0); }

    void FillAboutBox() {
        SetCaption(kTextDlgAboutCaption);
        SetItemTextFrom(IDC_ABOUT_OK, kTextButtonOk);
        for (int id : {IDC_ABOUT_TEXT, IDC_ABOUT_VERSION_LABEL, IDC_ABOUT_FILE_VERSIONS}) SetItemText(id);
        // A missing section or script leaves the name empty, which reads as no driver installed.
        std::string capiDll;
        SetupInfoFile::Read(ScriptPath(app_)).ReadCurrentCapiDll(capiDll);
        SetItemString(IDC_ABOUT_VERSION, DriverVersionText(capiDll));
    }

    const AppContext& app_;
};

}  // namespace

void AboutBox(WindowRef owner, const AppContext& app) {
    AboutDialog dialog(app);
    if (dialog.RunModal(static_cast<HWND>(owner)) == -1)
        ShowError(owner, "Unable to open About dialog!");
}
