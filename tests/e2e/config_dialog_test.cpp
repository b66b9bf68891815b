#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "resources/install_ids.h"
#include "resources/configstore_ids.h"
#include "distribution_fixture.h"
#include "harness.h"
#include "machine_state.h"
#include "resources/configdialog_ids.h"

namespace {

using namespace e2e;

constexpr int kAction = IDC_MAIN_ACTION, kExit = IDC_MAIN_EXIT;
constexpr int kInstall = IDC_INSTALL_START, kSource = IDC_INSTALL_SOURCE,
              kDestination = IDC_INSTALL_DESTINATION;
constexpr int kMsgOk = IDC_MSG_OK, kYes = IDC_ASK_YES, kNo = IDC_ASK_NO;
constexpr int kIntegrityApply = IDC_CCI_APPLY, kIntegrityRestore = IDC_CCI_RESTORE,
              kIntegrityCancel = IDC_CCI_CANCEL;
constexpr int kLongWaitMs = 60000;
constexpr int kNationalIsdn = 2;  // the sample's protocol with SPIDs

// Types into an edit control of SETUP.EXE (wide text, so that it crosses the process boundary whole).
void SetControlText(HWND dialog, int id, const std::string& text) {
    std::wstring wide(text.begin(), text.end());
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

// The page of the frame that holds the control.
HWND PageWith(HWND frame, int id) {
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "#32770" && GetDlgItem(child, id))
            return child;
    }
    return nullptr;
}

bool Pushed(HWND dialog, int id) {
    return (SendMessageA(GetDlgItem(dialog, id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

std::string Selected(HWND dialog, int id) {
    int selected = ComboSelection(dialog, id);
    std::vector<std::string> entries = ComboEntries(dialog, id);
    return selected >= 0 && static_cast<size_t>(selected) < entries.size() ? entries[selected] : "<none>";
}

std::string AdapterKey(int number) {
    return std::string(kParametersKey) + "\\Adapter0" + std::to_string(number);
}

const std::string kMaintenanceKey = std::string(kParametersKey) + "\\Maintenance";

// Checks or clears a check box as a click does: the new state, then the dialog's notification.
void ClickCheckBox(HWND dialog, int id, bool checked) {
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    PressButton(dialog, id);
}

bool Checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> ListLines(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> lines;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[256] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 256)
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
        std::wstring wide(buffer);
        lines.push_back(std::string(wide.begin(), wide.end()));
    }
    return lines;
}

// Selects a line of a list box as a click does.
void SelectListLine(HWND dialog, int id, int index) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool HasRegistryValue(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::string data;
    return ReadRegistryValue(key, name, &type, &data);
}

bool ItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool ItemVisible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

std::string ClassOf(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class ConfigDialogTest : public DistributionFixture {
  protected:
    static bool Answer(const SetupProcess& setup, const std::string& text, int button,
                       int timeoutMs = kLongWaitMs) {
        HWND window = setup.WaitForText(text, timeoutMs);
        if (!window)
            return false;
        PressButton(window, button);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }));
        return true;
    }

    // The frame, which shows up only with its pages filled.
    static HWND WaitForFrame(const SetupProcess& setup, int timeoutMs = kLongWaitMs) {
        HWND frame =
            setup.WaitForControls({IDC_CFG_SHOW_ADAPTER, IDC_CFG_SHOW_ADVANCED, IDC_CFG_RESET}, timeoutMs);
        if (!frame)
            return nullptr;
        HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
        EXPECT_FALSE(ComboEntries(adapter, IDC_CFG_ADAPTERS).empty()) << "visible before it was filled";
        EXPECT_FALSE(ComboEntries(adapter, IDC_CFG_PROTOCOL).empty()) << "visible before it was filled";
        return frame;
    }

    // Installs with the default paths; the run ends with the configuration dialog open.
    HWND Install(const SetupProcess& setup, HWND* main) const {
        // The first program of a fresh prefix waits for Wine to set the prefix up.
        *main = setup.SkipIntroToMainDialog(kLongWaitMs);
        if (!*main)
            return nullptr;
        PressButton(*main, kAction);
        HWND install = setup.WaitForControls(
            {kSource, kDestination, IDC_INSTALL_CHANGE_SOURCE, IDC_INSTALL_CHANGE_DESTINATION});
        if (!install)
            return nullptr;
        PressButton(install, kInstall);
        if (!Answer(setup, English("[INFO_INS_DONE]"), kMsgOk))
            return nullptr;
        return WaitForFrame(setup);
    }

    // A first installation, left with OK in the configuration dialog and Exit.
    void InstallAndLeave() const {
        SetupProcess setup(dir_, "");
        HWND main = nullptr;
        HWND frame = Install(setup, &main);
        ASSERT_NE(frame, nullptr);
        PressButton(frame, IDC_CFG_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
        ExitProgram(setup, main, true);
    }

    // SETUP.EXE /c with the configuration dialog opened from its button.
    static HWND OpenConfiguration(const SetupProcess& setup, HWND* main) {
        *main = setup.SkipIntroToMainDialog();
        if (!*main)
            return nullptr;
        PressButton(*main, kAction);
        return WaitForFrame(setup);
    }

    void ExitProgram(const SetupProcess& setup, HWND main, bool restartExpected) const {
        PressButton(main, kExit);
        if (restartExpected) {
            EXPECT_TRUE(Answer(setup, English("[QUEST_RESTARTSYSTEM]"), IDOK)) << "no restart text";
        }
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(&code));
        EXPECT_EQ(code, 0u);
    }

    // The distribution's "[MAINTENANCE]" section made of these lines.
    void SetMaintenanceSection(const std::vector<std::string>& lines) const {
        std::string path = dir_ + "\\SETUP.QZT";
        std::string script = ReadFileBytes(path);
        size_t start = script.find("[MAINTENANCE]\r\n");
        ASSERT_NE(start, std::string::npos);
        size_t end = script.find("\r\n\r\n", start);
        ASSERT_NE(end, std::string::npos);
        std::string section = "[MAINTENANCE]";
        for (const std::string& line : lines) section += "\r\n" + line;
        WriteFileBytes(path, script.replace(start, end - start, section));
    }

    // Adds a calling number with "DLG_partynumber" from the maintenance page.
    void AddCallingNumber(const SetupProcess& setup, HWND page, const std::string& number,
                          const std::string& subaddress) const {
        PressButton(page, IDC_CFG_ADD_NUMBER);
        HWND editor = setup.WaitForControls({IDC_CPN_NUMBER, IDC_CPN_SUBADDRESS});
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(WindowText(editor), English("[DLG_CPN_CAPTION_ADD]"));
        SetControlText(editor, IDC_CPN_NUMBER, number);
        SetControlText(editor, IDC_CPN_SUBADDRESS, subaddress);
        PressButton(editor, IDC_CPN_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); }));
    }
};

