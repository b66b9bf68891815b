#include "shell/answer_configuration.h"

#include "configdialog/config_pages.h"
#include "configdialog/config_session.h"
#include "setupfiles/text_line.h"
#include "ui/run_report.h"

namespace {

template <typename T>
void Take(const std::optional<T>& answer, T& field) {
    if (answer)
        field = *answer;
}

}  // namespace

void ApplyDriverAnswers(const AnswerFile& answers, const std::vector<ProtocolEntry>& entries,
                        DriverConfig& config, AdapterArray& adapters) {
    if (answers.protocol)
        FindNewImagePath(entries, *answers.protocol, config.ImagePath);
    Take(answers.start, config.Start);
    Take(answers.test, config.Test);
    Take(answers.AdaptersInUse(), config.NumberOfControllers);
    Take(answers.dosVector, config.DosVector);
    Take(answers.x31Layer2, config.x31Layer2);
    Take(answers.deliveryConf, config.DeliveryConf);
    Take(answers.dataIoMode, config.DataIoMode);
    Take(answers.point2Point, config.Point2Point);
    for (size_t i = 0; i < kMaxAdapters; ++i) {
        Take(answers.adapters[i].baseAddress, adapters[i].BaseAddress);
        Take(answers.adapters[i].interrupt, adapters[i].Interrupt);
        if (answers.adapters[i].spid)
            adapters[i].SPID = FitField(*answers.adapters[i].spid, kSpidWidth);
    }
    Take(answers.controller, config.Controller);
    Take(answers.cipValue, config.cipValue);
    if (answers.username)
        config.username = FitField(*answers.username, kUserWidth);
    if (answers.password)
        config.password = FitField(*answers.password, kUserWidth);
    if (answers.calledNumber) {
        config.CDPN[0] = FitField(*answers.calledNumber, kPartyNumberWidth);
        config.CDPNCount = 1;
    }
    uint32_t calling = 0;
    for (const std::optional<std::string>& number : answers.callingNumbers)
        if (number)
            config.CGPN[calling++] = FitField(*number, kPartyNumberWidth);
    if (calling > 0) {
        for (size_t i = calling; i < kMaxCgpn; ++i) config.CGPN[i].clear();
        config.CGPNCount = calling;
    }
}

bool ApplyAnswerConfiguration(const std::string& scriptPath, const AnswerFile& answers, bool* restartNeeded) {
    SetupInfoFile script = SetupInfoFile::Read(scriptPath);
    Configuration config;
    if (!LoadConfiguration(nullptr, script, config))
        return false;
    std::vector<ProtocolEntry> entries = script.ReadProtocolEntries();
    ApplyDriverAnswers(answers, entries, config.driver, config.adapters);
    // Refused before anything is saved, as the answer file's own errors are.
    std::string withoutEffect = AnswersWithoutEffect(answers, config.driver, entries);
    if (!withoutEffect.empty()) {
        ui::Report("Answer file: " + withoutEffect + "; the configuration is left as it was");
        return false;
    }
    // The pages shown for the changed record and saved untouched are what a person who made these choices
    // in the dialog would save: its rules (a single adapter is the maintenance adapter, a maintenance mode
    // that fixes its values) apply here as well.
    ConfigPages pages = OpenConfigPages(script, config);
    pages.modified = true;
    return SaveConfiguration(pages, config, restartNeeded);
}
