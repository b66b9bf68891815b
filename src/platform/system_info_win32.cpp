#include <windows.h>

#include "platform/system_info.h"

namespace platform {

int RunningPlatformId() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    if (!GetVersionExA(&info))
        return -1;
    return static_cast<int>(info.dwPlatformId);
}

}  // namespace platform
