#pragma once

#include "deinstall/deinstallation_run.h"
#include "install/file_versions.h"
#include "install/installation_run.h"
#include "shell/app_context.h"

// What each flow needs of the program's context, built in one place for the dialogs and the unattended run.
InstallationSetup InstallationSetupOf(const AppContext& app);
DeinstallInputs DeinstallInputsOf(const AppContext& app);
// The places of the file versions: installed unless the run mode is normal; the installation directory is
// the destination when the installation happened in this run, else the setup directory (the program was
// started from the installed copy).
FileVersionPlaces CurrentFileVersionPlaces(const AppContext& app);
