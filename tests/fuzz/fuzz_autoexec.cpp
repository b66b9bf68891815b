// The input is AUTOEXEC.NT of the system directory. Inserting the block must append it only when no block
// start is there, on a line of its own; removing it must drop exactly the block lines and give back every
// other line byte for byte, leave no temporary file and show nothing. A file without any block line comes
// out of an insertion and a removal as it went in, byte for byte.
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

// A file whose last line has no line end keeps ending without one: when that last line is a block line,
// the last kept line gives up its line end, unless it is empty.
std::string ModelWithout(const std::string& content) {
    std::vector<fuzz::Line> lines = fuzz::SplitCrLines(content);
    std::vector<fuzz::Line> kept;
    for (const fuzz::Line& line : lines)
        if (!IsBlockLine(line.text))
            kept.push_back(line);
    if (!lines.empty() && lines.back().end.empty() && IsBlockLine(lines.back().text) && !kept.empty() &&
        !kept.back().text.empty())
        kept.back().end.clear();
    // A lone CR that would meet an LF starting the next kept line becomes a CRLF, so both lines stay.
    for (size_t i = 0; i + 1 < kept.size(); ++i)
        if (kept[i].end == "\r" && !kept[i + 1].text.empty() && kept[i + 1].text.front() == '\n')
            kept[i].end = "\r\n";
    std::string bytes;
    for (const fuzz::Line& line : kept) bytes += line.text + line.end;
    return bytes;
}

// The block goes on lines of its own; after a last line without line end it starts with one and ends
// without one.
std::string ModelBlockFor(const std::string& content) {
    const std::string lines =
        std::string(kAutoexecBeginMarker) + "\r\n" + kAutoexecLoaderLine + "\r\n" + kAutoexecEndMarker;
    std::vector<fuzz::Line> existing = fuzz::SplitCrLines(content);
    if (existing.empty() || !existing.back().end.empty())
        return lines + "\r\n";
    return "\r\n" + lines;
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
    FUZZ_CHECK(inserted == (hadBlock ? original : original + ModelBlockFor(original)),
               "the insertion wrote other bytes");
    FUZZ_CHECK(ModelHasBlock(inserted), "no block after the insertion");
    // A second insertion finds the block and leaves the file alone.
    FUZZ_CHECK(InsertAutoexecBlock() && fuzz::ReadFile(path) == inserted,
               "a second insertion changed the file");

    FUZZ_CHECK(RemoveAutoexecBlock(), "RemoveAutoexecBlock failed on a writable file");
    const std::string removed = fuzz::ReadFile(path);
    FUZZ_CHECK(removed == ModelWithout(inserted), "the removal wrote other bytes");
    FUZZ_CHECK(!ModelHasBlock(removed), "a block line survived the removal");
    FUZZ_CHECK(!fuzz::FileExists(temporary), "the temporary copy was left behind");

    // A file without any block line is given back byte for byte; otherwise every line the file held, other
    // than the block lines (a stray one included), is there again in order.
    if (KeptTexts(original).size() == fuzz::SplitCrLines(original).size())
        FUZZ_CHECK(removed == original, "insertion and removal did not give the file back byte for byte");
    FUZZ_CHECK(KeptTexts(removed) == KeptTexts(original), "the removal did not give back the original lines");

    const auto& shown = ui::fake::ShownMessages();
    FUZZ_CHECK(shown.empty(), "the edits showed " + fuzz::Quoted(shown.empty() ? "" : shown.front().text));
    return 0;
}
