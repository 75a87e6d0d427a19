// The tag methods of _DAurion and Open's probe. The record holds Windows-1252, the
// bytes of the file's tag; the dispatch interface speaks UTF-8, and a character
// that Windows-1252 cannot hold is stored as "?".
#include <charconv>

#include "control/player/AurionCtrl.h"
#include "control/player/GenreNames.h"
#include "control/player/Id3v1Layout.h"
#include "platform/text/Windows1252.h"

namespace aurion {

namespace {

// SetYear accepts 1 to 2099.
constexpr int16_t LatestYear = 2099;

// The year text's leading digits as a number; 0 when it has none.
int16_t YearNumber(std::string_view year) {
    const size_t start = year.find_first_not_of(' ');
    if (start == std::string_view::npos) return 0;
    int16_t value = 0;
    const auto [end, error] =
        std::from_chars(year.data() + start, year.data() + year.size(), value);
    return error == std::errc() ? value : int16_t{0};
}

int16_t TagResultNumber(TagFileResult result) {
    switch (result) {
        case TagFileResult::Done:
            return 0;
        case TagFileResult::CannotOpen:
            return Errors::TagFileNotWritable.Number;
        case TagFileResult::WriteFailed:
        case TagFileResult::NoTag:
            return -1;
    }
    return -1;
}

}  // namespace

bool AurionCtrl::ProbeTagFile(const std::string& path) {
    m_tagRecord.reset();
    m_tagFile.emplace(path);
    if (!m_tagFile->Probe()) return false;
    m_tagRecord.emplace();
    if (m_tagFile->HasTag()) MergeTagRecord(m_tagFile->Record(), *m_tagRecord);
    return true;
}

std::string AurionCtrl::TagPath() const { return m_tagRecord ? m_tagRecord->FilePath : ""; }

std::string AurionCtrl::TagText(std::string TagRecord::*field) const {
    return m_tagRecord ? platform::Utf8FromWindows1252((*m_tagRecord).*field) : std::string();
}

std::string AurionCtrl::GetTitle() const { return TagText(&TagRecord::Title); }
std::string AurionCtrl::GetArtist() const { return TagText(&TagRecord::Artist); }
std::string AurionCtrl::GetAlbum() const { return TagText(&TagRecord::Album); }
std::string AurionCtrl::GetComment() const { return TagText(&TagRecord::Comment); }

int16_t AurionCtrl::GetYear() const { return m_tagRecord ? YearNumber(m_tagRecord->Year) : 0; }

int16_t AurionCtrl::GetGenre() const {
    return m_tagRecord ? static_cast<int16_t>(m_tagRecord->Genre) : int16_t{NoGenre};
}

std::string AurionCtrl::GetGenreString(int16_t genre) const {
    return m_tagRecord ? std::string(GenreName(genre)) : std::string();
}

bool AurionCtrl::GetHasTag() const { return m_tagFile && m_tagFile->HasTag(); }

// An empty text changes nothing: the control cannot empty a field.
void AurionCtrl::SetTagText(std::string TagRecord::*field, size_t width, const std::string& text) {
    if (!m_tagRecord) return;
    std::string bytes = FieldText(platform::Windows1252FromUtf8(text), width);
    if (!bytes.empty()) {
        (*m_tagRecord).*field = std::move(bytes);
        m_tagModified = true;
    }
    MarkModified();
}

void AurionCtrl::SetTitle(const std::string& text) {
    SetTagText(&TagRecord::Title, id3v1::Title.Width, text);
}
void AurionCtrl::SetArtist(const std::string& text) {
    SetTagText(&TagRecord::Artist, id3v1::Artist.Width, text);
}
void AurionCtrl::SetAlbum(const std::string& text) {
    SetTagText(&TagRecord::Album, id3v1::Album.Width, text);
}
void AurionCtrl::SetComment(const std::string& text) {
    SetTagText(&TagRecord::Comment, id3v1::Comment.Width, text);
}

void AurionCtrl::SetYear(int16_t year) {
    if (!m_tagRecord) return;
    if (year > 0 && year <= LatestYear) {
        m_tagRecord->Year = std::to_string(year);
        m_tagModified = true;
    }
    MarkModified();
}

// Unlike the other setters, SetGenre counts as a change even without a record or
// with a number outside the list.
void AurionCtrl::SetGenre(int16_t genre) {
    m_tagModified = true;
    if (m_tagRecord && genre >= 0 && genre < GenreNameCount) {
        m_tagRecord->Genre = genre;
        m_tagRecord->GenreName = std::string(GenreName(genre));
    }
    MarkModified();
}

int16_t AurionCtrl::WriteTag() {
    if (!m_tagRecord) return Fail(Errors::TagNotOpened);
    return TagResultNumber(m_tagFile->Write(m_tagRecord->FilePath, *m_tagRecord, m_tagModified));
}

int16_t AurionCtrl::DelTag() {
    if (!m_tagRecord) return Fail(Errors::TagNotOpened);
    return TagResultNumber(m_tagFile->Remove());
}

}  // namespace aurion
