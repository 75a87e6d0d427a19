// The control's tag access on arbitrary files: the probe and read that every Open
// makes, writing a tag (texts and genre from the input) and removing it. Neither
// change may touch a byte before the file's last 128: a write keeps every byte
// before them and leaves the file its length or one record longer, a removal only
// cuts off a record.
//
// Input: byte 0 chooses the steps and the genre, the next 60 bytes are the texts
// of the tag to write, the rest is the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "control/player/TagFile.h"
#include "control/player/TagRecord.h"
#include "fuzz/CheckingSink.h"
#include "fuzz/FuzzInputFile.h"

namespace {

using aurion::fuzz::Fail;

constexpr size_t RecordBytes = 128;
constexpr size_t TextBytes = 60;

// The bytes before the last record of `before` are all still there, in place.
void CheckPrefixKept(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    const size_t kept = before.size() > RecordBytes ? before.size() - RecordBytes : 0;
    if (after.size() < kept || !std::equal(before.begin(), before.begin() + kept, after.begin()))
        Fail("a byte before the last 128 changed");
}

std::string Text(std::span<const uint8_t> bytes, size_t from, size_t count) {
    return {bytes.begin() + from, bytes.begin() + from + count};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const aurion::fuzz::FuzzInputFile file(".mp3");
    if (size < 1 + TextBytes) return 0;
    const uint8_t steps = data[0];
    const std::span<const uint8_t> texts(data + 1, TextBytes);
    const std::vector<uint8_t> original(data + 1 + TextBytes, data + size);
    if (!file.Write(original)) return 0;

    aurion::TagFile tag(file.Path());
    const bool isMpeg = tag.Probe();
    if (tag.FileSize() != original.size()) Fail("probe saw another size");
    if (tag.HasTag() && original.size() < RecordBytes) Fail("a tag in a file shorter than one");
    if (!isMpeg && tag.HasTag()) Fail("a tag read from a file that is no MPEG file");

    if ((steps & 1) != 0) {
        aurion::TagRecord changes;
        changes.Title = Text(texts, 0, 30);
        changes.Artist = Text(texts, 30, 12);
        changes.Album = Text(texts, 42, 10);
        changes.Year = Text(texts, 52, 4);
        changes.Comment = Text(texts, 56, 4);
        changes.Genre = (steps >> 2) - 1;
        const auto result = tag.Write(file.Path(), changes, (steps & 2) != 0);
        const std::vector<uint8_t> written = file.Read();
        CheckPrefixKept(original, written);
        if (written.size() != original.size() && written.size() != original.size() + RecordBytes)
            Fail("a write changed the length by other than one record");
        if (result != aurion::TagFileResult::Done && written != original)
            Fail("a failed write changed the file");
        // The file now read again has the tag that was written.
        aurion::TagFile reread(file.Path());
        if (reread.Probe() && (steps & 2) != 0 && result == aurion::TagFileResult::Done &&
            !reread.HasTag())
            Fail("a written tag is not found again");
    }

    const std::vector<uint8_t> beforeRemoval = file.Read();
    aurion::TagFile removal(file.Path());
    removal.Probe();
    removal.Remove();
    const std::vector<uint8_t> removed = file.Read();
    CheckPrefixKept(beforeRemoval, removed);
    if (removed.size() != beforeRemoval.size() &&
        removed.size() + RecordBytes != beforeRemoval.size())
        Fail("a removal cut off other than one record");
    return 0;
}
