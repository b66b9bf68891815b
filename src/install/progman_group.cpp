#include "install/progman_group.h"

#include <cstdio>

#include "platform/dde.h"
#include "ui/user_interface.h"
#include "setupfiles/text_line.h"
#include "ui/message_boxes.h"

namespace {

constexpr size_t kCommandWidth = 260;

std::string Command(const std::string& text) {
    return FitField(text, kCommandWidth);
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
    return Command("[AddItem(" + command + " " + item.Parameters + "," + item.Title + "," + icon + "," +
                   std::to_string(static_cast<uint16_t>(item.IconIndex)) + "," +
                   std::to_string(20 + 75 * index) + ",10," + directory + ")]");
}

}  // namespace

std::vector<std::string> ProgmanBuildCommands(const ProgmanGroup& group, const std::string& programName,
                                              const std::string& installDirectory) {
    std::vector<std::string> commands = {
        Command("[DeleteGroup(" + group.name + ")]"),
        Command("[CreateGroup(\"" + group.name + "\",0)]"),
        Command("[ShowGroup(\"" + group.name + "\",1)]"),
    };
    for (size_t k = 0; k < group.items.size(); ++k)
        commands.push_back(AddItemCommand(group.items[k], k, programName, installDirectory));
    commands.push_back(Command("[ShowGroup(\"" + group.name + "\",6)]"));
    return commands;
}

void BuildProgmanGroup(WindowRef owner, const std::string& script, const std::string& language,
                       const std::string& programName, const std::string& installDirectory) {
    platform::dde::Client dde;
    if (dde.Error()) {
        ShowError(owner, "No DDE conversation!");
        return;
    }
    ProgmanGroup group;
    if (ReadProgmanSection(script, language, group) == kScriptMissing)
        ShowError(owner, kScriptMissingText);
    std::vector<std::string> commands = ProgmanBuildCommands(group, programName, installDirectory);
    size_t firstItem = 3, lastItem = commands.size() - 1;
    for (size_t i = 0; i < commands.size(); ++i) {
        dde.Send(commands[i]);
        if (i >= firstItem && i < lastItem)
            platform::dde::PauseBetweenItems();
    }
    // The Program Manager pushed its group window to the front; bring the owner back.
    ui::CenterAndActivate(owner);
}

void RemoveProgmanGroup(WindowRef owner, const std::string& script, const std::string& language) {
    platform::dde::Client dde;
    if (dde.Error()) {
        char code[16];
        std::snprintf(code, sizeof code, "%x", dde.Error());
        ShowError(owner, std::string("No DDE Conversation!\nErrorCode: 0x") + code);
        return;
    }
    ProgmanGroup group;
    if (ReadProgmanSection(script, language, group) == kScriptMissing) {
        ShowError(owner, kScriptMissingText);
        return;
    }
    dde.Send(Command("[DeleteGroup(" + group.name + ")]"));
}