TEST_F(ConfigDialogTest, InstallationEndsInItAndOkWritesAll) {
    SetupProcess setup(dir_, "");
    HWND main = nullptr;
    HWND frame = Install(setup, &main);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowText(frame), English("[DLG_CFG_CAPTION]"));
    HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
    HWND advanced = PageWith(frame, IDC_CFG_DOS_VECTOR);
    ASSERT_NE(adapter, nullptr);
    ASSERT_NE(advanced, nullptr);
    EXPECT_TRUE(IsWindowVisible(adapter));
    EXPECT_FALSE(IsWindowVisible(advanced));
    EXPECT_TRUE(Pushed(frame, IDC_CFG_SHOW_ADAPTER));
    EXPECT_FALSE(Pushed(frame, IDC_CFG_SHOW_ADVANCED));
    EXPECT_EQ(Selected(adapter, IDC_CFG_PROTOCOL), "DSS1 (Euro-ISDN)");
    EXPECT_EQ(ControlText(adapter, IDC_CFG_BASE_ADDRESS), "260");
    EXPECT_EQ(Selected(adapter, IDC_CFG_INTERRUPT), "3");
    EXPECT_EQ(Selected(advanced, IDC_CFG_DOS_VECTOR), "F1");

    // The advanced page on view, its button pushed.
    PressButton(frame, IDC_CFG_SHOW_ADVANCED);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(advanced) && !IsWindowVisible(adapter); }));
    EXPECT_TRUE(Pushed(frame, IDC_CFG_SHOW_ADVANCED));
    EXPECT_FALSE(Pushed(frame, IDC_CFG_SHOW_ADAPTER));

    // What OK writes replaces what stands in the registry now.
    SetRegistryText(kIntegrityKey, "RegistryBackup", "stale");
    DeleteRegistryTree(AdapterKey(1));
    PressButton(frame, IDC_CFG_OK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    EXPECT_NE(RegistryText(kIntegrityKey, "RegistryBackup"), "stale");
    EXPECT_EQ(RegistryNumber(AdapterKey(1), "BaseAddress"), 0x260u);
    EXPECT_EQ(RegistryNumber(AdapterKey(1), "Interrupt"), 3u);
    EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 1u);
    EXPECT_EQ(RegistryText(kServiceKey, "ImagePath"), "\\SystemRoot\\System32\\drivers\\qdss1.sys");
    ExitProgram(setup, main, true);
}

TEST_F(ConfigDialogTest, ConfigureSwitchOpensOne) {
    InstallAndLeave();
    SetupProcess setup(dir_, "/c");
    HWND main = nullptr;
    HWND frame = OpenConfiguration(setup, &main);
    ASSERT_NE(frame, nullptr);
    // Pressing the button again brings the open one forward, in front of the main dialog, and opens no
    // second one.
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }));
    PressButton(main, kAction);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }));
    auto frames = [&] {
        int count = 0;
        for (HWND window : setup.Windows()) count += GetDlgItem(window, IDC_CFG_SHOW_ADAPTER) != nullptr;
        return count;
    };
    ExpectStays([&] { return frames() == 1; }, 500, "one configuration dialog");
    SetRegistryText(kIntegrityKey, "RegistryBackup", "stale");
    PressButton(frame, IDC_CFG_OK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    EXPECT_NE(RegistryText(kIntegrityKey, "RegistryBackup"), "stale");
    ExitProgram(setup, main, true);
}

