#pragma once

#include <windows.h>

#include "configdialog/config_pages.h"
#include "configdialog/input_filters.h"
#include "ui/dialog.h"

// The pages of the configuration dialog: child dialogs of the frame that copy the page model to their
// controls and hand every change of a control to the page commands.

// What a page needs of its frame.
class PageHost {
  public:
    virtual ConfigPages& Pages() = 0;
    virtual DriverConfig& Config() = 0;
    virtual AdapterArray& Adapters() = 0;
    // Every page shows the model again, and the frame its page buttons.
    virtual void ShowModel() = 0;
    virtual HWND FrameWindow() const = 0;

  protected:
    ~PageHost() = default;
};

// A page copies the model to its controls in Show; while it does, the notifications its own changes
// cause are not taken for the user's.
class PageDialog : public Dialog {
  public:
    PageDialog(const char* templateName, PageHost& host) : Dialog(templateName), host_(host) {}
    void Show(const ConfigPages& pages);

  protected:
    virtual void ShowControls(const ConfigPages& pages) = 0;
    bool Showing() const { return showing_; }
    PageHost& Host() { return host_; }
    ConfigPages& Pages() { return host_.Pages(); }
    void ShowChoices(int id, const ChoiceList& list);
    void ShowEditText(int id, const std::string& text);
    // A field whose typed characters are filtered: the text and caret go back when filtering changed them.
    void PutBackFiltered(int id, const FilteredText& filtered);
    int ComboSelection(int id) const;

  private:
    PageHost& host_;
    bool showing_ = false;
};

// "DLG_cfg_adapter"
class AdapterPageDialog : public PageDialog {
  public:
    explicit AdapterPageDialog(PageHost& host);

  private:
    bool OnInit() override;
    void OnCommand(int id, int notification) override;
    void ShowControls(const ConfigPages& pages) override;
    void ChangeAdapterCount();
};

// "DLG_cfg_advanced" or "DLG_cfg_advanced_mntsw"
class AdvancedPageDialog : public PageDialog {
  public:
    AdvancedPageDialog(const char* templateName, PageHost& host) : PageDialog(templateName, host) {}

  private:
    bool OnInit() override;
    void OnCommand(int id, int notification) override;
    void ShowControls(const ConfigPages& pages) override;
};

// "DLG_cfg_maintenance" (editable, mode Full) or "DLG_cfg_maintenance_def" (display, mode Default)
class MaintenancePageDialog : public PageDialog {
  public:
    MaintenancePageDialog(const char* templateName, PageHost& host, bool editable)
        : PageDialog(templateName, host), editable_(editable) {}

  private:
    bool OnInit() override;
    void OnCommand(int id, int notification) override;
    void ShowControls(const ConfigPages& pages) override;
    void ShowNumberButtons();
    void EditCallingNumber(bool editing);

    bool editable_;
};
