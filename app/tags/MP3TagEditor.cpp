#include "app/tags/MP3TagEditor.h"

#include <QFile>
#include <fstream>

#include "app/tags/GenreNames.h"
#include "app/tags/TagRecord.h"
#include "app/tags/TagText.h"

namespace trackdeck::tags {

void MP3TagEditor::Reset() {
    m_tagExists = false;
    m_title = SpaceOut({}, TextWidth);
    m_artist = SpaceOut({}, TextWidth);
    m_album = SpaceOut({}, TextWidth);
    m_year = SpaceOut({}, YearWidth);
    m_comment = SpaceOut({}, TextWidth);
    m_genre = NoGenre;
}

QString MP3TagEditor::Trimmed(const QString& field) {
    qsizetype first = 0;
    qsizetype last = field.size();
    while (first < last && field[first] == QChar(' ')) ++first;
    while (last > first && field[last - 1] == QChar(' ')) --last;
    return field.mid(first, last - first);
}

void MP3TagEditor::SetTitle(const QString& text) { m_title = SpaceOut(text, TextWidth); }
void MP3TagEditor::SetArtist(const QString& text) { m_artist = SpaceOut(text, TextWidth); }
void MP3TagEditor::SetAlbum(const QString& text) { m_album = SpaceOut(text, TextWidth); }
void MP3TagEditor::SetYear(const QString& text) { m_year = SpaceOut(text, YearWidth); }
void MP3TagEditor::SetComment(const QString& text) { m_comment = SpaceOut(text, TextWidth); }

bool MP3TagEditor::LoadMP3(const QString& fileName) {
    Reset();
    m_fileName = fileName;
    const std::optional<std::uintmax_t> length = FileLength(fileName);
    if (!length) return false;
    if (*length <= TagSize) return true;  // too short to hold a tag and anything else

    std::ifstream file(QFile::encodeName(fileName).toStdString(), std::ios::binary);
    if (!file) return false;
    TagBytes record{};
    file.seekg(static_cast<std::streamoff>(*length - TagSize));
    if (!file.read(record.data(), static_cast<std::streamsize>(record.size()))) return false;

    if (record[0] != 'T' || record[1] != 'A' || record[2] != 'G') {
        m_tagExists = false;
        return true;
    }
    m_tagExists = true;
    auto text = [&record](const TagField& field) {
        return TextFromTagBytes(record.data() + field.Offset,
                                static_cast<std::size_t>(field.Width));
    };
    m_title = text(TitleField);
    m_artist = text(ArtistField);
    m_album = text(AlbumField);
    m_year = text(YearField);
    m_comment = text(CommentField);
    m_genre = static_cast<int16_t>(static_cast<uint8_t>(record[GenreOffset]));
    return true;
}

bool MP3TagEditor::SaveMP3() {
    const TagBytes record = BuildTagRecord(m_title, m_artist, m_album, m_year, m_comment,
                                           static_cast<uint8_t>(m_genre & 0xFF));
    return WriteTagRecord(m_fileName, record, m_tagExists);
}

QString MP3TagEditor::GenraLookupByID(int16_t id) {
    if (id >= 0 && static_cast<size_t>(id) < GenreNameCount) {
        const std::string_view name = GenreNames[static_cast<size_t>(id)];
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }
    if (id == NoGenre) return QStringLiteral("None");
    return {};
}

MP3TagEditor& SharedTagEditor() {
    static MP3TagEditor editor;
    return editor;
}

}  // namespace trackdeck::tags
