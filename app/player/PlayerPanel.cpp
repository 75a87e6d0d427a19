#include "app/player/PlayerPanel.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "app/common/Twips.h"
#include "app/player/TimeText.h"
#include "app/shell/ApplySettings.h"
#include "app/shell/Pictures.h"
#include "app/shell/frmDeck.h"
#include "app/tags/TagArea.h"
#include "host/AurionMembers.h"

namespace trackdeck::player {

namespace {

using namespace aurion::host;

constexpr int32_t AlreadyPlaying = 651;

int32_t ReadInt(ControlCaller control, Member member) {
    platform::Variant value;
    if (control.Get(member, platform::VarType::I4, value)) return 0;
    return value.AsI4();
}

// The number of selected entries of the active pane's list that are MP3 or WAV files.
void CountSelected(frmDeck& form, AppState& state) {
    state.SelectedWavCount = 0;
    state.SelectedMp3Count = 0;
    QListWidget* list = state.ActivePane == 2 ? form.List2 : form.List1;
    for (const QListWidgetItem* item : list->selectedItems()) {
        const QString end = item->text().right(3).toLower();
        if (end == "wav") ++state.SelectedWavCount;
        if (end == "mp3") ++state.SelectedMp3Count;
    }
}

struct PictureButton {
    pictures::Button Kind;
    ClickableLabel* frmDeck::*Widget;
};

}  // namespace

PlayerPanel::PlayerPanel(frmDeck& form, AppState& state)
    : QObject(&form), m_form(form), m_state(state), m_meter(form, state) {
    for (QWidget* widget :
         {static_cast<QWidget*>(form.Image1), static_cast<QWidget*>(form.Image7),
          static_cast<QWidget*>(form.Image6), static_cast<QWidget*>(form.Image10),
          static_cast<QWidget*>(form.Picture6), static_cast<QWidget*>(form.Picture8)})
        widget->installEventFilter(this);
    connect(form.Image1, &ClickableLabel::clicked, this, &PlayerPanel::PlayClicked);
    connect(form.Image7, &ClickableLabel::clicked, this, &PlayerPanel::PauseClicked);
    connect(form.Image6, &ClickableLabel::clicked, this, &PlayerPanel::StopClicked);
    connect(form.Aurion1, &AurionControl::ActFrame, this, &PlayerPanel::OnActFrame);
    connect(form.Aurion1, &AurionControl::ThreadEnded, this, &PlayerPanel::OnThreadEnded);
    connect(form.Timer1, &QTimer::timeout, this, [this] { m_meter.Tick(); });
}

int32_t PlayerPanel::FrameCount() const {
    return ReadInt(m_form.Aurion1->Caller(), members::FrameCount);
}

void PlayerPanel::LoadFile(const QString& path) {
    m_form.TagAreaPart().ShowTag(path);
    ControlCaller control = m_form.Aurion1->Caller();
    (void)control.Call(members::Open, {path.toStdString(), ""});
    platform::Variant length;
    if (!control.CallAs(members::GetWaveLengthSecs, {}, platform::VarType::R4, length))
        m_state.TotalSeconds = static_cast<int32_t>(std::lround(length.AsR4()));
    else
        m_state.TotalSeconds = 0;
    m_form.Text3->setText(TimeText(m_state.TotalSeconds));
    const QString bitRate = BitRateText(ReadInt(control, members::BitRate));
    if (!bitRate.isEmpty()) m_form.Text9->setText(bitRate);
}

void PlayerPanel::StartPlaying() {
    const std::optional<ControlError> failed =
        m_form.Aurion1->Caller().CallStatus(members::Play, {});
    if (failed && failed->Number != AlreadyPlaying) {
        m_state.PlayerThreadEnded = true;
        return;
    }
    m_form.Picture6->show();
    m_form.Timer1->start();
}

void PlayerPanel::ShowCurrentFile() {
    m_state.PlayerEndReached = false;
    QListWidget* list = m_state.ActivePane == 2 ? m_form.List2 : m_form.List1;
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& index : selected)
        first = first < 0 ? index.row() : std::min(first, index.row());
    if (first >= 0) m_state.CurrentIndex = static_cast<int16_t>(first);
    LoadFile(m_state.CurrentFile);
    if (m_state.ClickPlay) {
        m_state.PlayerThreadEnded = false;
        m_state.PlayerStopRequested = false;
        StartPlaying();
    }
}

