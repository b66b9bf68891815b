// The input makes a configuration record, the setup information file's protocols and maintenance mode,
// and the language texts the lists are named with. The pages are filled from the record and stored back
// unchanged: every value must come back as it was, whether its list offers it or shows it in the
// out-of-list entry, except where the pages are meant to change it. Then one position is chosen in every
// list and the record must hold the value the list's table gives for that position.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "configdialog/config_pages.h"
#include "configdialog/page_commands.h"
#include "configstore/driver_config.h"
#include "fuzz_support.h"
#include "shell/app_context.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_ids.h"
#include "ui/ui_fakes.h"

namespace {

constexpr uint32_t kControllerOff = 0xFFFF;
const std::string kDriversDirectory = "\\SystemRoot\\System32\\drivers\\";

// ---- The setup information file ----------------------------------------------------------------------

struct Protocol {
    std::string name;
    std::string image;
    uint32_t code;
};

const std::vector<Protocol> kProtocolsWithSpid = {
    {"DSS1 (Euro-ISDN)", "qdss1.sys", 0},
    {"1TR6 (German national ISDN)", "q1tr6.sys", 0},
    {"National ISDN-1", "qni1.sys", 1},
    {"DSS1 with X.31 packet data", "qdssx31.sys", 2},
    {"National ISDN-1 with X.31 packet data", "qni1x31.sys", 3},
};
const std::vector<Protocol> kProtocolsWithoutSpid = {
    {"DSS1 (Euro-ISDN)", "qdss1.sys", 0},
    {"1TR6 (German national ISDN)", "q1tr6.sys", 0},
    {"DSS1 with X.31 packet data", "qdssx31.sys", 2},
};

// "[MAINTENANCE]" mode as the pages see it; kNoSection writes no section at all.
constexpr int kNoSection = -1;
const char* const kModeLines[] = {"!MAINTENANCE_OFF", "!MAINTENANCE_FULL", "!MAINTENANCE_DEFAULT",
                                  "!MAINTENANCE_DEFAULT_INVISIBLE"};

// The section's values besides mode and adapter, as the file below writes them.
constexpr uint32_t kSectionCip = 2;
const std::string kSectionUser = "service";
const std::string kSectionPassword = "Qzt-4711";
const std::vector<std::string> kSectionCdpn = {"089123456780,"};
const std::vector<std::string> kSectionCgpn = {"089765432100,", "0897654321,12"};

struct Script {
    std::vector<Protocol> protocols;
    int mode = kNoSection;
    int32_t adapter = 0;  // the section's adapter number for maintenance

    int Mode() const { return mode == kNoSection ? kMaintenanceOff : mode; }
    bool AnySpid() const {
        return std::any_of(protocols.begin(), protocols.end(), [](const Protocol& p) { return p.code & 1; });
    }
};

Script MakeScript(FuzzedDataProvider& input) {
    Script script;
    uint8_t variant = input.ConsumeIntegral<uint8_t>();
    switch (variant % 3) {
        case 0:
            script.protocols = kProtocolsWithSpid;
            break;
        case 1:
            script.protocols = kProtocolsWithoutSpid;
            break;
        default:
            break;  // a "[PROTOCOL]" count of 0
    }
    script.mode = static_cast<int>((variant / 3) % 5) - 1;
    script.adapter = static_cast<int32_t>(input.ConsumeIntegralInRange<int>(-1, 5));
    return script;
}

std::string ScriptText(const Script& script) {
    std::string text = "[OS]\r\n!OS_WINDOWS_NT\r\n\r\n";
    if (script.mode != kNoSection) {
        text += "[MAINTENANCE]\r\n" + std::string(kModeLines[script.mode]) + "\r\n";
        text += std::to_string(kSectionCip) + "\r\n" + std::to_string(script.adapter) + "\r\n";
        text += kSectionUser + "\r\n" + kSectionPassword + "\r\n";
        text += std::to_string(kSectionCdpn.size()) + "\r\n";
        for (const std::string& number : kSectionCdpn) text += number + "\r\n";
        text += std::to_string(kSectionCgpn.size()) + "\r\n";
        for (const std::string& number : kSectionCgpn) text += number + "\r\n";
        text += "\r\n";
    }
    text += "[PROTOCOL]\r\n" + std::to_string(script.protocols.size()) + "\r\n";
    for (const Protocol& p : script.protocols) {
        char code[16];
        std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(p.code));
        text += p.name + "\r\n" + p.image + "\r\n" + code + "\r\n";
    }
    return text;
}

