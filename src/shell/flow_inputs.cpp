#include "shell/flow_inputs.h"

#include "platform/file_system.h"

InstallationSetup InstallationSetupOf(const AppContext& app) {
    return {app.SetupDirectory, app.SetupInfoFileName, app.SetupProgramName, CurrentLanguageName(app)};
}

DeinstallInputs DeinstallInputsOf(const AppContext& app) {
    return {app.SetupDirectory, app.SetupInfoFileName, app.SetupProgramName, CurrentLanguageName(app)};
}

FileVersionPlaces CurrentFileVersionPlaces(const AppContext& app) {
    FileVersionPlaces places;
    places.script = ScriptPath(app);
    places.setupDirectory = app.SetupDirectory;
    places.installDirectory =
        app.StartRunMode == kRunNormal ? app.InstalledDestinationPath : app.SetupDirectory;
    places.windowsDirectory = platform::WindowsDirectory();
    places.installed = app.RunMode != kRunNormal;
    return places;
}
