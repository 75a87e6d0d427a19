#include "app/batch/BatchDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "app/common/ActivePane.h"
#include "app/common/MarkedFiles.h"
#include "app/common/MessageService.h"
#include "app/common/WindowHelpers.h"
#include "host/AurionMembers.h"

namespace trackdeck::batch {

namespace {

using namespace aurion::host;

// Any entry of the name counts, also one the program could not read: such a file
// must not be truncated by a decode.
bool EntryExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

BatchDecoder::BatchDecoder(BatchWidgets widgets, AppState& state, browser::Panes& panes,
                           player::PlayerPanel& player, tags::TagArea& tagArea, QObject* parent)
    : QObject(parent),
      m_widgets(widgets),
      m_state(state),
      m_panes(panes),
      m_player(player),
      m_tagArea(tagArea) {
    connect(widgets.Aurion1, &player::AurionControl::ActFrame, this, &BatchDecoder::OnActFrame);
    connect(widgets.Aurion1, &player::AurionControl::Failure, this, [this] {
        if (m_state.Decoding) m_fileFailed = true;
    });
}

BatchDecoder::~BatchDecoder() = default;

void BatchDecoder::Start() {
    if (m_window) return;  // a batch is running
    m_widgets.Command1->setFocus();
    const QListWidget* list = ActiveList(m_panes.Lists(), m_state);
    CountMarked(*list, m_state);
    if (m_state.SelectedMp3Count == 0) return;
    if (m_state.ConfirmDecode) {
        const QString question = m_state.SelectedMp3Count == 1
                                     ? CurrentEntry(m_panes.Lists(), m_state) + " decodieren ?"
                                     : QStringLiteral("Markierte MP3-Dateien decodieren ?");
        if (Ask(question, MessageKind::Question, Answer::Yes) != Answer::Yes) return;
    }
    m_state.Decoding = true;
    m_state.DecodeCancelled = false;
    m_player.Stop(player::PlayerPanel::Wait::ForThread);
    m_tagArea.SettlePendingTag();

    m_widgets.MainWindow->hide();
    m_window = std::make_unique<Decode>(m_state.Caption);
    connect(m_window->Command1, &QPushButton::clicked, this, &BatchDecoder::Cancel);
    m_window->installEventFilter(this);
    if (m_state.SelectedMp3Count == 1) m_window->UseOneFileLayout();
    m_window->show();
    CenterForm(*m_window);
    DecodeMarked(ActivePath(m_state), OtherPath(m_state), *list);
}

void BatchDecoder::DecodeMarked(const QString& source, const QString& target,
                                const QListWidget& list) {
    const int overallStep =
        m_window->Picture1->width() / std::max<int>(1, m_state.SelectedMp3Count);
    int overall = 0;
    m_window->Shape1->resize(0, m_window->Shape1->height());
    m_window->Shape2->resize(0, m_window->Shape2->height());
    QStringList failed;
    for (int row = 0; row < list.count(); ++row) {
        const QListWidgetItem* item = list.item(row);
        if (!item->isSelected()) continue;
        // Every marked entry moves the overall bar, decoded or not.
        overall += overallStep;
        m_window->Shape1->resize(overall, m_window->Shape1->height());
        const QString entry = item->text();
        if (!EndsIn(entry, "mp3")) continue;
        // The dot stays; the extension becomes "wav" in lower case.
        const QString waveName = entry.left(entry.size() - 3) + "wav";
        if (EntryExists(target + waveName)) continue;  // never overwritten
        m_window->Label1->setText("Decodiere:  " + entry);
        const bool decoded = DecodeOne(source + entry, target + waveName);
        if (m_state.DecodeCancelled) {
            QFile::remove(target + waveName);
            break;
        }
        if (!decoded) {
            // What the control could not finish is no WAV file: none is left behind.
            QFile::remove(target + waveName);
            failed << entry;
        }
    }
    m_panes.RefreshPane(1);
    m_panes.RefreshPane(2);
    m_player.ClearCurrentTime();
    m_state.Decoding = false;
    m_widgets.MainWindow->show();
    m_window->close();
    m_window.reset();
    if (!failed.isEmpty())
        ShowMessage("Folgende Dateien konnten nicht decodiert werden:\n" + failed.join('\n'),
                    MessageKind::Information);
}

bool BatchDecoder::DecodeOne(const QString& mp3File, const QString& waveFile) {
    ControlCaller control = m_widgets.Aurion1->Caller();
    m_fileFailed = false;
    const bool opened =
        !control.CallStatus(members::Open, {mp3File.toStdString(), waveFile.toStdString()});
    platform::Variant length;
    if (!control.CallAs(members::GetWaveLengthSecs, {}, platform::VarType::R4, length)) {
        // Halves go to the even number; a file of at most half a second keeps the step.
        const auto seconds = static_cast<int>(std::nearbyint(length.AsR4()));
        if (seconds > 0) m_fileStep = m_window->Picture2->width() / seconds;
    }
    m_state.PlayerThreadEnded = false;
    m_state.PlayerStopRequested = true;
    m_state.PlayerEndReached = false;
    // A Play that starts no thread brings no ThreadEnded: nothing to wait for.
    if (!opened || control.CallStatus(members::Play, {})) {
        m_state.PlayerThreadEnded = true;
        m_fileFailed = true;
    }
    m_player.WaitForThread();
    (void)control.Call(members::Close, {});
    return !m_fileFailed;
}

void BatchDecoder::OnActFrame(int frame) {
    if (!m_state.Decoding || !m_window) return;
    platform::Variant msPerFrame;
    double ms = 0;
    if (!m_widgets.Aurion1->Caller().Get(members::MsPerFrame, platform::VarType::R4, msPerFrame))
        ms = msPerFrame.AsR4();
    const auto seconds = static_cast<int>(std::lround(ms * frame) / 1000);
    m_window->Shape2->resize(m_fileStep * seconds, m_window->Shape2->height());
}

bool BatchDecoder::eventFilter(QObject* watched, QEvent* event) {
    // Closing the progress window by the window system cancels, as "Abbrechen" does;
    // the batch's own closing comes after the loop, when the flag is off.
    if (m_window && watched == m_window.get() && event->type() == QEvent::Close &&
        m_state.Decoding && !m_state.DecodeCancelled)
        Cancel();
    return false;
}

void BatchDecoder::Cancel() {
    m_state.Decoding = true;
    m_state.DecodeCancelled = true;
    m_player.Stop(player::PlayerPanel::Wait::No);
    m_widgets.MainWindow->show();
    // Hidden, not destroyed: the running loop still uses the window.
    if (m_window) m_window->hide();
}

}  // namespace trackdeck::batch
