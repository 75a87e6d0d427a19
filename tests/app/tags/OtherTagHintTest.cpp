#include <QLabel>
#include <QTest>
#include <QtEndian>

#include "app/tags/OtherTagHint.h"
#include "tests/app/PlayerTestSupport.h"

namespace trackdeck::test {
namespace {

using tags::Id3v2Values;

// An ID3v2.3 text frame in ISO-8859-1.
QByteArray TextFrame(const char* id, const QByteArray& text) {
    QByteArray frame(id);
    QByteArray size(4, '\0');
    qToBigEndian(static_cast<quint32>(text.size() + 1), size.data());
    return frame + size + QByteArray(2, '\0') + QByteArray(1, '\0') + text;
}

// An ID3v2.3 tag of the frames, with some padding as taggers leave it.
QByteArray Id3v2Tag(const QByteArray& frames) {
    const QByteArray body = frames + QByteArray(64, '\0');
    const auto size = static_cast<quint32>(body.size());
    QByteArray header("ID3\x03\x00\x00", 6);
    for (int shift : {21, 14, 7, 0}) header += static_cast<char>((size >> shift) & 0x7F);
    return header + body;
}

TEST(Id3v2Differences, AnyOfTheFourFieldsThatDiffersCounts) {
    const tags::TagFields id3v1{"Artist", "Title", "Album", "Comment", "2001"};
    EXPECT_FALSE(tags::Id3v2Differs({"Artist", "Title", "Album", "2001"}, id3v1));
    EXPECT_TRUE(tags::Id3v2Differs({"Other", "Title", "Album", "2001"}, id3v1));
    EXPECT_TRUE(tags::Id3v2Differs({"Artist", "title", "Album", "2001"}, id3v1));
    EXPECT_TRUE(tags::Id3v2Differs({"Artist", "Title", "Albu", "2001"}, id3v1));
    EXPECT_TRUE(tags::Id3v2Differs({"Artist", "Title", "Album", "2002"}, id3v1));
}

TEST(Id3v2Differences, AValueTooLongForID3v1AgreesWithItsBeginningAndAnEmptyOneWithAnything) {
    const QString longTitle = "A title much longer than thirty characters";
    const tags::TagFields id3v1{"Artist", longTitle.left(30), "", "", "1999"};
    EXPECT_FALSE(tags::Id3v2Differs({"Artist", longTitle, "", ""}, id3v1));
    EXPECT_FALSE(tags::Id3v2Differs({"", "", "", ""}, id3v1));
    EXPECT_TRUE(tags::Id3v2Differs({"", "", "Album", ""}, id3v1));
}

TEST(Id3v2Differences, TheToolTipNamesTheValuesID3v2Holds) {
    EXPECT_EQ(tags::Id3v2ToolTip({"Artist", "Title", "", "2001"}),
              "ID3v2:\nInterpret: Artist\nTitel: Title\nJahr: 2001");
}

class OtherTagHint : public PlayerTest {
protected:
    // An MP3 file that starts with an ID3v2 tag and ends with an ID3v1 tag.
    void WriteTaggedMp3(const QString& path, const QByteArray& id3v2, const QByteArray& id3v1) {
        WriteMp3(path, 4, id3v1);
        WriteFile(path, id3v2 + ReadFile(path));
    }
    static QLabel* Hint(frmDeck& form) { return form.findChild<QLabel*>("LabelID3v2"); }
};

TEST_F(OtherTagHint, ShowsWhereID3v2DiffersAndNotWhereItAgrees) {
    const QString folder = MakeFolder("hint");
    const QByteArray id3v1 = TagRecord("Title", "Artist", "Album", "2001", "");
    WriteTaggedMp3(folder + "a agrees.mp3",
                   Id3v2Tag(TextFrame("TPE1", "Artist") + TextFrame("TIT2", "Title") +
                            TextFrame("TALB", "Album") + TextFrame("TYER", "2001")),
                   id3v1);
    WriteTaggedMp3(folder + "b differs.mp3",
                   Id3v2Tag(TextFrame("TPE1", "Artist") + TextFrame("TIT2", "Another title") +
                            TextFrame("TYER", "2003")),
                   id3v1);
    WriteMp3(folder + "c only ID3v1.mp3", 4, id3v1);
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    QLabel* hint = Hint(*form);
    ASSERT_NE(hint, nullptr);

    ui.List1->setCurrentRow(0);
    ASSERT_EQ(ui.Text7->text(), folder + "a agrees.mp3");
    EXPECT_FALSE(hint->isVisible());

    ui.List1->setCurrentRow(1);
    ASSERT_EQ(ui.Text1->text(), "Title") << "the fields keep showing ID3v1";
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), "ID3v2 weicht ab");
    EXPECT_EQ(hint->toolTip(), "ID3v2:\nInterpret: Artist\nTitel: Another title\nJahr: 2003");
    if (const char* pictures = std::getenv("TRACKDECK_PICTURE_DIR"))
        form->grab().save(QString(pictures) + "/id3v2-hint.png");

    ui.List1->setCurrentRow(2);
    EXPECT_FALSE(hint->isVisible());
    Close(form);
}

TEST_F(OtherTagHint, GoesWhenTheEditMakesID3v1AgreeAndNothingIsWrittenToID3v2) {
    const QString folder = MakeFolder("agree");
    const QByteArray id3v2 = Id3v2Tag(TextFrame("TIT2", "Right"));
    WriteTaggedMp3(folder + "a.mp3", id3v2, TagRecord("Wrong", "", "", "", ""));
    auto form = StartIn(folder, false);
    const DeckControls ui(*form);
    ui.List1->setCurrentRow(0);
    ASSERT_TRUE(Hint(*form)->isVisible());
    ui.Text1->selectAll();
    QTest::keyClicks(ui.Text1, "Right");
    QTest::mouseClick(ui.Command2, Qt::LeftButton);
    EXPECT_FALSE(m_state.TagModified);
    EXPECT_FALSE(Hint(*form)->isVisible());
    EXPECT_TRUE(ReadFile(folder + "a.mp3").startsWith(id3v2));
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
