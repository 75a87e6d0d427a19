#include "control/player/Id3v1Codec.h"

#include <algorithm>
#include <string_view>

#include "control/player/GenreNames.h"

namespace aurion {

namespace {

std::string ReadField(const Id3v1Bytes& bytes, id3v1::Field field) {
    const auto* begin = reinterpret_cast<const char*>(bytes.data() + field.Offset);
    std::string_view text(begin, field.Width);
    text = text.substr(0, text.find('\0'));
    const size_t last = text.find_last_not_of(id3v1::Padding);
    return std::string(last == std::string_view::npos ? std::string_view()
                                                      : text.substr(0, last + 1));
}

void WriteField(Id3v1Bytes& bytes, id3v1::Field field, std::string_view text) {
    text = text.substr(0, field.Width);
    auto target = bytes.begin() + static_cast<std::ptrdiff_t>(field.Offset);
    std::fill_n(target, field.Width, static_cast<uint8_t>(id3v1::Padding));
    std::copy(text.begin(), text.end(), target);
}

}  // namespace

bool StartsWithTagMarker(std::span<const uint8_t> bytes) {
    const std::string_view marker(id3v1::MarkerText, id3v1::Marker.Width);
    return bytes.size() >= marker.size() &&
           std::equal(marker.begin(), marker.end(), bytes.begin(),
                      [](char m, uint8_t b) { return static_cast<uint8_t>(m) == b; });
}

std::optional<TagRecord> ReadId3v1(const Id3v1Bytes& bytes) {
    if (!StartsWithTagMarker(bytes)) return std::nullopt;
    TagRecord record;
    record.Title = ReadField(bytes, id3v1::Title);
    record.Artist = ReadField(bytes, id3v1::Artist);
    record.Album = ReadField(bytes, id3v1::Album);
    record.Year = ReadField(bytes, id3v1::Year);
    record.Comment = ReadField(bytes, id3v1::Comment);
    record.Genre = std::min<int32_t>(bytes[id3v1::GenreOffset], UnknownGenre);
    record.GenreName = std::string(GenreName(record.Genre));
    return record;
}

Id3v1Bytes BuildId3v1(const TagRecord& record) {
    Id3v1Bytes bytes{};
    std::copy_n(id3v1::MarkerText, id3v1::Marker.Width, bytes.begin());
    WriteField(bytes, id3v1::Title, record.Title);
    WriteField(bytes, id3v1::Artist, record.Artist);
    WriteField(bytes, id3v1::Album, record.Album);
    WriteField(bytes, id3v1::Year, record.Year);
    WriteField(bytes, id3v1::Comment, record.Comment);
    const bool listed = record.Genre >= 0 && record.Genre < ListedGenreCount;
    bytes[id3v1::GenreOffset] = static_cast<uint8_t>(listed ? record.Genre : 0);
    return bytes;
}

}  // namespace aurion
