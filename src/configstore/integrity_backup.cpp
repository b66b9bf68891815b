#include "configstore/integrity_backup.h"

#include <algorithm>
#include <vector>

#include "configstore/config_reports.h"
#include "configstore/registry_layout.h"
#include "configstore/registry_report.h"
#include "configstore/registry_values.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "setupfiles/text_line.h"
#include "setupfiles/text_format.h"

using namespace platform::registry;

namespace {

// The adapters a record describes, never more than it holds.
size_t UsedAdapters(const DriverConfig& config) {
    return std::min<size_t>(config.NumberOfControllers, kMaxAdapters);
}

void AddNumber(std::string& text, uint32_t number) {
    text += std::to_string(number) + ";";
}
void AddText(std::string& text, const std::string& field) {
    text += field + ";";
}

// Reads a backup text field by field; each field runs up to the next ";".
class BackupFields {
  public:
    explicit BackupFields(const std::string& text) : text_(text) {}

    // False when the text ends before the field's ";" or the field does not fit its width.
    bool Text(std::string* field, size_t width) {
        std::string value;
        if (!Next(&value) || value.size() + 1 > width)
            return false;
        *field = value;
        return true;
    }
    bool Number(uint32_t* field) {
        std::string value;
        if (!Next(&value))
            return false;
        *field = ParseUnsignedDecimal(value);
        return true;
    }

  private:
    bool Next(std::string* value) {
        size_t end = text_.find(';', position_);
        if (end == std::string::npos)
            return false;
        *value = text_.substr(position_, end - position_);
        position_ = end + 1;
        return true;
    }

    const std::string& text_;
    size_t position_ = 0;
};

bool ParseAdapters(BackupFields& fields, bool spidFlag, DriverConfig& config, AdapterArray& adapters) {
    if (!fields.Number(&config.NumberOfControllers))
        return false;
    if (config.NumberOfControllers < 1 || config.NumberOfControllers > kMaxAdapters)
        return false;
    for (size_t i = 0; i < config.NumberOfControllers; ++i) {
        AdapterConfig& adapter = adapters[i];
        if (!fields.Number(&adapter.Channels) || !fields.Number(&adapter.BaseAddress) ||
            !fields.Number(&adapter.Interrupt))
            return false;
        if (spidFlag && !fields.Text(&adapter.SPID, kSpidWidth))
            return false;
    }
    return true;
}

std::string DateText(const platform::LocalDate& date) {
    return DecimalText(date.year, 4) + DecimalText(date.month, 2) + DecimalText(date.day, 2);
}

bool BackupDate(uint32_t* date) {
    Key key;
    if (OpenKey(kIntegrityCheckKey, false, key.Put()) != kSuccess)
        return false;
    std::string text;
    ReadStringValue(key.Get(), &text, "BackupDate", kBackupTextCapacity);
    *date = ParseUnsignedDecimal(text);
    return true;
}

// Collects the differences of one record pair, field by field.
class DifferenceList {
  public:
    void Number(const std::string& value, uint32_t live, uint32_t backup) {
        if (live != backup)
            list_.push_back({value, std::to_string(live), std::to_string(backup)});
    }
    void Hex(const std::string& value, uint32_t live, uint32_t backup) {
        if (live != backup)
            list_.push_back({value, HexText(live), HexText(backup)});
    }
    void Text(const std::string& value, const std::string& live, const std::string& backup) {
        if (!EqualsIgnoreCase(live, backup))
            list_.push_back({value, live, backup});
    }
    std::vector<ConfigDifference>& List() { return list_; }

  private:
    static std::string HexText(uint32_t number) { return "0x" + ::HexText(number); }
    std::vector<ConfigDifference> list_;
};

std::string AdapterName(size_t index) {
    return "Adapter" + DecimalText(index + 1, 2) + " ";
}

}  // namespace

