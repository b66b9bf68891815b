#include "bench_support.h"

#include <algorithm>
#include <chrono>

FullRead ReadEverything(const std::string& script, const std::string& language) {
    // One read of the file, as a start, installation or removal reads it, and every section from it.
    const SetupInfoFile file = SetupInfoFile::Read(script);
    FullRead read;
    read.os = file.ReadOsSection();
    file.ReadMaintenanceSection(read.maintenance);
    file.ReadCurrentCapiDll(read.capiDll);
    read.version = file.ReadScriptVersion();
    file.ReadDefaultProtocol(read.defaultProtocol);
    read.protocols = file.ReadProtocolEntries();
    read.compFiles = file.ReadCompFiles();
    read.addFiles = file.ReadAddFiles();
    read.deleteAddFiles = file.ReadDeleteAddFiles();
    read.group = file.ReadProgmanSection(language);
    read.languages = file.ReadLanguageSection();
    return read;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double SecondsPerCall(int calls, const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) work();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}