TEST_F(ConfigDialogTest, CancelAsksAndNoKeepsTheDialogOpen) {
    InstallAndLeave();
    SetupProcess setup(dir_, "/c");
    HWND main = nullptr;
    HWND frame = OpenConfiguration(setup, &main);
    ASSERT_NE(frame, nullptr);
    PressButton(frame, IDC_CFG_CANCEL);
    ASSERT_TRUE(Answer(setup, English("[QUEST_CFG_ABORT]"), IDNO, kDefaultWaitMs));
    ExpectStays([&] { return IsWindow(frame) != FALSE; }, 300, "the configuration dialog after No");
    // The close box asks the same.
    CloseWindowBySystemMenu(frame);
    ASSERT_TRUE(Answer(setup, English("[QUEST_CFG_ABORT]"), IDYES, kDefaultWaitMs));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    ExitProgram(setup, main, false);
}

TEST_F(ConfigDialogTest, TabMovesThroughTheAdapterPageControls) {
    InstallAndLeave();
    SetupProcess setup(dir_, "/c");
    HWND main = nullptr;
    HWND frame = OpenConfiguration(setup, &main);
    ASSERT_NE(frame, nullptr);
    HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
    auto focusedId = [&] {
        HWND focus = FocusedWindow(frame);
        if (focus && GetParent(focus) != adapter && GetParent(focus) != frame)
            focus = GetParent(focus);  // a combo box's own child
        return focus ? GetDlgCtrlID(focus) : -1;
    };
    ASSERT_TRUE(WaitFor([&] { return focusedId() == IDC_CFG_PROTOCOL; })) << focusedId();
    // The installed protocol has no SPID, so its field is disabled and passed over.
    for (int expected : {IDC_CFG_START, IDC_CFG_TEST, IDC_CFG_ADAPTERS, IDC_CFG_CHANGE, IDC_CFG_INTERRUPT,
                         IDC_CFG_BASE_ADDRESS, IDC_CFG_OK, IDC_CFG_RESET, IDC_CFG_CANCEL}) {
        PostKey(FocusedWindow(frame), VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return focusedId() == expected; }))
            << "expected " << expected << ", focus on " << focusedId();
    }
    PressButton(frame, IDC_CFG_OK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    ExitProgram(setup, main, true);
}

