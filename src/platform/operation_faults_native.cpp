#include "platform/native_fakes.h"
#include "platform/operation_faults_native.h"

namespace platform {

namespace {
fake::OperationCount g_count;
int g_failAt = 0;
std::string g_failed;
}  // namespace

namespace faults {
bool CountOperation(Seam seam, const char* operation, const std::string& subject) {
    int& counter = seam == Seam::kRegistry ? g_count.registry : g_count.files;
    ++counter;
    if (g_count.registry + g_count.files != g_failAt)
        return false;
    g_failed = std::string(operation) + " " + subject;
    return true;
}
}  // namespace faults

namespace fake {
void CountOperations(int failAt) {
    g_count = OperationCount();
    g_failAt = failAt;
    g_failed.clear();
}
OperationCount CountedOperations() {
    return g_count;
}
const std::string& FailedOperation() {
    return g_failed;
}
}  // namespace fake

}  // namespace platform
