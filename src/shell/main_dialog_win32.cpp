#include <windows.h>

#include "deinstall/deinstall_dialog.h"
#include "configdialog/config_dialogs.h"
#include "install/install_dialog.h"
#include "platform/win32_handles.h"
#include "resources/resource_ids.h"
#include "shell/app_context.h"
#include "setupfiles/text_ids.h"
#include "shell/about_box.h"
#include "shell/flow_inputs.h"
#include "shell/main_dialog.h"
#include "shell/startup.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/message_boxes.h"
#include "ui/window_placement.h"

namespace {

// "DLG_main": the language, the action of the run mode, the about box and the exit.
class MainDialog : public Dialog {
  public:
    explicit MainDialog(AppContext& app) : Dialog("DLG_main"), app_(app) {}

  private:
    bool OnInit() override {
        app_.MainWindow = Window();
        CreateTitleFont();
        FillLanguages();
        SetTexts();
        CenterWindow(Window());
        return true;
    }

    void OnCommand(int id, int notification) override {
        switch (id) {
            case IDC_MAIN_ACTION:
                OnAction();
                break;
            case IDC_MAIN_ABOUT:
                AboutBox(Window(), app_);
                break;
            case IDC_MAIN_EXIT:
                End(0);
                break;
            case IDC_MAIN_LANGUAGE:
                if (notification == CBN_SELCHANGE)
                    OnLanguageChanged();
                break;
        }
    }
    void OnClose() override { End(0); }
    void OnDestroy() override {
        app_.MainWindow = nullptr;
        PostQuitMessage(0);
    }

    void OnAction() {
        AppContext& app = app_;
        if (app.RunMode == kRunNormal)
            Install(app);
        else if (app.RunMode == kRunConfigure)
            OpenConfiguration(app);
        else if (app.RunMode == kRunDeinstall)
            Deinstall(app);
    }

    void OpenConfiguration(AppContext& app) {
        configuration_.Open(Window(), ScriptPath(app), app.RestartNeeded);
    }

    // After a completed installation the program goes on in configure mode.
    void Install(AppContext& app) {
        InstallationOutcome outcome =
            OpenInstallDialog(Window(), InstallationSetupOf(app), app.DefaultFolderName);
        if (!outcome.started)
            return;
        app.InstalledSourcePath = outcome.sourcePath;
        app.InstalledDestinationPath = outcome.destinationPath;
        app.GroupReady = outcome.groupReady;
        app.RestartNeeded = app.RestartNeeded || outcome.restartNeeded;
        if (outcome.completed) {
            app.RunMode = kRunConfigure;
            SetTexts();
            // A fresh configuration goes straight to the administrator; a kept one was already checked.
            if (outcome.configurationWritten)
                OpenConfiguration(app);
        }
    }

    // A completed removal ends the program. Its group is gone then: a changed language must not build it
    // again on the way out.
    void Deinstall(AppContext& app) {
        if (OpenDeinstallDialog(Window(), DeinstallInputsOf(app)) != DeinstallOutcome::kCompleted)
            return;
        app.GroupReady = false;
        End(0);
    }

    void OnLanguageChanged() {
        int selected = ComboBox(Window(), IDC_MAIN_LANGUAGE).Selected();
        if (selected == CB_ERR)
            return;
        app_.LanguageIndex = selected;
        LoadCurrentLanguage(app_);
        SetTexts();
    }

    void CreateTitleFont() {
        WindowDC screen(nullptr);
        int height = -MulDiv(12, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
        titleFont_.Reset(CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                                     "MS Sans Serif"));
        if (!titleFont_) {
            ShowError(Window(), "Unable to find font!");
            return;
        }
        SendMessageA(Item(IDC_MAIN_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), TRUE);
    }

    void FillLanguages() {
        ComboBox languages(Window(), IDC_MAIN_LANGUAGE);
        languages.Reset();
        for (const LanguageEntry& entry : app_.Languages.entries) languages.Add(entry.displayName);
        languages.Select(app_.LanguageIndex);
    }

    // The texts of the current language for the run mode.
    void SetTexts() {
        SetCaption(kTextDlgMainCaption);
        for (int id :
             {IDC_MAIN_EXIT, IDC_MAIN_ABOUT, IDC_MAIN_TITLE, IDC_MAIN_LANGUAGE_LABEL, IDC_MAIN_VERSION})
            SetItemText(id);
        int action = MainButtonTextId(app_.RunMode);
        if (action >= 0)
            SetItemTextFrom(IDC_MAIN_ACTION, action);
    }

    AppContext& app_;
    GdiObject titleFont_;
    ConfigurationDialog configuration_;
};

}  // namespace

int RunMainDialog(AppContext& app) {
    MainDialog dialog(app);
    if (!dialog.Open(nullptr)) {
        ShowError(nullptr, "Unable to open main dialog!");
        return -1;
    }
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (RouteToModelessDialog(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