// ---- The language texts ------------------------------------------------------------------------------

const int kListTextIds[] = {kTextTypeStartBoot,      kTextTypeStartSystem,   kTextTypeStartAuto,
                            kTextTypeStartDemand,    kTextTypeStartDisabled, kTextTypeLayerDirect,
                            kTextTypeLayerVirtual,   kTextTypeLayerActive,   kTextTypeDataioDirect,
                            kTextTypeDataioBuffered, kTextTypeDlcAuto,       kTextTypeDlcOn,
                            kTextTypeDlcOff,         kTextTypeTestAdapter,   kTextTypeTestAdapterS0,
                            kTextTextAdapter,        kTextTextAdapterAll,    kTextTextUnknownProto};

// Empty, equal to the text before it, long, any bytes, or a protocol's name. A CR would end the line.
std::string ListText(FuzzedDataProvider& input, const std::string& previous) {
    std::string text;
    switch (input.ConsumeIntegralInRange<int>(0, 4)) {
        case 0:
            break;
        case 1:
            text = previous;
            break;
        case 2:
            text.assign(input.ConsumeIntegralInRange<size_t>(25, 300), input.ConsumeIntegral<char>());
            break;
        case 3:
            text = input.ConsumeRandomLengthString(300);
            break;
        default: {
            const auto& names = kProtocolsWithSpid;
            text = names[input.ConsumeIntegralInRange<size_t>(0, names.size() - 1)].name;
        }
    }
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

void LoadLanguage(FuzzedDataProvider& input) {
    std::vector<std::pair<int, std::string>> texts;
    std::string previous;
    for (int id : kListTextIds) {
        previous = ListText(input, previous);
        texts.push_back({id, previous});
    }
    std::string file;
    for (const LanguageKey& key : kLanguageKeys) {
        std::string text = "-";
        for (const auto& [id, listText] : texts)
            if (id == key.textId)
                text = listText;
        file += std::string(key.key) + "\r\n" + text + "\r\n";
    }
    fuzz::WriteFile(fuzz::ScratchDirectory() + "/FUZZ.LNG", file);
    fuzz::App().Languages.entries = {{"Fuzz", "FUZZ.LNG"}};
    fuzz::App().LanguageIndex = 0;
    FUZZ_CHECK(LoadCurrentLanguage(fuzz::App()) == 1, "the language file was not loaded");
}

// ---- The record --------------------------------------------------------------------------------------

// Small values hit the lists, the rest reaches zero, huge values and maintenance off.
uint32_t Number(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return input.ConsumeIntegral<uint8_t>();
        case 1:
            return input.ConsumeIntegral<uint32_t>();
        case 2:
            return kControllerOff;
        default:
            return 0xFFFFFFFFu - input.ConsumeIntegral<uint8_t>();
    }
}

std::string TextWithin(FuzzedDataProvider& input, size_t width) {
    return input.ConsumeRandomLengthString(width - 1);
}

std::string ImagePathFrom(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: {
            // A listed image, in any case, or one the file does not list.
            const auto& listed = kProtocolsWithSpid;
            size_t k = input.ConsumeIntegralInRange<size_t>(0, listed.size());
            std::string image = k < listed.size() ? listed[k].image : "other.sys";
            uint8_t upper = input.ConsumeIntegral<uint8_t>();
            for (size_t i = 0; i < image.size(); ++i)
                if ((upper >> (i % 8)) & 1)
                    image[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(image[i])));
            return kDriversDirectory + image;
        }
        case 1:
            return kProtocolsWithSpid[input.ConsumeIntegralInRange<size_t>(0, 4)].name;
        case 2:
            return "";
        default:
            return TextWithin(input, kImagePathWidth);
    }
}

