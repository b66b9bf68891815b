#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "config_dialog_fixture.h"
#include "configdialog/config_pages.h"
#include "configdialog/config_session.h"
#include "configdialog/page_commands.h"
#include "configdialog/page_layout.h"
#include "ui/user_interface.h"

namespace {

using namespace config_dialog_test;

std::string Selected(const ChoiceList& list) {
    if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.entries.size())
        return "(none)";
    return list.entries[list.selected];
}

class ConfigPagesTest : public ConfigDialogFixture {
  protected:
    void SetUp() override {
        ConfigDialogFixture::SetUp();
        DialogScript(MaintenanceSection("!MAINTENANCE_FULL"));
    }

    // Values the lists do not offer, three adapters with SPIDs, remote maintenance on adapter 2.
    void OddConfiguration() {
        SetDefaultDriverConfig(1, ScriptMaintenance(), config_);
        config_.ImagePath = kSpidX31Image;
        config_.Start = 0x10;
        config_.Test = 2;
        config_.DataIoMode = 7;
        config_.DeliveryConf = 5;
        config_.DosVector = 0x1FF;
        config_.Point2Point = 1;
        config_.x31Layer2 = 3;
        config_.NumberOfControllers = 3;
        config_.MaintenanceMode = kMaintenanceFull;
        config_.cipValue = 40;
        config_.Controller = 2;
        config_.username = "admin";
        config_.password = "secret";
        config_.CDPNCount = 1;
        config_.CDPN[0] = "123,45";
        config_.CGPNCount = 3;
        config_.CGPN[0] = "0897654321,12";
        config_.CGPN[1] = "12345";
        config_.CGPN[2] = "77,";
        adapters_[0] = {2, 0x12345, 0, "SPID-1"};
        adapters_[1] = {1, 0x300, 20, "SPID-2"};
        adapters_[2] = {30, 0x340, 15, ""};
        adapters_[3] = {2, 0x260, 3, "unused"};
    }

    // Creates and fills the pages and shows adapter 1, as the dialog opens.
    void Open() {
        pages_ = CreateConfigPages(ReadScript());
        FillConfigPages(pages_, config_);
        ShowAdapterFields(pages_, adapters_, 0);
    }

    // What OK would put into the records.
    void Store() {
        StoreConfigPages(pages_, config_);
        StoreAdapterFields(pages_, adapters_, pages_.currentAdapter);
    }

    DriverConfig config_;
    AdapterArray adapters_;
    ConfigPages pages_;
};

