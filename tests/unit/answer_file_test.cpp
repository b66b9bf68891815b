#include <gtest/gtest.h>

#include "shell/answer_file.h"
#include "test_support.h"

namespace {

const AnswerLists kLists = {{"DSS1 (Euro-ISDN)", "NI-1"}, {"English", "Deutsch"}, {"NI-1"}, kMaintenanceFull};

AnswerFile Parse(const std::string& text, const AnswerLists& lists = kLists) {
    AnswerFile answers;
    AnswerFileError error;
    EXPECT_TRUE(ParseAnswerFile(text, lists, answers, error)) << DescribeAnswerFileError(error);
    return answers;
}

AnswerFileError Error(const std::string& text, const AnswerLists& lists = kLists) {
    AnswerFile answers;
    AnswerFileError error;
    EXPECT_FALSE(ParseAnswerFile(text, lists, answers, error)) << text;
    return error;
}

AnswerLists WithMaintenance(int32_t mode) {
    AnswerLists lists = kLists;
    lists.maintenanceMode = mode;
    return lists;
}

TEST(AnswerFileTest, EveryKeyIsRead) {
    AnswerFile a = Parse(CrLf({"; deployment of the sales floor",
                               "[Setup]",
                               "Destination = D:\\Drivers\\Quorel2",
                               "language=deutsch",
                               "EarlierConfiguration=Renew",
                               "OverwriteNewer=Always",
                               "",
                               "[DRIVER]",
                               "Protocol=ni-1",
                               "Start=Demand",
                               "TestMode=Adapter+S0",
                               "Adapters=2",
                               "DosVector=f1",
                               "x31Layer2=Active",
                               "DeliveryConf=Off",
                               "DataIoMode=Direct",
                               "Point2Point=Yes",
                               "[Adapter1]",
                               "BaseAddress=300",
                               "Interrupt=5",
                               "SPID=0123456789",
                               "[Adapter2]",
                               "BaseAddress=FFFF",
                               "Interrupt=15",
                               "[Maintenance]",
                               "Access=2",
                               "cipValue=31",
                               "Username=service",
                               "Password=se cret",
                               "CalledNumber=4711,12",
                               "CallingNumber1=0815",
                               "CallingNumber8=0049 30 1234 , 7"}));
    EXPECT_EQ(a.destination, "D:\\Drivers\\Quorel2");
    EXPECT_EQ(a.language, "Deutsch");  // the listed spelling
    EXPECT_EQ(a.keepConfiguration, false);
    EXPECT_EQ(a.overwriteNewer, true);
    EXPECT_EQ(a.protocol, "NI-1");
    EXPECT_EQ(a.start, 3u);
    EXPECT_EQ(a.test, 1u);
    EXPECT_EQ(a.numberOfControllers, 2u);
    EXPECT_EQ(a.dosVector, 0xF1u);
    EXPECT_EQ(a.x31Layer2, 2u);
    EXPECT_EQ(a.deliveryConf, 2u);
    EXPECT_EQ(a.dataIoMode, 0u);
    EXPECT_EQ(a.point2Point, 1u);
    EXPECT_EQ(a.adapters[0].baseAddress, 0x300u);
    EXPECT_EQ(a.adapters[0].interrupt, 5u);
    EXPECT_EQ(a.adapters[0].spid, "0123456789");
    EXPECT_EQ(a.adapters[1].baseAddress, 0xFFFFu);
    EXPECT_EQ(a.adapters[1].interrupt, 15u);
    EXPECT_FALSE(a.adapters[1].spid);
    EXPECT_FALSE(a.adapters[2].baseAddress);
    EXPECT_EQ(a.controller, 2u);
    EXPECT_EQ(a.cipValue, 31u);
    EXPECT_EQ(a.username, "service");
    EXPECT_EQ(a.password, "se cret");
    EXPECT_EQ(a.calledNumber, "4711,12");
    EXPECT_EQ(a.callingNumbers[0], "0815,");
    EXPECT_FALSE(a.callingNumbers[1]);
    EXPECT_EQ(a.callingNumbers[7], "0049 30 1234,7");
    EXPECT_TRUE(a.HasDriverConfiguration());
}

TEST(AnswerFileTest, AKeyNotGivenKeepsTheInteractiveDefault) {
    AnswerFile a = Parse("[Setup]\nDestination=\\\\server\\share\\Quorel2\n");
    EXPECT_EQ(a.destination, "\\\\server\\share\\Quorel2");
    EXPECT_FALSE(a.language);
    EXPECT_FALSE(a.keepConfiguration);
    EXPECT_FALSE(a.overwriteNewer);
    EXPECT_FALSE(a.AdaptersInUse());
    EXPECT_FALSE(a.HasDriverConfiguration());
    EXPECT_FALSE(Parse("").HasDriverConfiguration());
    // Without Adapters, the highest adapter section says how many are in use.
    EXPECT_EQ(Parse("[Adapter3]\nInterrupt=4\n").AdaptersInUse(), 3u);
}

TEST(AnswerFileTest, MaintenanceAccessNamesOffAllOrAnAdapter) {
    EXPECT_EQ(Parse("[Maintenance]\nAccess=off\n").controller, kMaintenanceControllerOff);
    EXPECT_EQ(Parse("[Driver]\nAdapters=4\n[Maintenance]\nAccess=All\n").controller, 0u);
    EXPECT_EQ(Parse("[Maintenance]\nAccess=1\n").controller, 1u);
}

TEST(AnswerFileTest, AnErrorNamesTheKeyAndTheLine) {
    struct Case {
        std::string text;
        size_t line;
        std::string key;
        std::string reasonPart;
    } cases[] = {
        {"[Setup]\nDestinaton=C:\\Q\n", 2, "Destinaton", "unknown key"},
        {"[Setup]\n\n[Driver]\nStart=Fast\n", 4, "Start", "Boot, System, Auto, Demand, Disabled"},
        {"[Driver]\nProtocol=X.25\n", 2, "Protocol", "DSS1 (Euro-ISDN), NI-1"},
        {"[Setup]\nLanguage=Francais\n", 2, "Language", "English, Deutsch"},
        {"[Setup]\nDestination=Quorel2\n", 2, "Destination", "full path"},
        {"[Setup]\nDestination=C:\\" + std::string(257, 'q') + "\n", 2, "Destination", "259"},
        {"[Setup]\nEarlierConfiguration=maybe\n", 2, "EarlierConfiguration", "Renew, Keep"},
        {"[Setup]\nOverwriteNewer=\n", 2, "OverwriteNewer", "Never, Always"},
        {"[Driver]\nAdapters=5\n", 2, "Adapters", "outside 1 to 4"},
        {"[Driver]\nAdapters=-1\n", 2, "Adapters", "not a number"},
        {"[Driver]\nDosVector=100\n", 2, "DosVector", "1 to 2 digits"},
        {"[Adapter1]\nBaseAddress=2G0\n", 2, "BaseAddress", "hexadecimal"},
        {"[Adapter1]\nBaseAddress=10000\n", 2, "BaseAddress", "hexadecimal"},
        {"[Adapter1]\nInterrupt=0\n", 2, "Interrupt", "outside 1 to 15"},
        {"[Adapter1]\nInterrupt=99999999999\n", 2, "Interrupt", "not a number"},
        {"[Adapter1]\nSPID=0123456789012345\n", 2, "SPID", "15 characters"},
        {"[Maintenance]\ncipValue=32\n", 2, "cipValue", "outside 0 to 31"},
        {"[Maintenance]\nUsername=" + std::string(79, 'u') + "\n", 2, "Username", "78 characters"},
        {"[Maintenance]\nCalledNumber=1,2,3\n", 2, "CalledNumber", "number[,subaddress]"},
        {"[Maintenance]\nCallingNumber9=1\n", 2, "CallingNumber9", "unknown key"},
        {"[Maintenance]\nAccess=5\n", 2, "Access", "Off, All"},
        {"[Driver]\nAdapters=1\n[Maintenance]\nAccess=2\n", 4, "Access", "not in use"},
        {"[Driver]\nAdapters=1\n[Adapter2]\nInterrupt=3\n", 3, "[Adapter2]", "Adapters in [Driver] is 1"},
        {"[Adapter5]\n", 1, "[Adapter5]", "unknown section"},
        {"[Options]\n", 1, "[Options]", "unknown section"},
        {"[Setup\n", 1, "[Setup", "not closed"},
        {"Destination=C:\\Q\n", 1, "Destination", "before the first section"},
        {"[Setup]\njust words\n", 2, "", "not a key=value line"},
        {"[Setup]\nLanguage=English\nlanguage=Deutsch\n", 3, "language", "given twice"},
        {"[Setup]\r\n;" + std::string(1023, 'c') + "\r\n", 2, "", "longer than 1023"},
    };
    for (const Case& c : cases) {
        AnswerFileError error = Error(c.text);
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.key, c.key) << c.text;
        EXPECT_NE(error.reason.find(c.reasonPart), std::string::npos) << error.reason;
    }
    EXPECT_EQ(DescribeAnswerFileError(Error("[Driver]\nStart=Fast\n")),
              "line 2, Start: \"Fast\" is not one of Boot, System, Auto, Demand, Disabled");
}

