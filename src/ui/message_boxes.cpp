#include "ui/message_boxes.h"

#include "ui/user_interface.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_ids.h"

int ShowError(WindowRef owner, const std::string& text) {
    return ui::InfoMessageBox(owner, Text(kTextMsgCaption), text);
}

int ShowMessage(WindowRef owner, const std::string& text) {
    return ui::NoticeDialog(owner, Text(kTextMsgCaption), Text(kTextButtonOk), text);
}
