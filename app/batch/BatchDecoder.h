// Batch decoding to WAV: the marked MP3 files of the active pane are decoded one
// after the other by the control into the other pane's folder, with the progress
// window and its cancel button. An existing WAV file is never overwritten; a file
// the control cannot decode is skipped, its partial WAV file removed, and named in
// one message at the end.
#pragma once

#include <QListWidget>
#include <QObject>
#include <QStringList>
#include <memory>

#include "app/batch/Decode.h"

namespace trackdeck {
class frmDeck;
struct AppState;
}  // namespace trackdeck

namespace trackdeck::batch {

class BatchDecoder : public QObject {
public:
    BatchDecoder(frmDeck& form, AppState& state);
    ~BatchDecoder() override;

    // "Decodieren": counts, asks, stops the player, writes a pending tag edit, hides
    // the main window and runs the batch.
    void Start();
    // "Abbrechen" of the progress window.
    void Cancel();
    // The progress window while the batch runs, or null.
    [[nodiscard]] Decode* Window() const { return m_window.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DecodeMarked(const QString& source, const QString& target, QListWidget& list);
    // Decodes one file; false when the control could not decode it.
    bool DecodeOne(const QString& mp3File, const QString& waveFile);
    void OnActFrame(int frame);

    frmDeck& m_form;
    AppState& m_state;
    std::unique_ptr<Decode> m_window;
    int m_fileStep = 0;
    bool m_fileFailed = false;
};

}  // namespace trackdeck::batch
