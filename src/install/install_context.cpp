#include "install/install_context.h"

InstallContext& Installation() {
    static InstallContext context;
    return context;
}