uint32_t ReadStoredScriptVersion() {
    Key key;
    if (CreateLayoutKey(kIntegrityCheckKey, key.Put()) != kSuccess) {
        ReportNoKey(kIntegrityCheckKey);
        return 0;
    }
    uint32_t version = 0;
    ReadDwordValue(key.Get(), &version, "ScriptVersion", false);
    return version;
}

void WriteStoredScriptVersion(uint32_t version) {
    Key key;
    if (CreateLayoutKey(kIntegrityCheckKey, key.Put()) != kSuccess) {
        ReportNoKey(kIntegrityCheckKey);
        return;
    }
    if (WriteDwordValue(key.Get(), version, "ScriptVersion"))
        ReportValuesWritten(kIntegrityCheckKey, {NumberItem("ScriptVersion", version)});
}

std::string BuildBackupText(const DriverConfig& config, const AdapterArray& adapters, uint32_t protocolCode) {
    bool x31Flag = (protocolCode & kProtocolHasX31Layer2) != 0;
    bool spidFlag = (protocolCode & kProtocolHasSpid) != 0;
    std::string text;
    AddText(text, config.DisplayName);
    AddNumber(text, config.ErrorControl);
    AddText(text, config.Group);
    AddText(text, config.ImagePath);
    AddNumber(text, config.Start);
    AddNumber(text, config.Type);
    AddNumber(text, config.DataIoMode);
    AddNumber(text, config.DeliveryConf);
    AddText(text, config.DeviceName);
    AddNumber(text, config.DosVector);
    AddNumber(text, config.Point2Point);
    AddNumber(text, config.Test);
    AddText(text, config.Manufacturer);
    AddNumber(text, x31Flag ? 1 : 0);
    AddNumber(text, spidFlag ? 1 : 0);
    if (x31Flag)
        AddNumber(text, config.x31Layer2);
    AddNumber(text, config.NumberOfControllers);
    for (size_t i = 0; i < UsedAdapters(config); ++i) {
        AddNumber(text, adapters[i].Channels);
        AddNumber(text, adapters[i].BaseAddress);
        AddNumber(text, adapters[i].Interrupt);
        if (spidFlag)
            AddText(text, adapters[i].SPID);
    }
    return text;
}

bool ParseBackupText(const std::string& text, DriverConfig& config, AdapterArray& adapters) {
    // Parsed into copies, so that a damaged backup changes nothing.
    DriverConfig parsed = config;
    AdapterArray parsedAdapters = adapters;
    BackupFields fields(text);
    uint32_t x31Flag = 0;
    uint32_t spidFlag = 0;
    bool complete = fields.Text(&parsed.DisplayName, kDisplayNameWidth) &&
                    fields.Number(&parsed.ErrorControl) && fields.Text(&parsed.Group, kGroupWidth) &&
                    fields.Text(&parsed.ImagePath, kImagePathWidth) && fields.Number(&parsed.Start) &&
                    fields.Number(&parsed.Type) && fields.Number(&parsed.DataIoMode) &&
                    fields.Number(&parsed.DeliveryConf) &&
                    fields.Text(&parsed.DeviceName, kDeviceNameWidth) && fields.Number(&parsed.DosVector) &&
                    fields.Number(&parsed.Point2Point) && fields.Number(&parsed.Test) &&
                    fields.Text(&parsed.Manufacturer, kManufacturerWidth) && fields.Number(&x31Flag) &&
                    fields.Number(&spidFlag) && (x31Flag == 0 || fields.Number(&parsed.x31Layer2)) &&
                    ParseAdapters(fields, spidFlag != 0, parsed, parsedAdapters);
    if (!complete)
        return false;
    config = parsed;
    adapters = parsedAdapters;
    return true;
}

