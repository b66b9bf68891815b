#include "setupfiles/language_table.h"

#include <array>

#include "platform/user_interface.h"
#include "setupfiles/text_line.h"
#include "shell/app_context.h"
#include "shell/message_boxes.h"

const LanguageKey kLanguageKeys[kLanguageKeyCount] = {
    {"[BUTTON_OK]", 0},
    {"[BUTTON_CANCEL]", 1},
    {"[BUTTON_RESET]", 6},
    {"[BUTTON_ADD]", 4},
    {"[BUTTON_EDIT]", 3},
    {"[BUTTON_REMOVE]", 5},
    {"[BUTTON_CHANGE]", 2},
    {"[DLG_MAIN_CAPTION]", 7},
    {"[DLG_MAIN_INTRO]", 15},
    {"[DLG_MAIN_VERSION]", 17},
    {"[DLG_MAIN_LANGUAGE]", 16},
    {"[DLG_MAIN_INSTALL]", 9},
    {"[DLG_MAIN_CONFIG]", 10},
    {"[DLG_MAIN_DEINSTALL]", 11},
    {"[DLG_MAIN_ABOUT]", 12},
    {"[DLG_MAIN_EXIT]", 13},
    {"[DLG_ABOUT_CAPTION]", 19},
    {"[DLG_ABOUT_TEXT]", 20},
    {"[DLG_ABOUT_DRIVERVERSION]", 21},
    {"[DLG_ABOUT_FILEVERSION]", 23},
    {"[DLG_VER_CAPTION]", 24},
    {"[DLG_VER_VERTEXT]", 25},
    {"[DLG_INS_CAPTION]", 27},
    {"[DLG_INS_INSTALL]", 28},
    {"[DLG_INS_SOURCEPATH]", 33},
    {"[DLG_INS_DESTPATH]", 34},
    {"[DLG_INS_CSOURCE]", 31},
    {"[DLG_INS_CDEST]", 32},
    {"[DLG_CHP_CAPTION]", 105},
    {"[DLG_CHP_HELP]", 110},
    {"[DLG_CHP_CURPATH]", 109},
    {"[DLG_CHP_DRIVE]", 111},
    {"[DLG_DEI_CAPTION]", 35},
    {"[DLG_DEI_WARNING]", 37},
    {"[DLG_DEI_OKTXT]", 38},
    {"[DLG_DEI_CANCELTXT]", 39},
    {"[DLG_DEI_OK]", 36},
    {"[DLG_DEI_AREYOUSURE]", 40},
    {"[DLG_CFG_CAPTION]", 41},
    {"[DLG_CFG_ADAPTER]", 49},
    {"[DLG_CFG_ADVANCED]", 51},
    {"[DLG_CFG_MAINTENANCE]", 52},
    {"[DLG_CFG_G_GENERAL]", 42},
    {"[DLG_CFG_G_ADAPTER]", 43},
    {"[DLG_CFG_G_ADVANCED]", 45},
    {"[DLG_CFG_PROTO]", 47},
    {"[DLG_CFG_START]", 54},
    {"[DLG_CFG_TEST]", 58},
    {"[DLG_CFG_CHANGE]", 2},
    {"[DLG_CFG_INTERRUPT]", 63},
    {"[DLG_CFG_BASEADD]", 62},
    {"[DLG_CFG_SPID]", 66},
    {"[DLG_CFG_DOSVECTOR]", 57},
    {"[DLG_CFG_X31LAYER2]", 73},
    {"[DLG_CFG_DATAIO]", 67},
    {"[DLG_CFG_DELIVERYCONF]", 71},
    {"[DLG_CFG_POINT2POINT]", 69},
    {"[DLG_CFG_G_SECURITY]", 46},
    {"[DLG_CFG_ISMAINTENANCE]", 74},
    {"[DLG_CFG_CIP]", 75},
    {"[DLG_CFG_MNTADP]", 77},
    {"[DLG_CFG_USERNAME]", 78},
    {"[DLG_CFG_PASSWORD]", 80},
    {"[DLG_CFG_CDPN]", 82},
    {"[DLG_CFG_CDPS]", 84},
    {"[DLG_CFG_CG]", 86},
    {"[DLG_CFG_CGCOM]", 88},
    {"[DLG_CPN_CAPTION_ADD]", 90},
    {"[DLG_CPN_CAPTION_EDIT]", 89},
    {"[DLG_CPN_CGPN]", 91},
    {"[DLG_CPN_CGPS]", 93},
    {"[DLG_CHG_CAPTION]", 95},
    {"[DLG_CHG_INSADPS]", 96},
    {"[DLG_CCI_CAPTION]", 98},
    {"[DLG_CCI_INFOTXT]", 99},
    {"[DLG_CCI_APPLYNEW]", 100},
    {"[DLG_CCI_RESTOREOLD]", 101},
    {"[DLG_CCI_CANCELTXT]", 102},
    {"[DLG_CCI_APPLY]", 103},
    {"[DLG_CCI_RESTORE]", 104},
    {"[MSG_CAPTION]", 112},
    {"[DLG_YNO_YES]", 115},
    {"[DLG_YNO_NO]", 116},
    {"[DLG_YNO_ALL]", 117},
    {"[DLG_ARI_RETRY]", 118},
    {"[DLG_ARI_IGNORE]", 119},
    {"[ERR_INVALID_OS]", 200},
    {"[ERR_NORIGHTS]", 201},
    {"[ERR_WRITEPROTECTED]", 202},
    {"[ERR_NOWRITEACCESS]", 203},
    {"[ERR_INS_NOSUCCESS]", 204},
    {"[ERR_FILENOTFOUND]", 205},
    {"[ERR_CANTWRITE]", 206},
    {"[ERR_DEI_FILENOTFOUND]", 207},
    {"[ERR_DEI_CANTDELETE]", 208},
    {"[ERR_DEI_KEYNOTFOUND]", 211},
    {"[ERR_DEI_NOREMOVEKEY]", 210},
    {"[ERR_DEI_NOSUCCESS]", 209},
    {"[ERR_CFG_NOKEY]", 213},
    {"[ERR_CFG_NOKEYMODIFY]", 214},
    {"[ERR_CFG_NOVALMODIFY]", 216},
    {"[ERR_CFG_NOVALQUERY]", 215},
    {"[ERR_CFG_NOAUTOEXEC]", 212},
    {"[INFO_SCANVERSION]", 300},
    {"[INFO_CREATEPATH]", 301},
    {"[INFO_COPYFILE]", 302},
    {"[INFO_EXPANDFILE]", 303},
    {"[INFO_SETUPSYSENTRIES]", 304},
    {"[INFO_OTHERMANU]", 305},
    {"[INFO_INS_DONE]", 306},
    {"[INFO_DELETEFILE]", 307},
    {"[INFO_REMOVESYSENTRIES]", 308},
    {"[INFO_DEI_DONE]", 309},
    {"[QUEST_OVERWRITENEW]", 401},
    {"[QUEST_APPLYOLD]", 402},
    {"[QUEST_RESTARTSYSTEM]", 410},
    {"[QUEST_CCI_APPLYNEW]", 403},
    {"[QUEST_CCI_RESTOREOLD]", 404},
    {"[QUEST_CFG_RESET]", 406},
    {"[QUEST_CFG_ABORT]", 407},
    {"[QUEST_INFO_ABORT]", 405},
    {"[TYPE_START_BOOT]", 501},
    {"[TYPE_START_SYSTEM]", 502},
    {"[TYPE_START_AUTO]", 503},
    {"[TYPE_START_DEMAND]", 504},
    {"[TYPE_START_DISABLED]", 505},
    {"[TYPE_LAYER_DIRECT]", 506},
    {"[TYPE_LAYER_VIRTUAL]", 507},
    {"[TYPE_LAYER_ACTIVE]", 508},
    {"[TYPE_DATAIO_DIRECT]", 512},
    {"[TYPE_DATAIO_BUFFERED]", 513},
    {"[TYPE_DLC_AUTO]", 509},
    {"[TYPE_DLC_ON]", 510},
    {"[TYPE_DLC_OFF]", 511},
    {"[TYPE_TEST_ADAPTER]", 514},
    {"[TYPE_TEST_ADAPTER+S0]", 515},
    {"[TEXT_ADAPTER]", 601},
    {"[TEXT_ADAPTER_ALL]", 602},
    {"[TEXT_UNKNOWN_PROTO]", 603},
    {"[TEXT_NOCAPIINSTALLED]", 604},
    {"[TEXT_UNKNOWNVERSION]", 605},
};

