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

}  // namespace platform
