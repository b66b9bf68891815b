#include "setupfiles/setup_info_file.h"

#include "setupfiles/contained_name.h"
#include "setupfiles/text_line.h"

const char* const kDriversPrefix = "\\SystemRoot\\System32\\drivers\\";
const char* const kScriptMissingText = "Can't find SETUPINFOFILE!";

namespace {

constexpr size_t kDriversPrefixLength = 29;

// One pass over the setup information file: find a header, then take the section's lines in order.
class SectionReader {
  public:
    explicit SectionReader(const std::string& path, NameOutside* outside = nullptr)
        : file_(path), outside_(outside) {}
    bool IsOpen() const { return file_.IsOpen(); }
    bool AtEnd() const { return atEnd_; }
    // A list read cut short by a failed read is not the list: a removal by it would leave the rest for
    // good. The list readers then return kScriptMissing, as for a script that cannot be read at all.
    int Result() const { return file_.Failed() ? kScriptMissing : 1; }

    bool FindHeader(const char* header) {
        std::string line;
        while (!atEnd_) {
            atEnd_ = !ReadTextLine(file_, line);
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
            atEnd_ = !ReadTextLine(file_, line, width);
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
    platform::InputFile file_;
    NameOutside* outside_;
    std::string section_;
    int lineNumber_ = 0;
    bool atEnd_ = false;
};

// The markers that stand in a subdirectory field in place of a name.
bool ContainedSubdirectory(SectionReader& reader, const std::string& subdirectory, const char* marker) {
    return subdirectory == marker || reader.Contained(subdirectory);
}

// The file name part of an image path: what follows the drivers prefix, whatever the prefix holds.
std::string ImageFileName(const std::string& imagePath) {
    return imagePath.size() > kDriversPrefixLength ? imagePath.substr(kDriversPrefixLength) : std::string();
}

}  // namespace

std::string SetupInfoPath(const std::string& directory, const std::string& fileName) {
    return JoinPath(directory, fileName);
}

int ReadOsSection(const std::string& script) {
    SectionReader reader(script);
    if (!reader.IsOpen() || !reader.FindHeader("[OS]"))
        return 0;
    std::string os = reader.Line();
    if (os == "!OS_WINDOWS_NT")
        return 2;
    if (os == "!OS_WINDOWS_95")
        return 1;
    return 0;  // "!OS_WINDOWS_16" and anything else
}

int ReadMaintenanceSection(const std::string& script, MaintenanceDefaults& record) {
    SectionReader reader(script);
    if (!reader.IsOpen())
        return 0;
    int found = 0;
    // A later section is read over an earlier one, until one that switches maintenance off.
    while (reader.FindHeader("[MAINTENANCE]")) {
        found = 1;
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

int ReadCurrentCapiDll(const std::string& script, std::string& name, NameOutside* outside) {
    SectionReader reader(script, outside);
    if (!reader.IsOpen() || !reader.FindHeader("[CURRENTCAPIDLL]"))
        return 0;
    std::string line = reader.Line();
    // Loaded from the system directory by this name: a path would choose another place to load from.
    if (!reader.Contained(line, true))
        return 0;
    name = line;
    return 1;
}

uint32_t ReadScriptVersion(const std::string& script) {
    SectionReader reader(script);
    if (!reader.IsOpen() || !reader.FindHeader("[VERSION]"))
        return 0;
    return ParseUnsignedDecimal(reader.Line());
}

int ReadDefaultProtocol(const std::string& script, std::string& name) {
    SectionReader reader(script);
    if (!reader.IsOpen())
        return kScriptMissing;
    if (!reader.FindHeader("[DEFPROTOCOL]"))
        return 0;
    name = reader.Line();
    return 1;
}

int ReadProtocolEntries(const std::string& script, std::vector<ProtocolEntry>& entries,
                        NameOutside* outside) {
    SectionReader reader(script, outside);
    if (!reader.IsOpen())
        return 0;
    entries.clear();
    if (!reader.FindHeader("[PROTOCOL]"))
        return 1;
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
    return 1;
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

int ReadCompFiles(const std::string& script, std::vector<CompFile>& list, NameOutside* outside) {
    SectionReader reader(script, outside);
    if (!reader.IsOpen())
        return kScriptMissing;
    list.clear();
    if (!reader.FindHeader("[COMPFILES]"))
        return reader.Result();
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
        std::string setupSubdirectory = reader.Line(kFileNameWidth);
        groupContained = ContainedSubdirectory(reader, setupSubdirectory, "!NOSETUPDIR") && groupContained;
        std::string windowsSubdirectory = reader.Line(kFileNameWidth);
        groupContained = ContainedSubdirectory(reader, windowsSubdirectory, "!NOWINSYSTEM") && groupContained;
        std::string versionFlag = reader.Line(kFileNameWidth);
        if (!groupContained)
            continue;
        for (CompFile& file : files) {
            file.sourceSubdirectory = sourceSubdirectory;
            file.setupSubdirectory = setupSubdirectory;
            file.windowsSubdirectory = windowsSubdirectory;
            file.versionFlag = versionFlag;
            list.push_back(file);
        }
    }
    return reader.Result();
}

int ReadAddFiles(const std::string& script, std::vector<AddFile>& list, NameOutside* outside) {
    SectionReader reader(script, outside);
    if (!reader.IsOpen())
        return kScriptMissing;
    list.clear();
    if (!reader.FindHeader("[ADDFILES]"))
        return reader.Result();
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
    return reader.Result();
}

int ReadDeleteAddFiles(const std::string& script, std::vector<DeleteAddFile>& list, NameOutside* outside) {
    SectionReader reader(script, outside);
    if (!reader.IsOpen())
        return kScriptMissing;
    list.clear();
    if (!reader.FindHeader("[DELETEADDFILES]"))
        return reader.Result();
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
    return reader.Result();
}

int ReadProgmanSection(const std::string& script, const std::string& language, ProgmanGroup& group) {
    SectionReader reader(script);
    if (!reader.IsOpen())
        return kScriptMissing;
    group.items.clear();
    if (!reader.FindHeader("[PROGMAN]"))
        return 1;
    group.name = reader.Line(kProgmanNameWidth);
    if (language.empty())
        return 1;
    std::string line;
    do {
        line = reader.Line();
    } while (!reader.AtEnd() && !EqualsIgnoreCase(line, language));
    if (reader.AtEnd())
        return 1;
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
    return 1;
}

int ReadLanguageSection(const std::string& script, LanguageList& list, NameOutside* outside) {
    SectionReader reader(script, outside);
    if (!reader.IsOpen())
        return kScriptMissing;
    list.entries.clear();
    if (!reader.FindHeader("[LANGUAGE]"))
        return 1;
    for (int32_t i = 0, n = reader.Count(); i < n && list.entries.size() < kMaxLanguages; ++i) {
        LanguageEntry entry;
        entry.displayName = reader.Line(kLanguageNameWidth);
        entry.fileName = reader.Line();
        if (reader.Contained(entry.fileName))
            list.entries.push_back(entry);
    }
    return 1;
}

int FindNameOutside(const std::string& script, NameOutside& outside) {
    outside = NameOutside();
    std::string name;
    std::vector<ProtocolEntry> protocols;
    std::vector<CompFile> compFiles;
    std::vector<AddFile> addFiles;
    std::vector<DeleteAddFile> deleteAddFiles;
    LanguageList languages;
    // Each reader keeps only its first; the one nearest the top of the file is named.
    NameOutside found[6];
    ReadLanguageSection(script, languages, &found[0]);
    ReadCurrentCapiDll(script, name, &found[1]);
    ReadProtocolEntries(script, protocols, &found[2]);
    ReadCompFiles(script, compFiles, &found[3]);
    ReadAddFiles(script, addFiles, &found[4]);
    ReadDeleteAddFiles(script, deleteAddFiles, &found[5]);
    for (const NameOutside& each : found)
        if (each.line != 0 && (outside.line == 0 || each.line < outside.line))
            outside = each;
    return outside.line != 0 ? 1 : 0;
}
