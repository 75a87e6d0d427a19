// The control's view of the file last given to Open, for its ID3v1 tag: the probe
// that every Open makes (an MPEG file starts with a frame header, after a leading
// ID3v2 tag if it has one), the tag as read from the file, and the two changes the
// control makes to a file. Neither change touches a byte before the last 128:
// writing replaces the tag in place or appends one, removing only cuts it off. The
// file is open only during one of these operations.
#pragma once

#include <cstdint>
#include <string>

#include "control/player/TagRecord.h"

namespace aurion {

enum class TagFileResult {
    Done,
    CannotOpen,   // the file cannot be opened for writing
    WriteFailed,  // a short write, or a failed cut
    NoTag,        // the file had no tag at the probe
};

class TagFile {
public:
    explicit TagFile(std::string path) : m_path(std::move(path)) {}

    // Reads the tag when the file is an MPEG file; true when it is one. A file that
    // cannot be read, or is shorter than a record, has no tag.
    bool Probe();

    [[nodiscard]] const std::string& Path() const { return m_path; }
    [[nodiscard]] bool HasTag() const { return m_hasTag; }
    [[nodiscard]] uint64_t FileSize() const { return m_fileSize; }
    // The tag as read (and as last written); empty texts and no genre without one.
    [[nodiscard]] const TagRecord& Record() const { return m_record; }

    // WriteTag: opens `path` for writing, then, when `modified`, merges `changes`
    // into this file's record (the file has a tag from now on) and writes it over
    // the file's tag, or appends it when the file does not end in one. A short
    // append is cut off again, so the file keeps its length.
    TagFileResult Write(const std::string& path, const TagRecord& changes, bool modified);
    // DelTag: cuts off the last 128 bytes when they are still a tag. HasTag and the
    // record keep their values.
    TagFileResult Remove();

private:
    std::string m_path;
    TagRecord m_record;
    uint64_t m_fileSize = 0;
    bool m_hasTag = false;
};

}  // namespace aurion
