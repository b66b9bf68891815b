#pragma once

#include "install/installation_run.h"
#include "platform/window_ref.h"
#include "setupfiles/setup_info_file.h"

// A kernel driver for another processor can never load: a 32-bit Windows loads no x64 driver, a 64-bit
// Windows no i386 one. The distribution's driver image (the default protocol's, as the service will
// name it) is looked at before the installation changes anything. True when it can load or cannot be
// judged (no such image, not a PE image); otherwise the user is told and the result is false.
bool DriverImageFitsRunningWindows(WindowRef owner, const InstallationSetup& setup,
                                   const SetupInfoFile& script);
