// The control's in-memory ID3v1 tag. Texts are held as the record stores them,
// Windows-1252, one byte per character and never longer than their field; the
// conversion to and from UTF-8 happens at the dispatch interface. The file path
// (where WriteTag writes) is kept whole, whatever its length.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace aurion {

inline constexpr int32_t NoGenre = -1;

struct TagRecord {
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Year;
    std::string Comment;
    std::string GenreName;
    std::string FilePath;
    int32_t Genre = NoGenre;
};

// The merge that fills the control's record from a file's and a file's record from
// the control's: the title always, the other texts only when the source's is not
// empty, the genre unless the source has none; a target genre outside the ID3v1
// list then becomes 0, and the genre name follows the number.
void MergeTagRecord(const TagRecord& source, TagRecord& target);

// A text as far as it fits a field of `width` characters, cut at a NUL.
[[nodiscard]] std::string FieldText(std::string_view text, size_t width);

}  // namespace aurion
