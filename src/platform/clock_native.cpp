#include "platform/clock.h"
#include "platform/native_fakes.h"

namespace platform {

namespace {
LocalDate g_today = {1997, 8, 15};
}  // namespace

namespace fake {
void SetLocalDate(uint32_t year, uint32_t month, uint32_t day) {
    g_today = {year, month, day};
}
}  // namespace fake

LocalDate LocalToday() {
    return g_today;
}

// A fixed time of day on the test's date, so that report lines compare whole.
LocalTime LocalNow() {
    return {g_today, 10, 30, 0};
}

}  // namespace platform