// What the configuration dialog's fields filter out as they are typed is refused, not stored: a ';' would
// shift the integrity backup's fields, a tab or comma the split of a party number.
TEST(AnswerFileTest, WhatTheDialogDoesNotTakeIsRefused) {
    struct Case {
        std::string text;
        std::string key;
        std::string reasonPart;
    } cases[] = {
        {"[Adapter1]\nSPID=12;34\n", "SPID", "';'"},
        {"[Adapter1]\nSPID=12\t34\n", "SPID", "tab"},
        {"[Maintenance]\nCallingNumber1=1\t2\n", "CallingNumber1", "tab"},
        {"[Maintenance]\nCallingNumber1=1;2\n", "CallingNumber1", "';'"},
        {"[Maintenance]\nCalledNumber=4711,1\t2\n", "CalledNumber", "tab"},
        {"[Maintenance]\nUsername=ser\tvice\n", "Username", "tab"},
    };
    for (const Case& c : cases) {
        AnswerFileError error = Error(c.text);
        EXPECT_EQ(error.line, 2u) << c.text;
        EXPECT_EQ(error.key, c.key) << c.text;
        EXPECT_NE(error.reason.find(c.reasonPart), std::string::npos) << error.reason;
    }
}

// A key that could change nothing is an error of the answer file, not a silent no-op.
TEST(AnswerFileTest, AKeyWithoutEffectIsRefused) {
    struct Case {
        std::string text;
        int32_t mode;
        size_t line;
        std::string key;
        std::string reasonPart;
    } cases[] = {
        {"[Maintenance]\nUsername=x\n", kMaintenanceOff, 2, "Username", "maintenance off"},
        {"[Maintenance]\nAccess=1\n", kMaintenanceDefault, 2, "Access", "not full"},
        {"[Maintenance]\ncipValue=3\n", kMaintenanceDefaultInvisible, 2, "cipValue", "not full"},
        {"[Adapter1]\nSPID=1\n[Driver]\nProtocol=DSS1 (Euro-ISDN)\n", kMaintenanceFull, 2, "SPID",
         "DSS1 (Euro-ISDN) takes no SPID"},
    };
    for (const Case& c : cases) {
        AnswerFileError error = Error(c.text, WithMaintenance(c.mode));
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.key, c.key) << c.text;
        EXPECT_NE(error.reason.find(c.reasonPart), std::string::npos) << error.reason;
    }
    AnswerLists noSpid = kLists;
    noSpid.protocolsWithSpid.clear();
    EXPECT_NE(Error("[Adapter1]\nSPID=1\n", noSpid).reason.find("no protocol"), std::string::npos);
    // Default maintenance still takes the person's own values.
    EXPECT_EQ(Parse("[Maintenance]\nUsername=x\n", WithMaintenance(kMaintenanceDefault)).username, "x");
}

