// The input is a text split and joined as a party number, and a run of commands on the calling number
// list and the called number fields of the maintenance page, from a record's numbers. A model of the
// list follows every command; the numbers then go into the record and are read back.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

#include "configdialog/config_pages.h"
#include "configdialog/maintenance_page.h"
#include "configdialog/page_commands.h"
#include "configdialog/party_numbers.h"
#include "fuzz_support.h"

namespace {

constexpr size_t kMaxLines = 8;       // calling numbers the page takes
constexpr size_t kPartLength = 19;    // a number or a subaddress, as the editor fields take them
constexpr size_t kStoredLength = 39;  // a stored party number

struct Party {
    std::string number, subaddress;
};

// At the first separator; a text without one is all subaddress.
Party ModelSplit(const std::string& text, char separator) {
    Party party;
    bool split = false;
    for (char c : text) {
        if (!split && c == separator)
            split = true;
        else
            (split ? party.subaddress : party.number) += c;
    }
    if (!split)
        std::swap(party.number, party.subaddress);
    return party;
}

std::string Replaced(std::string text, char from, char to) {
    for (char& c : text)
        if (c == from)
            c = to;
    return text;
}

std::string Cut(const std::string& text, size_t length) {
    return text.substr(0, std::min(text.size(), length));
}

// What an editor field lets through: no separator of the stored or listed form, no ';' of the backup
// text, at most the field's length.
std::string Typed(FuzzedDataProvider& input) {
    std::string typed = input.ConsumeRandomLengthString(2 * kPartLength);
    std::string kept;
    for (char c : typed)
        if (c != ',' && c != '\t' && c != ';')
            kept += c;
    return Cut(kept, kPartLength);
}

void CheckSplitAndJoin(const std::string& text) {
    for (char separator : {kStoredPartySeparator, kListedPartySeparator}) {
        PartyNumber party = SplitPartyNumber(text, separator);
        Party model = ModelSplit(text, separator);
        FUZZ_CHECK(party.number == model.number && party.subaddress == model.subaddress,
                   "split of " + fuzz::Quoted(text) + ": " + fuzz::Quoted(party.number) + " / " +
                       fuzz::Quoted(party.subaddress));
        bool hasSeparator = text.find(separator) != std::string::npos;
        std::string joined = JoinPartyNumber(party, separator);
        FUZZ_CHECK(joined == (hasSeparator ? text : std::string(1, separator) + text),
                   "join of " + fuzz::Quoted(text) + " gives " + fuzz::Quoted(joined));
    }
    std::string line = PartyNumberLine(text);
    std::string stored = StoredPartyNumber(text);
    FUZZ_CHECK(line == Replaced(text, ',', '\t'), "list line " + fuzz::Quoted(line));
    FUZZ_CHECK(stored == Replaced(text, '\t', ','), "stored value " + fuzz::Quoted(stored));
    // A stored value without tabs comes back from its line, and splits there where it does stored (the
    // subaddress's further commas are tabs in the line).
    if (text.find('\t') == std::string::npos) {
        FUZZ_CHECK(StoredPartyNumber(line) == text, "line and back " + fuzz::Quoted(StoredPartyNumber(line)));
        PartyNumber listed = SplitPartyNumber(line, kListedPartySeparator);
        Party model = ModelSplit(text, ',');
        FUZZ_CHECK(
            listed.number == model.number && listed.subaddress == Replaced(model.subaddress, ',', '\t'),
            "the line splits elsewhere than the value: " + fuzz::Quoted(text));
    }
}

void CheckButtons(const NumberButtons& buttons, size_t lines, bool selected, const char* what) {
    FUZZ_CHECK(buttons.add == (lines < kMaxLines) && buttons.edit == selected &&
                   buttons.remove == (selected && lines > 1),
               std::string(what) + " for " + std::to_string(lines) + " lines, selected " +
                   std::to_string(selected) + ": add " + std::to_string(buttons.add) + " edit " +
                   std::to_string(buttons.edit) + " remove " + std::to_string(buttons.remove));
}

// The list as the page should hold it.
struct ListModel {
    std::vector<std::string> lines;
    std::vector<bool> fromEditor;  // both parts as an editor field takes them
    int selected = kNoSelection;