bool WriteIntegrityBackup(const Configuration& config, const std::vector<ProtocolEntry>& protocols) {
    Key key;
    if (CreateLayoutKey(kIntegrityCheckKey, key.Put()) != kSuccess) {
        ReportNoKey(kIntegrityCheckKey);
        return false;
    }
    std::string text =
        BuildBackupText(config.driver, config.adapters, FindProtocolCode(protocols, config.driver.ImagePath));
    // A backup that silently stays old makes the next opening report a change nobody made.
    std::vector<RegValueItem> items = {TextItem("RegistryBackup", text),
                                       TextItem("BackupDate", DateText(platform::LocalToday()))};
    if (!WriteValueList(key.Get(), items)) {
        ReportNoKeyModify(kIntegrityCheckKey);
        return false;
    }
    ReportValuesWritten(kIntegrityCheckKey, items);
    return true;
}

bool ReadIntegrityBackup(DriverConfig& config, AdapterArray& adapters) {
    std::string text;
    {
        Key key;
        if (OpenKey(kIntegrityCheckKey, false, key.Put()) != kSuccess)
            return false;
        if (!ReadStringValue(key.Get(), &text, "RegistryBackup", kBackupTextCapacity))
            return false;
    }
    return ParseBackupText(text, config, adapters);
}

std::vector<ConfigDifference> BackupDifferences(const DriverConfig& live, const DriverConfig& backup,
                                                const AdapterArray& liveAdapters,
                                                const AdapterArray& backupAdapters, bool spidFlag) {
    DifferenceList differences;
    differences.Number("ErrorControl", live.ErrorControl, backup.ErrorControl);
    differences.Number("Start", live.Start, backup.Start);
    differences.Number("DataIoMode", live.DataIoMode, backup.DataIoMode);
    differences.Number("DeliveryConf", live.DeliveryConf, backup.DeliveryConf);
    differences.Hex("DosVector", live.DosVector, backup.DosVector);
    differences.Number("Point2Point", live.Point2Point, backup.Point2Point);
    differences.Number("Test", live.Test, backup.Test);
    differences.Number("NumberOfControllers", live.NumberOfControllers, backup.NumberOfControllers);
    differences.Text("ImagePath", live.ImagePath, backup.ImagePath);
    // An adapter only one side describes is told by the count already.
    size_t adapters = std::min(UsedAdapters(live), UsedAdapters(backup));
    for (size_t i = 0; i < adapters; ++i) {
        const AdapterConfig& a = liveAdapters[i];
        const AdapterConfig& b = backupAdapters[i];
        differences.Number(AdapterName(i) + "Channels", a.Channels, b.Channels);
        differences.Hex(AdapterName(i) + "BaseAddress", a.BaseAddress, b.BaseAddress);
        differences.Number(AdapterName(i) + "Interrupt", a.Interrupt, b.Interrupt);
        if (spidFlag)
            differences.Text(AdapterName(i) + "SPID", a.SPID, b.SPID);
    }
    return std::move(differences.List());
}

std::string DescribeDifference(const ConfigDifference& difference) {
    return difference.value + ": registry " + difference.live + ", backup " + difference.backup;
}

bool ConfigMatchesBackup(const DriverConfig& live, const DriverConfig& backup,
                         const AdapterArray& liveAdapters, const AdapterArray& backupAdapters,
                         bool spidFlag) {
    return BackupDifferences(live, backup, liveAdapters, backupAdapters, spidFlag).empty();
}

BackupComparison CompareWithBackup(const Configuration& live, const std::vector<ProtocolEntry>& protocols) {
    BackupComparison comparison;
    comparison.backup = live;
    if (!BackupDate(&comparison.date) ||
        !ReadIntegrityBackup(comparison.backup.driver, comparison.backup.adapters))
        return comparison;
    comparison.hasBackup = true;
    bool spidFlag = (FindProtocolCode(protocols, live.driver.ImagePath) & kProtocolHasSpid) != 0;
    comparison.differences = BackupDifferences(live.driver, comparison.backup.driver, live.adapters,
                                               comparison.backup.adapters, spidFlag);
    return comparison;
}
