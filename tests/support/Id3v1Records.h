// ID3v1 records written and read by the tests themselves, byte by byte from the
// record's published layout ("TAG", title 30, artist 30, album 30, year 4,
// comment 30, genre 1, the last 128 bytes of a file), independently of the
// control's own code, so that each side can be checked against the other.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tests/support/MpegFrameBuilder.h"

namespace aurion::test {

// The fields as they stand in the record: Windows-1252 bytes, padding included
// when read from a file.
struct Id3v1Fields {
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Year;
    std::string Comment;
    uint8_t Genre = 0;
};

// "TAG" and the fields, each cut to its width or filled up with `fill`.
[[nodiscard]] Bytes LayOutId3v1(const Id3v1Fields& fields, char fill = ' ');
// The fields of a file's last 128 bytes, whole; empty when they do not begin
// with "TAG" or the file is shorter.
[[nodiscard]] std::optional<Id3v1Fields> LastId3v1(const Bytes& file);
// `text` filled up with `fill` to `width` characters.
[[nodiscard]] std::string Padded(const std::string& text, size_t width, char fill = ' ');

// The whole file; empty when it cannot be read.
[[nodiscard]] Bytes ReadFileBytes(const std::string& path);

}  // namespace aurion::test
