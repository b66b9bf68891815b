// The input is an answer file. The parser must never read or write out of bounds, and what it accepts
// must hold within the ranges the configuration record and its registry layout take; what it refuses must
// name a line of the input.
#include <algorithm>
#include <cstring>

#include "fuzz_support.h"
#include "shell/answer_file.h"

namespace {

const AnswerLists kLists = {
    {"DSS1 (Euro-ISDN)", "National ISDN-1"}, {"English", "Deutsch"}, {"National ISDN-1"}, kMaintenanceFull};

// What no field of the configuration dialog takes: the backup's field end, and any control character.
bool HoldsRefused(const std::string& text, const char* alsoRefused) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr(alsoRefused, c))
            return true;
    return false;
}

void CheckAccepted(const AnswerFile& a) {
    FUZZ_CHECK(!a.destination || (a.destination->size() < kTextWidth && a.destination->size() >= 3),
               "destination of " + std::to_string(a.destination->size()) + " characters");
    FUZZ_CHECK(!a.protocol || std::count(kLists.protocols.begin(), kLists.protocols.end(), *a.protocol) == 1,
               "protocol not in the list: " + fuzz::Quoted(*a.protocol));
    FUZZ_CHECK(!a.language || std::count(kLists.languages.begin(), kLists.languages.end(), *a.language) == 1,
               "language not in the list");
    FUZZ_CHECK(!a.start || *a.start <= 4, "start type " + std::to_string(*a.start));
    FUZZ_CHECK(!a.test || *a.test <= 1, "test mode");
    FUZZ_CHECK(
        !a.numberOfControllers || (*a.numberOfControllers >= 1 && *a.numberOfControllers <= kMaxAdapters),
        "adapters in use");
    FUZZ_CHECK(!a.dosVector || *a.dosVector <= 0xFF, "DOS vector");
    FUZZ_CHECK(!a.x31Layer2 || *a.x31Layer2 <= 2, "layer 2 mode");
    FUZZ_CHECK(!a.deliveryConf || *a.deliveryConf <= 2, "delivery confirmation");
    FUZZ_CHECK(!a.dataIoMode || *a.dataIoMode <= 1, "data mode");
    FUZZ_CHECK(!a.point2Point || *a.point2Point <= 1, "point to point");
    uint32_t inUse = a.AdaptersInUse().value_or(1);
    FUZZ_CHECK(inUse >= 1 && inUse <= kMaxAdapters, "adapters in use " + std::to_string(inUse));
    for (size_t i = 0; i < a.adapters.size(); ++i) {
        const AdapterAnswers& adapter = a.adapters[i];
        bool given = adapter.baseAddress || adapter.interrupt || adapter.spid;
        FUZZ_CHECK(!given || i < inUse, "settings for adapter " + std::to_string(i + 1) + " not in use");
        FUZZ_CHECK(!adapter.baseAddress || *adapter.baseAddress <= 0xFFFF, "base address");
        FUZZ_CHECK(!adapter.interrupt || (*adapter.interrupt >= 1 && *adapter.interrupt <= 15), "interrupt");
        FUZZ_CHECK(!adapter.spid || adapter.spid->size() < kSpidWidth, "SPID");
        FUZZ_CHECK(!adapter.spid || !HoldsRefused(*adapter.spid, ";"),
                   "SPID with ';' or a control character");
    }
    // Without an adapter count the installed configuration decides, after the parse.
    FUZZ_CHECK(!a.controller || *a.controller == kMaintenanceControllerOff || !a.AdaptersInUse() ||
                   *a.controller <= inUse,
               "maintenance adapter");
    FUZZ_CHECK(!a.cipValue || *a.cipValue <= 31, "cipValue");
    FUZZ_CHECK(!a.username || a.username->size() < kUserWidth, "user name");
    FUZZ_CHECK(!a.password || a.password->size() < kUserWidth, "password");
    FUZZ_CHECK(!a.username || !HoldsRefused(*a.username, ""), "user name with a control character");
    FUZZ_CHECK(!a.password || !HoldsRefused(*a.password, ""), "password with a control character");
    FUZZ_CHECK(!a.calledNumber || a.calledNumber->size() < kPartyNumberWidth, "called number");
    for (const auto& number : a.callingNumbers)
        FUZZ_CHECK(!number || (number->size() < kPartyNumberWidth && number->find(',') != std::string::npos &&
                               !HoldsRefused(*number, ";")),
                   "calling number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kAnswerFileSize)
        return 0;
    std::string text = fuzz::Bytes(data, size);
    AnswerFile answers;
    AnswerFileError error;
    if (ParseAnswerFile(text, kLists, answers, error)) {
        CheckAccepted(answers);
    } else {
        size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        FUZZ_CHECK(error.line >= 1 && error.line <= lines,
                   "error on line " + std::to_string(error.line) + " of " + std::to_string(lines));
        FUZZ_CHECK(!error.reason.empty(), "an error without a reason");
    }
    return 0;
}
