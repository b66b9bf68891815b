#include "setupfiles/setup_info_file.h"

#include "platform/file.h"
#include "setupfiles/contained_name.h"
#include "setupfiles/text_line.h"

const char* const kDriversPrefix = "\\SystemRoot\\System32\\drivers\\";
const char* const kScriptMissingText = "Can't find SETUPINFOFILE!";

namespace {

constexpr size_t kDriversPrefixLength = 29;

// One pass over the text of the setup information file: find a header, then take the section's lines in
// order.
class SectionReader {
  public:
    explicit SectionReader(const std::string& text, NameOutside* outside = nullptr)
        : text_(text), outside_(outside) {}
    bool AtEnd() const { return atEnd_; }

    bool FindHeader(const char* header) {
        std::string line;
        while (!atEnd_) {
            atEnd_ = !ReadTextLine(text_, position_, line);
            ++lineNumber_;
            if (line == header) {
                section_ = header;
                return true;
            }
        }
        return false;
    }

    // The next line cut to its field; past the end of the file it comes back empty. A last line without
    // a line end still counts: a script saved without a final CR LF must not lose its last entry.
    std::string Line(size_t width = kTextWidth) {
        std::string line;
        if (!atEnd_) {
            atEnd_ = !ReadTextLine(text_, position_, line, width);
            ++lineNumber_;
        }
        return line;
    }

    // Whether the name just read stays inside its directory (a plain name where plain); the first one
    // that does not is kept for the refusal, with its section and line.
    bool Contained(const std::string& name, bool plain = false) {
        if (plain ? IsPlainName(name) : IsContainedName(name))
            return true;
        if (outside_ && outside_->line == 0)
            *outside_ = {section_, lineNumber_, name};
        return false;
    }

    int32_t Count() {
        int32_t count = ParseSignedDecimal(Line());
        return count < 0 ? 0 : count;
    }

  private:
    std::string_view text_;
    size_t position_ = 0;
    NameOutside* outside_;
    std::string section_;
    int lineNumber_ = 0;
    bool atEnd_ = false;
};

// The file name part of an image path: what follows the drivers prefix, whatever the prefix holds.
std::string ImageFileName(const std::string& imagePath) {
    return imagePath.size() > kDriversPrefixLength ? imagePath.substr(kDriversPrefixLength) : std::string();
}

}  // namespace

std::string SetupInfoPath(const std::string& directory, const std::string& fileName) {
    return JoinPath(directory, fileName);
}

bool CompFile::InSetupDirectory() const {
    return setupSubdirectory != "!NOSETUPDIR";
}

bool CompFile::InWindowsDirectory() const {
    return windowsSubdirectory != "!NOWINSYSTEM";
}

bool CompFile::ListedInVersions() const {
    return versionFlag == "!VERSION_ON";
}

SetupInfoFile SetupInfoFile::Read(const std::string& path) {
    SetupInfoFile script;
    script.path_ = path;
    // A list cut short by a failed read is not the list: a removal by it would leave the rest for good.
    script.read_ = platform::ReadWholeTextFile(path, &script.text_);
    if (!script.read_)
        script.text_.clear();
    return script;
}

int SetupInfoFile::ReadOsSection() const {
    SectionReader reader(text_);
    if (!reader.FindHeader("[OS]"))
        return 0;
    std::string os = reader.Line();
    if (os == "!OS_WINDOWS_NT")
        return 2;
    if (os == "!OS_WINDOWS_95")
        return 1;
    return 0;  // "!OS_WINDOWS_16" and anything else
}

bool SetupInfoFile::ReadMaintenanceSection(MaintenanceDefaults& record) const {
    SectionReader reader(text_);
    bool found = false;
    // A later section is read over an earlier one, until one that switches maintenance off.
    while (reader.FindHeader("[MAINTENANCE]")) {
        found = true;
        std::string mode = reader.Line();
        if (mode == "!MAINTENANCE_OFF") {
            record.Mode = kMaintenanceOff;
            break;
        }
        if (mode == "!MAINTENANCE_FULL")
            record.Mode = kMaintenanceFull;
        if (mode == "!MAINTENANCE_DEFAULT")
            record.Mode = kMaintenanceDefault;
        if (mode == "!MAINTENANCE_DEFAULT_INVISIBLE")
            record.Mode = kMaintenanceDefaultInvisible;
        record.cipValue = ParseSignedDecimal(reader.Line());
        record.Controller = ParseSignedDecimal(reader.Line());
        record.username = reader.Line(kUserWidth);
        record.password = reader.Line(kUserWidth);
        record.CDPN.clear();
        for (int32_t i = 0, n = reader.Count(); i < n && (i < int32_t{kMaxCdpn} || !reader.AtEnd()); ++i) {
            std::string number = reader.Line(kPartyNumberWidth);
            if (record.CDPN.size() < kMaxCdpn)
                record.CDPN.push_back(number);
        }
        record.CGPN.clear();
        for (int32_t i = 0, n = reader.Count(); i < n && (i < int32_t{kMaxCgpn} || !reader.AtEnd()); ++i) {
            std::string number = reader.Line(kPartyNumberWidth);
            if (record.CGPN.size() < kMaxCgpn)
                record.CGPN.push_back(number);
        }
    }
    return found;
}

