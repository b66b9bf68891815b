#pragma once

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "configstore/driver_config.h"
#include "configstore/group_order.h"
#include "configstore/registry_layout.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "platform/registry.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "test_support.h"

namespace platform::fake {
// Values show as name, type and bytes in failure messages.
inline void PrintTo(const RegistryValue& value, std::ostream* out) {
    *out << "{" << value.name << ", " << value.type << ", \"";
    for (char c : value.data) {
        if (c >= 32 && c < 127) {
            *out << c;
        } else {
            *out << "\\x" << std::hex << (static_cast<unsigned>(c) & 0xFF) << std::dec;
        }
    }
    *out << "\"}";
}
}  // namespace platform::fake

// Shared by the configuration store suites: a setup information file with protocols of each kind, the
// sample English texts (so that reports show their real wording), an empty in-memory registry and a
// system directory for AUTOEXEC.NT.
namespace config_test {

using platform::fake::RegistryValue;
using Values = std::vector<RegistryValue>;

constexpr uint32_t kSz = platform::registry::kTypeSz;
constexpr uint32_t kExpandSz = platform::registry::kTypeExpandSz;
constexpr uint32_t kDword = platform::registry::kTypeDword;
constexpr uint32_t kMultiSz = platform::registry::kTypeMultiSz;

// Protocol images by code: none, SPID, x31Layer2, both.
inline std::string Image(const std::string& file) {
    return std::string(kDriversPrefix) + file;
}
const std::string kPlainImage = Image("qdss1.sys");
const std::string kSpidImage = Image("qni1.sys");
const std::string kX31Image = Image("qx31.sys");
const std::string kSpidX31Image = Image("qni1x31.sys");

// The stored bytes of a number and of a text.
inline std::string Dword(uint32_t number) {
    char bytes[4];
    std::memcpy(bytes, &number, 4);
    return std::string(bytes, 4);
}
inline std::string Sz(const std::string& text) {
    return text + '\0';
}

inline RegistryValue NumberValue(const std::string& name, uint32_t number) {
    return {name, kDword, Dword(number)};
}
inline RegistryValue TextValue(const std::string& name, const std::string& text) {
    return {name, kSz, Sz(text)};
}

// The message texts shown so far.
inline std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& shown : ui::fake::ShownMessages()) texts.push_back(shown.text);
    return texts;
}

// The English reports of a failed registry operation, as the sample texts word them.
inline std::string NoKey(const std::string& path) {
    return "The registry key " + path + " cannot be opened or created.";
}
inline std::string NoKeyModify(const std::string& path) {
    return "The values of the registry key " + path + " cannot be written.";
}
inline std::string NoValueQuery(const std::string& name) {
    return "The registry value " + name + " cannot be read.";
}

inline std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

const std::vector<std::string> kScriptProtocols = {
    "[PROTOCOL]",  "4", "DSS1", "qdss1.sys", "0", "National ISDN",
    "qni1.sys",    "1", "X.31", "qx31.sys",  "2", "National ISDN X.31",
    "qni1x31.sys", "3",
};

class ConfigStoreFixture : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        WriteFile("ENGLISH.LNG", ReadHostFile(QUOREL_SAMPLE_DIR "/ENGLISH.LNG"));
        App().Languages.entries = {{"English", "ENGLISH.LNG"}};
        App().LanguageIndex = 0;
        ASSERT_EQ(LoadCurrentLanguage(App()), 1);
        Script({});
        configuration_ = Configuration();
        platform::fake::SetLocalDate(1997, 8, 15);
        Shown().clear();
    }
    void TearDown() override {
        EXPECT_EQ(platform::fake::OpenRegistryKeys(), 0u) << "a registry key was left open";
        SetupFixture::TearDown();
    }

    // SETUP.QZT with the protocols and the given further lines.
    // The setup information file the configuration store reads, and its maintenance defaults.
    static std::string ScriptFile() { return ScriptPath(App()); }
    static SetupInfoFile ReadScript() { return SetupInfoFile::Read(ScriptFile()); }
    static std::vector<ProtocolEntry> Protocols() { return ReadScript().ReadProtocolEntries(); }
    static MaintenanceDefaults ScriptMaintenance() {
        MaintenanceDefaults defaults;
        ReadScript().ReadMaintenanceSection(defaults);
        return defaults;
    }
    // The configuration the test's run owns.
    Configuration& Configured() { return configuration_; }
    DriverConfig& Config() { return configuration_.driver; }
    AdapterArray& Adapters() { return configuration_.adapters; }
    void Script(const std::vector<std::string>& lines) {
        std::vector<std::string> all = kScriptProtocols;
        all.insert(all.end(), lines.begin(), lines.end());
        WriteFile("SETUP.QZT", CrLf(all));
    }
    // The group list of a Windows NT 4 machine and a stock AUTOEXEC.NT.
    void WindowsNtState() {
        platform::fake::SetRegistryValue(
            kServiceGroupOrderKey, "List", kMultiSz,
            JoinGroupList({"System Bus Extender", "SCSI miniport", "NDIS", "TDI"}));
        WriteFile(
            "system32/AutoExec.NT",
            CrLf({"@echo off", "lh %SystemRoot%\\system32\\mscdexnt.exe", "lh %SystemRoot%\\system32\\redir",
                  "lh %SystemRoot%\\system32\\dosx", "SET BLASTER=A220 I5 D1 P330 T3"}));
    }
    Configuration configuration_;

    // Registers another maker's CAPI 2.0 driver as entry n.
    void OtherMakersEntry(uint32_t n) {
        platform::fake::SetRegistryValue(CapiEntryPath(n), "Manufacturer", kSz, Sz("Other Maker AG"));
    }
    void OurEntry(uint32_t n) {
        platform::fake::SetRegistryValue(CapiEntryPath(n), "Manufacturer", kSz, Sz("QZT Velmonic GmbH"));
    }
};

}  // namespace config_test
