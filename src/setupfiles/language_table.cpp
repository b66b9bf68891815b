#include "setupfiles/language_table.h"

#include "setupfiles/text_ids.h"

#include "setupfiles/text_line.h"

const LanguageKey kLanguageKeys[kLanguageKeyCount] = {
    {"[BUTTON_OK]", kTextButtonOk},
    {"[BUTTON_CANCEL]", kTextButtonCancel},
    {"[BUTTON_RESET]", kTextButtonReset},
    {"[BUTTON_ADD]", kTextButtonAdd},
    {"[BUTTON_EDIT]", kTextButtonEdit},
    {"[BUTTON_REMOVE]", kTextButtonRemove},
    {"[BUTTON_CHANGE]", kTextButtonChange},
    {"[DLG_MAIN_CAPTION]", kTextDlgMainCaption},
    {"[DLG_MAIN_INTRO]", kTextDlgMainIntro},
    {"[DLG_MAIN_VERSION]", kTextDlgMainVersion},
    {"[DLG_MAIN_LANGUAGE]", kTextDlgMainLanguage},
    {"[DLG_MAIN_INSTALL]", kTextDlgMainInstall},
    {"[DLG_MAIN_CONFIG]", kTextDlgMainConfig},
    {"[DLG_MAIN_DEINSTALL]", kTextDlgMainDeinstall},
    {"[DLG_MAIN_ABOUT]", kTextDlgMainAbout},
    {"[DLG_MAIN_EXIT]", kTextDlgMainExit},
    {"[DLG_ABOUT_CAPTION]", kTextDlgAboutCaption},
    {"[DLG_ABOUT_TEXT]", kTextDlgAboutText},
    {"[DLG_ABOUT_DRIVERVERSION]", kTextDlgAboutDriverversion},
    {"[DLG_ABOUT_FILEVERSION]", kTextDlgAboutFileversion},
    {"[DLG_VER_CAPTION]", kTextDlgVerCaption},
    {"[DLG_VER_VERTEXT]", kTextDlgVerVertext},
    {"[DLG_INS_CAPTION]", kTextDlgInsCaption},
    {"[DLG_INS_INSTALL]", kTextDlgInsInstall},
    {"[DLG_INS_SOURCEPATH]", kTextDlgInsSourcepath},
    {"[DLG_INS_DESTPATH]", kTextDlgInsDestpath},
    {"[DLG_INS_CSOURCE]", kTextDlgInsCsource},
    {"[DLG_INS_CDEST]", kTextDlgInsCdest},
    {"[DLG_CHP_CAPTION]", kTextDlgChpCaption},
    {"[DLG_CHP_HELP]", kTextDlgChpHelp},
    {"[DLG_CHP_CURPATH]", kTextDlgChpCurpath},
    {"[DLG_CHP_DRIVE]", kTextDlgChpDrive},
    {"[DLG_DEI_CAPTION]", kTextDlgDeiCaption},
    {"[DLG_DEI_WARNING]", kTextDlgDeiWarning},
    {"[DLG_DEI_OKTXT]", kTextDlgDeiOktxt},
    {"[DLG_DEI_CANCELTXT]", kTextDlgDeiCanceltxt},
    {"[DLG_DEI_OK]", kTextDlgDeiOk},
    {"[DLG_DEI_AREYOUSURE]", kTextDlgDeiAreyousure},
    {"[DLG_CFG_CAPTION]", kTextDlgCfgCaption},
    {"[DLG_CFG_ADAPTER]", kTextDlgCfgAdapter},
    {"[DLG_CFG_ADVANCED]", kTextDlgCfgAdvanced},
    {"[DLG_CFG_MAINTENANCE]", kTextDlgCfgMaintenance},
    {"[DLG_CFG_G_GENERAL]", kTextDlgCfgGGeneral},
    {"[DLG_CFG_G_ADAPTER]", kTextDlgCfgGAdapter},
    {"[DLG_CFG_G_ADVANCED]", kTextDlgCfgGAdvanced},
    {"[DLG_CFG_PROTO]", kTextDlgCfgProto},
    {"[DLG_CFG_START]", kTextDlgCfgStart},
    {"[DLG_CFG_TEST]", kTextDlgCfgTest},
    {"[DLG_CFG_CHANGE]", kTextDlgCfgChange},
    {"[DLG_CFG_INTERRUPT]", kTextDlgCfgInterrupt},
    {"[DLG_CFG_BASEADD]", kTextDlgCfgBaseadd},
    {"[DLG_CFG_SPID]", kTextDlgCfgSpid},
    {"[DLG_CFG_DOSVECTOR]", kTextDlgCfgDosvector},
    {"[DLG_CFG_X31LAYER2]", kTextDlgCfgX31layer2},
    {"[DLG_CFG_DATAIO]", kTextDlgCfgDataio},
    {"[DLG_CFG_DELIVERYCONF]", kTextDlgCfgDeliveryconf},
    {"[DLG_CFG_POINT2POINT]", kTextDlgCfgPoint2point},
    {"[DLG_CFG_G_SECURITY]", kTextDlgCfgGSecurity},
    {"[DLG_CFG_ISMAINTENANCE]", kTextDlgCfgIsmaintenance},
    {"[DLG_CFG_CIP]", kTextDlgCfgCip},
    {"[DLG_CFG_MNTADP]", kTextDlgCfgMntadp},
    {"[DLG_CFG_USERNAME]", kTextDlgCfgUsername},
    {"[DLG_CFG_PASSWORD]", kTextDlgCfgPassword},
    {"[DLG_CFG_CDPN]", kTextDlgCfgCdpn},
    {"[DLG_CFG_CDPS]", kTextDlgCfgCdps},
    {"[DLG_CFG_CG]", kTextDlgCfgCg},
    {"[DLG_CFG_CGCOM]", kTextDlgCfgCgcom},
    {"[DLG_CPN_CAPTION_ADD]", kTextDlgCpnCaptionAdd},
    {"[DLG_CPN_CAPTION_EDIT]", kTextDlgCpnCaptionEdit},
    {"[DLG_CPN_CGPN]", kTextDlgCpnCgpn},
    {"[DLG_CPN_CGPS]", kTextDlgCpnCgps},
    {"[DLG_CHG_CAPTION]", kTextDlgChgCaption},
    {"[DLG_CHG_INSADPS]", kTextDlgChgInsadps},
    {"[DLG_CCI_CAPTION]", kTextDlgCciCaption},
    {"[DLG_CCI_INFOTXT]", kTextDlgCciInfotxt},
    {"[DLG_CCI_APPLYNEW]", kTextDlgCciApplynew},
    {"[DLG_CCI_RESTOREOLD]", kTextDlgCciRestoreold},
    {"[DLG_CCI_CANCELTXT]", kTextDlgCciCanceltxt},
    {"[DLG_CCI_APPLY]", kTextDlgCciApply},
    {"[DLG_CCI_RESTORE]", kTextDlgCciRestore},
    {"[MSG_CAPTION]", kTextMsgCaption},
    {"[DLG_YNO_YES]", kTextDlgYnoYes},
    {"[DLG_YNO_NO]", kTextDlgYnoNo},
    {"[DLG_YNO_ALL]", kTextDlgYnoAll},
    {"[DLG_ARI_RETRY]", kTextDlgAriRetry},
    {"[DLG_ARI_IGNORE]", kTextDlgAriIgnore},
    {"[ERR_INVALID_OS]", kTextErrInvalidOs},
    {"[ERR_NORIGHTS]", kTextErrNorights},
    {"[ERR_WRITEPROTECTED]", kTextErrWriteprotected},
    {"[ERR_NOWRITEACCESS]", kTextErrNowriteaccess},
    {"[ERR_INS_NOSUCCESS]", kTextErrInsNosuccess},
    {"[ERR_FILENOTFOUND]", kTextErrFilenotfound},
    {"[ERR_CANTWRITE]", kTextErrCantwrite},
    {"[ERR_DEI_FILENOTFOUND]", kTextErrDeiFilenotfound},
    {"[ERR_DEI_CANTDELETE]", kTextErrDeiCantdelete},
    {"[ERR_DEI_KEYNOTFOUND]", kTextErrDeiKeynotfound},
    {"[ERR_DEI_NOREMOVEKEY]", kTextErrDeiNoremovekey},
    {"[ERR_DEI_NOSUCCESS]", kTextErrDeiNosuccess},
    {"[ERR_CFG_NOKEY]", kTextErrCfgNokey},
    {"[ERR_CFG_NOKEYMODIFY]", kTextErrCfgNokeymodify},
    {"[ERR_CFG_NOVALMODIFY]", kTextErrCfgNovalmodify},
    {"[ERR_CFG_NOVALQUERY]", kTextErrCfgNovalquery},
    {"[ERR_CFG_NOAUTOEXEC]", kTextErrCfgNoautoexec},
    {"[INFO_SCANVERSION]", kTextInfoScanversion},
    {"[INFO_CREATEPATH]", kTextInfoCreatepath},
    {"[INFO_COPYFILE]", kTextInfoCopyfile},
    {"[INFO_EXPANDFILE]", kTextInfoExpandfile},
    {"[INFO_SETUPSYSENTRIES]", kTextInfoSetupsysentries},
    {"[INFO_OTHERMANU]", kTextInfoOthermanu},
    {"[INFO_INS_DONE]", kTextInfoInsDone},
    {"[INFO_DELETEFILE]", kTextInfoDeletefile},
    {"[INFO_REMOVESYSENTRIES]", kTextInfoRemovesysentries},
    {"[INFO_DEI_DONE]", kTextInfoDeiDone},
    {"[QUEST_OVERWRITENEW]", kTextQuestOverwritenew},
    {"[QUEST_APPLYOLD]", kTextQuestApplyold},
    {"[QUEST_RESTARTSYSTEM]", kTextQuestRestartsystem},
    {"[QUEST_CCI_APPLYNEW]", kTextQuestCciApplynew},
    {"[QUEST_CCI_RESTOREOLD]", kTextQuestCciRestoreold},
    {"[QUEST_CFG_RESET]", kTextQuestCfgReset},
    {"[QUEST_CFG_ABORT]", kTextQuestCfgAbort},
    {"[QUEST_INFO_ABORT]", kTextQuestInfoAbort},
    {"[TYPE_START_BOOT]", kTextTypeStartBoot},
    {"[TYPE_START_SYSTEM]", kTextTypeStartSystem},
    {"[TYPE_START_AUTO]", kTextTypeStartAuto},
    {"[TYPE_START_DEMAND]", kTextTypeStartDemand},
    {"[TYPE_START_DISABLED]", kTextTypeStartDisabled},
    {"[TYPE_LAYER_DIRECT]", kTextTypeLayerDirect},
    {"[TYPE_LAYER_VIRTUAL]", kTextTypeLayerVirtual},
    {"[TYPE_LAYER_ACTIVE]", kTextTypeLayerActive},
    {"[TYPE_DATAIO_DIRECT]", kTextTypeDataioDirect},
    {"[TYPE_DATAIO_BUFFERED]", kTextTypeDataioBuffered},
    {"[TYPE_DLC_AUTO]", kTextTypeDlcAuto},
    {"[TYPE_DLC_ON]", kTextTypeDlcOn},
    {"[TYPE_DLC_OFF]", kTextTypeDlcOff},
    {"[TYPE_TEST_ADAPTER]", kTextTypeTestAdapter},
    {"[TYPE_TEST_ADAPTER+S0]", kTextTypeTestAdapterS0},
    {"[TEXT_ADAPTER]", kTextTextAdapter},
    {"[TEXT_ADAPTER_ALL]", kTextTextAdapterAll},
    {"[TEXT_UNKNOWN_PROTO]", kTextTextUnknownProto},
    {"[TEXT_NOCAPIINSTALLED]", kTextTextNocapiinstalled},
    {"[TEXT_UNKNOWNVERSION]", kTextTextUnknownversion},
};