bool SetupInfoFile::ReadCurrentCapiDll(std::string& name, NameOutside* outside) const {
    SectionReader reader(text_, outside);
    if (!reader.FindHeader("[CURRENTCAPIDLL]"))
        return false;
    std::string line = reader.Line();
    // Loaded from the system directory by this name: a path would choose another place to load from.
    if (!reader.Contained(line, true))
        return false;
    name = line;
    return true;
}

uint32_t SetupInfoFile::ReadScriptVersion() const {
    SectionReader reader(text_);
    if (!reader.FindHeader("[VERSION]"))
        return 0;
    return ParseUnsignedDecimal(reader.Line());
}

bool SetupInfoFile::ReadDefaultProtocol(std::string& name) const {
    SectionReader reader(text_);
    if (!reader.FindHeader("[DEFPROTOCOL]"))
        return false;
    name = reader.Line();
    return true;
}

std::vector<ProtocolEntry> SetupInfoFile::ReadProtocolEntries(NameOutside* outside) const {
    SectionReader reader(text_, outside);
    std::vector<ProtocolEntry> entries;
    if (!reader.FindHeader("[PROTOCOL]"))
        return entries;
    // Entries past the end of the file would only be empty: a count that overshoots ends there.
    for (int32_t i = 0, n = reader.Count(); i < n && !reader.AtEnd(); ++i) {
        ProtocolEntry entry;
        entry.name = reader.Line();
        entry.image = reader.Line();
        // The image becomes the kernel's path to the driver: one outside the drivers directory is never
        // offered.
        bool contained = reader.Contained(entry.image);
        entry.code = ParseHex(reader.Line());
        if (contained)
            entries.push_back(entry);
    }
    return entries;
}

bool AnyProtocolNeedsSpid(const std::vector<ProtocolEntry>& entries) {
    for (const ProtocolEntry& entry : entries)
        if (entry.code & kProtocolTakesSpid)
            return true;
    return false;
}

uint32_t FindProtocolIndexByImage(const std::vector<ProtocolEntry>& entries, const std::string& imagePath) {
    std::string image = ImageFileName(imagePath);
    for (size_t i = 0; i < entries.size(); ++i)
        if (EqualsIgnoreCase(entries[i].image, image))
            return static_cast<uint32_t>(i);
    return kNoProtocolIndex;
}

bool FindNewImagePath(const std::vector<ProtocolEntry>& entries, const std::string& name,
                      std::string& imagePath) {
    for (const ProtocolEntry& entry : entries) {
        if (entry.name == name) {
            imagePath = FitField(JoinPath(kDriversPrefix, entry.image), kTextWidth);
            return true;
        }
    }
    return false;
}

uint32_t FindProtocolCode(const std::vector<ProtocolEntry>& entries, const std::string& nameOrImagePath) {
    std::string image = ImageFileName(nameOrImagePath);
    for (const ProtocolEntry& entry : entries)
        if (EqualsIgnoreCase(entry.name, nameOrImagePath) || EqualsIgnoreCase(entry.image, image))
            return entry.code;
    return 0;
}

std::vector<CompFile> SetupInfoFile::ReadCompFiles(NameOutside* outside) const {
    SectionReader reader(text_, outside);
    std::vector<CompFile> list;
    if (!reader.FindHeader("[COMPFILES]"))
        return list;
    // Entries read, kept or left out: past the end of the file a count that overshoots ends here, as it
    // would with every entry kept.
    size_t entries = 0;
    for (int32_t group = 0, groups = reader.Count(); group < groups && !reader.AtEnd(); ++group) {
        int32_t n = reader.Count();
        std::string sourceSubdirectory = reader.Line(kFileNameWidth);
        bool groupContained = reader.Contained(sourceSubdirectory);
        std::vector<CompFile> files;
        for (int32_t i = 0; i < n && (entries < kMaxFileEntries || !reader.AtEnd()); ++i, ++entries) {
            CompFile file;
            file.sourceName = reader.Line(kFileNameWidth);
            bool contained = reader.Contained(file.sourceName);
            file.installedName = reader.Line(kFileNameWidth);
            contained = reader.Contained(file.installedName) && contained;
            if (contained && list.size() + files.size() < kMaxFileEntries)
                files.push_back(file);
        }
        CompFile place;
        place.setupSubdirectory = reader.Line(kFileNameWidth);
        groupContained =
            (!place.InSetupDirectory() || reader.Contained(place.setupSubdirectory)) && groupContained;
        place.windowsSubdirectory = reader.Line(kFileNameWidth);
        groupContained =
            (!place.InWindowsDirectory() || reader.Contained(place.windowsSubdirectory)) && groupContained;
        place.versionFlag = reader.Line(kFileNameWidth);
        if (!groupContained)
            continue;
        for (CompFile& file : files) {
            file.sourceSubdirectory = sourceSubdirectory;
            file.setupSubdirectory = place.setupSubdirectory;
            file.windowsSubdirectory = place.windowsSubdirectory;
            file.versionFlag = place.versionFlag;
            list.push_back(file);
        }
    }
    return list;
}