void PlayerPanel::PlayCurrentFile(const QString& path) {
    LoadFile(path);
    m_state.PlayerStopRequested = false;
    m_state.PlayerThreadEnded = false;
    m_state.PlayerEndReached = false;
    StartPlaying();
}

void PlayerPanel::PlayClicked() {
    if (m_state.CurrentFile.isEmpty()) return;
    CountSelected(m_form, m_state);
    if (m_state.SelectedWavCount == 0 && m_state.SelectedMp3Count == 0) return;
    // An already opened file answers 640; that is fine.
    (void)m_form.Aurion1->Caller().Call(members::Open, {m_state.CurrentFile.toStdString(), ""});
    m_state.PlayerThreadEnded = false;
    m_state.PlayerStopRequested = false;
    StartPlaying();
}

void PlayerPanel::PauseClicked() {
    const QListWidgetItem* current = m_form.List1->currentItem();
    if (current != nullptr && !current->text().isEmpty())
        (void)m_form.Aurion1->Caller().Call(members::Pause, {});
}

void PlayerPanel::StopClicked() {
    m_state.PlayerStopRequested = true;
    m_state.PlayerEndReached = false;
    ControlCaller control = m_form.Aurion1->Caller();
    (void)control.Call(members::Stop, {});
    (void)control.Call(members::Close, {});
    m_form.Picture6->hide();
    m_form.Text4->clear();
}

void PlayerPanel::OnActFrame(int frame) {
    ControlCaller control = m_form.Aurion1->Caller();
    platform::Variant msPerFrame;
    double ms = 0;
    if (!control.Get(members::MsPerFrame, platform::VarType::R4, msPerFrame))
        ms = msPerFrame.AsR4();
    const auto seconds = static_cast<int32_t>(std::lround(ms * frame) / 1000);
    m_form.Text4->setText(TimeText(seconds));
    const QString bitRate = BitRateText(ReadInt(control, members::BitRate));
    if (!bitRate.isEmpty()) m_form.Text9->setText(bitRate);
    const int32_t frames = ReadInt(control, members::FrameCount);
    if (frames <= 0) return;
    const int left =
        m_form.Label14->x() +
        static_cast<int>(static_cast<double>(m_form.Label14->width()) / frames * frame);
    m_form.Picture6->move(left, m_form.Picture6->y());
}

void PlayerPanel::OnThreadEnded() {
    m_form.Timer1->stop();
    m_meter.Reset();
    m_form.Picture6->hide();
    m_state.PlayerThreadEnded = true;
    if (m_state.Decoding || m_state.PlayerStopRequested) return;
    if (!m_state.DirPlay) {
        m_form.Text4->clear();
        return;
    }
    for (QLineEdit* field : {m_form.Text1, m_form.Text2, m_form.Text3, m_form.Text4, m_form.Text5,
                             m_form.Text6, m_form.Text8, m_form.Text9})
        field->clear();
    m_state.PlayerEndReached = true;
    m_state.CurrentIndex = static_cast<int16_t>(m_state.CurrentIndex + 1);
    const int pane = m_state.ActivePane == 2 ? 2 : 1;
    QListWidget* list = pane == 2 ? m_form.List2 : m_form.List1;
    if (m_state.CurrentIndex >= list->count()) return;
    m_form.PaneSet().RefreshPane(pane);
    if (m_state.CurrentIndex >= list->count()) return;  // the folder lost entries meanwhile
    QListWidgetItem* next = list->item(m_state.CurrentIndex);
    m_state.CurrentFile = (pane == 2 ? m_state.PathB : m_state.PathA) + next->text();
    // Selected without the list's click: the click would only note that the end was reached.
    {
        const QSignalBlocker quiet(list);
        list->setCurrentItem(next);
    }
    m_form.Text7->setText(m_state.CurrentFile);
    PlayCurrentFile(m_state.CurrentFile);
}

