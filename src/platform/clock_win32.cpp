#include <windows.h>

#include "platform/clock.h"

namespace platform {

LocalDate LocalToday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace platform