TEST_F(ConfigDialogTest, TwoAdaptersThenOne) {
    InstallAndLeave();
    {
        SetupProcess setup(dir_, "/c");
        HWND main = nullptr;
        HWND frame = OpenConfiguration(setup, &main);
        ASSERT_NE(frame, nullptr);
        HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
        EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(GetDlgItem(adapter, IDC_CFG_SPID)); }));
        SelectComboEntry(adapter, IDC_CFG_PROTOCOL, kNationalIsdn);
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(adapter, IDC_CFG_SPID)) != FALSE; }));

        PressButton(adapter, IDC_CFG_CHANGE);
        HWND contents = setup.WaitForControls({IDC_CHG_ADAPTERS, IDC_CHG_ADD, IDC_CHG_REMOVE});
        ASSERT_NE(contents, nullptr);
        PressButton(contents, IDC_CHG_ADD);
        PressButton(contents, IDC_CHG_OK);
        ASSERT_TRUE(WaitFor([&] { return ComboEntries(adapter, IDC_CFG_ADAPTERS).size() == 2; }));

        SetControlText(adapter, IDC_CFG_BASE_ADDRESS, "300");
        SelectComboEntry(adapter, IDC_CFG_INTERRUPT, 4);  // 5
        SetControlText(adapter, IDC_CFG_SPID, "SPID-ONE");
        SelectComboEntry(adapter, IDC_CFG_ADAPTERS, 1);
        ASSERT_TRUE(WaitFor([&] { return ControlText(adapter, IDC_CFG_BASE_ADDRESS) == "260"; }));
        SetControlText(adapter, IDC_CFG_BASE_ADDRESS, "3G40");  // the G is never taken
        SelectComboEntry(adapter, IDC_CFG_INTERRUPT, 9);        // 10
        SetControlText(adapter, IDC_CFG_SPID, "SPID;TWO");      // nor is the ;
        SelectComboEntry(adapter, IDC_CFG_ADAPTERS, 0);
        ASSERT_TRUE(WaitFor([&] { return ControlText(adapter, IDC_CFG_BASE_ADDRESS) == "300"; }));
        EXPECT_EQ(ControlText(adapter, IDC_CFG_SPID), "SPID-ONE");
        PressButton(frame, IDC_CFG_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
        ExitProgram(setup, main, true);
    }
    EXPECT_EQ(RegistryText(kServiceKey, "ImagePath"), "\\SystemRoot\\System32\\drivers\\qni1.sys");
    EXPECT_EQ(RegistryNumber(AdapterKey(1), "BaseAddress"), 0x300u);
    EXPECT_EQ(RegistryNumber(AdapterKey(1), "Interrupt"), 5u);
    EXPECT_EQ(RegistryText(AdapterKey(1), "SPID"), "SPID-ONE");
    EXPECT_EQ(RegistryNumber(AdapterKey(2), "BaseAddress"), 0x340u);
    EXPECT_EQ(RegistryNumber(AdapterKey(2), "Interrupt"), 10u);
    EXPECT_EQ(RegistryText(AdapterKey(2), "SPID"), "SPIDTWO");
    EXPECT_EQ(RegistryNumber("SOFTWARE\\CAPI20\\1", "NumberOfControllers"), 2u);
    EXPECT_EQ(RegistryNumber("SOFTWARE\\CAPI20\\1\\1", "Channels"), 2u);
    EXPECT_EQ(RegistryNumber("SOFTWARE\\CAPI20\\1\\2", "Channels"), 2u);

    {
        SetupProcess setup(dir_, "/c");
        HWND main = nullptr;
        HWND frame = OpenConfiguration(setup, &main);
        ASSERT_NE(frame, nullptr);
        HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
        EXPECT_EQ(ComboEntries(adapter, IDC_CFG_ADAPTERS).size(), 2u);
        PressButton(adapter, IDC_CFG_CHANGE);
        HWND contents = setup.WaitForControls({IDC_CHG_ADAPTERS, IDC_CHG_ADD, IDC_CHG_REMOVE});
        ASSERT_NE(contents, nullptr);
        PressButton(contents, IDC_CHG_REMOVE);
        PressButton(contents, IDC_CHG_OK);
        ASSERT_TRUE(WaitFor([&] { return ComboEntries(adapter, IDC_CFG_ADAPTERS).size() == 1; }));
        PressButton(frame, IDC_CFG_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
        ExitProgram(setup, main, true);
    }
    EXPECT_TRUE(RegistryKeyExists(AdapterKey(1)));
    EXPECT_FALSE(RegistryKeyExists(AdapterKey(2)));
    EXPECT_TRUE(RegistryKeyExists("SOFTWARE\\CAPI20\\1\\1"));
    EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20\\1\\2"));
    EXPECT_EQ(RegistryNumber("SOFTWARE\\CAPI20\\1", "NumberOfControllers"), 1u);
}

TEST_F(ConfigDialogTest, EditedRegistryAsksFirst) {
    InstallAndLeave();
    std::string parameters = kParametersKey;
    ASSERT_TRUE(SetRegistryNumber(kServiceKey, "Start", 0x10));
    ASSERT_TRUE(SetRegistryNumber(parameters, "DeliveryConf", 5));
    {
        // Apply: the registry's values, outside the lists, shown and written back unchanged.
        SetupProcess setup(dir_, "/c");
        HWND main = setup.SkipIntroToMainDialog();
        ASSERT_NE(main, nullptr);
        PressButton(main, kAction);
        HWND check = setup.WaitForControls({kIntegrityApply, kIntegrityRestore});
        ASSERT_NE(check, nullptr);
        PressButton(check, kIntegrityApply);
        ASSERT_TRUE(Answer(setup, English("[QUEST_CCI_APPLYNEW]"), kYes, kDefaultWaitMs));
        HWND frame = WaitForFrame(setup);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(Selected(PageWith(frame, IDC_CFG_START), IDC_CFG_START), "10 (!)");
        EXPECT_EQ(Selected(PageWith(frame, IDC_CFG_DELIVERY_CONF), IDC_CFG_DELIVERY_CONF), "5 (!)");
        PressButton(frame, IDC_CFG_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
        ExitProgram(setup, main, true);
    }
    EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 0x10u);
    EXPECT_EQ(RegistryNumber(parameters, "DeliveryConf"), 5u);

    ASSERT_TRUE(SetRegistryNumber(kServiceKey, "Start", 3));
    {
        // Cancel: no configuration dialog.
        SetupProcess setup(dir_, "/c");
        HWND main = setup.SkipIntroToMainDialog();
        ASSERT_NE(main, nullptr);
        PressButton(main, kAction);
        HWND check = setup.WaitForControls({kIntegrityApply, kIntegrityRestore});
        ASSERT_NE(check, nullptr);
        PressButton(check, kIntegrityCancel);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(check); }));
        EXPECT_EQ(WaitForFrame(setup, 2000), nullptr);
        ExitProgram(setup, main, false);
    }
    {
        // Restore: the backup's start type in the pages.
        SetupProcess setup(dir_, "/c");
        HWND main = setup.SkipIntroToMainDialog();
        ASSERT_NE(main, nullptr);
        PressButton(main, kAction);
        HWND check = setup.WaitForControls({kIntegrityApply, kIntegrityRestore});
        ASSERT_NE(check, nullptr);
        PressButton(check, kIntegrityRestore);
        ASSERT_TRUE(Answer(setup, English("[QUEST_CCI_RESTOREOLD]"), kYes, kDefaultWaitMs));
        HWND frame = WaitForFrame(setup);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(Selected(PageWith(frame, IDC_CFG_START), IDC_CFG_START), "10 (!)");
        PressButton(frame, IDC_CFG_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
        ExitProgram(setup, main, true);
    }
    EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 0x10u);
}

