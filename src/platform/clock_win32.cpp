#include <windows.h>

#include "platform/clock.h"

namespace platform {

LocalDate LocalToday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

LocalTime LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace platform