DriverConfig MakeConfig(FuzzedDataProvider& input) {
    DriverConfig config;
    config.DisplayName = "marked display";
    config.ErrorControl = 101;
    config.Group = "marked";
    config.Type = 103;
    config.DeviceName = "MARKED";
    config.Manufacturer = "marked maker";
    config.ImagePath = ImagePathFrom(input);
    config.Start = Number(input);
    config.Test = Number(input);
    config.DataIoMode = Number(input);
    config.DeliveryConf = Number(input);
    config.DosVector = Number(input);
    config.x31Layer2 = Number(input);
    config.Point2Point = Number(input);
    config.NumberOfControllers = Number(input);
    config.MaintenanceMode = Number(input);
    config.cipValue = Number(input);
    config.Controller = Number(input);
    config.username = TextWithin(input, kUserWidth);
    config.password = TextWithin(input, kUserWidth);
    config.CDPNCount = input.ConsumeIntegralInRange<uint32_t>(0, kMaxCdpn);
    config.CDPN[0] = TextWithin(input, kPartyNumberWidth);
    config.CGPNCount = input.ConsumeIntegralInRange<uint32_t>(0, kMaxCgpn);
    for (std::string& number : config.CGPN) number = TextWithin(input, kPartyNumberWidth);
    return config;
}

AdapterArray MakeAdapters(FuzzedDataProvider& input) {
    AdapterArray adapters;
    for (AdapterConfig& adapter : adapters) {
        adapter.Channels = Number(input);
        adapter.BaseAddress = Number(input);
        adapter.Interrupt = Number(input);
        adapter.SPID = TextWithin(input, kSpidWidth);
    }
    return adapters;
}

// ---- The model of the lists --------------------------------------------------------------------------

std::string Cut(const std::string& text, size_t width) {
    return text.size() < width ? text : text.substr(0, width - 1);
}