namespace {

std::array<std::string, kTextSlots>& Slots() {
    static std::array<std::string, kTextSlots> slots;
    return slots;
}

}  // namespace

const std::string& Text(int textId) {
    static const std::string empty;
    return textId >= 0 && textId < kTextSlots ? Slots()[textId] : empty;
}

void ClearLanguageTable() {
    for (std::string& slot : Slots()) slot.clear();
}

void FindLanguageKey(platform::InputFile& file, const char* key, int textId) {
    std::string line;
    // Never rewinds: a key missing or out of order reads to the end, and so fails every key after it.
    while (ReadTextLine(file, line)) {
        if (line == key) {
            ReadTextLine(file, line);
            Slots()[textId] = line;
            return;
        }
    }
    ShowError(nullptr, std::string("LNG Section not found: ") + key);
}

int LoadLanguageTable() {
    platform::ui::ShowWaitCursor(true);
    const AppContext& app = App();
    std::string fileName;
    if (app.LanguageIndex >= 0 && static_cast<size_t>(app.LanguageIndex) < app.Languages.entries.size())
        fileName = app.Languages.entries[app.LanguageIndex].fileName;
    platform::InputFile file(JoinPath(app.SetupDirectory, fileName));
    if (!file.IsOpen()) {
        platform::ui::ShowWaitCursor(false);
        ShowError(nullptr, "Language is not supported!");
        return 0;
    }
    for (const LanguageKey& entry : kLanguageKeys) FindLanguageKey(file, entry.key, entry.textId);
    file.Close();
    platform::ui::ShowWaitCursor(false);
    return 1;
}
