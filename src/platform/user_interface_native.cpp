#include "platform/native_fakes.h"
#include "platform/user_interface.h"

namespace platform {

namespace {
std::vector<fake::Shown> g_shown;
}

namespace fake {
std::vector<Shown>& ShownMessages() { return g_shown; }
void ResetUserInterface() { g_shown.clear(); }
}  // namespace fake

namespace ui {

int InfoMessageBox(WindowRef, const std::string& caption, const std::string& text) {
    g_shown.push_back({"InfoMessageBox", caption, text, ""});
    return 1;  // IDOK
}

int NoticeDialog(WindowRef, const std::string& caption, const std::string& okText, const std::string& text) {
    g_shown.push_back({"NoticeDialog", caption, text, okText});
    return 0;
}

void ShowWaitCursor(bool) {}

}  // namespace ui
}  // namespace platform
