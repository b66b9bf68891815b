#include "ui/script_check.h"

#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"
#include "ui/message_boxes.h"

bool ScriptNamesStayInside(WindowRef owner, const SetupInfoFile& script) {
    NameOutside outside;
    if (!script.FindNameOutside(outside))
        return true;
    ShowError(owner, FormatText(Text(kTextErrNameOutside), {script.Path(), outside.section,
                                                            std::to_string(outside.line), outside.name}));
    return false;
}