TEST_F(ConfigDialogTest, MaintenanceFullTakesEightCallingNumbersAtMostAndKeepsTheLast) {
    SetupProcess setup(dir_, "");
    HWND main = nullptr;
    HWND frame = Install(setup, &main);
    ASSERT_NE(frame, nullptr);
    HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
    HWND advanced = PageWith(frame, IDC_CFG_DOS_VECTOR);
    HWND maintenance = PageWith(frame, IDC_CFG_CALLING_NUMBERS);
    ASSERT_NE(maintenance, nullptr);
    EXPECT_EQ(ClassOf(GetDlgItem(maintenance, IDC_CFG_CIP)), "ComboBox");
    EXPECT_EQ(ClassOf(GetDlgItem(maintenance, IDC_CFG_USERNAME)), "Edit");
    // The defaults leave maintenance off: the switch clear and no way to the maintenance page.
    ASSERT_TRUE(HasControl(advanced, IDC_CFG_MAINTENANCE_SWITCH));
    EXPECT_FALSE(Checked(advanced, IDC_CFG_MAINTENANCE_SWITCH));
    EXPECT_FALSE(ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE));
    ClickCheckBox(advanced, IDC_CFG_MAINTENANCE_SWITCH, true);
    ASSERT_TRUE(WaitFor([&] { return ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE); }));
    PressButton(frame, IDC_CFG_SHOW_MAINTENANCE);
    ASSERT_TRUE(WaitFor([&] {
        return IsWindowVisible(maintenance) && !IsWindowVisible(adapter) && !IsWindowVisible(advanced);
    }));
    EXPECT_TRUE(Pushed(frame, IDC_CFG_SHOW_MAINTENANCE));
    EXPECT_FALSE(Pushed(frame, IDC_CFG_SHOW_ADAPTER));
    EXPECT_EQ(ControlText(maintenance, IDC_CFG_USERNAME), "service");
    EXPECT_EQ(ListLines(maintenance, IDC_CFG_CALLING_NUMBERS),
              (std::vector<std::string>{"089765432100\t", "0897654321\t12"}));

    // Escape leaves the editor without adding.
    PressButton(maintenance, IDC_CFG_ADD_NUMBER);
    HWND escaped = setup.WaitForControls({IDC_CPN_NUMBER, IDC_CPN_SUBADDRESS});
    ASSERT_NE(escaped, nullptr);
    SetControlText(escaped, IDC_CPN_NUMBER, "999");
    ASSERT_TRUE(WaitFor([&] { return FocusedWindow(escaped) == GetDlgItem(escaped, IDC_CPN_NUMBER); }));
    PostKey(FocusedWindow(escaped), VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(escaped); }));
    EXPECT_EQ(ListLines(maintenance, IDC_CFG_CALLING_NUMBERS).size(), 2u);

    for (int i = 3; i <= 8; ++i) {
        ASSERT_TRUE(WaitFor([&] { return ItemEnabled(maintenance, IDC_CFG_ADD_NUMBER); })) << i;
        AddCallingNumber(setup, maintenance, "0401" + std::to_string(i), std::to_string(i));
    }
    ASSERT_TRUE(WaitFor([&] { return ListLines(maintenance, IDC_CFG_CALLING_NUMBERS).size() == 8; }));
    EXPECT_EQ(ListLines(maintenance, IDC_CFG_CALLING_NUMBERS).back(), "04018\t8");
    EXPECT_FALSE(ItemEnabled(maintenance, IDC_CFG_ADD_NUMBER));
    EXPECT_FALSE(ItemEnabled(maintenance, IDC_CFG_REMOVE_NUMBER));  // nothing selected
    EXPECT_FALSE(ItemEnabled(maintenance, IDC_CFG_EDIT_NUMBER));

    // Removing the first line again and again leaves the last one added, which cannot go.
    for (size_t left = 7; left >= 1; --left) {
        SelectListLine(maintenance, IDC_CFG_CALLING_NUMBERS, 0);
        ASSERT_TRUE(WaitFor([&] { return ItemEnabled(maintenance, IDC_CFG_REMOVE_NUMBER); })) << left;
        PressButton(maintenance, IDC_CFG_REMOVE_NUMBER);
        ASSERT_TRUE(WaitFor([&] { return ListLines(maintenance, IDC_CFG_CALLING_NUMBERS).size() == left; }));
    }
    EXPECT_EQ(ListLines(maintenance, IDC_CFG_CALLING_NUMBERS), std::vector<std::string>{"04018\t8"});
    EXPECT_TRUE(ItemEnabled(maintenance, IDC_CFG_ADD_NUMBER));
    SelectListLine(maintenance, IDC_CFG_CALLING_NUMBERS, 0);
    ASSERT_TRUE(WaitFor([&] { return ItemEnabled(maintenance, IDC_CFG_EDIT_NUMBER); }));
    EXPECT_FALSE(ItemEnabled(maintenance, IDC_CFG_REMOVE_NUMBER));

    // Edit shows the line's number and subaddress in the editor's fields.
    PressButton(maintenance, IDC_CFG_EDIT_NUMBER);
    HWND editor = setup.WaitForControls({IDC_CPN_NUMBER, IDC_CPN_SUBADDRESS});
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(WindowText(editor), English("[DLG_CPN_CAPTION_EDIT]"));
    EXPECT_EQ(ControlText(editor, IDC_CPN_NUMBER), "04018");
    EXPECT_EQ(ControlText(editor, IDC_CPN_SUBADDRESS), "8");
    SetControlText(editor, IDC_CPN_NUMBER, "123");
    SetControlText(editor, IDC_CPN_SUBADDRESS, "45");
    PressButton(editor, IDC_CPN_OK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); }));
    EXPECT_TRUE(WaitFor([&] {
        return ListLines(maintenance, IDC_CFG_CALLING_NUMBERS) == std::vector<std::string>{"123\t45"};
    }));

    PressButton(frame, IDC_CFG_OK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    ExitProgram(setup, main, true);
    // One adapter: the maintenance calls go to adapter 1.
    EXPECT_EQ(RegistryNumber(kMaintenanceKey, "Controller"), 1u);
    EXPECT_EQ(RegistryText(kMaintenanceKey, "CGPN1"), "123,45");
    EXPECT_FALSE(HasRegistryValue(kMaintenanceKey, "CGPN2"));
    EXPECT_EQ(RegistryText(kMaintenanceKey, "username"), "service");
}

