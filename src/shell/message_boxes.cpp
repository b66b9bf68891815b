#include "shell/message_boxes.h"

#include "platform/user_interface.h"
#include "setupfiles/language_table.h"

namespace {
constexpr int kTextOk = 0;
constexpr int kTextMessageCaption = 112;
}  // namespace

int ShowError(WindowRef owner, const std::string& text) {
    return platform::ui::InfoMessageBox(owner, Text(kTextMessageCaption), text);
}

int ShowMessage(WindowRef owner, const std::string& text) {
    return platform::ui::NoticeDialog(owner, Text(kTextMessageCaption), Text(kTextOk), text);
}