TEST(AnswerFileTest, QuotedValuesAndAccessBeyondOneAdapterWithoutAnAdapterCount) {
    AnswerFile a = Parse(
        "[Setup]\nDestination=\"C:\\Program Files\\Q\"\n[Maintenance]\nPassword=\" pw \"\n"
        "Access=2\n");
    EXPECT_EQ(a.destination, "C:\\Program Files\\Q");
    EXPECT_EQ(a.password, " pw ");
    // The installed configuration decides whether adapter 2 is in use (AnswersWithoutEffect).
    EXPECT_EQ(a.controller, 2u);
}

// The password of a mistyped line never reaches the report through the error.
TEST(AnswerFileTest, AnErrorNeverQuotesThePassword) {
    for (const std::string& line :
         std::vector<std::string>{"Password secret", "Password=secret\tx", "Password:secret",
                                  "Password=" + std::string(79, 's') + "secret"}) {
        std::string description = DescribeAnswerFileError(Error("[Maintenance]\n" + line + "\n"));
        EXPECT_EQ(description.find("secret"), std::string::npos) << description;
    }
}

TEST(AnswerFileTest, OnlyTheRunsConfigurationTellsWhetherAccessAndSpidTakeEffect) {
    std::vector<ProtocolEntry> protocols = {{"DSS1", "qdss1.sys", 0}, {"NI-1", "qni1.sys", 1}};
    DriverConfig config;
    config.NumberOfControllers = 2;
    config.ImagePath = std::string(kDriversPrefix) + "qdss1.sys";
    AnswerFile answers;
    answers.controller = 2;
    EXPECT_EQ(AnswersWithoutEffect(answers, config, protocols), "");
    config.NumberOfControllers = 1;
    EXPECT_NE(AnswersWithoutEffect(answers, config, protocols).find("not in use (1 in use)"),
              std::string::npos);
    answers.controller = kMaintenanceControllerOff;
    EXPECT_EQ(AnswersWithoutEffect(answers, config, protocols), "");
    answers.adapters[0].spid = "1";
    EXPECT_NE(AnswersWithoutEffect(answers, config, protocols).find("SPID"), std::string::npos);
    config.ImagePath = std::string(kDriversPrefix) + "qni1.sys";
    EXPECT_EQ(AnswersWithoutEffect(answers, config, protocols), "");
}