TEST_F(ConfigDialogTest, MaintenanceDefaultShowsTheRegistryAndWritesTheSection) {
    InstallAndLeave();
    // The section differs now from what the installation wrote.
    SetMaintenanceSection(
        {"!MAINTENANCE_DEFAULT", "7", "0", "remote", "Other-1", "1", "0301234,5", "1", "0309876,"});
    {
        SetupProcess setup(dir_, "/c");
        HWND main = nullptr;
        HWND frame = OpenConfiguration(setup, &main);
        ASSERT_NE(frame, nullptr);
        HWND advanced = PageWith(frame, IDC_CFG_DOS_VECTOR);
        HWND maintenance = PageWith(frame, IDC_CFG_CALLING_NUMBERS);
        ASSERT_NE(maintenance, nullptr);
        // Displays in place of lists and fields, and no buttons.
        EXPECT_EQ(ClassOf(GetDlgItem(maintenance, IDC_CFG_CIP)), "Static");
        EXPECT_EQ(ClassOf(GetDlgItem(maintenance, IDC_CFG_USERNAME)), "Static");
        EXPECT_FALSE(HasControl(maintenance, IDC_CFG_ADD_NUMBER));
        EXPECT_FALSE(HasControl(maintenance, IDC_CFG_REMOVE_NUMBER));
        EXPECT_EQ(ControlText(maintenance, IDC_CFG_CIP), "2");
        EXPECT_EQ(ControlText(maintenance, IDC_CFG_USERNAME), "service");
        EXPECT_EQ(ListLines(maintenance, IDC_CFG_CALLING_NUMBERS),
                  (std::vector<std::string>{"089765432100\t", "0897654321\t12"}));
        EXPECT_FALSE(Checked(advanced, IDC_CFG_MAINTENANCE_SWITCH));
        EXPECT_FALSE(ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE));
        ClickCheckBox(advanced, IDC_CFG_MAINTENANCE_SWITCH, true);
        ASSERT_TRUE(WaitFor([&] { return ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE); }));
        PressButton(frame, IDC_CFG_SHOW_MAINTENANCE);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(maintenance) != FALSE; }));
        PressButton(frame, IDC_CFG_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
        ExitProgram(setup, main, true);
    }
    EXPECT_EQ(RegistryNumber(kMaintenanceKey, "cipValue"), 7u);
    EXPECT_EQ(RegistryNumber(kMaintenanceKey, "Controller"), 0u);  // the section's adapter number
    EXPECT_EQ(RegistryText(kMaintenanceKey, "username"), "remote");
    EXPECT_EQ(RegistryText(kMaintenanceKey, "password"), "Other-1");
    EXPECT_EQ(RegistryText(kMaintenanceKey, "CDPN1"), "0301234,5");
    EXPECT_EQ(RegistryText(kMaintenanceKey, "CGPN1"), "0309876,");
    EXPECT_FALSE(HasRegistryValue(kMaintenanceKey, "CGPN2"));
    {
        // The switch turned off again hides the button and switches maintenance off.
        SetupProcess setup(dir_, "/c");
        HWND main = nullptr;
        HWND frame = OpenConfiguration(setup, &main);
        ASSERT_NE(frame, nullptr);
        HWND advanced = PageWith(frame, IDC_CFG_DOS_VECTOR);
        EXPECT_TRUE(Checked(advanced, IDC_CFG_MAINTENANCE_SWITCH));
        EXPECT_TRUE(ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE));
        ClickCheckBox(advanced, IDC_CFG_MAINTENANCE_SWITCH, false);
        ASSERT_TRUE(WaitFor([&] { return !ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE); }));
        PressButton(frame, IDC_CFG_OK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
        ExitProgram(setup, main, true);
    }
    EXPECT_EQ(RegistryNumber(kMaintenanceKey, "Controller"), 0xFFFFu);
    EXPECT_EQ(RegistryText(kMaintenanceKey, "username"), "remote");
}

