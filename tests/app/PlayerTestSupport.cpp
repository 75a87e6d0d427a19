#include "tests/app/PlayerTestSupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include "platform/window/MessageWindow.h"
#include "tests/support/ControlTestHost.h"
#include "tests/support/StreamCut.h"
#include "tests/support/WavFileReader.h"

namespace trackdeck::test {

namespace {

QByteArray Field(const QByteArray& text, int width) {
    QByteArray field = text.left(width);
    field.append(QByteArray(width - field.size(), '\0'));
    return field;
}

}  // namespace

QByteArray TagRecord(const QByteArray& title, const QByteArray& artist, const QByteArray& album,
                     const QByteArray& year, const QByteArray& comment) {
    return "TAG" + Field(title, 30) + Field(artist, 30) + Field(album, 30) + Field(year, 4) +
           Field(comment, 30) + QByteArray(1, '\x0c');
}

void PlayerTest::WriteMp3(const QString& path, int frames, const QByteArray& tag) const {
    ASSERT_TRUE(aurion::test::WriteFirstFrames(TRACKDECK_SOURCE_DIR "/tools/demo/demo.mp3", frames,
                                               path.toStdString()));
    if (tag.isEmpty()) return;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(tag);
}

std::unique_ptr<frmDeck> PlayerTest::StartIn(const QString& folder, bool clickPlay, bool dirPlay) {
    WriteSettings("[Directories]\nLastDirA=" + folder.toUtf8() +
                  "\nLastOrdner=1\n[Player]\nKlickPlay=" + (clickPlay ? "1" : "0") +
                  "\nDirPlay=" + (dirPlay ? "1" : "0") + "\n");
    return Start();
}

bool PlayerTest::WaitFor(const std::function<bool()>& flag, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick;  // wakes the wait when nothing else happens
    tick.start(20);
    while (!flag()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void PlayerTest::Settle() {
    QEventLoop loop;
    // Bounded, so that events that keep coming fail the test instead of hanging it.
    for (int round = 0; round < 10000; ++round) {
        const bool ranQtEvents = loop.processEvents();
        if (platform::PumpMessages() == 0 && !ranQtEvents) return;
    }
    ADD_FAILURE() << "events kept coming";
}

std::vector<int16_t> PlayerTest::DecodeWhole(const QString& path) {
    aurion::test::ControlTestHost host;
    if (!host.Ready()) return {};
    const std::string wav = host.Folder() + "whole.wav";
    if (host.Call("Open", path.toStdString(), wav).Short() != 0) return {};
    if (host.Call("Play").Short() != 0) return {};
    if (!host.PumpUntil([&host] { return host.ThreadEndedCount() > 0; })) return {};
    const std::optional<aurion::test::WavFile> file = aurion::test::ReadWavFile(wav);
    return file ? file->Samples : std::vector<int16_t>{};
}

}  // namespace trackdeck::test
