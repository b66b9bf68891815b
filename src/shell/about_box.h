#pragma once

#include "platform/window_ref.h"
#include "shell/app_context.h"

// Runs "DLG_about" modally: the product texts and the running driver's version, and the way to the driver
// file versions. It reads the setup information file each time it opens.
void AboutBox(WindowRef owner, const AppContext& app);
