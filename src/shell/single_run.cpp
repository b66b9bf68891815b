#include "shell/single_run.h"

const char* SingleRunMutexName(unsigned long majorVersion) {
    return majorVersion >= 5 ? "Global\\QuorelSetupRun" : "QuorelSetupRun";
}