TEST_F(ConfigDialogTest, MaintenanceDefaultInvisibleHasNoPageButTheSwitch) {
    SetMaintenanceSection(
        {"!MAINTENANCE_DEFAULT_INVISIBLE", "5", "0", "hidden", "Secret-2", "0", "1", "0401111,3"});
    SetupProcess setup(dir_, "");
    HWND main = nullptr;
    HWND frame = Install(setup, &main);
    ASSERT_NE(frame, nullptr);
    HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
    HWND advanced = PageWith(frame, IDC_CFG_DOS_VECTOR);
    EXPECT_EQ(PageWith(frame, IDC_CFG_CALLING_NUMBERS), nullptr);
    ASSERT_TRUE(HasControl(advanced, IDC_CFG_MAINTENANCE_SWITCH));
    EXPECT_FALSE(ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE));
    ClickCheckBox(advanced, IDC_CFG_MAINTENANCE_SWITCH, true);
    ASSERT_TRUE(WaitFor([&] { return ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE); }));
    // No page stands behind the button: the page on view stays.
    PressButton(frame, IDC_CFG_SHOW_MAINTENANCE);
    ExpectStays(
        [&] {
            return IsWindowVisible(adapter) && !IsWindowVisible(advanced) &&
                   Pushed(frame, IDC_CFG_SHOW_ADAPTER) && !Pushed(frame, IDC_CFG_SHOW_MAINTENANCE);
        },
        300, "the adapter page on view, its button alone pushed");
    // Which of them went, when one did.
    EXPECT_TRUE(IsWindowVisible(adapter));
    EXPECT_FALSE(IsWindowVisible(advanced));
    EXPECT_TRUE(Pushed(frame, IDC_CFG_SHOW_ADAPTER));
    EXPECT_FALSE(Pushed(frame, IDC_CFG_SHOW_MAINTENANCE));
    PressButton(frame, IDC_CFG_OK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    ExitProgram(setup, main, true);
    EXPECT_EQ(RegistryNumber(kMaintenanceKey, "cipValue"), 5u);
    EXPECT_EQ(RegistryNumber(kMaintenanceKey, "Controller"), 0u);
    EXPECT_EQ(RegistryText(kMaintenanceKey, "username"), "hidden");
    EXPECT_EQ(RegistryText(kMaintenanceKey, "CGPN1"), "0401111,3");
    EXPECT_FALSE(HasRegistryValue(kMaintenanceKey, "CDPN1"));
}

