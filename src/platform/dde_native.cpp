#include "platform/dde.h"
#include "platform/native_fakes.h"

namespace platform {

namespace {
std::vector<std::string> g_commands;
unsigned g_startError = 0;
bool g_refuse = false;
int g_pauses = 0;
}  // namespace

namespace fake {
std::vector<std::string>& DdeCommands() {
    return g_commands;
}
void RefuseDdeCommands() {
    g_refuse = true;
}
void FailDdeStart(unsigned error) {
    g_startError = error;
}
int DdePauses() {
    return g_pauses;
}
void ResetDde() {
    g_commands.clear();
    g_startError = 0;
    g_refuse = false;
    g_pauses = 0;
}
}  // namespace fake

namespace dde {

unsigned StartClient(InstanceId* instance) {
    *instance = 1;
    return g_startError;
}

void StopClient(InstanceId) {}

int SendProgmanCommand(InstanceId, const std::string& command) {
    g_commands.push_back(command);
    return g_refuse ? 0 : 1;
}

void PauseBetweenItems() {
    ++g_pauses;
}

}  // namespace dde
}  // namespace platform