TEST(AnswerFileTest, ALineOfExactly1023CharactersIsRead) {
    AnswerFile a = Parse("[Maintenance]\r\n;" + std::string(1022, 'c') + "\r\nUsername=x\r\n");
    EXPECT_EQ(a.username, "x");
}

class AnswerFileReadTest : public SetupFixture {};

TEST_F(AnswerFileReadTest, AMissingOrOversizedFileIsAnErrorOfTheFile) {
    AnswerFile answers;
    AnswerFileError error;
    EXPECT_FALSE(ReadAnswerFile(PathOf("none.ini"), kLists, answers, error));
    EXPECT_NE(DescribeAnswerFileError(error).find("cannot be read"), std::string::npos);
    WriteFile("big.ini", "[Setup]\n" + std::string(kAnswerFileSize, '\n'));
    EXPECT_FALSE(ReadAnswerFile(PathOf("big.ini"), kLists, answers, error));
    EXPECT_NE(error.reason.find("larger than"), std::string::npos);
    WriteFile("ok.ini", "[Setup]\r\nOverwriteNewer=Never\r\n");
    EXPECT_TRUE(ReadAnswerFile(PathOf("ok.ini"), kLists, answers, error));
    EXPECT_EQ(answers.overwriteNewer, false);
}

}  // namespace
