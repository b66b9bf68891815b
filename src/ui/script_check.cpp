#include "ui/script_check.h"

#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"
#include "ui/message_boxes.h"

bool ScriptNamesStayInside(WindowRef owner, const std::string& script) {
    NameOutside outside;
    if (!FindNameOutside(script, outside))
        return true;
    ShowError(owner, FormatText(Text(kTextErrNameOutside),
                                {script, outside.section, std::to_string(outside.line), outside.name}));
    return false;
}
