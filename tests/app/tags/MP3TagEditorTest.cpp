#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

#include "app/tags/MP3TagEditor.h"
#include "app/tags/StoreTag.h"
#include "app/tags/TagText.h"
#include "tests/support/ScopedEnvironment.h"

namespace trackdeck::tags {
namespace {

// A record from its fields' bytes, padded as the test says.
QByteArray Record(const QByteArray& marker, const QByteArray& title, const QByteArray& artist,
                  const QByteArray& album, const QByteArray& year, const QByteArray& comment,
                  uint8_t genre, char pad = ' ') {
    auto field = [pad](QByteArray text, int width) {
        text.resize(width, pad);
        return text;
    };
    QByteArray record = marker + field(title, 30) + field(artist, 30) + field(album, 30) +
                        field(year, 4) + field(comment, 30);
    record.append(static_cast<char>(genre));
    return record;
}

class TagFile : public ::testing::Test {
protected:
    QString Path() const { return QString::fromStdString(m_env.Folder()) + "song.mp3"; }
    void Write(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray Read() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray Audio(int size) { return QByteArray(size, '\x55'); }

    platform::test::ScopedEnvironment m_env;
    MP3TagEditor m_editor;
};

TEST_F(TagFile, AFileOfExactly128BytesHasNoTag) {
    Write(Record("TAG", "Title", "Artist", "Album", "2001", "", 3));
    EXPECT_TRUE(m_editor.LoadMP3(Path()));
    EXPECT_FALSE(m_editor.TagExists());
    EXPECT_EQ(m_editor.Title(), "");
    EXPECT_EQ(m_editor.Genre(), "255");
}

TEST_F(TagFile, ALowerCaseMarkerIsNoTag) {
    Write(Audio(400) + Record("tag", "Title", "Artist", "Album", "2001", "", 3));
    EXPECT_TRUE(m_editor.LoadMP3(Path()));
    EXPECT_FALSE(m_editor.TagExists());
    EXPECT_EQ(m_editor.Artist(), "");
}

TEST_F(TagFile, FieldsReadWithoutBlanksAndCleanedOfNuls) {
    Write(Audio(400) +
          Record("TAG", "Titel", QByteArray("AB\0CD", 5), "Alb\xfcm", "1999", "  note ", 17, '\0'));
    ASSERT_TRUE(m_editor.LoadMP3(Path()));
    EXPECT_TRUE(m_editor.TagExists());
    EXPECT_EQ(m_editor.Genre(), "17");
    QString title = m_editor.Title();
    EXPECT_EQ(title.size(), 30) << "NULs stay until CleanTagText";
    CleanTagText(title);
    EXPECT_EQ(title, "Titel");
    QString artist = m_editor.Artist();
    CleanTagText(artist);
    EXPECT_EQ(artist, "AB");
    QString album = m_editor.Album();
    CleanTagText(album);
    EXPECT_EQ(album, QString::fromUtf8("Albüm")) << "Windows-1252 in the file";
    QString comment = m_editor.Comment();
    CleanTagText(comment);
    EXPECT_EQ(comment, "note ");
}

TEST_F(TagFile, AMissingFileIsAFileErrorWithTheResetState) {
    EXPECT_FALSE(m_editor.LoadMP3(Path()));
    EXPECT_FALSE(m_editor.TagExists());
    EXPECT_EQ(m_editor.FileName(), Path());
    EXPECT_EQ(m_editor.Genre(), "255");
}

TEST_F(TagFile, StoreTagAppendsOnceThenOverwrites) {
    Write(Audio(1000));
    StoreTag(Path(), {"Artist", "A title of thirty-five characters!!", "Album", "", "20011"});
    QByteArray bytes = Read();
    ASSERT_EQ(bytes.size(), 1128);
    EXPECT_EQ(bytes.left(1000), Audio(1000));
    EXPECT_EQ(bytes.mid(1000, 3), QByteArray("TAG"));
    EXPECT_EQ(bytes.mid(1000 + 33, 30), QByteArray("Artist").leftJustified(30, ' '));
    EXPECT_EQ(bytes.mid(1000 + 3, 30), QByteArray("A title of thirty-five charact"));
    EXPECT_EQ(bytes.mid(1000 + 97, 30), QByteArray(30, ' ')) << "an empty comment is blanks";
    EXPECT_EQ(bytes.mid(1000 + 93, 4), QByteArray("2001"));
    EXPECT_EQ(static_cast<uint8_t>(bytes[1127]), 255);

    StoreTag(Path(), {"Other", "T", "", "c", "1"});
    bytes = Read();
    ASSERT_EQ(bytes.size(), 1128) << "the second write overwrites the tag";
    EXPECT_EQ(bytes.mid(1000), Record("TAG", "T", "Other", "", "1", "c", 255));
}

TEST_F(TagFile, StoreTagKeepsTheGenreOfAnExistingTag) {
    Write(Audio(500) + Record("TAG", "Old", "Old", "Old", "1980", "Old", 17));
    StoreTag(Path(), {QString::fromUtf8("Motörhead €"), "New", "", "", "2020"});
    const QByteArray bytes = Read();
    ASSERT_EQ(bytes.size(), 628);
    EXPECT_EQ(bytes.mid(500), Record("TAG", "New", "Mot\xf6rhead \x80", "", "2020", "", 17));
}

TEST_F(TagFile, ACharacterWindows1252CannotHoldIsWrittenAsQuestionMark) {
    Write(Audio(300));
    StoreTag(Path(), {QString::fromUtf8("日本"), QString::fromUtf8("a😀b"), "", "", ""});
    const QByteArray bytes = Read();
    EXPECT_EQ(bytes.mid(300 + 33, 30), QByteArray("??").leftJustified(30, ' '));
    EXPECT_EQ(bytes.mid(300 + 3, 30), QByteArray("a?b").leftJustified(30, ' '));
}

TEST_F(TagFile, StoreTagOnAMissingFileCreatesNothing) {
    StoreTag(Path(), {"A", "T", "", "", ""});
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(TagFile, SaveMP3WritesTheFieldsCutAndFilled) {
    Write(Audio(200));
    ASSERT_TRUE(m_editor.LoadMP3(Path()));
    m_editor.SetTitle("Title");
    m_editor.SetYear("12345");
    EXPECT_EQ(m_editor.Year(), "1234");
    ASSERT_TRUE(m_editor.SaveMP3());
    EXPECT_EQ(Read().mid(200), Record("TAG", "Title", "", "", "1234", "", 255));
}

TEST(TagText, SpaceOutFillsOrCuts) {
    EXPECT_EQ(SpaceOut("abc", 5), "abc  ");
    EXPECT_EQ(SpaceOut("abcdef", 4), "abcd");
    EXPECT_EQ(SpaceOut("", 3), "   ");
}

TEST(TagText, CleanTagTextKeepsWhatStandsBeforeTheFirstNul) {
    QString padded = QString("AB") + QString(3, QChar(0));
    CleanTagText(padded);
    EXPECT_EQ(padded, "AB");
    QString inner = QString("AB") + QChar(0) + "CD";
    CleanTagText(inner);
    EXPECT_EQ(inner, "AB");
    QString nuls(4, QChar(0));
    CleanTagText(nuls);
    EXPECT_EQ(nuls, "");
}

TEST(GenraLookupByID, NamesTheKnownNumbersOnly) {
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(0), "Blues");
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(22), "DeathMetal");
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(147), "Synth Pop");
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(255), "None");
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(148), "");
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(254), "");
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(-1), "");
    EXPECT_EQ(MP3TagEditor::GenraLookupByID(256), "");
}

TEST(MP3TagEditorState, AFreshInstanceIsReset) {
    const MP3TagEditor editor;
    EXPECT_EQ(editor.Genre(), "255");
    EXPECT_FALSE(editor.TagExists());
    EXPECT_EQ(editor.Comment(), "");
}

}  // namespace
}  // namespace trackdeck::tags
