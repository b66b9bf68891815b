#pragma once

// The program's exit code, for the deployment tools that start it unattended: the codes of the system's own
// installer service, which those tools already understand, and for a verification 0 or 1.

constexpr int kExitSuccess = 0;
constexpr int kExitNoRights = 5;
constexpr int kExitCancelled = 1602;
constexpr int kExitFailed = 1603;
constexpr int kExitAnotherRun = 1618;  // another run of the program is going on
constexpr int kExitWrongSystem = 1633;
constexpr int kExitBadCommandLine = 1639;
constexpr int kExitRestartRequired = 3010;
constexpr int kExitNoDifference = 0;
constexpr int kExitDifferences = 1;

// Where a run ended.
enum class RunEnd {
    kBadCommandLine,  // a switch or the answer file could not be taken; nothing was changed
    kWrongSystem,     // the operating system is not the one the setup information file names
    kNoRights,        // the user may not change the system
    kScriptRefused,   // the setup information file names a file outside its place; nothing was changed
    kFlowEnded,       // the flow ran: see completed, cancelled and restartNeeded
    kVerified,        // /v ran: see differences
};

struct RunSummary {
    RunEnd end = RunEnd::kFlowEnded;
    bool completed = false;      // the flow did everything it had to
    bool cancelled = false;      // a person chose Abort or Cancel (a silent run never cancels: it fails)
    bool restartNeeded = false;  // a new configuration takes effect at the next start of the system
    bool differences = false;    // /v found the installation differing from what it should be
};

int ExitCode(const RunSummary& summary);
