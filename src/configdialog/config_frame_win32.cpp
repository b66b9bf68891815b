#include <windows.h>

#include <memory>
#include <vector>

#include "configdialog/config_dialogs.h"
#include "configdialog/config_session.h"
#include "configdialog/page_commands.h"
#include "configdialog/page_dialogs_win32.h"
#include "configdialog/page_layout.h"
#include "resources/configdialog_ids.h"
#include "setupfiles/text_ids.h"
#include "ui/controls.h"
#include "ui/message_boxes.h"
#include "ui/user_interface.h"
#include "ui/window_placement.h"

// "DLG_cfg_main": the page buttons, OK, Reset and Cancel; the pages lie on top of each other inside it.
// The frame owns the configuration it edits, from its opening to its end.
class ConfigFrame : public Dialog, private PageHost {
  public:
    ConfigFrame(Configuration config, ConfigPages pages, bool& restartNeeded)
        : Dialog(kFrameTemplate),
          config_(std::move(config)),
          pages_(std::move(pages)),
          restartNeeded_(restartNeeded),
          templates_(PageTemplatesFor(pages_.defaults.Mode)),
          adapter_(*this),
          advanced_(templates_.advanced, *this) {
        if (templates_.maintenance)
            maintenance_ =
                std::make_unique<MaintenancePageDialog>(templates_.maintenance, static_cast<PageHost&>(*this),
                                                        pages_.defaults.Mode == kMaintenanceFull);
    }

    // The frame is created hidden and shown (CenterWindow shows it) only with its pages filled, so that
    // its first paint is complete; the focus goes to the first control of the adapter page.
    void Present() {
        CenterWindow(Window());
        SetForegroundWindow(Window());
        SetFocus(GetNextDlgTabItem(adapter_.Window(), nullptr, FALSE));
    }

  private:
    bool OnInit() override {
        SetCaption(kTextDlgCfgCaption);
        for (int id : {IDC_CFG_SHOW_ADAPTER, IDC_CFG_SHOW_ADVANCED, IDC_CFG_SHOW_MAINTENANCE, IDC_CFG_OK,
                       IDC_CFG_RESET, IDC_CFG_CANCEL})
            SetItemText(id);
        if (!templates_.maintenanceButton)
            DestroyWindow(Item(IDC_CFG_SHOW_MAINTENANCE));
        // Each page goes after the page buttons in the tab order, before OK, Reset and Cancel.
        HWND previous =
            Item(IDC_CFG_SHOW_MAINTENANCE) ? Item(IDC_CFG_SHOW_MAINTENANCE) : Item(IDC_CFG_SHOW_ADVANCED);
        for (PageDialog* page : PageDialogs()) {
            HWND window = page->Open(Window());
            if (!window)
                continue;
            SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            previous = window;
        }
        ShowModel();
        return false;
    }

    void OnCommand(int id, int notification) override {
        if (notification != BN_CLICKED)
            return;
        switch (id) {
            case IDC_CFG_SHOW_ADAPTER:
                ShowPageOf(ConfigPage::kAdapter);
                break;
            case IDC_CFG_SHOW_ADVANCED:
                ShowPageOf(ConfigPage::kAdvanced);
                break;
            case IDC_CFG_SHOW_MAINTENANCE:
                ShowPageOf(ConfigPage::kMaintenance);
                break;
            case IDC_CFG_OK:
                Save();
                break;
            case IDC_CFG_RESET:
                if (ResetConfiguration(pages_, Config(), Adapters(), Window()))
                    ShowModel();
                break;
            case IDC_CFG_CANCEL:
            case IDCANCEL:  // Escape: the dialog manager's Cancel is id 2, this frame's Cancel button is 1
                if (ConfirmCancel(pages_, Window()))
                    End(0);
                break;
        }
    }

    void OnClose() override {
        if (ConfirmCloseBox(Window()))
            End(0);
    }

    void Save() {
        bool restart = false;
        bool saved = SaveConfiguration(pages_, config_, &restart);
        if (restart)
            restartNeeded_ = true;
        if (saved)
            End(0);
    }

    void ShowPageOf(ConfigPage page) {
        ShowPage(pages_, page);
        ShowVisiblePage();
    }

    // The page of the model on view, its button held pushed.
    void ShowVisiblePage() {
        struct Shown {
            ConfigPage page;
            PageDialog* dialog;
            int button;
        } shown[] = {{ConfigPage::kAdapter, &adapter_, IDC_CFG_SHOW_ADAPTER},
                     {ConfigPage::kAdvanced, &advanced_, IDC_CFG_SHOW_ADVANCED},
                     {ConfigPage::kMaintenance, maintenance_.get(), IDC_CFG_SHOW_MAINTENANCE}};
        for (const Shown& s : shown) {
            bool visible = s.page == pages_.visiblePage;
            if (s.dialog && s.dialog->Window())
                ShowWindow(s.dialog->Window(), visible ? SW_SHOW : SW_HIDE);
            Button(Window(), s.button).SetPushed(visible);
        }
        Control(Window(), IDC_CFG_SHOW_MAINTENANCE).Show(pages_.maintenanceButtonShown);
    }

    std::vector<PageDialog*> PageDialogs() {
        std::vector<PageDialog*> pages = {&adapter_, &advanced_};
        if (maintenance_)
            pages.push_back(maintenance_.get());
        return pages;
    }

    ConfigPages& Pages() override { return pages_; }
    DriverConfig& Config() override { return config_.driver; }
    AdapterArray& Adapters() override { return config_.adapters; }
    HWND FrameWindow() const override { return Window(); }
    void ShowModel() override {
        for (PageDialog* page : PageDialogs())
            if (page->Window())
                page->Show(pages_);
        ShowVisiblePage();
    }

    Configuration config_;
    ConfigPages pages_;
    bool& restartNeeded_;
    PageTemplates templates_;
    AdapterPageDialog adapter_;
    AdvancedPageDialog advanced_;
    std::unique_ptr<MaintenancePageDialog> maintenance_;
};

ConfigurationDialog::ConfigurationDialog() = default;

ConfigurationDialog::~ConfigurationDialog() = default;

bool ConfigurationDialog::IsOpen() const {
    return frame_ && frame_->Window();
}

void ConfigurationDialog::Open(WindowRef owner, const std::string& script, bool& restartNeeded) {
    if (IsOpen()) {
        SetForegroundWindow(frame_->Window());
        return;
    }
    ui::ShowWaitCursor(true);
    // One reading of the setup information file serves the whole opening, and OK.
    Configuration config;
    ConfigPages pages;
    bool loaded = OpenConfiguration(owner, script, config, pages);
    ui::ShowWaitCursor(false);
    if (!loaded)
        return;
    frame_ = std::make_unique<ConfigFrame>(std::move(config), std::move(pages), restartNeeded);
    if (frame_->Open(static_cast<HWND>(owner)))
        frame_->Present();
    else
        ShowError(owner, "Unable to open Configuration dialog!");
}
