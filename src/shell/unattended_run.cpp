#include "shell/unattended_run.h"

#include <vector>

#include "deinstall/deinstallation_run.h"
#include "install/install_dialog.h"
#include "install/installation_run.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_line.h"
#include "shell/answer_configuration.h"
#include "shell/answer_file.h"
#include "shell/exit_codes.h"
#include "shell/flow_inputs.h"
#include "shell/startup.h"
#include "shell/verification.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"

namespace {

int Finish(const RunSummary& summary) {
    int code = ExitCode(summary);
    ui::Report("Exit code " + std::to_string(code));
    return code;
}

int Refuse(const std::string& why) {
    ui::Report(why);
    RunSummary summary;
    summary.end = RunEnd::kBadCommandLine;
    return Finish(summary);
}

// A combination of switches and answers that asks for two things at once, or for nothing; empty when
// the request is clear.
std::string ConflictingRequest(const AppContext& app, const DeploymentSwitches& switches,
                               const AnswerFile& answers) {
    if (switches.verify && app.RunMode != kRunNormal)
        return "/v: a verification changes nothing and goes with neither /c nor /d";
    if (app.RunMode == kRunConfigure && !answers.HasDriverConfiguration())
        return "/c: a silent configuration needs an answer file with [Driver], [AdapterN] or [Maintenance]";
    if (app.RunMode == kRunDeinstall && answers.HasDriverConfiguration())
        return "/d: a removal takes no [Driver], [AdapterN] or [Maintenance] settings";
    return "";
}

void Verify(const AppContext& app, const AnswerFile& answers, RunSummary& summary) {
    std::string destination = answers.destination.value_or(DefaultDestinationPath(app.DefaultFolderName));
    ui::Report("Verification of the installation in " + destination + " against " + app.SetupDirectory);
    size_t differences = VerifyInstallation(app, destination);
    ui::Report("Verification: " + std::to_string(differences) + " difference(s)");
    summary.end = RunEnd::kVerified;
    summary.differences = differences > 0;
}

// The removal from the installation directory the program was started in, confirmed silently.
void Deinstall(AppContext& app, RunSummary& summary) {
    DeinstallInputs inputs = DeinstallInputsOf(app);
    ui::Report("Removal from " + app.SetupDirectory);
    bool programLeftForRestart = false;
    DeinstallOutcome outcome = ConfirmAndRunDeinstallation(nullptr, inputs, &programLeftForRestart);
    summary.completed = outcome == DeinstallOutcome::kCompleted;
    // The removal is finished only when the system has deleted the program at its next start.
    summary.restartNeeded = summary.completed && programLeftForRestart;
    if (programLeftForRestart)
        ui::Report(JoinPath(app.SetupDirectory, app.SetupProgramName) + " is deleted at the next restart");
    if (summary.completed)
        app.GroupReady = false;
}

void Configure(const std::string& script, const AnswerFile& answers, RunSummary& summary) {
    ui::Report("Configuration with " + script);
    bool restartNeeded = false;
    summary.completed = ApplyAnswerConfiguration(script, answers, &restartNeeded);
    summary.restartNeeded = summary.restartNeeded || restartNeeded;
}

void Install(AppContext& app, const AnswerFile& answers, RunSummary& summary) {
    std::string destination = answers.destination.value_or(DefaultDestinationPath(app.DefaultFolderName));
    InstallationSetup setup = InstallationSetupOf(app);
    ui::Report("Installation from " + app.SetupDirectory + " into " + destination);
    InstallationOutcome outcome = RunInstallation(nullptr, setup, app.SetupDirectory, destination);
    if (outcome.wrongProcessor)
        summary.end = RunEnd::kWrongSystem;
    summary.completed = outcome.completed;
    summary.restartNeeded = outcome.restartNeeded;
    app.GroupReady = outcome.groupReady;
    // As a person goes on from a completed installation into the configuration dialog.
    if (outcome.completed && answers.HasDriverConfiguration())
        Configure(ScriptPath(app), answers, summary);
}

}  // namespace

AnswerLists ListsOf(const AppContext& app) {
    AnswerLists lists;
    SetupInfoFile script = SetupInfoFile::Read(ScriptPath(app));
    for (const ProtocolEntry& protocol : script.ReadProtocolEntries()) {
        lists.protocols.push_back(protocol.name);
        if (protocol.code & kProtocolTakesSpid)
            lists.protocolsWithSpid.push_back(protocol.name);
    }
    MaintenanceDefaults maintenance;
    script.ReadMaintenanceSection(maintenance);
    lists.maintenanceMode = maintenance.Mode;
    for (const LanguageEntry& language : app.Languages.entries)
        lists.languages.push_back(language.displayName);
    return lists;
}

int RunUnattended(AppContext& app, const DeploymentSwitches& switches) {
    if (!switches.valid)
        return Refuse(switches.problem);
    AnswerFile answers;
    if (!switches.answerFile.empty()) {
        AnswerFileError error;
        if (!ReadAnswerFile(switches.answerFile, ListsOf(app), answers, error))
            return Refuse("Answer file " + switches.answerFile + ": " + DescribeAnswerFileError(error));
    }
    std::string conflict = ConflictingRequest(app, switches, answers);
    if (!conflict.empty())
        return Refuse(conflict);
    if (answers.language) {
        app.RequestedLanguage = *answers.language;
        SelectLanguage(app);
        app.StartLanguageIndex = app.LanguageIndex;
    }
    // The report's lines from here on are in the chosen language.
    LoadCurrentLanguage(app);

    RunSummary summary;
    summary.end = RunStartupChecks(app, nullptr);
    if (summary.end != RunEnd::kFlowEnded)
        return Finish(summary);

    ui::SilentAnswers silentAnswers;
    silentAnswers.overwriteNewer = answers.overwriteNewer.value_or(silentAnswers.overwriteNewer);
    silentAnswers.keepConfiguration = answers.keepConfiguration.value_or(silentAnswers.keepConfiguration);
    ui::SetSilentAnswers(silentAnswers);
    if (switches.verify)
        Verify(app, answers, summary);
    else if (app.RunMode == kRunDeinstall)
        Deinstall(app, summary);
    else if (app.RunMode == kRunConfigure)
        Configure(ScriptPath(app), answers, summary);
    else
        Install(app, answers, summary);
    app.RestartNeeded = summary.restartNeeded;
    return Finish(summary);
}
