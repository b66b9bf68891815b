#include "install/driver_processor.h"

#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/pe_image.h"
#include "platform/szdd_expander.h"
#include "platform/wow64.h"
#include "setupfiles/language_table.h"
#include "setupfiles/setup_info_file.h"
#include "setupfiles/text_format.h"
#include "setupfiles/text_ids.h"
#include "setupfiles/text_line.h"
#include "ui/message_boxes.h"

namespace {

// Enough compressed bytes for the headers of any image this program installs: the DOS header, its stub
// and the PE header lie in the first few hundred bytes, and SZDD cannot shrink 4 KiB below about 450.
constexpr long kSourceBytesRead = 8192;
constexpr size_t kImageBytesLookedAt = 4096;

// The source of the default protocol's image in the distribution; empty when the script names none.
std::string DriverImageSource(const InstallationSetup& setup, const SetupInfoFile& script) {
    std::string protocol;
    if (!script.IsRead() || !script.ReadDefaultProtocol(protocol))
        return std::string();
    std::vector<CompFile> files = script.ReadCompFiles();
    for (const ProtocolEntry& entry : script.ReadProtocolEntries()) {
        if (entry.name != protocol)
            continue;
        for (const CompFile& file : files) {
            if (EqualsIgnoreCase(file.installedName, entry.image)) {
                std::string path =
                    setup.setupDirectory + "\\" + file.sourceSubdirectory + "\\" + file.sourceName;
                CollapseBackslashes(path);
                return path;
            }
        }
    }
    return std::string();
}

platform::ImageMachine MachineOfSource(const std::string& source) {
    std::vector<unsigned char> head(kSourceBytesRead);
    platform::InputFile file(source);
    if (!file.IsOpen())
        return platform::ImageMachine::kNotPe;
    long read = platform::ReadFileBytes(file.Id(), reinterpret_cast<char*>(head.data()), kSourceBytesRead);
    std::vector<unsigned char> image =
        platform::ExpandedPrefix(head.data(), read > 0 ? static_cast<size_t>(read) : 0, kImageBytesLookedAt);
    return platform::PeImageMachine(image.data(), image.size());
}

}  // namespace

bool DriverImageFitsRunningWindows(WindowRef owner, const InstallationSetup& setup,
                                   const SetupInfoFile& script) {
    std::string source = DriverImageSource(setup, script);
    if (source.empty())
        return true;
    platform::ImageMachine machine = MachineOfSource(source);
    const platform::SystemKind& system = platform::RunningSystem();
    if (platform::DriverImageLoadsOn(machine, system))
        return true;
    const char* made =
        machine == platform::ImageMachine::kI386 ? "32-bit Windows (i386)" : "64-bit Windows (x64)";
    ShowMessage(owner,
                FormatText(Text(kTextErrWrongProcessor), {made, system.windows64 ? "64-bit" : "32-bit"}));
    return false;
}
