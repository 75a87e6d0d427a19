#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "app/batch/BatchDecoder.h"
#include "platform/system/FreeSpace.h"
#include "tests/app/names/TagToolsTestSupport.h"
#include "tests/support/WavFileReader.h"

namespace trackdeck::test {
namespace {

// ISO/IEC 11172-3: a Layer III frame holds 1152 samples per channel.
constexpr size_t SamplesPerFrame = 1152;

class BatchDecoder : public TagToolsTest {
protected:
    // Pane A (active) on `source`, pane B on `target`.
    std::unique_ptr<frmDeck> StartWith(const QString& source, const QString& target, bool confirm) {
        WriteSettings("[Directories]\nLastDirA=" + source.toUtf8() +
                      "\nLastDirB=" + target.toUtf8() + "\nLastOrdner=1\n[Confirm]\nDecodieren=" +
                      (confirm ? "1" : "0") + "\n[Player]\nKlickPlay=0\n");
        return Start();
    }

    // What the command-line host writes for the same file.
    QByteArray CommandLineDecode(const QString& mp3File) {
        const QString out = MakeFolder("reference") + "out.wav";
        QProcess aurion;
        aurion.start(TRACKDECK_BIN_DIR "/aurion", {"decode", mp3File, out});
        EXPECT_TRUE(aurion.waitForFinished(60000));
        EXPECT_EQ(aurion.exitCode(), 0) << aurion.readAllStandardError().toStdString();
        const QByteArray bytes = ReadFile(out);
        QFile::remove(out);
        return bytes;
    }

    static QStringList Entries(const QString& folder) {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
};

// Records the widths a bar of the progress window takes.
class BarWidths : public QObject {
public:
    explicit BarWidths(const char* bar) : m_bar(bar) {
        QApplication::instance()->installEventFilter(this);
    }
    std::vector<int> Widths;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched->objectName() == m_bar &&
            watched->parent() != nullptr && watched->parent()->parent() != nullptr &&
            watched->parent()->parent()->objectName() == "Decode") {
            const int width = static_cast<QResizeEvent*>(event)->size().width();
            // Bars start empty: only growth is recorded.
            if (width > 0) Widths.push_back(width);
        }
        return false;
    }

private:
    QString m_bar;
};

TEST_F(BatchDecoder, MarkedMp3FilesBecomeWavFilesInTheOtherPaneEqualToTheCommandLineDecode) {
    const QString source = MakeFolder("source");
    const QString target = MakeFolder("target");
    WriteMp3(source + "a.mp3", 20);
    WriteFile(source + "b.wav", "RIFF");
    WriteMp3(source + "SONG.MP3", 30);
    auto form = StartWith(source, target, true);
    const DeckControls ui(*form);
    Mark(ui.List1, {0, 1, 2});
    m_answers = {Answer::Yes};
    BarWidths overall("Shape1");
    QTest::mouseClick(ui.Command10, Qt::LeftButton);

    ASSERT_EQ(m_messages.size(), 1u) << "no failure to report";
    EXPECT_EQ(m_messages[0].Text, "Markierte MP3-Dateien decodieren ?");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Question);
    EXPECT_EQ(Entries(target), (QStringList{"SONG.wav", "a.wav"}));
    EXPECT_EQ(Entries(source), (QStringList{"SONG.MP3", "a.mp3", "b.wav"}));
    ASSERT_EQ(overall.Widths.size(), 3u) << "one step for each marked entry";
    EXPECT_GT(overall.Widths[0], 0);
    EXPECT_EQ(overall.Widths[1], 2 * overall.Widths[0]);
    EXPECT_EQ(overall.Widths[2], 3 * overall.Widths[0]);

    for (const auto& [mp3, wav, frames] :
         {std::tuple{"a.mp3", "a.wav", 20}, std::tuple{"SONG.MP3", "SONG.wav", 30}}) {
        const QByteArray written = ReadFile(target + wav);
        EXPECT_EQ(written, CommandLineDecode(source + mp3)) << wav;
        const auto file = aurion::test::ReadWavFile((target + wav).toStdString());
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Riff, "RIFF");
        EXPECT_EQ(file->Samples.size(), frames * SamplesPerFrame * file->Channels) << wav;
        EXPECT_EQ(file->DataSize, file->Samples.size() * 2);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(m_state.Decoding);
    EXPECT_EQ(form->Decoder().Window(), nullptr);
    EXPECT_EQ(ui.List2->count(), 2) << "the target pane was re-read";
    Close(form);
}

