#include "shell/unattended_run.h"

#include <vector>

#include "install/install_dialog.h"
#include "install/installation_run.h"
#include "setupfiles/setup_info_file.h"
#include "shell/answer_file.h"
#include "shell/exit_codes.h"
#include "shell/startup.h"
#include "ui/language_loading.h"
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

// What a run of this version cannot do silently yet; empty when it can.
std::string UnsupportedRequest(const AppContext& app, const DeploymentSwitches& switches,
                               const AnswerFile& answers) {
    if (switches.verify)
        return "/v: verification is not available in this version";
    if (app.RunMode == kRunConfigure)
        return "/c: a silent configuration is not available in this version";
    if (app.RunMode == kRunDeinstall)
        return "/d: a silent removal is not available in this version";
    if (answers.HasDriverConfiguration())
        return "Answer file: [Driver], [AdapterN] and [Maintenance] are not applied by this version";
    return "";
}

}  // namespace

AnswerLists ListsOf(const AppContext& app) {
    AnswerLists lists;
    std::vector<ProtocolEntry> protocols;
    ReadProtocolEntries(ScriptPath(app), protocols);
    for (const ProtocolEntry& protocol : protocols) lists.protocols.push_back(protocol.name);
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
    std::string unsupported = UnsupportedRequest(app, switches, answers);
    if (!unsupported.empty())
        return Refuse(unsupported);
    if (answers.language) {
        app.RequestedLanguage = *answers.language;
        SelectLanguage();
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
    std::string destination = answers.destination.value_or(DefaultDestinationPath(app.DefaultFolderName));
    InstallationSetup setup = {app.SetupDirectory, app.SetupInfoFileName, app.SetupProgramName,
                               CurrentLanguageName(app)};
    ui::Report("Installation from " + app.SetupDirectory + " into " + destination);
    InstallationOutcome outcome = RunInstallation(nullptr, setup, app.SetupDirectory, destination);
    summary.completed = outcome.completed;
    summary.restartNeeded = outcome.restartNeeded;
    app.RestartNeeded = outcome.restartNeeded;
    app.GroupReady = outcome.groupReady;
    return Finish(summary);
}
