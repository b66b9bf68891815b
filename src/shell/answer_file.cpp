#include "shell/answer_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "configdialog/input_filters.h"
#include "platform/file.h"
#include "setupfiles/text_line.h"

namespace {

struct Choice {
    const char* name;
    uint32_t value;
};

const Choice kStartChoices[] = {{"Boot", 0}, {"System", 1}, {"Auto", 2}, {"Demand", 3}, {"Disabled", 4}};
const Choice kTestChoices[] = {{"Adapter", 0}, {"Adapter+S0", 1}};
const Choice kLayerChoices[] = {{"Direct", 0}, {"Virtual", 1}, {"Active", 2}};
const Choice kDeliveryChoices[] = {{"Auto", 0}, {"On", 1}, {"Off", 2}};
const Choice kDataIoChoices[] = {{"Direct", 0}, {"Buffered", 1}};
const Choice kYesNoChoices[] = {{"No", 0}, {"Yes", 1}};
const Choice kKeepChoices[] = {{"Renew", 0}, {"Keep", 1}};
const Choice kOverwriteChoices[] = {{"Never", 0}, {"Always", 1}};

constexpr size_t kBaseAddressDigits = 4;
constexpr size_t kDosVectorDigits = 2;
constexpr size_t kSpidLength = kSpidWidth - 1;
constexpr size_t kUserLength = kUserWidth - 1;
constexpr size_t kPathLength = kTextWidth - 1;

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return "";
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

// Thrown inside the parser only, with the reason; the line and key are added where it is caught.
struct BadValue {
    std::string reason;
};

template <size_t N>
uint32_t ParseChoice(const std::string& value, const Choice (&choices)[N]) {
    std::string names;
    for (const Choice& choice : choices) {
        if (EqualsIgnoreCase(value, choice.name))
            return choice.value;
        names += names.empty() ? choice.name : std::string(", ") + choice.name;
    }
    throw BadValue{"\"" + value + "\" is not one of " + names};
}

uint32_t ParseDecimal(const std::string& value, uint32_t low, uint32_t high) {
    std::string range = std::to_string(low) + " to " + std::to_string(high);
    if (value.empty() || value.size() > 10 || value.find_first_not_of("0123456789") != std::string::npos)
        throw BadValue{"\"" + value + "\" is not a number from " + range};
    // Checked to be digits, at most ten: the C library's conversion cannot fail on it, and the one of
    // std::string (stoull) would bring its exceptions along for nothing.
    unsigned long long number = std::strtoull(value.c_str(), nullptr, 10);
    if (number < low || number > high)
        throw BadValue{"\"" + value + "\" is outside " + range};
    return static_cast<uint32_t>(number);
}

uint32_t ParseHex(const std::string& value, size_t maxDigits) {
    if (value.empty() || value.size() > maxDigits ||
        value.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw BadValue{"\"" + value + "\" is not a hexadecimal number of 1 to " + std::to_string(maxDigits) +
                       " digits"};
    return static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 16));
}

// A value in double quotes keeps what stands between them: spaces at its ends, or a path with spaces that a
// deployment tool wrote quoted.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

// The reasons never quote the value: it may be a password.
std::string ParseText(const std::string& value, size_t maxLength) {
    if (value.size() > maxLength)
        throw BadValue{"the value is longer than " + std::to_string(maxLength) + " characters"};
    for (char c : value)
        if (static_cast<unsigned char>(c) < 0x20)
            throw BadValue{"the value holds a tab or another control character, which no field takes"};
    return value;
}

std::string ParseSpid(const std::string& value) {
    std::string spid = ParseText(value, kSpidLength);
    if (FilterSpid(spid, 0).changed)
        throw BadValue{"an SPID cannot hold ';' (the configuration dialog does not take it)"};
    return spid;
}

std::string ParseListed(const std::string& value, const std::vector<std::string>& names, const char* what) {
    for (const std::string& name : names)
        if (EqualsIgnoreCase(value, name))
            return name;
    std::string listed;
    for (const std::string& name : names) listed += listed.empty() ? name : ", " + name;
    throw BadValue{"\"" + value + "\" is not a " + what + " of the setup information file (" + listed + ")"};
}

// A drive path ("C:\Quorel2") or a share ("\\server\share\Quorel2"): a relative path would land wherever the
// deployment tool happens to start the program.
std::string ParseDestination(const std::string& value) {
    std::string path = ParseText(value, kPathLength);
    bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                 path[2] == '\\';
    bool share = path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
    if (!drive && !share)
        throw BadValue{"\"" + value + "\" is not a full path (C:\\folder or \\\\server\\share\\folder)"};
    return path;
}