std::vector<AddFile> SetupInfoFile::ReadAddFiles(NameOutside* outside) const {
    SectionReader reader(text_, outside);
    std::vector<AddFile> list;
    if (!reader.FindHeader("[ADDFILES]"))
        return list;
    // Entries read, kept or left out: past the end of the file a count that overshoots ends here, as it
    // would with every entry kept.
    size_t entries = 0;
    for (int32_t group = 0, groups = reader.Count(); group < groups && !reader.AtEnd(); ++group) {
        int32_t n = reader.Count();
        std::string sourceSubdirectory = reader.Line(kFileNameWidth);
        bool groupContained = reader.Contained(sourceSubdirectory);
        std::vector<AddFile> files;
        for (int32_t i = 0; i < n && (entries < kMaxFileEntries || !reader.AtEnd()); ++i, ++entries) {
            std::string name = reader.Line(kFileNameWidth);
            if (reader.Contained(name) && list.size() + files.size() < kMaxFileEntries)
                files.push_back({sourceSubdirectory, name, ""});
        }
        std::string destinationSubdirectory = reader.Line(kFileNameWidth);
        if (!reader.Contained(destinationSubdirectory) || !groupContained)
            continue;
        for (AddFile& file : files) {
            file.destinationSubdirectory = destinationSubdirectory;
            list.push_back(file);
        }
    }
    return list;
}

std::vector<DeleteAddFile> SetupInfoFile::ReadDeleteAddFiles(NameOutside* outside) const {
    SectionReader reader(text_, outside);
    std::vector<DeleteAddFile> list;
    if (!reader.FindHeader("[DELETEADDFILES]"))
        return list;
    // Entries read, kept or left out: past the end of the file a count that overshoots ends here, as it
    // would with every entry kept.
    size_t entries = 0;
    for (int32_t group = 0, groups = reader.Count(); group < groups && !reader.AtEnd(); ++group) {
        int32_t n = reader.Count();
        std::string subdirectory = reader.Line(kFileNameWidth);
        bool groupContained = reader.Contained(subdirectory);
        for (int32_t i = 0; i < n && (entries < kMaxFileEntries || !reader.AtEnd()); ++i, ++entries) {
            std::string name = reader.Line(kFileNameWidth);
            if (reader.Contained(name) && groupContained && list.size() < kMaxFileEntries)
                list.push_back({subdirectory, name});
        }
    }
    return list;
}

ProgmanGroup SetupInfoFile::ReadProgmanSection(const std::string& language) const {
    SectionReader reader(text_);
    ProgmanGroup group;
    if (!reader.FindHeader("[PROGMAN]"))
        return group;
    group.name = reader.Line(kProgmanNameWidth);
    if (language.empty())
        return group;
    std::string line;
    do {
        line = reader.Line();
    } while (!reader.AtEnd() && !EqualsIgnoreCase(line, language));
    if (reader.AtEnd())
        return group;
    for (int32_t i = 0, n = reader.Count(); i < n && group.items.size() < kMaxProgmanItems; ++i) {
        ProgmanItem item;
        item.Title = reader.Line(kProgmanNameWidth);
        item.Command = reader.Line();
        if (item.Command == "!SETUPFILE+CMD")
            item.Parameters = reader.Line(kProgmanNameWidth);
        item.WorkingDirectory = reader.Line();
        item.IconFile = reader.Line();
        item.IconIndex = static_cast<int16_t>(ParseSignedDecimal(reader.Line()));
        group.items.push_back(item);
    }
    return group;
}

LanguageList SetupInfoFile::ReadLanguageSection(NameOutside* outside) const {
    SectionReader reader(text_, outside);
    LanguageList list;
    if (!reader.FindHeader("[LANGUAGE]"))
        return list;
    for (int32_t i = 0, n = reader.Count(); i < n && list.entries.size() < kMaxLanguages; ++i) {
        LanguageEntry entry;
        entry.displayName = reader.Line(kLanguageNameWidth);
        entry.fileName = reader.Line();
        if (reader.Contained(entry.fileName))
            list.entries.push_back(entry);
    }
    return list;
}

bool SetupInfoFile::FindNameOutside(NameOutside& outside) const {
    outside = NameOutside();
    std::string name;
    // Each reader keeps only its first; the one nearest the top of the file is named.
    NameOutside found[6];
    ReadLanguageSection(&found[0]);
    ReadCurrentCapiDll(name, &found[1]);
    ReadProtocolEntries(&found[2]);
    ReadCompFiles(&found[3]);
    ReadAddFiles(&found[4]);
    ReadDeleteAddFiles(&found[5]);
    for (const NameOutside& each : found)
        if (each.line != 0 && (outside.line == 0 || each.line < outside.line))
            outside = each;
    return outside.line != 0;
}
