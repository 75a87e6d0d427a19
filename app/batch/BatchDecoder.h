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
#include "app/browser/Panes.h"
#include "app/common/AppState.h"
#include "app/player/AurionControl.h"
#include "app/player/PlayerPanel.h"
#include "app/tags/TagArea.h"

namespace trackdeck::batch {

struct BatchWidgets {
    QWidget* MainWindow = nullptr;  // hidden while the batch runs
    QWidget* Command1 = nullptr;    // takes the focus from the lists at the start
    player::AurionControl* Aurion1 = nullptr;
};

class BatchDecoder : public QObject {
public:
    BatchDecoder(BatchWidgets widgets, AppState& state, browser::Panes& panes,
                 player::PlayerPanel& player, tags::TagArea& tagArea, QObject* parent);
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
    void DecodeMarked(const QString& source, const QString& target, const QListWidget& list);
    // Decodes one file; false when the control could not decode it.
    bool DecodeOne(const QString& mp3File, const QString& waveFile);
    void OnActFrame(int frame);

    BatchWidgets m_widgets;
    AppState& m_state;
    browser::Panes& m_panes;
    player::PlayerPanel& m_player;
    tags::TagArea& m_tagArea;
    std::unique_ptr<Decode> m_window;
    int m_fileStep = 0;
    bool m_fileFailed = false;
};

}  // namespace trackdeck::batch