// "number[,subaddress]", stored as "number,subaddress".
std::string ParsePartyNumber(const std::string& value) {
    size_t comma = value.find(',');
    std::string number = Trim(value.substr(0, comma));
    std::string subaddress = comma == std::string::npos ? "" : Trim(value.substr(comma + 1));
    if (number.size() > kPartyPartLength || subaddress.size() > kPartyPartLength ||
        subaddress.find(',') != std::string::npos)
        throw BadValue{"\"" + value + "\" is not number[,subaddress] of at most " +
                       std::to_string(kPartyPartLength) + " characters each"};
    // Stored as "number,subaddress" and listed split at a tab: either inside a part moves the split. No
    // field of the dialog takes another control character either.
    bool control =
        std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (control || FilterPartyNumber(number, 0).changed || FilterPartyNumber(subaddress, 0).changed)
        throw BadValue{
            "a party number cannot hold ';' or a tab (the configuration dialog does not take them)"};
    return number + "," + subaddress;
}

uint32_t ParseAccess(const std::string& value) {
    if (EqualsIgnoreCase(value, "Off"))
        return kMaintenanceControllerOff;
    if (EqualsIgnoreCase(value, "All"))
        return 0;
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '0' + static_cast<int>(kMaxAdapters))
        return static_cast<uint32_t>(value[0] - '0');
    throw BadValue{"\"" + value + "\" is not one of Off, All, 1 to " + std::to_string(kMaxAdapters)};
}

// A constant table of plain functions: as std::function objects, built at every parse, the rules took 5 KiB
// of the shipped program.
struct KeyRule {
    const char* section;  // "Adapter" stands for Adapter1 to Adapter4
    const char* key;
    void (*apply)(const std::string& value, const AnswerLists& lists, AnswerFile& answers, size_t adapter);
};

const KeyRule kRules[] = {
    {"Setup", "Destination", [](auto& v, auto&, auto& a, size_t) { a.destination = ParseDestination(v); }},
    {"Setup", "Language",
     [](auto& v, auto& lists, auto& a, size_t) { a.language = ParseListed(v, lists.languages, "language"); }},
    {"Setup", "EarlierConfiguration",
     [](auto& v, auto&, auto& a, size_t) { a.keepConfiguration = ParseChoice(v, kKeepChoices) == 1; }},
    {"Setup", "OverwriteNewer",
     [](auto& v, auto&, auto& a, size_t) { a.overwriteNewer = ParseChoice(v, kOverwriteChoices) == 1; }},
    {"Driver", "Protocol",
     [](auto& v, auto& lists, auto& a, size_t) { a.protocol = ParseListed(v, lists.protocols, "protocol"); }},
    {"Driver", "Start", [](auto& v, auto&, auto& a, size_t) { a.start = ParseChoice(v, kStartChoices); }},
    {"Driver", "TestMode", [](auto& v, auto&, auto& a, size_t) { a.test = ParseChoice(v, kTestChoices); }},
    {"Driver", "Adapters",
     [](auto& v, auto&, auto& a, size_t) { a.numberOfControllers = ParseDecimal(v, 1, kMaxAdapters); }},
    {"Driver", "DosVector",
     [](auto& v, auto&, auto& a, size_t) { a.dosVector = ParseHex(v, kDosVectorDigits); }},
    {"Driver", "x31Layer2",
     [](auto& v, auto&, auto& a, size_t) { a.x31Layer2 = ParseChoice(v, kLayerChoices); }},
    {"Driver", "DeliveryConf",
     [](auto& v, auto&, auto& a, size_t) { a.deliveryConf = ParseChoice(v, kDeliveryChoices); }},
    {"Driver", "DataIoMode",
     [](auto& v, auto&, auto& a, size_t) { a.dataIoMode = ParseChoice(v, kDataIoChoices); }},
    {"Driver", "Point2Point",
     [](auto& v, auto&, auto& a, size_t) { a.point2Point = ParseChoice(v, kYesNoChoices); }},
    {"Adapter", "BaseAddress",
     [](auto& v, auto&, auto& a, size_t i) { a.adapters[i].baseAddress = ParseHex(v, kBaseAddressDigits); }},
    {"Adapter", "Interrupt",
     [](auto& v, auto&, auto& a, size_t i) {
         a.adapters[i].interrupt = ParseDecimal(v, kInterruptRange.first, kInterruptRange.last);
     }},
    {"Adapter", "SPID", [](auto& v, auto&, auto& a, size_t i) { a.adapters[i].spid = ParseSpid(v); }},
    {"Maintenance", "Access", [](auto& v, auto&, auto& a, size_t) { a.controller = ParseAccess(v); }},
    {"Maintenance", "cipValue",
     [](auto& v, auto&, auto& a, size_t) {
         a.cipValue = ParseDecimal(v, kCipValueRange.first, kCipValueRange.last);
     }},
    {"Maintenance", "Username",
     [](auto& v, auto&, auto& a, size_t) { a.username = ParseText(v, kUserLength); }},
    {"Maintenance", "Password",
     [](auto& v, auto&, auto& a, size_t) { a.password = ParseText(v, kUserLength); }},
    {"Maintenance", "CalledNumber",
     [](auto& v, auto&, auto& a, size_t) { a.calledNumber = ParsePartyNumber(v); }},
};