TEST_F(ConfigPagesTest, UnchangedPagesStoreBackExactlyWhatTheyShowed) {
    struct Case {
        const char* what;
        std::vector<std::string> script;
        std::function<void(DriverConfig&, AdapterArray&)> change;
    } cases[] = {
        {"values outside the lists, maintenance on adapter 2", MaintenanceSection("!MAINTENANCE_FULL"),
         nullptr},
        {"maintenance switched off", MaintenanceSection("!MAINTENANCE_FULL"),
         [](DriverConfig& c, AdapterArray&) { c.Controller = kMaintenanceControllerOff; }},
        {"maintenance on all adapters", MaintenanceSection("!MAINTENANCE_FULL"),
         [](DriverConfig& c, AdapterArray&) { c.Controller = 0; }},
        {"one adapter", MaintenanceSection("!MAINTENANCE_FULL"),
         [](DriverConfig& c, AdapterArray&) {
             c.NumberOfControllers = 1;
             c.Controller = 1;
         }},
        {"no called number", MaintenanceSection("!MAINTENANCE_FULL"),
         [](DriverConfig& c, AdapterArray&) {
             c.CDPNCount = 0;
             c.CDPN[0] = "";
         }},
        {"maintenance off in the setup file",
         {},
         [](DriverConfig& c, AdapterArray&) {
             c.MaintenanceMode = 0;
             c.Controller = kMaintenanceControllerOff;
         }},
        {"protocol without SPIDs or layer 2", MaintenanceSection("!MAINTENANCE_FULL"),
         [](DriverConfig& c, AdapterArray&) { c.ImagePath = kPlainImage; }},
        {"image of no listed protocol", MaintenanceSection("!MAINTENANCE_FULL"),
         [](DriverConfig& c, AdapterArray&) { c.ImagePath = Image("other.sys"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogScript(c.script);
        OddConfiguration();
        if (c.change)
            c.change(config_, adapters_);
        DriverConfig read = config_;
        AdapterArray readAdapters = adapters_;
        Open();
        // Looking at every adapter changes nothing either.
        for (int i = 1; i < static_cast<int>(config_.NumberOfControllers); ++i)
            SelectAdapter(pages_, adapters_, i);
        SelectAdapter(pages_, adapters_, 0);
        Store();
        EXPECT_EQ(FieldsOf(config_), FieldsOf(read));
        EXPECT_EQ(FieldsOf(adapters_), FieldsOf(readAdapters));
    }
}

TEST_F(ConfigPagesTest, UnknownProtocolEntryKeepsTheImageWhenItsTextIsAProtocolName) {
    LoadLanguage({{"[TEXT_UNKNOWN_PROTO]", "National ISDN"}});
    OddConfiguration();
    config_.ImagePath = Image("other.sys");
    Open();
    EXPECT_EQ(
        pages_.adapter.protocol.entries,
        (std::vector<std::string>{"DSS1", "National ISDN", "X.31", "National ISDN X.31", "National ISDN"}));
    EXPECT_EQ(pages_.adapter.protocol.selected, 4);
    Store();
    EXPECT_EQ(config_.ImagePath, Image("other.sys"));
}

TEST_F(ConfigPagesTest, FilledPagesShowTheRecord) {
    OddConfiguration();
    Open();
    const AdapterPage& adapter = pages_.adapter;
    EXPECT_EQ(adapter.protocol.entries,
              (std::vector<std::string>{"DSS1", "National ISDN", "X.31", "National ISDN X.31"}));
    EXPECT_EQ(Selected(adapter.protocol), "National ISDN X.31");
    EXPECT_EQ(Selected(adapter.start), "10 (!)");
    EXPECT_EQ(Selected(adapter.test), "2 (!)");
    EXPECT_EQ(adapter.adapters.entries, (std::vector<std::string>{"Adapter 1", "Adapter 2", "Adapter 3"}));
    EXPECT_EQ(Selected(adapter.adapters), "Adapter 1");
    EXPECT_EQ(Selected(adapter.interrupt), "(none)");
    EXPECT_EQ(adapter.baseAddress, "12345");
    EXPECT_TRUE(adapter.spidPresent);
    EXPECT_TRUE(adapter.spidEnabled);
    EXPECT_EQ(adapter.spid, "SPID-1");

    const AdvancedPage& advanced = pages_.advanced;
    EXPECT_EQ(Selected(advanced.dosVector), "1FF (!)");
    EXPECT_TRUE(advanced.x31Layer2Enabled);
    EXPECT_EQ(Selected(advanced.x31Layer2), "3 (!)");
    EXPECT_EQ(Selected(advanced.deliveryConf), "5 (!)");
    EXPECT_EQ(Selected(advanced.dataIoMode), "7 (!)");
    EXPECT_TRUE(advanced.point2Point);
    EXPECT_TRUE(advanced.maintenanceSwitchPresent);
    EXPECT_TRUE(advanced.maintenanceSwitch);
    EXPECT_TRUE(pages_.maintenanceButtonShown);

    const MaintenancePage& maintenance = pages_.maintenance;
    EXPECT_EQ(Selected(maintenance.cipValue), "28 (!)");
    EXPECT_EQ(maintenance.adapter.entries,
              (std::vector<std::string>{"All adapters", "Adapter 1", "Adapter 2", "Adapter 3"}));
    EXPECT_EQ(Selected(maintenance.adapter), "Adapter 2");
    EXPECT_EQ(maintenance.username, "admin");
    EXPECT_EQ(maintenance.password, "secret");
    EXPECT_EQ(maintenance.called.number, "123");
    EXPECT_EQ(maintenance.called.subaddress, "45");
    EXPECT_EQ(maintenance.callingNumbers.entries,
              (std::vector<std::string>{"0897654321\t12", "12345", "77\t"}));
    EXPECT_EQ(maintenance.callingNumbers.selected, kNoSelection);

    EXPECT_EQ(pages_.currentAdapter, 0u);
    EXPECT_EQ(pages_.visiblePage, ConfigPage::kAdapter);
    // Filling the base-address field counts as a change, as every change of that field does.
    EXPECT_TRUE(pages_.modified);
}

TEST_F(ConfigPagesTest, SwitchingAdaptersKeepsWhatWasTypedForEach) {
    OddConfiguration();
    Open();
    EditBaseAddress(pages_, "2G0", 3);
    SelectInterrupt(pages_, adapters_, 4);  // "5"
    EditSpid(pages_, "NEW;1", 5);
    SelectAdapter(pages_, adapters_, 1);
    EXPECT_EQ(pages_.adapter.baseAddress, "300");
    EXPECT_EQ(pages_.adapter.spid, "SPID-2");
    EditBaseAddress(pages_, "3E0", 3);
    SelectAdapter(pages_, adapters_, 0);
    EXPECT_EQ(pages_.adapter.baseAddress, "20");
    EXPECT_EQ(Selected(pages_.adapter.interrupt), "5");
    EXPECT_EQ(pages_.adapter.spid, "NEW1");
    SelectAdapter(pages_, adapters_, 1);
    EXPECT_EQ(pages_.adapter.baseAddress, "3E0");
    Store();
    EXPECT_EQ(FieldsOf(adapters_),
              (std::vector<std::string>{"2/32/5/NEW1", "1/992/20/SPID-2", "30/832/15/", "2/608/3/unused"}));
}

TEST_F(ConfigPagesTest, EmptyBaseAddressStoresZero) {
    OddConfiguration();
    Open();
    EditBaseAddress(pages_, "", 0);
    Store();
    EXPECT_EQ(adapters_[0].BaseAddress, 0u);
}

TEST_F(ConfigPagesTest, ProtocolChangeCarriesEveryEditAlong) {
    OddConfiguration();
    Open();
    SelectAdapter(pages_, adapters_, 2);
    EditBaseAddress(pages_, "2A0", 3);
    EditSpid(pages_, "SP3", 3);
    SelectEntry(pages_, pages_.adapter.start, 2);
    SelectEntry(pages_, pages_.advanced.dosVector, 0x60);
    SelectEntry(pages_, pages_.advanced.x31Layer2, 2);
    SetPoint2Point(pages_, false);
    EditUsername(pages_, "operator");
    EditCalledNumber(pages_, "0891", 4);
    SelectEntry(pages_, pages_.maintenance.adapter, 3);

    SelectProtocol(pages_, config_, adapters_, 0);  // DSS1: neither SPIDs nor layer 2
    EXPECT_EQ(Selected(pages_.adapter.protocol), "DSS1");
    EXPECT_EQ(Selected(pages_.adapter.adapters), "Adapter 3");
    EXPECT_EQ(pages_.currentAdapter, 2u);
    EXPECT_EQ(pages_.adapter.baseAddress, "2A0");
    EXPECT_FALSE(pages_.adapter.spidEnabled);
    EXPECT_EQ(Selected(pages_.adapter.start), "Automatic");
    EXPECT_EQ(Selected(pages_.advanced.dosVector), "60");
    EXPECT_FALSE(pages_.advanced.x31Layer2Enabled);
    EXPECT_EQ(Selected(pages_.advanced.x31Layer2), "Active");  // disabled, still showing the choice
    EXPECT_FALSE(pages_.advanced.point2Point);
    EXPECT_EQ(pages_.maintenance.username, "operator");
    EXPECT_EQ(pages_.maintenance.called.number, "0891");
    EXPECT_EQ(Selected(pages_.maintenance.adapter), "Adapter 3");

    SelectProtocol(pages_, config_, adapters_, 3);  // back to SPIDs and layer 2
    EXPECT_TRUE(pages_.adapter.spidEnabled);
    EXPECT_EQ(pages_.adapter.spid, "SP3");
    EXPECT_TRUE(pages_.advanced.x31Layer2Enabled);
    EXPECT_EQ(Selected(pages_.advanced.x31Layer2), "Active");
    Store();
    EXPECT_EQ(config_.ImagePath, kSpidX31Image);
    EXPECT_EQ(config_.x31Layer2, 2u);
    EXPECT_EQ(config_.Start, 2u);
    EXPECT_EQ(config_.DosVector, 0x60u);
    EXPECT_EQ(config_.Controller, 3u);
    EXPECT_EQ(config_.CDPN[0], "0891,45");
    EXPECT_EQ(adapters_[2].BaseAddress, 0x2A0u);
    EXPECT_EQ(adapters_[2].SPID, "SP3");
}

TEST_F(ConfigPagesTest, MaintenanceAdapterChosenWhileSwitchedOffSurvivesAProtocolChange) {
    OddConfiguration();
    Open();
    SelectEntry(pages_, pages_.maintenance.adapter, 1);
    SetMaintenanceSwitch(pages_, false);
    SelectProtocol(pages_, config_, adapters_, 1);
    EXPECT_EQ(Selected(pages_.maintenance.adapter), "Adapter 1");
    EXPECT_FALSE(pages_.advanced.maintenanceSwitch);
    SetMaintenanceSwitch(pages_, true);
    Store();
    EXPECT_EQ(config_.Controller, 1u);
}

TEST_F(ConfigPagesTest, ProtocolGainingLayerTwoStartsAtOneWhenItsListWasNeverFilled) {
    OddConfiguration();
    config_.ImagePath = kSpidImage;
    config_.x31Layer2 = 3;  // not shown for this protocol
    Open();
    EXPECT_FALSE(pages_.advanced.x31Layer2Enabled);
    EXPECT_TRUE(pages_.advanced.x31Layer2.entries.empty());
    Store();
    EXPECT_EQ(config_.x31Layer2, 3u);  // kept while the protocol has no such setting
    SelectProtocol(pages_, config_, adapters_, 2);
    EXPECT_TRUE(pages_.advanced.x31Layer2Enabled);
    EXPECT_EQ(Selected(pages_.advanced.x31Layer2), "Virtual");
}

TEST_F(ConfigPagesTest, SpidFieldIsAbsentWhenNoProtocolHasSpids) {
    WriteFile("SETUP.QZT", CrLf({"[PROTOCOL]", "2", "DSS1", "qdss1.sys", "0", "X.31", "qx31.sys", "2"}));
    OddConfiguration();
    config_.ImagePath = kPlainImage;
    Open();
    EXPECT_FALSE(pages_.adapter.spidPresent);
    EXPECT_FALSE(pages_.adapter.spidEnabled);
    EditSpid(pages_, "typed", 5);
    Store();
    EXPECT_EQ(adapters_[0].SPID, "SPID-1");
}

TEST_F(ConfigPagesTest, SpidOfAProtocolWithoutSpidsIsNeitherShownNorStored) {
    OddConfiguration();
    config_.ImagePath = kX31Image;
    Open();
    EXPECT_TRUE(pages_.adapter.spidPresent);
    EXPECT_FALSE(pages_.adapter.spidEnabled);
    EXPECT_EQ(pages_.adapter.spid, "");
    EditSpid(pages_, "typed", 5);
    Store();
    EXPECT_EQ(adapters_[0].SPID, "SPID-1");
}

TEST_F(ConfigPagesTest, UnknownImageShowsTheUnknownProtocolEntryAndKeepsTheImage) {
    OddConfiguration();
    config_.ImagePath = Image("other.sys");
    Open();
    EXPECT_EQ(pages_.adapter.protocol.entries.back(), "Unknown protocol");
    EXPECT_EQ(Selected(pages_.adapter.protocol), "Unknown protocol");
    EXPECT_FALSE(pages_.adapter.spidEnabled);
    EXPECT_FALSE(pages_.advanced.x31Layer2Enabled);
    Store();
    EXPECT_EQ(config_.ImagePath, Image("other.sys"));
}

TEST_F(ConfigPagesTest, MissingSetupFileAsksToRetryAndThenLeavesTheProtocolListEmpty) {
    OddConfiguration();
    std::filesystem::remove(PathOf("SETUP.QZT"));
    ui::fake::QueueAnswers({ui::Answer::kRetry, ui::Answer::kIgnore});
    Shown().clear();
    SetupInfoFile script = ReadScriptForConfiguration(nullptr, ScriptFile());
    EXPECT_FALSE(script.IsRead());
    pages_ = CreateConfigPages(script);
    FillConfigPages(pages_, config_);
    std::vector<std::string> questions;
    for (const auto& shown : Shown())
        if (shown.kind == "AskRetryIgnore")
            questions.push_back(shown.text);
    const std::string question = "The file " + Dir() + "\\SETUP.QZT cannot be found.";
    EXPECT_EQ(questions, (std::vector<std::string>{question, question}));
    EXPECT_TRUE(pages_.adapter.protocol.entries.empty());
    EXPECT_EQ(pages_.adapter.protocol.selected, kNoSelection);
    Store();
    EXPECT_EQ(config_.ImagePath, kSpidX31Image);
}

TEST_F(ConfigPagesTest, MaintenanceSwitchDecidesTheControllerAndTheFrameButton) {
    struct Case {
        const char* what;
        uint32_t adapters;
        bool switchOn;
        int maintenanceAdapter;
        uint32_t controller;
    } cases[] = {
        {"switched off", 3, false, 2, kMaintenanceControllerOff},
        {"on, adapter 2 of 3", 3, true, 2, 2},
        {"on, all of 3", 3, true, 0, 0},
        {"on, the one adapter", 1, true, 0, 1},
        {"off, the one adapter", 1, false, 0, kMaintenanceControllerOff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OddConfiguration();
        config_.NumberOfControllers = c.adapters;
        Open();
        SelectEntry(pages_, pages_.maintenance.adapter, c.maintenanceAdapter);
        SetMaintenanceSwitch(pages_, c.switchOn);
        EXPECT_EQ(pages_.maintenanceButtonShown, c.switchOn);
        Store();
        EXPECT_EQ(config_.Controller, c.controller);
    }
}

TEST_F(ConfigPagesTest, SwitchedOffMaintenanceListStartsAtTheSectionsAdapter) {
    OddConfiguration();
    config_.Controller = kMaintenanceControllerOff;
    Open();
    EXPECT_FALSE(pages_.advanced.maintenanceSwitch);
    EXPECT_FALSE(pages_.maintenanceButtonShown);
    EXPECT_EQ(Selected(pages_.maintenance.adapter), "Adapter 2");
}

TEST_F(ConfigPagesTest, DisplayModeShowsTheRegistryButStoresTheSectionsValues) {
    DialogScript(MaintenanceSection("!MAINTENANCE_DEFAULT", 3));
    OddConfiguration();
    Open();
    EXPECT_EQ(pages_.maintenance.cipValueText, "40");
    EXPECT_EQ(pages_.maintenance.adapterText, "Adapter 3");
    EXPECT_EQ(pages_.maintenance.username, "admin");
    EXPECT_EQ(pages_.maintenance.callingNumbers.entries,
              (std::vector<std::string>{"0897654321\t12", "12345", "77\t"}));
    Store();
    EXPECT_EQ(config_.MaintenanceMode, static_cast<uint32_t>(kMaintenanceDefault));
    EXPECT_EQ(config_.cipValue, 2u);
    EXPECT_EQ(config_.Controller, 3u);  // the section's adapter, the switch being on
    EXPECT_EQ(config_.username, "service");
    EXPECT_EQ(config_.password, "Qzt-4711");
    EXPECT_EQ(config_.CDPN[0], "089123456780,");
    EXPECT_EQ(config_.CGPNCount, 2u);
    EXPECT_EQ(config_.CGPN[1], "0897654321,12");

    SetMaintenanceSwitch(pages_, false);
    Store();
    EXPECT_EQ(config_.Controller, kMaintenanceControllerOff);
}

TEST_F(ConfigPagesTest, InvisibleModeHasNoMaintenancePageButStoresTheSectionsValues) {
    DialogScript(MaintenanceSection("!MAINTENANCE_DEFAULT_INVISIBLE", 0));
    OddConfiguration();
    Open();
    EXPECT_FALSE(HasMaintenancePage(pages_));
    EXPECT_TRUE(pages_.advanced.maintenanceSwitchPresent);
    EXPECT_TRUE(pages_.maintenanceButtonShown);
    ShowPage(pages_, ConfigPage::kAdvanced);
    ShowPage(pages_, ConfigPage::kMaintenance);
    EXPECT_EQ(pages_.visiblePage, ConfigPage::kAdvanced);
    Store();
    EXPECT_EQ(config_.MaintenanceMode, static_cast<uint32_t>(kMaintenanceDefaultInvisible));
    EXPECT_EQ(config_.username, "service");
    EXPECT_EQ(config_.Controller, 0u);
}

TEST_F(ConfigPagesTest, WithoutMaintenanceTheSwitchIsAbsentAndMaintenanceStaysOff) {
    DialogScript({});
    OddConfiguration();
    config_.Controller = 2;
    Open();
    EXPECT_FALSE(pages_.advanced.maintenanceSwitchPresent);
    EXPECT_FALSE(pages_.advanced.maintenanceSwitch);
    EXPECT_FALSE(pages_.maintenanceButtonShown);
    SetMaintenanceSwitch(pages_, true);
    EXPECT_FALSE(pages_.maintenanceButtonShown);
    Store();
    EXPECT_EQ(config_.Controller, kMaintenanceControllerOff);
}

TEST_F(ConfigPagesTest, PagesExistByMaintenanceMode) {
    struct Case {
        int mode;
        std::string advanced;
        std::string maintenance;
        bool button;
    } cases[] = {
        {kMaintenanceOff, "DLG_cfg_advanced", "", false},
        {kMaintenanceFull, "DLG_cfg_advanced_mntsw", "DLG_cfg_maintenance", true},
        {kMaintenanceDefault, "DLG_cfg_advanced_mntsw", "DLG_cfg_maintenance_def", true},
        {kMaintenanceDefaultInvisible, "DLG_cfg_advanced_mntsw", "", true},
    };
    for (const Case& c : cases) {
        PageTemplates templates = PageTemplatesFor(c.mode);
        EXPECT_EQ(templates.advanced, c.advanced) << c.mode;
        EXPECT_EQ(templates.maintenance ? templates.maintenance : "", c.maintenance) << c.mode;
        EXPECT_EQ(templates.maintenanceButton, c.button) << c.mode;
    }
}

TEST_F(ConfigPagesTest, PageButtonsShowTheirPage) {
    OddConfiguration();
    Open();
    ShowPage(pages_, ConfigPage::kMaintenance);
    EXPECT_EQ(pages_.visiblePage, ConfigPage::kMaintenance);
    ShowPage(pages_, ConfigPage::kAdvanced);
    EXPECT_EQ(pages_.visiblePage, ConfigPage::kAdvanced);
    ShowPage(pages_, ConfigPage::kAdapter);
    EXPECT_EQ(pages_.visiblePage, ConfigPage::kAdapter);
}

TEST_F(ConfigPagesTest, CalledNumberSplitsIntoItsTwoFieldsAndJoinsBack) {
    struct Case {
        uint32_t count;
        std::string stored;
        std::string number, subaddress;
        std::string typedNumber;
        uint32_t storedCount;
        std::string written;
    } cases[] = {
        {1, "123,45", "123", "45", "123", 1, "123,45"},
        {1, "12345", "", "12345", "", 1, ",12345"},
        {1, "12345", "", "12345", "9", 1, "9,12345"},
        {0, "", "", "", "", 0, ""},
        // A called number typed where the registry held none is written.
        {0, "", "", "", "0891", 1, "0891,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored + " typed " + c.typedNumber);
        OddConfiguration();
        config_.CDPNCount = c.count;
        config_.CDPN[0] = c.stored;
        Open();
        EXPECT_EQ(pages_.maintenance.called.number, c.number);
        EXPECT_EQ(pages_.maintenance.called.subaddress, c.subaddress);
        EditCalledNumber(pages_, c.typedNumber, c.typedNumber.size());
        Store();
        EXPECT_EQ(config_.CDPNCount, c.storedCount);
        EXPECT_EQ(config_.CDPN[0], c.written);
    }
}

TEST_F(ConfigPagesTest, CalledNumberFieldsRefuseSeparators) {
    OddConfiguration();
    Open();
    FilteredText typed = EditCalledSubaddress(pages_, "4,5", 2);
    EXPECT_TRUE(typed.changed);
    EXPECT_EQ(typed.caret, 1u);
    Store();
    EXPECT_EQ(config_.CDPN[0], "123,45");
}

TEST_F(ConfigPagesTest, CallingNumbersAreAddedEditedAndRemovedAsLines) {
    OddConfiguration();
    Open();
    AddCallingNumber(pages_, {"123", "45"});
    EXPECT_EQ(pages_.maintenance.callingNumbers.entries.back(), "123\t45");
    SelectEntry(pages_, pages_.maintenance.callingNumbers, 1);
    PartyNumber edited = SelectedCallingNumber(pages_);
    EXPECT_EQ(edited.number, "");
    EXPECT_EQ(edited.subaddress, "12345");  // a number stored without a comma is all subaddress
    ReplaceCallingNumber(pages_, {"12345", "6"});
    EXPECT_EQ(pages_.maintenance.callingNumbers.selected, 1);
    SelectEntry(pages_, pages_.maintenance.callingNumbers, 0);
    RemoveCallingNumber(pages_);
    EXPECT_EQ(pages_.maintenance.callingNumbers.selected, kNoSelection);
    Store();
    EXPECT_EQ(config_.CGPNCount, 3u);
    EXPECT_EQ(config_.CGPN[0], "12345,6");
    EXPECT_EQ(config_.CGPN[1], "77,");
    EXPECT_EQ(config_.CGPN[2], "123,45");
}

TEST_F(ConfigPagesTest, CallingNumbersStopAtEightAndTheLastOneStays) {
    OddConfiguration();
    Open();
    for (int i = 0; i < 7; ++i) AddCallingNumber(pages_, {std::to_string(i), ""});
    EXPECT_FALSE(CallingNumberButtons(pages_).add);
    EXPECT_EQ(pages_.maintenance.callingNumbers.entries.back(), "4\t");
    SelectEntry(pages_, pages_.maintenance.callingNumbers, 7);
    for (int i = 0; i < 9; ++i) {
        SelectEntry(pages_, pages_.maintenance.callingNumbers, 0);
        RemoveCallingNumber(pages_);
    }
    EXPECT_EQ(pages_.maintenance.callingNumbers.entries, (std::vector<std::string>{"4\t"}));
    EXPECT_FALSE(CallingNumberButtons(pages_).remove);
    Store();
    EXPECT_EQ(config_.CGPNCount, 1u);
    EXPECT_EQ(config_.CGPN[0], "4,");
}

TEST_F(ConfigPagesTest, AdapterCountChangeShowsTheSameAdapterOrWrapsAround) {
    OddConfiguration();
    Open();
    SelectAdapter(pages_, adapters_, 2);
    EditBaseAddress(pages_, "3A0", 3);
    ChangeAdapterCount(pages_, config_, adapters_, 2);
    EXPECT_EQ(pages_.adapter.adapters.entries, (std::vector<std::string>{"Adapter 1", "Adapter 2"}));
    EXPECT_EQ(Selected(pages_.adapter.adapters), "Adapter 1");  // adapter 3 is gone: (2 mod 2) + 1
    EXPECT_EQ(pages_.adapter.baseAddress, "12345");
    ChangeAdapterCount(pages_, config_, adapters_, 3);
    SelectAdapter(pages_, adapters_, 2);
    EXPECT_EQ(pages_.adapter.baseAddress, "3A0");  // its record kept what was typed
    SelectAdapter(pages_, adapters_, 1);
    ChangeAdapterCount(pages_, config_, adapters_, 4);
    EXPECT_EQ(Selected(pages_.adapter.adapters), "Adapter 2");
    Store();
    EXPECT_EQ(config_.NumberOfControllers, 4u);
}

TEST_F(ConfigPagesTest, AdapterCountChangeKeepsTheChosenMaintenanceAdapterWhileItExists) {
    struct Case {
        uint32_t from, to;
        int chosen;
        std::string shown;
        uint32_t stored;
    } cases[] = {
        {3, 4, 2, "Adapter 2", 2}, {3, 2, 0, "All adapters", 0}, {3, 1, 3, "Adapter 1", 1},
        {1, 3, 0, "Adapter 1", 1}, {3, 2, 3, "Adapter 1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        OddConfiguration();
        config_.NumberOfControllers = c.from;
        Open();
        SelectEntry(pages_, pages_.maintenance.adapter, c.chosen);
        ChangeAdapterCount(pages_, config_, adapters_, c.to);
        EXPECT_EQ(Selected(pages_.maintenance.adapter), c.shown);
        Store();
        EXPECT_EQ(config_.NumberOfControllers, c.to);
        EXPECT_EQ(config_.Controller, c.stored);
    }
}

// The adapter that was maintained is gone with the lower count, and the maintenance page never showed it:
// the first adapter is maintained, never one that does not exist.
TEST_F(ConfigPagesTest, MaintenanceAdapterTakenAwayByTheCountBecomesTheFirst) {
    for (const char* mode : {"!MAINTENANCE_FULL", "!MAINTENANCE_DEFAULT"}) {
        SCOPED_TRACE(mode);
        DialogScript(MaintenanceSection(mode, 3));
        OddConfiguration();
        config_.Controller = 3;
        Open();
        ChangeAdapterCount(pages_, config_, adapters_, 2);
        Store();
        EXPECT_EQ(config_.NumberOfControllers, 2u);
        EXPECT_EQ(config_.Controller, 1u);
    }
}

TEST_F(ConfigPagesTest, DisplayModeAdapterFollowsTheNewCount) {
    DialogScript(MaintenanceSection("!MAINTENANCE_DEFAULT", 0));
    OddConfiguration();
    Open();
    EXPECT_EQ(pages_.maintenance.adapterText, "All adapters");
    ChangeAdapterCount(pages_, config_, adapters_, 1);
    EXPECT_EQ(pages_.maintenance.adapterText, "Adapter 1");
}

TEST_F(ConfigPagesTest, EveryEditRaisesConfigModifiedButPageButtonsDoNot) {
    struct Case {
        const char* what;
        std::function<void(ConfigPages&, DriverConfig&, AdapterArray&)> edit;
        bool modifies;
    } cases[] = {
        {"page button",
         [](ConfigPages& p, DriverConfig&, AdapterArray&) { ShowPage(p, ConfigPage::kAdvanced); }, false},
        {"start type",
         [](ConfigPages& p, DriverConfig&, AdapterArray&) { SelectEntry(p, p.adapter.start, 1); }, true},
        {"interrupt", [](ConfigPages& p, DriverConfig&, AdapterArray& a) { SelectInterrupt(p, a, 2); }, true},
        {"base address", [](ConfigPages& p, DriverConfig&, AdapterArray&) { EditBaseAddress(p, "300", 3); },
         true},
        {"SPID", [](ConfigPages& p, DriverConfig&, AdapterArray&) { EditSpid(p, "1", 1); }, true},
        {"protocol", [](ConfigPages& p, DriverConfig& c, AdapterArray& a) { SelectProtocol(p, c, a, 0); },
         true},
        {"point to point", [](ConfigPages& p, DriverConfig&, AdapterArray&) { SetPoint2Point(p, false); },
         true},
        {"maintenance switch",
         [](ConfigPages& p, DriverConfig&, AdapterArray&) { SetMaintenanceSwitch(p, false); }, true},
        {"user name", [](ConfigPages& p, DriverConfig&, AdapterArray&) { EditUsername(p, "u"); }, true},
        {"password", [](ConfigPages& p, DriverConfig&, AdapterArray&) { EditPassword(p, "p"); }, true},
        {"called subaddress",
         [](ConfigPages& p, DriverConfig&, AdapterArray&) { EditCalledSubaddress(p, "1", 1); }, true},
        {"calling number added",
         [](ConfigPages& p, DriverConfig&, AdapterArray&) {
             AddCallingNumber(p, {"1", "2"});
         },
         true},
        {"adapter count",
         [](ConfigPages& p, DriverConfig& c, AdapterArray& a) { ChangeAdapterCount(p, c, a, 2); }, true},
    };
    for (const Case& c : cases) {
        OddConfiguration();
        Open();
        pages_.modified = false;
        c.edit(pages_, config_, adapters_);
        EXPECT_EQ(pages_.modified, c.modifies) << c.what;
    }
}

}  // namespace
