#include "platform/native_fakes.h"
#include "platform/wow64.h"

namespace platform {

namespace {
SystemKind g_system;
}  // namespace

namespace fake {
void SetRunningSystem(const SystemKind& kind) {
    g_system = kind;
}
}  // namespace fake

const SystemKind& RunningSystem() {
    return g_system;
}

}  // namespace platform
