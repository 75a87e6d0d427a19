// The desktop program playing through the null audio device: short MP3 files cut
// from the demo stream, a folder set up as pane A's, and bounded waits.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "app/common/ControlEventPump.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/NullAudio.h"
#include "tests/support/WaveOutIdleWatch.h"

namespace trackdeck::test {

class PlayerTest : public AppTest {
protected:
    // An MP3 file of the demo stream's first `frames` frames, with `tag` appended.
    void WriteMp3(const QString& path, int frames, const QByteArray& tag = {}) const;
    // Starts the program with pane A (active) on `folder` and the player settings given.
    std::unique_ptr<frmDeck> StartIn(const QString& folder, bool clickPlay, bool dirPlay = true);
    // Lets events run until the flag is on; false when 10 s pass first.
    static bool WaitFor(const std::function<bool()>& flag, int milliseconds = 10000);
    // Lets every pending event run, the control's and Qt's, until none is left: all
    // that an action set going has then happened, and without a session nothing more
    // is heard until the next action.
    static void Settle();
    // Every sample of the file as the control decodes it from its start to a WAV file
    // (interleaved); empty when that fails. Call it before the program starts: it
    // hosts a control of its own in a registry of its own.
    static std::vector<int16_t> DecodeWhole(const QString& path);

    platform::test::NullAudio m_audio;
    platform::test::WaveOutIdleWatch m_device;  // when a pause has taken hold
    ControlEventPump m_pump;  // the control's events reach the window as in the program
};

// A 128-byte tag record from its fields, each padded with NULs.
QByteArray TagRecord(const QByteArray& title, const QByteArray& artist, const QByteArray& album,
                     const QByteArray& year, const QByteArray& comment);

}  // namespace trackdeck::test
