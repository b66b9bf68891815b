#include "bench_support.h"

#include <algorithm>
#include <chrono>

FullRead ReadEverything(const std::string& script, const std::string& language) {
    FullRead read;
    read.os = ReadOsSection(script);
    ReadMaintenanceSection(script, read.maintenance);
    ReadCurrentCapiDll(script, read.capiDll);
    read.version = ReadScriptVersion(script);
    ReadDefaultProtocol(script, read.defaultProtocol);
    ReadProtocolEntries(script, read.protocols);
    ReadCompFiles(script, read.compFiles);
    ReadAddFiles(script, read.addFiles);
    ReadDeleteAddFiles(script, read.deleteAddFiles);
    ReadProgmanSection(script, language, read.group);
    ReadLanguageSection(script, read.languages);
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