void PlayerPanel::PositionKnob(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    QLabel* knob = m_form.Picture6;
    const int x = static_cast<int>(mouse->position().x());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_grabX = x;
            m_form.Text11->move(knob->x(), m_form.Text11->y());
            m_form.Text11->show();
            break;
        case QEvent::MouseMove: {
            if (!(mouse->buttons() & Qt::LeftButton) || !m_grabX) break;
            const int low = m_form.Picture5->x();
            const int high = m_form.Picture5->x() + m_form.Picture5->width() - knob->width();
            const int left = std::clamp(knob->x() + x - *m_grabX, low, high);
            knob->move(left, knob->y());
            m_form.Text11->move(left, m_form.Text11->y());
            const double seconds = static_cast<double>(m_state.TotalSeconds) /
                                   m_form.Label14->width() * (left - m_form.Label14->x());
            m_form.Text11->setText(TimeText(static_cast<int32_t>(std::lround(seconds))));
            break;
        }
        case QEvent::MouseButtonRelease: {
            ControlCaller control = m_form.Aurion1->Caller();
            const double frame = static_cast<double>(FrameCount()) / m_form.Label14->width() *
                                 (knob->x() - m_form.Label14->x());
            (void)control.Call(members::Seek,
                               {static_cast<int32_t>(std::max(0.0, std::floor(frame)))});
            (void)control.Call(members::Play, {});  // resumes a paused file; 651 when playing
            m_form.Text11->hide();
            m_grabX.reset();
            break;
        }
        default:
            break;
    }
}

void PlayerPanel::VolumeKnob(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    QLabel* knob = m_form.Picture8;
    const int y = static_cast<int>(mouse->position().y());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_grabY = y;
            m_form.Text10->move(m_form.Text10->x(), knob->y());
            m_form.Text10->show();
            break;
        case QEvent::MouseMove: {
            if (!(mouse->buttons() & Qt::LeftButton) || !m_grabY) break;
            const int low = m_form.Picture7->y();
            const int high = m_form.Picture7->y() + m_form.Picture7->height() - knob->height();
            const int top = std::clamp(knob->y() + y - *m_grabY, low, high);
            knob->move(knob->x(), top);
            m_form.Picture8Top = ToTwips(top);
            const auto volume = static_cast<int16_t>(VolumePercent(
                ToTwips(top), ToTwips(m_form.Label13->y()), ToTwips(m_form.Label13->height())));
            m_form.Text10->move(m_form.Text10->x(), top);
            m_form.Text10->setText(QString::number(volume));
            (void)m_form.Aurion1->Caller().Call(members::SetVolumeP, {volume, volume});
            break;
        }
        case QEvent::MouseButtonRelease:
            m_form.Text10->hide();
            m_grabY.reset();
            break;
        default:
            break;
    }
}

bool PlayerPanel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseMove;
    if (!mouse) return false;
    if (watched == m_form.Picture6) {
        PositionKnob(event);
        return false;
    }
    if (watched == m_form.Picture8) {
        VolumeKnob(event);
        return false;
    }
    static const PictureButton buttons[] = {{pictures::Button::Play, &frmDeck::Image1},
                                            {pictures::Button::Pause, &frmDeck::Image7},
                                            {pictures::Button::Stop, &frmDeck::Image6},
                                            {pictures::Button::Search, &frmDeck::Image10}};
    for (const PictureButton& button : buttons) {
        ClickableLabel* widget = m_form.*button.Widget;
        if (watched != widget || type == QEvent::MouseMove) continue;
        widget->setPixmap(
            pictures::ButtonPicture(button.Kind, type == QEvent::MouseButtonPress, widget->size()));
    }
    return false;
}

}  // namespace trackdeck::player
