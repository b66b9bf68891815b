#include <windows.h>

#include <vector>

#include "install/file_versions.h"
#include "install/file_versions_dialog.h"
#include "resources/version_ids.h"
#include "setupfiles/text_ids.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/message_boxes.h"
#include "ui/window_placement.h"

namespace {

// The file names start at the left edge and the versions line up in a column after them. The column leaves
// room for a driver's full path in the Windows tree ("c:\windows\system32\drivers\qni1x31.sys"); a name
// that runs past it pushes its version to the next default stop.
const INT kListTabStops[] = {0, 190};

// "DLG_fileversion": one line per driver file whose entry asks for its version.
class FileVersionDialog : public Dialog {
  public:
    explicit FileVersionDialog(const FileVersionPlaces& places)
        : Dialog("DLG_fileversion"), places_(places) {}

  private:
    bool OnInit() override {
        CenterWindow(Window());
        SetCaption(kTextDlgVerCaption);
        SetItemTextFrom(IDC_VER_OK, kTextButtonOk);
        SetItemText(IDC_VER_HEADING);
        ListBox list(Window(), IDC_VER_LIST);
        list.SetTabStops(kListTabStops);
        std::vector<FileVersionRow> rows;
        if (!ScanFileVersions(Window(), places_, rows)) {
            End(0);
            return true;
        }
        for (const FileVersionRow& row : rows) list.Add(FileVersionLine(row));
        return true;
    }

    void OnCommand(int id, int) override {
        // Escape counts as the close box.
        if (id == IDC_VER_OK || id == IDCANCEL)
            End(0);
    }
    void OnClose() override { End(0); }

    const FileVersionPlaces& places_;
};

}  // namespace

void OpenFileVersionDialog(WindowRef owner, const FileVersionPlaces& places) {
    FileVersionDialog dialog(places);
    if (dialog.RunModal(static_cast<HWND>(owner)) == -1)
        ShowError(owner, "Unable to open File Versions dialog!");
}
