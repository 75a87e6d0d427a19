// The program's own reader and writer of the ID3v1 tag at the end of an MP3 file
// (the 128-byte record: "TAG", title 30, artist 30, album 30, year 4, comment 30,
// genre 1). The text fields are fixed width: a value is cut to the width or filled
// with blanks; reading them gives the field without surrounding blanks. Text in the
// file is in the tag code page (Windows-1252 unless the options choose another), one
// byte per character; a character it cannot hold is written as "?" (the tag area
// says so before it writes). The genre byte keeps its full range, 255 meaning no genre.
//
// The program keeps one shared instance (SharedTagEditor); every LoadMP3 resets it,
// so it carries nothing from one file to the next except FileName.
#pragma once

#include <QString>
#include <cstdint>

namespace trackdeck::tags {

class MP3TagEditor {
public:
    static constexpr int TextWidth = 30;
    static constexpr int YearWidth = 4;
    static constexpr int16_t NoGenre = 255;

    MP3TagEditor() { Reset(); }

    // True when the file could be examined (also for a file too short for a tag);
    // false on a file error, the fields then keep what was reached.
    bool LoadMP3(const QString& fileName);
    // Overwrites the tag that ends the file, or appends one. False on a file error.
    bool SaveMP3();

    [[nodiscard]] QString Title() const { return Trimmed(m_title); }
    [[nodiscard]] QString Artist() const { return Trimmed(m_artist); }
    [[nodiscard]] QString Album() const { return Trimmed(m_album); }
    [[nodiscard]] QString Year() const { return Trimmed(m_year); }
    [[nodiscard]] QString Comment() const { return Trimmed(m_comment); }
    // The genre number as decimal text ("255" without a tag).
    [[nodiscard]] QString Genre() const { return QString::number(m_genre); }
    [[nodiscard]] int16_t GenreNumber() const { return m_genre; }
    [[nodiscard]] const QString& FileName() const { return m_fileName; }
    [[nodiscard]] bool TagExists() const { return m_tagExists; }

    void SetTitle(const QString& text);
    void SetArtist(const QString& text);
    void SetAlbum(const QString& text);
    void SetYear(const QString& text);
    void SetComment(const QString& text);

    // The genre's name: 0 to 147 from the list, "None" for 255, else empty.
    [[nodiscard]] static QString GenraLookupByID(int16_t id);

private:
    void Reset();
    // Only blanks (U+0020) are removed; NULs stay for CleanTagText.
    [[nodiscard]] static QString Trimmed(const QString& field);

    bool m_tagExists = false;
    QString m_title;
    QString m_artist;
    QString m_album;
    QString m_year;
    QString m_comment;
    int16_t m_genre = NoGenre;
    QString m_fileName;
};

// The instance shared by the whole program, created on first use.
[[nodiscard]] MP3TagEditor& SharedTagEditor();

}  // namespace trackdeck::tags
