#include "platform/native_fakes.h"
#include "platform/system_info.h"

namespace platform {

namespace {
int g_platformId = 2;
}

namespace fake {
void SetRunningPlatformId(int id) {
    g_platformId = id;
}
}  // namespace fake

int RunningPlatformId() {
    return g_platformId;
}

}  // namespace platform
