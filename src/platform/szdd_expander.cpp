#include "platform/szdd_expander.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/szdd_header.h"

namespace platform {

namespace {

constexpr size_t kMethodOffset = 8;
constexpr unsigned char kMethodLzss = 'A';

constexpr size_t kWindowSize = 4096;
constexpr size_t kWindowMask = kWindowSize - 1;
// Where the window's first byte goes; every window position starts out holding a space.
constexpr size_t kFirstPosition = kWindowSize - 16;
constexpr unsigned char kWindowFill = ' ';
constexpr size_t kShortestMatch = 3;
constexpr size_t kLongestMatch = 18;

// A flag byte and its eight tokens: the most input and output one group can take.
constexpr size_t kLongestGroupInput = 1 + 8 * 2;
constexpr size_t kLongestGroupOutput = 8 * kLongestMatch;
// Eight matches (144 bytes) from seventeen input bytes is the densest a stream gets, so no stream expands
// to more than nine times its size. This bounds what a header may make us allocate.
constexpr uint64_t kMostOutputPerInputByte = 9;

struct Decoded {
    size_t written;
    // The stream holds more tokens, or a longer one, than the output had room for. Otherwise it ended
    // where a token could begin (the flag byte's remaining bits are padding), or inside a match, which is
    // left out; a match is only begun with room left, so the output is then short of its room.
    bool overran;
};

// The window is not kept as a buffer of its own: the byte at a window position is the output byte written
// 1 to 4096 places back (the distance between that position and the write position, 0 meaning 4096), or a
// space while the output is not that long yet. Each byte is then written once, and a match copies from the
// output itself, byte by byte, so that one overlapping the write position repeats what it has just written.
inline size_t MatchDistance(size_t written, size_t position) {
    size_t distance = (kFirstPosition + written - position) & kWindowMask;
    return distance == 0 ? kWindowSize : distance;
}

inline void CopyMatch(unsigned char* out, size_t written, size_t distance, size_t length) {
    unsigned char* to = out + written;
    if (distance <= written) {
        const unsigned char* from = to - distance;
        for (size_t i = 0; i < length; ++i) to[i] = from[i];
        return;
    }
    for (size_t end = written + length; written < end; ++written)
        out[written] = written >= distance ? out[written - distance] : kWindowFill;
}

// Decodes the LZSS data in [in, end) into out[0, room).
Decoded Decode(const unsigned char* in, const unsigned char* end, unsigned char* out, size_t room) {
    size_t written = 0;
    while (in != end) {
        if (written == room)
            return {written, true};
        unsigned flags = *in++;
        if (static_cast<size_t>(end - in) >= kLongestGroupInput - 1 &&
            room - written >= kLongestGroupOutput) {
            // Nearly every group: neither buffer can run out within it, so no bounds are checked. A match
            // far enough back is copied whole, its longest length at once: the bytes past its own length
            // stay within the group's room and are written over by the tokens that follow.
            for (int bit = 0; bit < 8; ++bit, flags >>= 1) {
                if (flags & 1) {
                    out[written++] = *in++;
                    continue;
                }
                size_t distance = MatchDistance(written, in[0] | (in[1] & 0xF0u) << 4);
                size_t length = (in[1] & 0x0Fu) + kShortestMatch;
                in += 2;
                if (distance >= kLongestMatch && distance <= written)
                    std::memcpy(out + written, out + written - distance, kLongestMatch);
                else
                    CopyMatch(out, written, distance, length);
                written += length;
            }
            continue;
        }
        for (int bit = 0; bit < 8; ++bit, flags >>= 1) {
            if (in == end)
                return {written, false};
            if (written == room)
                return {written, true};
            if (flags & 1) {
                out[written++] = *in++;
                continue;
            }
            if (end - in < 2)
                return {written, false};
            size_t distance = MatchDistance(written, in[0] | (in[1] & 0xF0u) << 4);
            size_t length = (in[1] & 0x0Fu) + kShortestMatch;
            in += 2;
            size_t fits = std::min(length, room - written);
            CopyMatch(out, written, distance, fits);
            written += fits;
            if (fits < length)
                return {written, true};
        }
    }
    return {written, false};
}

// What a compressed file's output may hold: its header's length, but never more than its data can give.
size_t OutputBound(int64_t length, size_t size) {
    uint64_t most = static_cast<uint64_t>(size - kSzddHeaderLength) * kMostOutputPerInputByte;
    return static_cast<size_t>(std::min(static_cast<uint64_t>(length), most));
}

}  // namespace

// LZ32 stops reading once the header's length is written, whatever follows. Here data past that point is
// damage, not something to skip: a sound file ends with the token that reaches the length, and only the rest
// of that token's flag byte goes unused. So any further byte (a token, or a flag byte with nothing behind
// it) makes the file kDamaged, as does a token that would write past the length. The native backend's
// length check judges a further token the same way, since libmspack writes every token there is.
ExpandResult ExpandFileBytes(const unsigned char* data, size_t size, std::vector<unsigned char>* out) {
    int64_t length = SzddExpandedLength(data, size);
    if (length == kAnyLength) {
        out->assign(data, data + size);
        return ExpandResult::kCopied;
    }
    if (data[kMethodOffset] != kMethodLzss) {
        out->clear();
        return ExpandResult::kDamaged;
    }
    // Resized, not emptied first: the decoder writes every byte it counts, and a buffer that keeps its size
    // from the last file is not filled with zeros again.
    size_t room = OutputBound(length, size);
    out->resize(room);
    Decoded decoded = Decode(data + kSzddHeaderLength, data + size, out->data(), room);
    out->resize(decoded.written);
    bool whole = !decoded.overran && static_cast<int64_t>(decoded.written) == length;
    return whole ? ExpandResult::kExpanded : ExpandResult::kDamaged;
}

std::vector<unsigned char> ExpandedPrefix(const unsigned char* data, size_t size, size_t limit) {
    int64_t length = SzddExpandedLength(data, size);
    if (length == kAnyLength)
        return std::vector<unsigned char>(data, data + std::min(size, limit));
    if (data[kMethodOffset] != kMethodLzss)
        return {};
    std::vector<unsigned char> prefix(std::min(OutputBound(length, size), limit));
    prefix.resize(Decode(data + kSzddHeaderLength, data + size, prefix.data(), prefix.size()).written);
    return prefix;
}

}  // namespace platform
