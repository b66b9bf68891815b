#pragma once

#include <cstdint>

// The clock seam: the local date and time, as GetLocalTime gives them.
namespace platform {

struct LocalDate {
    uint32_t year;
    uint32_t month;  // 1 to 12
    uint32_t day;    // 1 to 31
};

LocalDate LocalToday();

// The local date and time of day, as GetLocalTime gives them.
struct LocalTime {
    LocalDate date;
    uint32_t hour;    // 0 to 23
    uint32_t minute;  // 0 to 59
    uint32_t second;  // 0 to 59
};

LocalTime LocalNow();

}  // namespace platform
