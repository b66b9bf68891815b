#include "ui/linked_file.h"

#include "platform/file_system.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"
#include "ui/message_boxes.h"

bool RefuseLinkedFile(WindowRef owner, const std::string& path) {
    if (!platform::IsLinkedFile(path))
        return false;
    ShowError(owner, FormatText(Text(kTextErrLinkedFile), {path}));
    return true;
}