std::string UpperHex(uint32_t value) {
    const char* digits = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

// Entry i of a list stands for first + i; a value the entries lack is shown as "%X (!)" after them where
// the list has that entry, else nothing is selected.
struct Table {
    const char* name;
    std::vector<std::string> entries;
    uint32_t first = 0;
    bool outOfList = true;
    size_t width = 0;  // of the entry texts, terminator included
};

Table NamedTable(const char* name, std::initializer_list<int> ids, size_t width) {
    Table table{name, {}, 0, true, width};
    for (int id : ids) table.entries.push_back(Cut(Text(id), width));
    return table;
}

Table NumberedTable(const char* name, uint32_t first, uint32_t count, bool hex, bool outOfList) {
    Table table{name, {}, first, outOfList, 4};
    for (uint32_t value = first; value < first + count; ++value) {
        std::string text = hex ? UpperHex(value) : std::to_string(value);
        table.entries.push_back(hex && text.size() < 2 ? "0" + text : text);
    }
    return table;
}

Table StartModel() {
    return NamedTable("Start",
                      {kTextTypeStartBoot, kTextTypeStartSystem, kTextTypeStartAuto, kTextTypeStartDemand,
                       kTextTypeStartDisabled},
                      32);
}
Table TestModel() {
    return NamedTable("Test", {kTextTypeTestAdapter, kTextTypeTestAdapterS0}, 32);
}
Table DeliveryModel() {
    return NamedTable("DeliveryConf", {kTextTypeDlcAuto, kTextTypeDlcOn, kTextTypeDlcOff}, 32);
}
Table DataIoModel() {
    return NamedTable("DataIoMode", {kTextTypeDataioDirect, kTextTypeDataioBuffered}, 128);
}
Table LayerModel() {
    return NamedTable("x31Layer2", {kTextTypeLayerDirect, kTextTypeLayerVirtual, kTextTypeLayerActive}, 128);
}
Table DosVectorModel() {
    return NumberedTable("DosVector", 0, 256, true, true);
}
Table InterruptModel() {
    return NumberedTable("Interrupt", 1, 15, false, false);
}
Table CipModel() {
    return NumberedTable("cipValue", 0, 32, false, true);
}

bool Offers(const Table& table, uint32_t value) {
    return value >= table.first && value < table.first + table.entries.size();
}

std::string Describe(const ChoiceList& list) {
    std::string text =
        std::to_string(list.entries.size()) + " entries, selected " + std::to_string(list.selected) + ":";
    for (const std::string& entry : list.entries) text += " " + fuzz::Quoted(entry);
    return text;
}

void CheckList(const Table& table, const ChoiceList& list, uint32_t value) {
    ChoiceList expected;
    expected.entries = table.entries;
    if (Offers(table, value)) {
        expected.selected = static_cast<int>(value - table.first);
    } else if (table.outOfList) {
        expected.entries.push_back(UpperHex(value) + " (!)");
        expected.selected = static_cast<int>(table.entries.size());
    }
    FUZZ_CHECK(list.entries == expected.entries && list.selected == expected.selected,
               std::string(table.name) + " " + std::to_string(value) + " shows " + Describe(list) +
                   ", expected " + Describe(expected));
    for (size_t i = 0; i < table.entries.size(); ++i)
        FUZZ_CHECK(list.entries[i].size() < table.width,
                   std::string(table.name) + " entry " + fuzz::Quoted(list.entries[i]) + " too long");
}

// The value a chosen position of a list stands for: a table entry its value, the out-of-list entry the
// value it shows (the one read), no entry at all what the list stores without a selection.
uint32_t ValueAt(const Table& table, const ChoiceList& list, int position, uint32_t read,
                 uint32_t unselected) {
    if (position >= 0 && static_cast<size_t>(position) < table.entries.size())
        return table.first + static_cast<uint32_t>(position);
    if (position >= 0 && static_cast<size_t>(position) < list.entries.size())
        return read;
    return unselected;
}

std::string AdapterEntryModel(uint32_t number) {
    return Cut(Text(kTextTextAdapter) + " " + std::to_string(number), 32);
}

uint32_t AdapterCount(uint32_t numberOfControllers) {
    return std::clamp<uint32_t>(numberOfControllers, 1, kMaxAdapters);
}

// The maintenance adapter list: "all" first with more than one adapter, so that the position is the
// Controller; a single adapter's entry is adapter 1.
ChoiceList MaintenanceAdapterModel(uint32_t count, uint32_t controller) {
    ChoiceList list;
    if (count > 1)
        list.entries.push_back(Text(kTextTextAdapterAll));
    for (uint32_t n = 1; n <= count; ++n) list.entries.push_back(AdapterEntryModel(n));
    if (count == 1)
        list.selected = 0;
    else if (controller <= count)
        list.selected = static_cast<int>(controller);
    return list;
}

// ---- The protocol the record names -------------------------------------------------------------------

// What follows the drivers directory's length; the directory itself is not compared.
std::string FilePart(const std::string& imagePath) {
    return imagePath.size() > kDriversDirectory.size() ? imagePath.substr(kDriversDirectory.size()) : "";
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int ProtocolOfImage(const Script& script, const std::string& imagePath) {
    for (size_t i = 0; i < script.protocols.size(); ++i)
        if (SameIgnoringCase(script.protocols[i].image, FilePart(imagePath)))
            return static_cast<int>(i);
    return -1;
}

uint32_t CodeOf(const Script& script, const std::string& imagePath) {
    for (const Protocol& p : script.protocols)
        if (SameIgnoringCase(p.name, imagePath) || SameIgnoringCase(p.image, FilePart(imagePath)))
            return p.code;
    return 0;
}

// ---- What an unchanged save must give back -----------------------------------------------------------

struct Expected {
    DriverConfig config;
    AdapterArray adapters;
};

Expected UnchangedSave(const Script& script, const DriverConfig& read, const AdapterArray& adapters) {
    Expected e{read, adapters};
    DriverConfig& c = e.config;
    uint32_t count = AdapterCount(read.NumberOfControllers);
    // A check box: 1 is checked, anything else is unchecked and stored as 0.
    c.Point2Point = read.Point2Point == 1 ? 1 : 0;
    // The selector holds one entry per adapter record, of which there are four.
    c.NumberOfControllers = count;
    // The protocol list stores the protocol, not the path: a recognised driver comes back as the drivers
    // directory and the image as the setup file writes it; an unknown one keeps its path.
    int protocol = ProtocolOfImage(script, read.ImagePath);
    if (protocol >= 0)
        c.ImagePath = kDriversDirectory + script.protocols[protocol].image;

    int mode = script.Mode();
    bool maintenanceOn = mode != kMaintenanceOff && read.Controller != kControllerOff;
    if (mode == kMaintenanceFull) {
        // The called number's fields are joined with their comma, so a value without one gains it in
        // front (the whole text was the subaddress), cut to the field's width.
        if (read.CDPNCount > 0 && read.CDPN[0].find(',') == std::string::npos)
            c.CDPN[0] = Cut("," + read.CDPN[0], kPartyNumberWidth);
        // A list line holds a tab for the comma; a tab in the value itself comes back as a comma.
        for (uint32_t i = 0; i < read.CGPNCount; ++i)
            std::replace(c.CGPN[i].begin(), c.CGPN[i].end(), '\t', ',');
        // A single adapter's maintenance is on adapter 1; a Controller beyond the adapters maintains
        // an adapter that does not exist and becomes the first.
        c.Controller = !maintenanceOn                            ? kControllerOff
                       : (count == 1 || read.Controller > count) ? 1
                                                                 : read.Controller;
    } else if (mode == kMaintenanceDefault || mode == kMaintenanceDefaultInvisible) {
        // These modes always save the setup file's maintenance values.
        c.MaintenanceMode = static_cast<uint32_t>(mode);
        c.cipValue = kSectionCip;
        c.username = kSectionUser;
        c.password = kSectionPassword;
        c.CDPNCount = static_cast<uint32_t>(kSectionCdpn.size());
        std::copy(kSectionCdpn.begin(), kSectionCdpn.end(), c.CDPN.begin());
        c.CGPNCount = static_cast<uint32_t>(kSectionCgpn.size());
        std::copy(kSectionCgpn.begin(), kSectionCgpn.end(), c.CGPN.begin());
        c.Controller = maintenanceOn ? static_cast<uint32_t>(script.adapter) : kControllerOff;
        if (c.Controller != kControllerOff && c.Controller > count)
            c.Controller = 1;
    } else {
        // Without a maintenance switch remote maintenance is off.
        c.Controller = kControllerOff;
    }
    return e;
}

std::string DifferentField(const DriverConfig& a, const DriverConfig& b) {
    struct Number {
        const char* name;
        uint32_t x, y;
    } numbers[] = {{"ErrorControl", a.ErrorControl, b.ErrorControl},
                   {"Start", a.Start, b.Start},
                   {"Type", a.Type, b.Type},
                   {"DataIoMode", a.DataIoMode, b.DataIoMode},
                   {"DeliveryConf", a.DeliveryConf, b.DeliveryConf},
                   {"DosVector", a.DosVector, b.DosVector},
                   {"Point2Point", a.Point2Point, b.Point2Point},
                   {"Test", a.Test, b.Test},
                   {"x31Layer2", a.x31Layer2, b.x31Layer2},
                   {"NumberOfControllers", a.NumberOfControllers, b.NumberOfControllers},
                   {"MaintenanceMode", a.MaintenanceMode, b.MaintenanceMode},
                   {"cipValue", a.cipValue, b.cipValue},
                   {"Controller", a.Controller, b.Controller},
                   {"CDPNCount", a.CDPNCount, b.CDPNCount},
                   {"CGPNCount", a.CGPNCount, b.CGPNCount}};
    for (const Number& n : numbers)
        if (n.x != n.y)
            return std::string(n.name) + " " + std::to_string(n.x) + ", expected " + std::to_string(n.y);
    struct Field {
        const char* name;
        const std::string &x, &y;
    } texts[] = {{"DisplayName", a.DisplayName, b.DisplayName},
                 {"Group", a.Group, b.Group},
                 {"ImagePath", a.ImagePath, b.ImagePath},
                 {"DeviceName", a.DeviceName, b.DeviceName},
                 {"Manufacturer", a.Manufacturer, b.Manufacturer},
                 {"username", a.username, b.username},
                 {"password", a.password, b.password},
                 {"CDPN", a.CDPN[0], b.CDPN[0]}};
    for (const Field& t : texts)
        if (t.x != t.y)
            return std::string(t.name) + " " + fuzz::Quoted(t.x) + ", expected " + fuzz::Quoted(t.y);
    for (size_t i = 0; i < kMaxCgpn; ++i)
        if (a.CGPN[i] != b.CGPN[i])
            return "CGPN" + std::to_string(i + 1) + " " + fuzz::Quoted(a.CGPN[i]) + ", expected " +
                   fuzz::Quoted(b.CGPN[i]);
    return "";
}

std::string DifferentAdapter(const AdapterArray& a, const AdapterArray& b) {
    for (size_t i = 0; i < kMaxAdapters; ++i) {
        const AdapterConfig &x = a[i], &y = b[i];
        if (x.Channels != y.Channels || x.BaseAddress != y.BaseAddress || x.Interrupt != y.Interrupt ||
            x.SPID != y.SPID)
            return "adapter " + std::to_string(i + 1) + ": " + std::to_string(x.Channels) + "/" +
                   UpperHex(x.BaseAddress) + "/" + std::to_string(x.Interrupt) + "/" + fuzz::Quoted(x.SPID) +
                   ", expected " + std::to_string(y.Channels) + "/" + UpperHex(y.BaseAddress) + "/" +
                   std::to_string(y.Interrupt) + "/" + fuzz::Quoted(y.SPID);
    }
    return "";
}

void CheckRecords(const char* pass, const DriverConfig& config, const AdapterArray& adapters,
                  const Expected& expected) {
    std::string field = DifferentField(config, expected.config);
    FUZZ_CHECK(field.empty(), std::string(pass) + ": " + field);
    std::string adapter = DifferentAdapter(adapters, expected.adapters);
    FUZZ_CHECK(adapter.empty(), std::string(pass) + ": " + adapter);
}

// ---- What the pages show -----------------------------------------------------------------------------

void CheckFilledPages(const Script& script, const ConfigPages& pages, const DriverConfig& read) {
    const AdapterPage& adapter = pages.adapter;
    const AdvancedPage& advanced = pages.advanced;
    uint32_t count = AdapterCount(read.NumberOfControllers);
    uint32_t code = CodeOf(script, read.ImagePath);

    CheckList(StartModel(), adapter.start, read.Start);
    CheckList(TestModel(), adapter.test, read.Test);
    CheckList(DeliveryModel(), advanced.deliveryConf, read.DeliveryConf);
    CheckList(DataIoModel(), advanced.dataIoMode, read.DataIoMode);
    CheckList(DosVectorModel(), advanced.dosVector, read.DosVector);
    FUZZ_CHECK(advanced.x31Layer2Enabled == ((code & 2) != 0),
               "layer list enabled for code " + std::to_string(code));
    if (advanced.x31Layer2Enabled)
        CheckList(LayerModel(), advanced.x31Layer2, read.x31Layer2);
    FUZZ_CHECK(advanced.point2Point == (read.Point2Point == 1),
               "point to point " + std::to_string(read.Point2Point));

    ChoiceList selector;
    for (uint32_t n = 1; n <= count; ++n) selector.entries.push_back(AdapterEntryModel(n));
    FUZZ_CHECK(adapter.adapters.entries == selector.entries,
               "adapter selector " + Describe(adapter.adapters));

    ChoiceList protocols;
    for (const Protocol& p : script.protocols) protocols.entries.push_back(p.name);
    int protocol = ProtocolOfImage(script, read.ImagePath);
    if (protocol < 0)
        protocols.entries.push_back(Text(kTextTextUnknownProto));
    protocols.selected = protocol >= 0 ? protocol : static_cast<int>(protocols.entries.size() - 1);
    FUZZ_CHECK(
        adapter.protocol.entries == protocols.entries && adapter.protocol.selected == protocols.selected,
        "protocol list " + Describe(adapter.protocol) + ", expected " + Describe(protocols));

    FUZZ_CHECK(adapter.spidPresent == script.AnySpid(), "SPID field presence");
    FUZZ_CHECK(adapter.spidEnabled == (script.AnySpid() && (code & 1)), "SPID field enabled");

    int mode = script.Mode();
    bool switchOn = mode != kMaintenanceOff && read.Controller != kControllerOff;
    FUZZ_CHECK(advanced.maintenanceSwitchPresent == (mode != kMaintenanceOff), "maintenance switch presence");
    FUZZ_CHECK(advanced.maintenanceSwitch == switchOn && pages.maintenanceButtonShown == switchOn,
               "maintenance switch for Controller " + std::to_string(read.Controller));

    const MaintenancePage& maintenance = pages.maintenance;
    if (mode == kMaintenanceFull) {
        CheckList(CipModel(), maintenance.cipValue, read.cipValue);
        uint32_t shown =
            read.Controller == kControllerOff ? static_cast<uint32_t>(script.adapter) : read.Controller;
        ChoiceList expected = MaintenanceAdapterModel(count, shown);
        FUZZ_CHECK(maintenance.adapter.entries == expected.entries &&
                       maintenance.adapter.selected == expected.selected,
                   "maintenance adapters for " + std::to_string(shown) + ": " +
                       Describe(maintenance.adapter) + ", expected " + Describe(expected));
    } else if (mode == kMaintenanceDefault) {
        FUZZ_CHECK(maintenance.cipValueText == std::to_string(read.cipValue), "cipValue display");
        uint32_t d = static_cast<uint32_t>(script.adapter);
        std::string display = d > count || (count > 1 && d == 0) ? Text(kTextTextAdapterAll)
                              : count == 1                       ? AdapterEntryModel(1)
                                                                 : AdapterEntryModel(d);
        FUZZ_CHECK(maintenance.adapterText == display,
                   "maintenance adapter display " + fuzz::Quoted(maintenance.adapterText));
    }
    if (mode == kMaintenanceFull || mode == kMaintenanceDefault) {
        FUZZ_CHECK(maintenance.username == read.username && maintenance.password == read.password,
                   "user name or password shown otherwise");
        // The called number splits at its first comma; without one it is all subaddress.
        PartyNumber called;
        if (read.CDPNCount > 0) {
            size_t comma = read.CDPN[0].find(',');
            called = comma == std::string::npos
                         ? PartyNumber{"", read.CDPN[0]}
                         : PartyNumber{read.CDPN[0].substr(0, comma), read.CDPN[0].substr(comma + 1)};
        }
        FUZZ_CHECK(
            maintenance.called.number == called.number && maintenance.called.subaddress == called.subaddress,
            "called number " + fuzz::Quoted(maintenance.called.number) + " / " +
                fuzz::Quoted(maintenance.called.subaddress));
        std::vector<std::string> lines(read.CGPN.begin(), read.CGPN.begin() + read.CGPNCount);
        for (std::string& line : lines) std::replace(line.begin(), line.end(), ',', '\t');
        FUZZ_CHECK(maintenance.callingNumbers.entries == lines,
                   "calling numbers " + Describe(maintenance.callingNumbers));
    }
}

void CheckShownAdapter(const ConfigPages& pages, const AdapterConfig& adapter, size_t index) {
    const AdapterPage& page = pages.adapter;
    FUZZ_CHECK(pages.currentAdapter == index && page.adapters.selected == static_cast<int>(index),
               "adapter " + std::to_string(index + 1) + " not shown");
    CheckList(InterruptModel(), page.interrupt, adapter.Interrupt);
    FUZZ_CHECK(page.baseAddress == UpperHex(adapter.BaseAddress),
               "base address " + fuzz::Quoted(page.baseAddress));
    if (page.spidPresent && page.spidEnabled)
        FUZZ_CHECK(page.spid == adapter.SPID, "SPID " + fuzz::Quoted(page.spid));
}

// A position in a list: any entry, and one or two beyond either end.
int PositionIn(FuzzedDataProvider& input, const ChoiceList& list) {
    return input.ConsumeIntegralInRange<int>(-2, static_cast<int>(list.entries.size()) + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetState();
    FuzzedDataProvider input(data, size);
    const Script script = MakeScript(input);
    const std::string scriptPath = fuzz::ScratchDirectory() + "/SETUP.QZT";
    fuzz::WriteFile(scriptPath, ScriptText(script));
    LoadLanguage(input);
    const DriverConfig read = MakeConfig(input);
    const AdapterArray readAdapters = MakeAdapters(input);
    const uint32_t count = AdapterCount(read.NumberOfControllers);
    const int mode = script.Mode();

    // Open, look at every adapter, OK.
    DriverConfig config = read;
    AdapterArray adapters = readAdapters;
    ConfigPages pages = CreateConfigPages(SetupInfoFile::Read(scriptPath));
    FillConfigPages(pages, config);
    CheckFilledPages(script, pages, read);
    for (size_t i = 0; i < count; ++i) {
        ShowAdapterFields(pages, adapters, i);
        CheckShownAdapter(pages, adapters[i], i);
        StoreAdapterFields(pages, adapters, i);
    }
    StoreConfigPages(pages, config);
    const Expected unchanged = UnchangedSave(script, read, readAdapters);
    CheckRecords("unchanged save", config, adapters, unchanged);

    // Open again and choose a position in every list.
    config = read;
    adapters = readAdapters;
    pages = CreateConfigPages(SetupInfoFile::Read(scriptPath));
    FillConfigPages(pages, config);
    ShowAdapterFields(pages, adapters, 0);
    Expected chosen = unchanged;
    // Without a selection a list keeps the record's value, except the layer list of a protocol that has
    // the setting, which then stores its default 1.
    constexpr uint32_t kLayerDefault = 1;
    struct Choice {
        Table table;
        ChoiceList& list;
        bool shown;
        uint32_t read;
        uint32_t unselected;
        uint32_t& stored;
    } choices[] = {
        {StartModel(), pages.adapter.start, true, read.Start, read.Start, chosen.config.Start},
        {TestModel(), pages.adapter.test, true, read.Test, read.Test, chosen.config.Test},
        {DeliveryModel(), pages.advanced.deliveryConf, true, read.DeliveryConf, read.DeliveryConf,
         chosen.config.DeliveryConf},
        {DataIoModel(), pages.advanced.dataIoMode, true, read.DataIoMode, read.DataIoMode,
         chosen.config.DataIoMode},
        {DosVectorModel(), pages.advanced.dosVector, true, read.DosVector, read.DosVector,
         chosen.config.DosVector},
        {LayerModel(), pages.advanced.x31Layer2, pages.advanced.x31Layer2Enabled, read.x31Layer2,
         kLayerDefault, chosen.config.x31Layer2},
        {CipModel(), pages.maintenance.cipValue, mode == kMaintenanceFull, read.cipValue, read.cipValue,
         chosen.config.cipValue},
    };
    for (Choice& choice : choices) {
        if (!choice.shown)
            continue;
        int position = PositionIn(input, choice.list);
        uint32_t expected = ValueAt(choice.table, choice.list, position, choice.read, choice.unselected);
        SelectEntry(pages, choice.list, position);
        choice.stored = expected;
    }
    int interrupt = PositionIn(input, pages.adapter.interrupt);
    chosen.adapters[0].Interrupt = ValueAt(InterruptModel(), pages.adapter.interrupt, interrupt,
                                           readAdapters[0].Interrupt, readAdapters[0].Interrupt);
    SelectInterrupt(pages, adapters, interrupt);
    if (mode == kMaintenanceFull) {
        int position = PositionIn(input, pages.maintenance.adapter);
        SelectEntry(pages, pages.maintenance.adapter, position);
        bool listed =
            position >= 0 && static_cast<size_t>(position) < pages.maintenance.adapter.entries.size();
        uint32_t controller = listed ? static_cast<uint32_t>(position) : read.Controller;
        if (read.Controller != kControllerOff)
            chosen.config.Controller = (count == 1 || controller > count) ? 1 : controller;
    }
    StoreConfigPages(pages, config);
    StoreAdapterFields(pages, adapters, pages.currentAdapter);
    CheckRecords("chosen positions", config, adapters, chosen);

    const auto& shown = ui::fake::ShownMessages();
    FUZZ_CHECK(shown.empty(), "the pages showed " + fuzz::Quoted(shown.empty() ? "" : shown.front().text));
    return 0;
}
