#include "configstore/progman_group.h"

#include "platform/dde.h"
#include "setupfiles/text_line.h"
#include "ui/message_boxes.h"
#include "ui/silent_mode.h"
#include "setupfiles/text_format.h"

namespace {

// The command language has no escape for a quotation mark inside a field, so one is left out: it would
// end a quoted field early or start one in the middle.
std::string WithoutQuotationMarks(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (c != '"')
            kept.push_back(c);
    return kept;
}

std::string Quoted(const std::string& text) {
    return "\"" + WithoutQuotationMarks(text) + "\"";
}

// The Program Manager ends an unquoted field at a comma, a parenthesis or a bracket; a field that holds one
// is quoted, so that a title, group name or path never splits into broken arguments.
std::string Field(const std::string& text) {
    std::string field = WithoutQuotationMarks(text);
    return field.find_first_of(",()[]") == std::string::npos ? field : Quoted(field);
}

std::string AddItemCommand(const ProgmanItem& item, size_t index, const std::string& program,
                           const std::string& installDirectory) {
    bool isSetup = item.Command == "!SETUPFILE" || item.Command == "!SETUPFILE+CMD";
    std::string command = isSetup ? program : item.Command;
    std::string icon = JoinPath(installDirectory, item.IconFile == "!SETUPICON" ? program : item.IconFile);
    std::string directory = installDirectory;
    if (item.WorkingDirectory != "!SETUPDIR")
        directory = JoinPath(installDirectory, item.WorkingDirectory);
    else
        CollapseBackslashes(directory);
    return "[AddItem(" + Field(command + " " + item.Parameters) + "," + Field(item.Title) + "," +
           Field(icon) + "," + std::to_string(static_cast<uint16_t>(item.IconIndex)) + "," +
           std::to_string(20 + 75 * index) + ",10," + Field(directory) + ")]";
}

}  // namespace

std::vector<std::string> ProgmanBuildCommands(const ProgmanGroup& group, const std::string& programName,
                                              const std::string& installDirectory) {
    // Commands go whole, however long the installation path: a command cut short is a broken one.
    std::vector<std::string> commands = {
        "[DeleteGroup(" + Field(group.name) + ")]",
        "[CreateGroup(" + Quoted(group.name) + ",0)]",
        "[ShowGroup(" + Quoted(group.name) + ",1)]",
    };
    for (size_t k = 0; k < group.items.size(); ++k)
        commands.push_back(AddItemCommand(group.items[k], k, programName, installDirectory));
    commands.push_back("[ShowGroup(" + Quoted(group.name) + ",6)]");
    return commands;
}

void BuildProgmanGroup(WindowRef owner, const SetupInfoFile& script, const std::string& language,
                       const std::string& programName, const std::string& installDirectory) {
    platform::dde::Client dde;
    if (dde.Error()) {
        ShowError(owner, "No DDE conversation!");
        return;
    }
    if (!script.IsRead())
        ShowError(owner, kScriptMissingText);
    ProgmanGroup group = script.ReadProgmanSection(language);
    std::vector<std::string> commands = ProgmanBuildCommands(group, programName, installDirectory);
    size_t firstItem = 3, lastItem = commands.size() - 1;
    for (size_t i = 0; i < commands.size(); ++i) {
        // A silent run opens no window, the Program Manager's group window included; the group made by
        // CreateGroup is the active one that AddItem fills without being shown.
        if (ui::SilentMode() && commands[i].compare(0, 11, "[ShowGroup(") == 0)
            continue;
        // A refused command is not reported: some Program Managers refuse every item that carries
        // parameters, and a message for each would stop every run.
        dde.Send(commands[i]);
        if (i >= firstItem && i < lastItem)
            platform::dde::PauseBetweenItems();
    }
}

void RemoveProgmanGroup(WindowRef owner, const SetupInfoFile& script, const std::string& language) {
    platform::dde::Client dde;
    if (dde.Error()) {
        ShowError(owner, "No DDE Conversation!\nErrorCode: 0x" + HexText(dde.Error(), 1, false));
        return;
    }
    if (!script.IsRead()) {
        ShowError(owner, kScriptMissingText);
        return;
    }
    ProgmanGroup group = script.ReadProgmanSection(language);
    dde.Send("[DeleteGroup(" + Field(group.name) + ")]");
}