const AddedLanguageKey kAddedLanguageKeys[kAddedLanguageKeyCount] = {
    {"[ERR_WRONGPROCESSOR]", kTextErrWrongProcessor,
     "The driver of this distribution is made for %s and cannot be loaded by this Windows (%s). Nothing has "
     "been changed."},
    {"[ERR_ALREADYRUNNING]", kTextErrAlreadyRunning,
     "Quorel Setup is already running on this computer. Finish that run first, then start it again."},
    {"[TEXT_CAPI_WOW64]", kTextTextCapiUnreadableWow64,
     "Not readable by a 32-bit program on 64-bit Windows (see the file versions)"},
    {"[ERR_NAMEOUTSIDE]", kTextErrNameOutside,
     "The setup information file %s names a file outside its directory (%s, line %s: %s). Nothing has been "
     "changed."},
    {"[TEXT_COMMANDLINE]", kTextTextCommandLine,
     "SETUP [/c | /d] [/l<language>] [/f<file>]\n"
     "       [/s] [/a<answer file>] [/r<report file>] [/v]\n"
     "\n"
     "(none)\tinstalls the driver\n"
     "/c\tconfigures the installed driver\n"
     "/d\tremoves the installed driver\n"
     "/l\tlanguage of the dialogs\n"
     "/f\tsetup information file other than SETUP.QZT\n"
     "/s\tsilent: no window, messages to the report\n"
     "/a\tanswer file (implies /s)\n"
     "/r\treport file\n"
     "/v\tchecks the installation (exit code 0 or 1)\n"
     "/?, /h\tthis text"},
    {"[ERR_LINKEDFILE]", kTextErrLinkedFile,
     "%s is linked to another file (a hard link or a reparse point). Nothing has been written through it."},
};

