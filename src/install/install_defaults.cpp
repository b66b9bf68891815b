#include "install/install_dialog.h"

#include "platform/file_system.h"
#include "setupfiles/text_line.h"
#include "shell/app_context.h"

std::string DefaultDestinationPath() {
    return platform::WindowsDirectory().substr(0, 3) + App().DefaultFolderName;
}
