#include "app/batch/BatchDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "app/common/ControlEventPump.h"
#include "app/common/MessageService.h"
#include "app/common/WindowHelpers.h"
#include "app/names/MarkedFiles.h"
#include "app/player/PlayerPanel.h"
#include "app/shell/frmDeck.h"
#include "app/tags/TagArea.h"
#include "host/AurionMembers.h"

namespace trackdeck::batch {

namespace {

using namespace aurion::host;
using names::EndsIn;

// Any entry of the name counts, also one the program could not read: such a file
// must not be truncated by a decode.
bool EntryExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

BatchDecoder::BatchDecoder(frmDeck& form, AppState& state)
    : QObject(&form), m_form(form), m_state(state) {
    connect(form.Aurion1, &player::AurionControl::ActFrame, this, &BatchDecoder::OnActFrame);
    connect(form.Aurion1, &player::AurionControl::Failure, this, [this] {
        if (m_state.Decoding) m_fileFailed = true;
    });
}

BatchDecoder::~BatchDecoder() = default;

void BatchDecoder::Start() {
    if (m_window) return;  // a batch is running
    m_form.Command1->setFocus();
    QListWidget* list = names::ActiveList(m_form, m_state);
    m_state.SelectedMp3Count = 0;
    for (const QListWidgetItem* item : list->selectedItems())
        if (EndsIn(item->text(), "mp3")) ++m_state.SelectedMp3Count;
    if (m_state.SelectedMp3Count == 0) return;
    if (m_state.ConfirmDecode) {
        const QString question = m_state.SelectedMp3Count == 1
                                     ? names::CurrentEntry(m_form, m_state) + " decodieren ?"
                                     : QStringLiteral("Markierte MP3-Dateien decodieren ?");
        if (Ask(question, MessageKind::Question, Answer::Yes) != Answer::Yes) return;
    }
    m_state.Decoding = true;
    m_state.DecodeCancelled = false;
    m_form.Player().Stop(player::PlayerPanel::Wait::ForThread);
    m_form.TagAreaPart().SettlePendingTag();

    m_form.hide();
    m_window = std::make_unique<Decode>(m_state.Caption);
    connect(m_window->Command1, &QPushButton::clicked, this, &BatchDecoder::Cancel);
    m_window->installEventFilter(this);
    if (m_state.SelectedMp3Count == 1) m_window->UseOneFileLayout();
    m_window->show();
    CenterForm(*m_window);
    DecodeMarked(names::ActiveFolder(m_state), names::OtherFolder(m_state), *list);
}

void BatchDecoder::DecodeMarked(const QString& source, const QString& target, QListWidget& list) {
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
    m_form.PaneSet().RefreshPane(1);
    m_form.PaneSet().RefreshPane(2);
    m_form.Text4->clear();
    m_state.Decoding = false;
    m_form.show();
    m_window->close();
    m_window.reset();
    if (!failed.isEmpty())
        ShowMessage("Folgende Dateien konnten nicht decodiert werden:\n" + failed.join('\n'),
                    MessageKind::Information);
}

bool BatchDecoder::DecodeOne(const QString& mp3File, const QString& waveFile) {
    ControlCaller control = m_form.Aurion1->Caller();
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
    WaitUntil([this] { return m_state.PlayerThreadEnded; });
    (void)control.Call(members::Close, {});
    return !m_fileFailed;
}

void BatchDecoder::OnActFrame(int frame) {
    if (!m_state.Decoding || !m_window) return;
    platform::Variant msPerFrame;
    double ms = 0;
    if (!m_form.Aurion1->Caller().Get(members::MsPerFrame, platform::VarType::R4, msPerFrame))
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
    m_state.PlayerStopRequested = true;
    m_state.PlayerEndReached = false;
    m_state.Decoding = true;
    m_state.DecodeCancelled = true;
    ControlCaller control = m_form.Aurion1->Caller();
    (void)control.Call(members::Stop, {});
    (void)control.Call(members::Close, {});
    m_form.Text4->clear();
    m_form.show();
    // Hidden, not destroyed: the running loop still uses the window.
    if (m_window) m_window->hide();
}

}  // namespace trackdeck::batch