namespace {

// On the heap: a static array of strings is stored in the program's file as 700 strings that point into
// themselves, 16 KiB and a relocation each.
std::vector<std::string>& Slots() {
    static std::vector<std::string> slots(kTextSlots);
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

bool FindLanguageKey(platform::InputFile& file, const char* key, int textId) {
    std::string line;
    // Never rewinds: a key missing or out of order reads to the end, and so fails every key after it.
    while (ReadTextLine(file, line)) {
        if (line == key) {
            ReadTextLine(file, line);
            Slots()[textId] = line;
            return true;
        }
    }
    return false;
}

int LoadLanguageTable(const std::string& languageFile, std::vector<std::string>& missingKeys) {
    missingKeys.clear();
    platform::InputFile file(languageFile);
    if (!file.IsOpen())
        return 0;
    for (const LanguageKey& entry : kLanguageKeys)
        if (!FindLanguageKey(file, entry.key, entry.textId))
            missingKeys.push_back(entry.key);
    // The added keys follow in any order; a file made before one of them was added keeps the English text.
    for (const AddedLanguageKey& added : kAddedLanguageKeys) Slots()[added.textId] = added.english;
    std::string line;
    while (ReadTextLine(file, line)) {
        for (const AddedLanguageKey& added : kAddedLanguageKeys) {
            if (line == added.key) {
                ReadTextLine(file, line, kAddedTextWidth);
                Slots()[added.textId] = line;
                break;
            }
        }
    }
    return 1;
}