// The section a header names: its rule name and, for an adapter, the adapter's index.
bool KnownSection(const std::string& name, std::string& ruleSection, size_t& adapter) {
    for (const char* section : {"Setup", "Driver", "Maintenance"}) {
        if (EqualsIgnoreCase(name, section)) {
            ruleSection = section;
            adapter = 0;
            return true;
        }
    }
    const std::string prefix = "Adapter";
    if (name.size() == prefix.size() + 1 && EqualsIgnoreCase(name.substr(0, prefix.size()), prefix) &&
        name.back() >= '1' && name.back() <= '0' + static_cast<int>(kMaxAdapters)) {
        ruleSection = prefix;
        adapter = static_cast<size_t>(name.back() - '1');
        return true;
    }
    return false;
}

// CallingNumber1 to CallingNumber8: the index, or false.
bool CallingNumberKey(const std::string& key, size_t& index) {
    const std::string prefix = "CallingNumber";
    if (key.size() != prefix.size() + 1 || !EqualsIgnoreCase(key.substr(0, prefix.size()), prefix) ||
        key.back() < '1' || key.back() > '0' + static_cast<int>(kMaxCgpn))
        return false;
    index = static_cast<size_t>(key.back() - '1');
    return true;
}

bool Fail(AnswerFileError& error, size_t line, const std::string& key, const std::string& reason) {
    error = {line, key, reason};
    return false;
}

bool IsListedName(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& listed : names)
        if (EqualsIgnoreCase(listed, name))
            return true;
    return false;
}

// A [Maintenance] key that the script's mode leaves without effect: the reason, or empty. Without
// maintenance the dialog has no such page; outside full maintenance it shows the adapter and cipValue
// as the script fixes them.
std::string MaintenanceKeyWithoutEffect(const std::string& key, int32_t mode) {
    if (mode == kMaintenanceOff)
        return "has no effect: the setup information file switches maintenance off";
    if (mode != kMaintenanceFull && (EqualsIgnoreCase(key, "Access") || EqualsIgnoreCase(key, "cipValue")))
        return "has no effect: the setup information file fixes it (maintenance mode not full)";
    return "";
}

}  // namespace

std::optional<uint32_t> AnswerFile::AdaptersInUse() const {
    if (numberOfControllers)
        return numberOfControllers;
    for (size_t i = adapters.size(); i > 0; --i) {
        const AdapterAnswers& adapter = adapters[i - 1];
        if (adapter.baseAddress || adapter.interrupt || adapter.spid)
            return static_cast<uint32_t>(i);
    }
    return std::nullopt;
}

bool AnswerFile::HasDriverConfiguration() const {
    bool callingNumbers = false;
    for (const std::optional<std::string>& number : this->callingNumbers)
        callingNumbers = callingNumbers || number;
    return protocol || start || test || AdaptersInUse() || dosVector || x31Layer2 || deliveryConf ||
           dataIoMode || point2Point || controller || cipValue || username || password || calledNumber ||
           callingNumbers;
}