TEST_F(ConfigDialogTest, ResetYesShowsTheDefaultsOnTheAdapterPage) {
    InstallAndLeave();
    SetupProcess setup(dir_, "/c");
    HWND main = nullptr;
    HWND frame = OpenConfiguration(setup, &main);
    ASSERT_NE(frame, nullptr);
    HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
    HWND advanced = PageWith(frame, IDC_CFG_DOS_VECTOR);
    SelectComboEntry(adapter, IDC_CFG_PROTOCOL, kNationalIsdn);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(adapter, IDC_CFG_SPID)) != FALSE; }));
    // Escape leaves the adapter contents as they were.
    PressButton(adapter, IDC_CFG_CHANGE);
    HWND escaped = setup.WaitForControls({IDC_CHG_ADAPTERS, IDC_CHG_ADD, IDC_CHG_REMOVE});
    ASSERT_NE(escaped, nullptr);
    PressButton(escaped, IDC_CHG_ADD);
    ASSERT_TRUE(WaitFor([&] { return FocusedWindow(escaped) != nullptr; }));
    PostKey(FocusedWindow(escaped), VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(escaped); }));
    EXPECT_EQ(ComboEntries(adapter, IDC_CFG_ADAPTERS).size(), 1u);
    PressButton(adapter, IDC_CFG_CHANGE);
    HWND contents = setup.WaitForControls({IDC_CHG_ADAPTERS, IDC_CHG_ADD, IDC_CHG_REMOVE});
    ASSERT_NE(contents, nullptr);
    PressButton(contents, IDC_CHG_ADD);
    PressButton(contents, IDC_CHG_OK);
    ASSERT_TRUE(WaitFor([&] { return ComboEntries(adapter, IDC_CFG_ADAPTERS).size() == 2; }));
    SetControlText(adapter, IDC_CFG_BASE_ADDRESS, "300");
    SelectComboEntry(adapter, IDC_CFG_INTERRUPT, 4);
    ClickCheckBox(advanced, IDC_CFG_MAINTENANCE_SWITCH, true);
    ASSERT_TRUE(WaitFor([&] { return ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE); }));
    PressButton(frame, IDC_CFG_SHOW_MAINTENANCE);
    ASSERT_TRUE(WaitFor([&] { return Pushed(frame, IDC_CFG_SHOW_MAINTENANCE); }));

    // No keeps everything as it stands.
    PressButton(frame, IDC_CFG_RESET);
    ASSERT_TRUE(Answer(setup, English("[QUEST_CFG_RESET]"), IDNO, kDefaultWaitMs));
    ExpectStays(
        [&] {
            return ControlText(adapter, IDC_CFG_BASE_ADDRESS) == "300" &&
                   Pushed(frame, IDC_CFG_SHOW_MAINTENANCE);
        },
        300, "the values and the page after No");
    // Which of them went, when one did.
    EXPECT_EQ(ControlText(adapter, IDC_CFG_BASE_ADDRESS), "300");
    EXPECT_TRUE(Pushed(frame, IDC_CFG_SHOW_MAINTENANCE));

    PressButton(frame, IDC_CFG_RESET);
    ASSERT_TRUE(Answer(setup, English("[QUEST_CFG_RESET]"), IDYES, kDefaultWaitMs));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(adapter) != FALSE; }));
    EXPECT_TRUE(Pushed(frame, IDC_CFG_SHOW_ADAPTER));
    EXPECT_FALSE(Pushed(frame, IDC_CFG_SHOW_MAINTENANCE));
    EXPECT_FALSE(IsWindowVisible(advanced));
    EXPECT_FALSE(IsWindowVisible(PageWith(frame, IDC_CFG_CALLING_NUMBERS)));
    EXPECT_EQ(Selected(adapter, IDC_CFG_PROTOCOL), "DSS1 (Euro-ISDN)");
    EXPECT_EQ(ComboEntries(adapter, IDC_CFG_ADAPTERS), std::vector<std::string>{"Adapter 1"});
    EXPECT_EQ(ControlText(adapter, IDC_CFG_BASE_ADDRESS), "260");
    EXPECT_EQ(Selected(adapter, IDC_CFG_INTERRUPT), "3");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(adapter, IDC_CFG_SPID)));
    EXPECT_FALSE(Checked(advanced, IDC_CFG_MAINTENANCE_SWITCH));
    EXPECT_FALSE(ItemVisible(frame, IDC_CFG_SHOW_MAINTENANCE));

    PressButton(frame, IDC_CFG_OK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    ExitProgram(setup, main, true);
    EXPECT_EQ(RegistryNumber(AdapterKey(1), "BaseAddress"), 0x260u);
    EXPECT_FALSE(RegistryKeyExists(AdapterKey(2)));
}

TEST_F(ConfigDialogTest, EscapeAsksTheCancelQuestion) {
    InstallAndLeave();
    SetupProcess setup(dir_, "/c");
    HWND main = nullptr;
    HWND frame = OpenConfiguration(setup, &main);
    ASSERT_NE(frame, nullptr);
    HWND adapter = PageWith(frame, IDC_CFG_PROTOCOL);
    ASSERT_TRUE(WaitFor([&] {
        HWND focus = FocusedWindow(frame);
        return focus && (focus == GetDlgItem(adapter, IDC_CFG_PROTOCOL) ||
                         GetParent(focus) == GetDlgItem(adapter, IDC_CFG_PROTOCOL));
    }));
    PostKey(FocusedWindow(frame), VK_ESCAPE);
    ASSERT_TRUE(Answer(setup, English("[QUEST_CFG_ABORT]"), IDNO, kDefaultWaitMs));
    ExpectStays([&] { return IsWindow(frame) != FALSE; }, 300, "the configuration dialog after No");

    // From a control of another page as well.
    PressButton(frame, IDC_CFG_SHOW_ADVANCED);
    HWND advanced = PageWith(frame, IDC_CFG_DOS_VECTOR);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(advanced) != FALSE; }));
    PostMessageA(advanced, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(advanced, IDC_CFG_POINT2POINT)),
                 TRUE);
    ASSERT_TRUE(WaitFor([&] { return FocusedWindow(frame) == GetDlgItem(advanced, IDC_CFG_POINT2POINT); }));
    PostKey(FocusedWindow(frame), VK_ESCAPE);
    ASSERT_TRUE(Answer(setup, English("[QUEST_CFG_ABORT]"), IDYES, kDefaultWaitMs));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    ExitProgram(setup, main, false);
}

}  // namespace
