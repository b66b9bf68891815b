// The input is AUTOEXEC.NT of the system directory. Inserting the block must append it only when no block
// start is there, on a line of its own; removing it must drop exactly the block lines and give back every
// other line byte for byte, leave no temporary file and show nothing.
#include "configstore/autoexec_block.h"
#include "fuzz_support.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "setupfiles/text_line.h"

namespace {

bool IsBlockStart(const std::string& text) {
    return EqualsIgnoreCase(text, kAutoexecBeginMarker) || EqualsIgnoreCase(text, kAutoexecLoaderLine);
}

bool IsBlockLine(const std::string& text) {
    return IsBlockStart(text) || EqualsIgnoreCase(text, kAutoexecEndMarker);
}

bool ModelHasBlock(const std::string& content) {
    for (const fuzz::Line& line : fuzz::SplitCrLines(content))
        if (IsBlockStart(line.text))
            return true;
    return false;
}

std::string ModelWithout(const std::string& content) {
    std::string kept;
    for (const fuzz::Line& line : fuzz::SplitCrLines(content))
        if (!IsBlockLine(line.text))
            kept += line.text + line.end;
    return kept;
}

std::vector<std::string> KeptTexts(const std::string& content) {
    std::vector<std::string> texts;
    for (const fuzz::Line& line : fuzz::SplitCrLines(content))
        if (!IsBlockLine(line.text))
            texts.push_back(line.text);
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetState();
    const std::string original = fuzz::Bytes(data, size);
    const std::string directory = fuzz::ScratchDirectory() + "/system32";
    const std::string path = directory + "/AutoExec.NT";
    const std::string temporary = directory + "/AutoTmp.$$$";
    fuzz::WriteFile(path, original);

    const bool hadBlock = ModelHasBlock(original);
    FUZZ_CHECK(HasAutoexecBlock(original) == hadBlock, "HasAutoexecBlock disagrees with the lines");
    FUZZ_CHECK(WithoutAutoexecBlock(original) == ModelWithout(original),
               "WithoutAutoexecBlock kept other bytes");

    FUZZ_CHECK(InsertAutoexecBlock(), "InsertAutoexecBlock failed on a writable file");
    const std::string inserted = fuzz::ReadFile(path);
    const std::string block = std::string("\r\n") + kAutoexecBeginMarker + "\r\n" + kAutoexecLoaderLine +
                              "\r\n" + kAutoexecEndMarker + "\r\n";
    FUZZ_CHECK(inserted == (hadBlock ? original : original + block), "the insertion wrote other bytes");
    FUZZ_CHECK(ModelHasBlock(inserted), "no block after the insertion");
    // A second insertion finds the block and leaves the file alone.
    FUZZ_CHECK(InsertAutoexecBlock() && fuzz::ReadFile(path) == inserted,
               "a second insertion changed the file");

    FUZZ_CHECK(RemoveAutoexecBlock(), "RemoveAutoexecBlock failed on a writable file");
    const std::string removed = fuzz::ReadFile(path);
    FUZZ_CHECK(removed == ModelWithout(inserted), "the removal wrote other bytes");
    FUZZ_CHECK(!ModelHasBlock(removed), "a block line survived the removal");
    FUZZ_CHECK(!fuzz::FileExists(temporary), "the temporary copy was left behind");

    // Every line the file held before, other than block lines, is there again in order; the insertion may
    // have ended an unterminated last line and added one empty line before the block.
    std::vector<std::string> before = KeptTexts(original);
    std::vector<std::string> after = KeptTexts(removed);
    if (!hadBlock && after.size() == before.size() + 1 && after.back().empty())
        after.pop_back();
    FUZZ_CHECK(after == before, "the removal did not give back the original lines");

    const auto& shown = ui::fake::ShownMessages();
    FUZZ_CHECK(shown.empty(), "the edits showed " + fuzz::Quoted(shown.empty() ? "" : shown.front().text));
    return 0;
}