bool ParseAnswerFile(const std::string& text, const AnswerLists& lists, AnswerFile& answers,
                     AnswerFileError& error) {
    answers = AnswerFile();
    std::string section;        // the rule name of the current section, empty before the first
    std::string sectionHeader;  // as written, for the messages
    size_t adapter = 0;
    std::set<std::string> seen;  // "section/key" in upper case, to refuse a key given twice
    std::array<size_t, kMaxAdapters> adapterLines = {};
    std::array<size_t, kMaxAdapters> spidLines = {};
    size_t accessLine = 0;
    size_t lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (raw.size() > kAnswerLineLength)
            return Fail(error, lineNumber, "",
                        "the line is longer than " + std::to_string(kAnswerLineLength) + " characters");
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                return Fail(error, lineNumber, line, "the section name is not closed with ]");
            sectionHeader = Trim(line.substr(1, line.size() - 2));
            if (!KnownSection(sectionHeader, section, adapter))
                return Fail(error, lineNumber, "[" + sectionHeader + "]", "unknown section");
            if (section == "Adapter")
                adapterLines[adapter] = lineNumber;
            continue;
        }
        size_t equals = line.find('=');
        // The line is not quoted back: a mistyped "Password secret" would land in the report.
        if (equals == std::string::npos)
            return Fail(error, lineNumber, "", "not a key=value line");
        std::string key = Trim(line.substr(0, equals));
        std::string value = Unquoted(Trim(line.substr(equals + 1)));
        if (section.empty())
            return Fail(error, lineNumber, key, "the key stands before the first section");
        if (section == "Maintenance") {
            std::string reason = MaintenanceKeyWithoutEffect(key, lists.maintenanceMode);
            if (!reason.empty())
                return Fail(error, lineNumber, key, reason);
        }
        if (section == "Adapter" && EqualsIgnoreCase(key, "SPID"))
            spidLines[adapter] = lineNumber;
        std::string id = sectionHeader + "/" + key;
        for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!seen.insert(id).second)
            return Fail(error, lineNumber, key, "the key is given twice in [" + sectionHeader + "]");
        try {
            size_t calling = 0;
            const KeyRule* rule = nullptr;
            for (const KeyRule& candidate : kRules)
                if (section == candidate.section && EqualsIgnoreCase(key, candidate.key))
                    rule = &candidate;
            if (rule) {
                rule->apply(value, lists, answers, adapter);
                if (EqualsIgnoreCase(key, "Access"))
                    accessLine = lineNumber;
            } else if (section == "Maintenance" && CallingNumberKey(key, calling)) {
                answers.callingNumbers[calling] = ParsePartyNumber(value);
            } else {
                return Fail(error, lineNumber, key, "unknown key in [" + sectionHeader + "]");
            }
        } catch (const BadValue& bad) {
            return Fail(error, lineNumber, key, bad.reason);
        }
    }
    // Settings for adapters beyond those in use would be dropped without a word.
    if (answers.numberOfControllers) {
        for (size_t i = *answers.numberOfControllers; i < kMaxAdapters; ++i)
            if (adapterLines[i])
                return Fail(error, adapterLines[i], "[Adapter" + std::to_string(i + 1) + "]",
                            "Adapters in [Driver] is " + std::to_string(*answers.numberOfControllers));
    }
    // Without Adapters the count is the configuration's the run ends with: checked when it is known.
    std::optional<uint32_t> inUse = answers.AdaptersInUse();
    if (inUse && answers.controller && *answers.controller != kMaintenanceControllerOff &&
        *answers.controller > *inUse)
        return Fail(error, accessLine, "Access",
                    "adapter " + std::to_string(*answers.controller) + " is not in use (" +
                        std::to_string(*inUse) + " in use)");
    // An SPID goes with a protocol that takes one: the one given, or any of the script's when none is.
    bool spidTaken = answers.protocol ? IsListedName(lists.protocolsWithSpid, *answers.protocol)
                                      : !lists.protocolsWithSpid.empty();
    for (size_t i = 0; i < kMaxAdapters; ++i)
        if (spidLines[i] && !spidTaken)
            return Fail(error, spidLines[i], "SPID",
                        answers.protocol
                            ? "has no effect: the protocol " + *answers.protocol + " takes no SPID"
                            : "has no effect: no protocol of the setup information file takes one");
    return true;
}

bool ReadAnswerFile(const std::string& path, const AnswerLists& lists, AnswerFile& answers,
                    AnswerFileError& error) {
    platform::InputFile file(path);
    if (!file.IsOpen())
        return Fail(error, 0, "", "the answer file " + path + " cannot be read");
    std::string text;
    unsigned char byte = 0;
    while (file.ReadByte(&byte)) {
        if (text.size() == kAnswerFileSize)
            return Fail(error, 0, "",
                        "the answer file is larger than " + std::to_string(kAnswerFileSize) + " bytes");
        text.push_back(static_cast<char>(byte));
    }
    return ParseAnswerFile(text, lists, answers, error);
}

std::string AnswersWithoutEffect(const AnswerFile& answers, const DriverConfig& config,
                                 const std::vector<ProtocolEntry>& protocols) {
    if (answers.controller && *answers.controller != kMaintenanceControllerOff &&
        *answers.controller > config.NumberOfControllers)
        return "Access: adapter " + std::to_string(*answers.controller) + " is not in use (" +
               std::to_string(config.NumberOfControllers) + " in use)";
    bool spidGiven = false;
    for (const AdapterAnswers& adapter : answers.adapters) spidGiven = spidGiven || adapter.spid;
    if (spidGiven && !(FindProtocolCode(protocols, config.ImagePath) & kProtocolTakesSpid))
        return "SPID: has no effect, the configured protocol takes no SPID";
    return "";
}

std::string DescribeAnswerFileError(const AnswerFileError& error) {
    std::string text;
    if (error.line)
        text = "line " + std::to_string(error.line) + ", ";
    if (!error.key.empty())
        text += error.key + ": ";
    return text + error.reason;
}
