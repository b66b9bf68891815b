#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "setupfiles/language_table.h"
#include "shell/app_context.h"

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> Rows(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::string> lines;
    for (const std::vector<std::string>& row : rows) lines.insert(lines.end(), row.begin(), row.end());
    return lines;
}

AppContext& App() {
    static AppContext context;
    return context;
}

std::vector<std::string> DriverAndToolSection() {
    return Rows({
        {"[COMPFILES]", "2"},
        {"1", "DRIVER", "KXBUS.SY_", "kxbus.sys", "!NOSETUPDIR", "system32\\drivers", "!VERSION_ON"},
        {"1", "DRIVER", "TOOL.EX_", "tool.exe", "TOOLS", "system32", "!VERSION_OFF"},
    });
}

void SetupFixture::SetUp() {
    savedWorkingDirectory_ = std::filesystem::current_path().string();
    savedApp_ = App();
    std::string pattern = (std::filesystem::temp_directory_path() / "quorel-unit-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    ASSERT_NE(mkdtemp(buffer.data()), nullptr);
    directory_ = buffer.data();
    App() = AppContext();
    App().SetupDirectory = directory_;
    ClearLanguageTable();
    ui::fake::ResetUserInterface();
    platform::fake::ResetRegistry();
    platform::fake::ResetDde();
    platform::fake::ReleaseHeldFiles();
    platform::fake::ResetFiles();
    platform::fake::CountOperations();
    platform::fake::SetRunningPlatformId(2);
    platform::fake::SetRunningSystem(platform::SystemKind());
    platform::fake::ResetCapiDlls();
    platform::fake::ResetDirectoryAccess();
    std::filesystem::create_directories(directory_ + "/system32");
    platform::fake::SetSystemDirectory(directory_ + "\\system32");
}

void SetupFixture::TearDown() {
    std::filesystem::current_path(savedWorkingDirectory_);
    App() = savedApp_;
    ClearLanguageTable();
    if (!directory_.empty())
        std::filesystem::remove_all(directory_);
}

void SetupFixture::WriteFile(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(PathOf(name)).parent_path());
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string SetupFixture::ReadFile(const std::string& name) const {
    return ReadHostFile(PathOf(name));
}

bool SetupFixture::Exists(const std::string& name) const {
    return std::filesystem::exists(PathOf(name));
}

void SetupFixture::WriteDriverAndToolSources() const {
    WriteFile("dist/DRIVER/KXBUS.SY_", ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_"));
    WriteFile("dist/DRIVER/TOOL.EX_", "plain tool");
}

void SetupFixture::LoadLanguage(const std::map<std::string, std::string>& texts) {
    std::vector<std::string> lines;
    for (const LanguageKey& key : kLanguageKeys) {
        auto text = texts.find(key.key);
        lines.push_back(key.key);
        lines.push_back(text == texts.end() ? key.key : text->second);
    }
    for (const AddedLanguageKey& key : kAddedLanguageKeys) {
        auto text = texts.find(key.key);
        lines.push_back(key.key);
        lines.push_back(text == texts.end() ? key.key : text->second);
    }
    WriteFile("TEST.LNG", CrLf(lines));
    App().Languages.entries = {{"Test", "TEST.LNG"}};
    App().LanguageIndex = 0;
    ASSERT_EQ(LoadCurrentLanguage(App()), 1);
    ui::fake::ShownMessages().clear();
}

std::vector<std::string> SetupFixture::ShownTexts() {
    std::vector<std::string> texts;
    for (const auto& shown : Shown()) texts.push_back(shown.text);
    return texts;
}
