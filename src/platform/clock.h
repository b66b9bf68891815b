#pragma once

#include <cstdint>

// The clock seam: today's local date, as GetLocalTime gives it.
namespace platform {

struct LocalDate {
    uint32_t year;
    uint32_t month;  // 1 to 12
    uint32_t day;    // 1 to 31
};

LocalDate LocalToday();

}  // namespace platform
