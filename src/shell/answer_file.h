#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "configdialog/party_numbers.h"  // kPartyPartLength: the widths of a party number's parts
#include "configstore/driver_config.h"

// The answer file of an unattended run (/a): an INI file with what a person would have chosen. Every key is
// optional; a key that is not given keeps what an interactive run would use. Sections and keys are matched
// without regard to case; ';' or '#' at the start of a line begins a comment. A value may stand in double
// quotes. A value the configuration dialog would not take (a ';' or tab in an SPID or party number) is
// refused, and so is a key that would have no effect: [Maintenance] keys while the script's maintenance
// mode is off (Access and cipValue unless it is full), an SPID while no protocol the run can have takes one.
//
//   [Setup]        Destination, Language, EarlierConfiguration (Keep | Renew), OverwriteNewer (Never |
//   Always) [Driver]       Protocol (a "[PROTOCOL]" name), Start (Boot | System | Auto | Demand | Disabled),
//                  TestMode (Adapter | Adapter+S0), Adapters (1-4), DosVector (00-FF), x31Layer2 (Direct |
//                  Virtual | Active), DeliveryConf (Auto | On | Off), DataIoMode (Direct | Buffered),
//                  Point2Point (Yes | No)
//   [Adapter1] to [Adapter4]   BaseAddress (1-4 hexadecimal digits), Interrupt (1-15), SPID
//   [Maintenance]  Access (Off | All | 1-4), cipValue (0-31), Username, Password, CalledNumber,
//                  CallingNumber1 to CallingNumber8 (a party number: number[,subaddress])

// The longest line read; a longer one is an error rather than a cut value.
constexpr size_t kAnswerLineLength = 1023;
// The largest answer file read.
constexpr size_t kAnswerFileSize = 64 * 1024;

struct AdapterAnswers {
    std::optional<uint32_t> baseAddress;
    std::optional<uint32_t> interrupt;
    std::optional<std::string> spid;
};

struct AnswerFile {
    std::optional<std::string> destination;
    std::optional<std::string> language;          // as listed in "[LANGUAGE]"
    std::optional<bool> keepConfiguration;        // an earlier configuration: keep (true) or renew
    std::optional<bool> overwriteNewer;           // a newer target: always (true) or never
    std::optional<std::string> protocol;          // as listed in "[PROTOCOL]"
    std::optional<uint32_t> start;                // DriverConfig::Start
    std::optional<uint32_t> test;                 // DriverConfig::Test
    std::optional<uint32_t> numberOfControllers;  // DriverConfig::NumberOfControllers
    std::optional<uint32_t> dosVector;
    std::optional<uint32_t> x31Layer2;
    std::optional<uint32_t> deliveryConf;
    std::optional<uint32_t> dataIoMode;
    std::optional<uint32_t> point2Point;
    std::array<AdapterAnswers, kMaxAdapters> adapters;
    std::optional<uint32_t> controller;  // DriverConfig::Controller, kMaintenanceControllerOff for Off
    std::optional<uint32_t> cipValue;
    std::optional<std::string> username;
    std::optional<std::string> password;
    std::optional<std::string> calledNumber;  // "number,subaddress"
    std::array<std::optional<std::string>, kMaxCgpn> callingNumbers;

    // The adapters in use: Adapters when given, else the highest [AdapterN] section, else none said.
    std::optional<uint32_t> AdaptersInUse() const;
    // Whether any key of [Driver], [AdapterN] or [Maintenance] is given.
    bool HasDriverConfiguration() const;
};

// What the setup information file allows: the names a value must be one of, and what decides whether a
// key can have an effect at all.
struct AnswerLists {
    std::vector<std::string> protocols;          // "[PROTOCOL]" names
    std::vector<std::string> languages;          // "[LANGUAGE]" display names
    std::vector<std::string> protocolsWithSpid;  // the protocols whose code asks for SPIDs
    int32_t maintenanceMode = kMaintenanceOff;   // "[MAINTENANCE]"
};

// What was wrong, for the report: the line (from 1) and the key or section it names.
struct AnswerFileError {
    size_t line = 0;
    std::string key;
    std::string reason;
};

// Reads the answers from the text. False at the first error, which error then describes; answers is then
// in an unspecified state and must not be used.
bool ParseAnswerFile(const std::string& text, const AnswerLists& lists, AnswerFile& answers,
                     AnswerFileError& error);
// The same from a file; a file that cannot be read, or is larger than kAnswerFileSize, is an error of line 0.
bool ReadAnswerFile(const std::string& path, const AnswerLists& lists, AnswerFile& answers,
                    AnswerFileError& error);
// "line 7, Start: ..." (or without the key, or the line, when they are not known).
std::string DescribeAnswerFileError(const AnswerFileError& error);

// What only the configuration the run ends with can tell (the adapter count and protocol it keeps when
// the answer file gives none): why a given key would have no effect, or empty. Access must name an adapter
// in use, an SPID needs a protocol that takes one.
std::string AnswersWithoutEffect(const AnswerFile& answers, const DriverConfig& config,
                                 const std::vector<ProtocolEntry>& protocols);
