#include "tests/support/Id3v1Records.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace aurion::test {

namespace {

constexpr size_t RecordBytes = 128;
constexpr size_t TextWidth = 30;
constexpr size_t YearWidth = 4;

void Put(Bytes& record, const std::string& text, size_t width, char fill) {
    const std::string field = Padded(text.substr(0, std::min(text.size(), width)), width, fill);
    record.insert(record.end(), field.begin(), field.end());
}

std::string Take(const Bytes& file, size_t offset, size_t width) {
    const auto begin = file.end() - static_cast<std::ptrdiff_t>(RecordBytes - offset);
    return std::string(begin, begin + static_cast<std::ptrdiff_t>(width));
}

}  // namespace

Bytes LayOutId3v1(const Id3v1Fields& fields, char fill) {
    Bytes record = {'T', 'A', 'G'};
    Put(record, fields.Title, TextWidth, fill);
    Put(record, fields.Artist, TextWidth, fill);
    Put(record, fields.Album, TextWidth, fill);
    Put(record, fields.Year, YearWidth, fill);
    Put(record, fields.Comment, TextWidth, fill);
    record.push_back(fields.Genre);
    return record;
}

std::optional<Id3v1Fields> LastId3v1(const Bytes& file) {
    if (file.size() < RecordBytes || Take(file, 0, 3) != "TAG") return std::nullopt;
    Id3v1Fields fields;
    fields.Title = Take(file, 3, TextWidth);
    fields.Artist = Take(file, 33, TextWidth);
    fields.Album = Take(file, 63, TextWidth);
    fields.Year = Take(file, 93, YearWidth);
    fields.Comment = Take(file, 97, TextWidth);
    fields.Genre = file.back();
    return fields;
}

std::string Padded(const std::string& text, size_t width, char fill) {
    std::string padded = text;
    if (padded.size() < width) padded.append(width - padded.size(), fill);
    return padded;
}

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace aurion::test