    bool Selected() const { return selected >= 0 && static_cast<size_t>(selected) < lines.size(); }
};

std::string Describe(const std::vector<std::string>& lines, int selected) {
    std::string text = std::to_string(lines.size()) + " lines, selected " + std::to_string(selected) + ":";
    for (const std::string& line : lines) text += " " + fuzz::Quoted(line);
    return text;
}

void CheckList(const ConfigPages& pages, const ListModel& model, bool modified, const char* command) {
    const ChoiceList& list = pages.maintenance.callingNumbers;
    FUZZ_CHECK(list.entries == model.lines && list.selected == model.selected,
               std::string(command) + " left " + Describe(list.entries, list.selected) + ", expected " +
                   Describe(model.lines, model.selected));
    FUZZ_CHECK(pages.modified == modified,
               std::string(command) + (modified ? " raised no" : " raised") + " modified flag");
    CheckButtons(CallingNumberButtons(pages), model.lines.size(), model.Selected(), command);
    PartyNumber shown = SelectedCallingNumber(pages);
    Party expected = model.Selected() ? ModelSplit(model.lines[model.selected], '\t') : Party{};
    FUZZ_CHECK(shown.number == expected.number && shown.subaddress == expected.subaddress,
               std::string(command) + ": the editor shows " + fuzz::Quoted(shown.number) + " / " +
                   fuzz::Quoted(shown.subaddress));
}

// A typed field: the characters the filter keeps, and the caret where the last removed one stood.
void CheckFilteredField(const FilteredText& result, const std::string& field, const std::string& typed,
                        size_t caret) {
    std::string kept;
    size_t expectedCaret = caret;
    bool removed = false;
    for (char c : typed) {
        if (c == ',' || c == '\t' || c == ';') {
            expectedCaret = kept.size();
            removed = true;
        } else {
            kept += c;
        }
    }
    expectedCaret = std::min(expectedCaret, kept.size());
    FUZZ_CHECK(
        result.text == kept && field == kept && result.changed == removed && result.caret == expectedCaret,
        "typing " + fuzz::Quoted(typed) + " left " + fuzz::Quoted(field) + ", caret " +
            std::to_string(result.caret));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CheckSplitAndJoin(input.ConsumeRandomLengthString(2 * kStoredLength));
    size_t lines = input.ConsumeIntegralInRange<size_t>(0, 2 * kMaxLines);
    bool selected = input.ConsumeBool();
    CheckButtons(UpdateNumberButtons(lines, selected), lines, selected, "UpdateNumberButtons");

    // The page as mode Full fills it from a record.
    MaintenanceDefaults defaults;
    defaults.Mode = kMaintenanceFull;
    DriverConfig config;
    config.NumberOfControllers = 1;
    config.CDPNCount = input.ConsumeIntegralInRange<uint32_t>(0, kMaxCdpn);
    config.CDPN[0] = input.ConsumeRandomLengthString(kStoredLength);
    config.CGPNCount = input.ConsumeIntegralInRange<uint32_t>(0, kMaxCgpn);
    for (std::string& number : config.CGPN) number = input.ConsumeRandomLengthString(kStoredLength);
    ConfigPages pages;
    pages.defaults = defaults;
    FillMaintenancePage(pages.maintenance, config, defaults);
    ListModel model;
    for (uint32_t i = 0; i < config.CGPNCount; ++i) {
        model.lines.push_back(Replaced(config.CGPN[i], ',', '\t'));
        model.fromEditor.push_back(false);
    }
    CheckList(pages, model, false, "filling");

    // Only a called number the record holds is shown.
    Party called = config.CDPNCount > 0 ? ModelSplit(config.CDPN[0], ',') : Party{};
    FUZZ_CHECK(pages.maintenance.called.number == called.number &&
                   pages.maintenance.called.subaddress == called.subaddress,
               "called number shown as " + fuzz::Quoted(pages.maintenance.called.number) + " / " +
                   fuzz::Quoted(pages.maintenance.called.subaddress));
    for (int step = 0; step < 24 && input.remaining_bytes() > 0; ++step) {
        pages.modified = false;
        bool modified = false;
        const char* command = "";
        switch (input.ConsumeIntegralInRange<int>(0, 5)) {
            case 0: {
                command = "selecting";
                int position =
                    input.ConsumeIntegralInRange<int>(-2, static_cast<int>(model.lines.size()) + 1);
                SelectEntry(pages, pages.maintenance.callingNumbers, position);
                model.selected = position;
                modified = true;
                break;
            }
            case 1:
            case 2: {
                bool adding = input.ConsumeBool();
                command = adding ? "adding" : "replacing";
                bool editor = input.ConsumeBool();
                Party party;
                if (editor) {
                    party.number = Typed(input);
                    party.subaddress = Typed(input);
                } else {
                    party.number = input.ConsumeRandomLengthString(kStoredLength);
                    party.subaddress = input.ConsumeRandomLengthString(kStoredLength);
                }
                std::string line = party.number + '\t' + party.subaddress;
                if (adding) {
                    AddCallingNumber(pages, {party.number, party.subaddress});
                    if (model.lines.size() < kMaxLines) {
                        model.lines.push_back(line);
                        model.fromEditor.push_back(editor);
                        modified = true;
                    }
                } else {
                    ReplaceCallingNumber(pages, {party.number, party.subaddress});
                    if (model.Selected()) {
                        model.lines[model.selected] = line;
                        model.fromEditor[model.selected] = editor;
                        modified = true;
                    }
                }
                break;
            }
            case 3:
                command = "removing";
                RemoveCallingNumber(pages);
                if (model.Selected() && model.lines.size() > 1) {
                    model.lines.erase(model.lines.begin() + model.selected);
                    model.fromEditor.erase(model.fromEditor.begin() + model.selected);
                    model.selected = kNoSelection;
                    modified = true;
                }
                break;
            default: {
                bool number = input.ConsumeBool();
                command = number ? "typing the called number" : "typing the called subaddress";
                std::string typed = Cut(input.ConsumeRandomLengthString(2 * kPartLength), kPartLength);
                size_t caret = input.ConsumeIntegralInRange<size_t>(0, typed.size());
                std::string& field =
                    number ? pages.maintenance.called.number : pages.maintenance.called.subaddress;
                FilteredText result = number ? EditCalledNumber(pages, typed, caret)
                                             : EditCalledSubaddress(pages, typed, caret);
                CheckFilteredField(result, field, typed, caret);
                (number ? called.number : called.subaddress) = field;
                modified = true;
            }
        }
        CheckList(pages, model, modified, command);
        FUZZ_CHECK(model.lines.size() <= kMaxLines, "more than eight calling numbers");
    }

    // OK: the numbers into the record, each within its width, then read back as the page opens again.
    DriverConfig stored = config;
    StoreMaintenancePage(pages.maintenance, stored);
    FUZZ_CHECK(stored.CGPNCount == model.lines.size(),
               std::to_string(stored.CGPNCount) + " calling numbers stored");
    for (size_t i = 0; i < model.lines.size(); ++i) {
        FUZZ_CHECK(stored.CGPN[i].size() <= kStoredLength, "CGPN" + std::to_string(i + 1) + " too long");
        FUZZ_CHECK(stored.CGPN[i] == Cut(Replaced(model.lines[i], '\t', ','), kStoredLength),
                   "CGPN" + std::to_string(i + 1) + " stored as " + fuzz::Quoted(stored.CGPN[i]));
    }
    // The called number is written when the record had one or a field holds text, cut to its width.
    std::string calledValue = called.number + ',' + called.subaddress;
    bool written = config.CDPNCount > 0 || !called.number.empty() || !called.subaddress.empty();
    FUZZ_CHECK(
        stored.CDPNCount == (written ? 1u : 0u) &&
            stored.CDPN[0] == (written ? Cut(calledValue, kStoredLength) : config.CDPN[0]),
        "CDPN stored as " + fuzz::Quoted(stored.CDPN[0]) + ", count " + std::to_string(stored.CDPNCount));

    ConfigPages reopened;
    reopened.defaults = defaults;
    FillMaintenancePage(reopened.maintenance, stored, defaults);
    const ChoiceList& again = reopened.maintenance.callingNumbers;
    FUZZ_CHECK(again.entries.size() == model.lines.size(), "calling numbers lost on reading back");
    // What the editor let through comes back as it was entered.
    for (size_t i = 0; i < model.lines.size(); ++i) {
        if (!model.fromEditor[i])
            continue;
        Party entered = ModelSplit(model.lines[i], '\t');
        Party back = ModelSplit(again.entries[i], '\t');
        FUZZ_CHECK(back.number == entered.number && back.subaddress == entered.subaddress,
                   "calling number " + fuzz::Quoted(model.lines[i]) + " read back as " +
                       fuzz::Quoted(again.entries[i]));
    }
    // The number part never holds a comma, so the called number splits where it was joined.
    if (written && calledValue.size() <= kStoredLength) {
        const PartyNumber& back = reopened.maintenance.called;
        FUZZ_CHECK(back.number == called.number && back.subaddress == called.subaddress,
                   "called number " + fuzz::Quoted(called.number) + " / " + fuzz::Quoted(called.subaddress) +
                       " read back as " + fuzz::Quoted(back.number) + " / " + fuzz::Quoted(back.subaddress));
    }
    return 0;
}
