#include "install/install_dialog.h"

#include "platform/file_system.h"
#include "setupfiles/text_line.h"

std::string DefaultDestinationPath(const std::string& folderName) {
    return platform::WindowsDirectory().substr(0, 3) + folderName;
}
