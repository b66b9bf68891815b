#include <gtest/gtest.h>

#include <memory>

#include "resources/resource_ids.h"
#include "resources/install_ids.h"
#include "harness.h"
#include "machine_state.h"

namespace {

using namespace e2e;

constexpr int kAction = IDC_MAIN_ACTION, kExit = IDC_MAIN_EXIT;
constexpr int kSource = IDC_INSTALL_SOURCE, kDestination = IDC_INSTALL_DESTINATION,
              kChangeSource = IDC_INSTALL_CHANGE_SOURCE, kChangeDestination = IDC_INSTALL_CHANGE_DESTINATION,
              kCancel = IDC_INSTALL_CANCEL;
constexpr int kPickOk = IDC_PICK_OK, kPickCancel = IDC_PICK_CANCEL, kDirectories = IDC_PICK_DIRECTORIES,
              kDrives = IDC_PICK_DRIVES, kShown = IDC_PICK_SHOWN;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// Picks a list entry the way a double click does.
void DoubleClickEntry(HWND dialog, int id, const std::string& entry) {
    HWND list = GetDlgItem(dialog, id);
    std::wstring wide(entry.begin(), entry.end());
    SendMessageW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
}

class InstallDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareNt4Machine();
        dir_ = PrepareDistribution("InstallDialogTest");
        setup_.reset(new SetupProcess(dir_, ""));
        main_ = setup_->SkipIntroToMainDialog();
        ASSERT_NE(main_, nullptr);
        PressButton(main_, kAction);
        install_ = setup_->WaitForControls({kSource, kDestination, kChangeSource, kChangeDestination});
        ASSERT_NE(install_, nullptr);
    }
    void TearDown() override {
        if (install_ && IsWindow(install_))
            PressButton(install_, kCancel);
        if (main_)
            PressButton(main_, kExit);
        DWORD code = 99;
        EXPECT_TRUE(setup_->WaitForExit(&code));
        EXPECT_EQ(code, 0u);
    }
    HWND OpenPicker(int button) {
        PressButton(install_, button);
        return setup_->WaitForControls({kDirectories, kDrives, kShown});
    }

    std::string dir_;
    std::unique_ptr<SetupProcess> setup_;
    HWND main_ = nullptr;
    HWND install_ = nullptr;
};

TEST_F(InstallDialogTest, PickerCancelLeavesThePathAndOkWithoutNavigationGivesTheStartDirectory) {
    HWND picker = OpenPicker(kChangeSource);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(Lower(ControlText(picker, kShown)), Lower(dir_));
    EXPECT_EQ(ComboEntries(picker, kDrives)[ComboSelection(picker, kDrives)], "[-c-]");
    PressButton(picker, kPickCancel);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(picker); }));
    EXPECT_EQ(ControlText(install_, kSource), dir_);

    picker = OpenPicker(kChangeSource);
    ASSERT_NE(picker, nullptr);
    PressButton(picker, kPickOk);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(picker); }));
    EXPECT_EQ(Lower(ControlText(install_, kSource)), Lower(dir_));
}

TEST_F(InstallDialogTest, MissingStartDirectoryOpensAtTheWindowsDriveRootAndNavigationIsReturned) {
    ASSERT_FALSE(DirectoryExists(ControlText(install_, kDestination)));
    HWND picker = OpenPicker(kChangeDestination);
    ASSERT_NE(picker, nullptr);
    std::string root = Lower(WindowsDirectory().substr(0, 3));
    EXPECT_EQ(Lower(ControlText(picker, kShown)), root);
    DoubleClickEntry(picker, kDirectories, "[windows]");
    ASSERT_TRUE(WaitFor([&] { return Lower(ControlText(picker, kShown)) == root + "windows"; }));
    PressButton(picker, kPickOk);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(picker); }));
    EXPECT_EQ(Lower(ControlText(install_, kDestination)), root + "windows");
}

}  // namespace