TEST_F(BatchDecoder, AnExistingWavFileIsKeptAndItsMp3FileSkippedWithoutAQuestion) {
    const QString source = MakeFolder("source");
    const QString target = MakeFolder("target");
    WriteMp3(source + "a.mp3", 10);
    WriteFile(target + "a.wav", "keep me");
    auto form = StartWith(source, target, false);
    const DeckControls ui(*form);
    Mark(ui.List1, {0});
    QTest::mouseClick(ui.Command10, Qt::LeftButton);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(ReadFile(target + "a.wav"), "keep me");

    // With the confirmation on, "No" does nothing.
    QFile::remove(target + "a.wav");
    m_state.ConfirmDecode = true;
    m_answers = {Answer::No};
    Mark(ui.List1, {0});
    QTest::mouseClick(ui.Command10, Qt::LeftButton);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "a.mp3 decodieren ?");
    EXPECT_TRUE(Entries(target).isEmpty());
    EXPECT_TRUE(form->isVisible());
    Close(form);
}

TEST_F(BatchDecoder, CancellingDuringTheSecondFileKeepsTheFirstAndStartsNoThird) {
    const QString source = MakeFolder("source");
    const QString target = MakeFolder("target");
    WriteMp3(source + "a.mp3", 10);
    WriteMp3(source + "b.mp3", 300);
    WriteMp3(source + "c.mp3", 10);
    auto form = StartWith(source, target, false);
    const DeckControls ui(*form);
    Mark(ui.List1, {0, 1, 2});
    bool cancelled = false;
    bool mainHidden = false;
    BarWidths fileBar("Shape2");
    QObject::connect(ui.Aurion1, &player::AurionControl::ActFrame, form.get(), [&] {
        batch::Decode* window = form->Decoder().Window();
        if (cancelled || window == nullptr || !window->Label1->text().endsWith("b.mp3")) return;
        if (fileBar.Widths.empty()) return;  // wait until the file's bar has moved
        mainHidden = !form->isVisible();
        Picture(*window, "decode-running.png");
        cancelled = true;
        QTest::mouseClick(window->Command1, Qt::LeftButton);
    });
    QTest::mouseClick(ui.Command10, Qt::LeftButton);
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(mainHidden) << "only the progress window shows while the batch runs";
    EXPECT_EQ(Entries(target), QStringList{"a.wav"});
    EXPECT_TRUE(m_messages.empty()) << "a cancel is no failure";
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(m_state.Decoding);
    Close(form);
}

TEST_F(BatchDecoder, APendingTagEditIsWrittenAndWithOnePaneFolderTheWavLandsBeside) {
    const QString folder = MakeFolder("both");
    WriteMp3(folder + "a.mp3", 10);
    auto form = StartWith(folder, folder, false);
    const DeckControls ui(*form);
    Mark(ui.List1, {0});
    ui.Text5->setText("Neu");  // an edit in the tag area, not yet written
    m_state.TagModified = true;
    QTest::mouseClick(ui.Command10, Qt::LeftButton);
    EXPECT_EQ(TagOf(folder + "a.mp3").Artist(), "Neu");
    EXPECT_FALSE(m_state.TagModified);
    EXPECT_EQ(Entries(folder), (QStringList{"a.mp3", "a.wav"}));
    const auto file = aurion::test::ReadWavFile((folder + "a.wav").toStdString());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Samples.size(), 10 * SamplesPerFrame * file->Channels)
        << "the tag written before is no audio";
    Close(form);
}

TEST_F(BatchDecoder, FilesTheControlCannotDecodeAreSkippedNamedAndLeaveNoWavFile) {
    const QString source = MakeFolder("source");
    const QString target = MakeFolder("target");
    WriteFile(source + "bad.mp3", QByteArray(4000, '\0'));
    WriteMp3(source + "good.mp3", 10);
    auto form = StartWith(source, target, false);
    const DeckControls ui(*form);
    Mark(ui.List1, {0, 1});
    QTest::mouseClick(ui.Command10, Qt::LeftButton);
    EXPECT_EQ(Entries(target), QStringList{"good.wav"}) << "the batch went on";
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Folgende Dateien konnten nicht decodiert werden:\nbad.mp3");
    EXPECT_EQ(m_messages[0].Kind, MessageKind::Information);

    // A target without room for the WAV file.
    QFile::remove(target + "good.wav");
    m_messages.clear();
    platform::SetFreeSpaceQuery([](const std::string&) { return std::optional<uint64_t>(0); });
    Mark(ui.List1, {1});
    QTest::mouseClick(ui.Command10, Qt::LeftButton);
    platform::SetFreeSpaceQuery({});
    EXPECT_TRUE(Entries(target).isEmpty());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].Text, "Folgende Dateien konnten nicht decodiert werden:\ngood.mp3");
    EXPECT_TRUE(form->isVisible());
    Close(form);
}

}  // namespace
}  // namespace trackdeck::test
