#include "app/player/PlayerPanel.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "app/common/ControlEventPump.h"
#include "app/common/MarkedFiles.h"
#include "app/common/Twips.h"
#include "app/player/Pictures.h"
#include "app/player/TimeText.h"
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

// The volume in percent for the knob's top on the track, all in twips.
int VolumePercent(int knobTop, int trackTop, int trackHeight) {
    return static_cast<int>(std::floor(122.0 - trackHeight / 100.0 - (knobTop - trackTop) / 22.5));
}

struct PictureButton {
    pictures::Button Kind;
    ClickableLabel* PlayerWidgets::*Widget;
};

}  // namespace

PlayerPanel::PlayerPanel(PlayerWidgets widgets, PaneLists lists, tags::TagArea& tagArea,
                         AppState& state, std::function<void(int pane)> refreshPane,
                         QObject* parent)
    : QObject(parent),
      m_widgets(widgets),
      m_lists(lists),
      m_tagArea(tagArea),
      m_state(state),
      m_refreshPane(std::move(refreshPane)),
      m_meter(*widgets.Window, *widgets.Shape1, state) {
    for (QWidget* widget :
         {static_cast<QWidget*>(widgets.Image1), static_cast<QWidget*>(widgets.Image7),
          static_cast<QWidget*>(widgets.Image6), static_cast<QWidget*>(widgets.Image10),
          static_cast<QWidget*>(widgets.Picture6), static_cast<QWidget*>(widgets.Picture8)})
        widget->installEventFilter(this);
    connect(widgets.Image1, &ClickableLabel::clicked, this, &PlayerPanel::PlayClicked);
    connect(widgets.Image7, &ClickableLabel::clicked, this, &PlayerPanel::PauseClicked);
    connect(widgets.Image6, &ClickableLabel::clicked, this, &PlayerPanel::StopClicked);
    connect(widgets.Aurion1, &AurionControl::ActFrame, this, &PlayerPanel::OnActFrame);
    connect(widgets.Aurion1, &AurionControl::ThreadEnded, this, &PlayerPanel::OnThreadEnded);
    connect(widgets.Timer1, &QTimer::timeout, this, [this] { m_meter.Tick(); });
}

int32_t PlayerPanel::FrameCount() const {
    return ReadInt(m_widgets.Aurion1->Caller(), members::FrameCount);
}

int PlayerPanel::VolumeAt(int knobTop) const {
    return VolumePercent(knobTop, ToTwips(m_widgets.Label13->y()),
                         ToTwips(m_widgets.Label13->height()));
}

void PlayerPanel::LoadFile(const QString& path) {
    m_tagArea.ShowTag(path);
    ControlCaller control = m_widgets.Aurion1->Caller();
    (void)control.Call(members::Open, {path.toStdString(), ""});
    platform::Variant length;
    if (!control.CallAs(members::GetWaveLengthSecs, {}, platform::VarType::R4, length))
        m_state.TotalSeconds = static_cast<int32_t>(std::lround(length.AsR4()));
    else
        m_state.TotalSeconds = 0;
    m_widgets.Text3->setText(TimeText(m_state.TotalSeconds));
    const QString bitRate = BitRateText(ReadInt(control, members::BitRate));
    if (!bitRate.isEmpty()) m_widgets.Text9->setText(bitRate);
}

void PlayerPanel::StartPlaying() {
    const std::optional<ControlError> failed =
        m_widgets.Aurion1->Caller().CallStatus(members::Play, {});
    if (failed && failed->Number != AlreadyPlaying) {
        m_state.PlayerThreadEnded = true;
        return;
    }
    m_widgets.Picture6->show();
    m_widgets.Timer1->start();
}

void PlayerPanel::ShowCurrentFile() {
    m_state.PlayerEndReached = false;
    const QModelIndexList selected = ActiveList(m_lists, m_state)->selectionModel()->selectedRows();
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

void PlayerPanel::Stop(Wait wait) {
    m_state.PlayerStopRequested = true;
    m_state.PlayerEndReached = false;
    ControlCaller control = m_widgets.Aurion1->Caller();
    (void)control.Call(members::Stop, {});
    (void)control.Call(members::Close, {});
    ClearCurrentTime();
    if (wait == Wait::ForThread) WaitForThread();
}

void PlayerPanel::WaitForThread() {
    WaitUntil([this] { return m_state.PlayerThreadEnded; });
}

void PlayerPanel::ClearCurrentTime() { m_widgets.Text4->clear(); }

void PlayerPanel::PlayClicked() {
    if (m_state.CurrentFile.isEmpty()) return;
    CountMarked(*ActiveList(m_lists, m_state), m_state);
    if (m_state.SelectedWavCount == 0 && m_state.SelectedMp3Count == 0) return;
    // An already opened file answers 640; that is fine.
    (void)m_widgets.Aurion1->Caller().Call(members::Open, {m_state.CurrentFile.toStdString(), ""});
    m_state.PlayerThreadEnded = false;
    m_state.PlayerStopRequested = false;
    StartPlaying();
}

void PlayerPanel::PauseClicked() {
    // Only the left list is looked at, as the panel always has.
    const QListWidgetItem* current = m_lists.List1->currentItem();
    if (current != nullptr && !current->text().isEmpty())
        (void)m_widgets.Aurion1->Caller().Call(members::Pause, {});
}

void PlayerPanel::StopClicked() {
    Stop(Wait::No);
    m_widgets.Picture6->hide();
}

void PlayerPanel::OnActFrame(int frame) {
    ControlCaller control = m_widgets.Aurion1->Caller();
    platform::Variant msPerFrame;
    double ms = 0;
    if (!control.Get(members::MsPerFrame, platform::VarType::R4, msPerFrame))
        ms = msPerFrame.AsR4();
    const auto seconds = static_cast<int32_t>(std::lround(ms * frame) / 1000);
    m_widgets.Text4->setText(TimeText(seconds));
    const QString bitRate = BitRateText(ReadInt(control, members::BitRate));
    if (!bitRate.isEmpty()) m_widgets.Text9->setText(bitRate);
    const int32_t frames = ReadInt(control, members::FrameCount);
    if (frames <= 0) return;
    const QLabel* scale = m_widgets.Label14;
    const int left =
        scale->x() + static_cast<int>(static_cast<double>(scale->width()) / frames * frame);
    m_widgets.Picture6->move(left, m_widgets.Picture6->y());
}

void PlayerPanel::OnThreadEnded() {
    m_widgets.Timer1->stop();
    m_meter.Reset();
    m_widgets.Picture6->hide();
    m_state.PlayerThreadEnded = true;
    if (m_state.Decoding || m_state.PlayerStopRequested) return;
    if (!m_state.DirPlay) {
        m_widgets.Text4->clear();
        return;
    }
    m_tagArea.ClearFields();
    m_state.PlayerEndReached = true;
    m_state.CurrentIndex = static_cast<int16_t>(m_state.CurrentIndex + 1);
    const int pane = ActivePane(m_state);
    QListWidget* list = m_lists.Of(pane);
    if (m_state.CurrentIndex >= list->count()) return;
    m_refreshPane(pane);
    if (m_state.CurrentIndex >= list->count()) return;  // the folder lost entries meanwhile
    QListWidgetItem* next = list->item(m_state.CurrentIndex);
    m_state.CurrentFile = PanePath(m_state, pane) + next->text();
    // Selected without the list's click: the click would only note that the end was reached.
    {
        const QSignalBlocker quiet(list);
        list->setCurrentItem(next);
    }
    m_tagArea.ShowFile(m_state.CurrentFile);
    PlayCurrentFile(m_state.CurrentFile);
}

void PlayerPanel::ShowKnobAtStart() {
    m_widgets.Picture6->move(m_widgets.Label14->x(), m_widgets.Picture6->y());
}

void PlayerPanel::PlaceVolumeKnob(int top) {
    m_volumeKnobTop = top;
    m_widgets.Picture8->move(m_widgets.Picture8->x(), Twips(top));
    const int percent = VolumeAt(top);
    m_widgets.Text10->move(m_widgets.Text10->x(), Twips(top));
    m_widgets.Text10->setText(QString::number(percent));
    (void)m_widgets.Aurion1->Caller().Call(members::SetVolumeP,
                                           {platform::Variant(static_cast<int16_t>(percent)),
                                            platform::Variant(static_cast<int16_t>(percent))});
    m_widgets.Picture8->show();
}

void PlayerPanel::PositionKnob(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    QLabel* knob = m_widgets.Picture6;
    QLineEdit* tip = m_widgets.Text11;
    const QLabel* track = m_widgets.Picture5;
    const QLabel* scale = m_widgets.Label14;
    const int x = static_cast<int>(mouse->position().x());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_grabX = x;
            tip->move(knob->x(), tip->y());
            tip->show();
            break;
        case QEvent::MouseMove: {
            if (!(mouse->buttons() & Qt::LeftButton) || !m_grabX) break;
            const int low = track->x();
            const int high = track->x() + track->width() - knob->width();
            const int left = std::clamp(knob->x() + x - *m_grabX, low, high);
            knob->move(left, knob->y());
            tip->move(left, tip->y());
            const double seconds =
                static_cast<double>(m_state.TotalSeconds) / scale->width() * (left - scale->x());
            tip->setText(TimeText(static_cast<int32_t>(std::lround(seconds))));
            break;
        }
        case QEvent::MouseButtonRelease: {
            ControlCaller control = m_widgets.Aurion1->Caller();
            const double frame =
                static_cast<double>(FrameCount()) / scale->width() * (knob->x() - scale->x());
            (void)control.Call(members::Seek,
                               {static_cast<int32_t>(std::max(0.0, std::floor(frame)))});
            (void)control.Call(members::Play, {});  // resumes a paused file; 651 when playing
            tip->hide();
            m_grabX.reset();
            break;
        }
        default:
            break;
    }
}

void PlayerPanel::VolumeKnob(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    QLabel* knob = m_widgets.Picture8;
    QLineEdit* tip = m_widgets.Text10;
    const QLabel* track = m_widgets.Picture7;
    const int y = static_cast<int>(mouse->position().y());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_grabY = y;
            tip->move(tip->x(), knob->y());
            tip->show();
            break;
        case QEvent::MouseMove: {
            if (!(mouse->buttons() & Qt::LeftButton) || !m_grabY) break;
            const int low = track->y();
            const int high = track->y() + track->height() - knob->height();
            const int top = std::clamp(knob->y() + y - *m_grabY, low, high);
            knob->move(knob->x(), top);
            m_volumeKnobTop = ToTwips(top);
            const auto volume = static_cast<int16_t>(VolumeAt(ToTwips(top)));
            tip->move(tip->x(), top);
            tip->setText(QString::number(volume));
            (void)m_widgets.Aurion1->Caller().Call(members::SetVolumeP, {volume, volume});
            break;
        }
        case QEvent::MouseButtonRelease:
            tip->hide();
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
    if (watched == m_widgets.Picture6) {
        PositionKnob(event);
        return false;
    }
    if (watched == m_widgets.Picture8) {
        VolumeKnob(event);
        return false;
    }
    static const PictureButton buttons[] = {{pictures::Button::Play, &PlayerWidgets::Image1},
                                            {pictures::Button::Pause, &PlayerWidgets::Image7},
                                            {pictures::Button::Stop, &PlayerWidgets::Image6},
                                            {pictures::Button::Search, &PlayerWidgets::Image10}};
    for (const PictureButton& button : buttons) {
        ClickableLabel* widget = m_widgets.*button.Widget;
        if (watched != widget || type == QEvent::MouseMove) continue;
        widget->setPixmap(
            pictures::ButtonPicture(button.Kind, type == QEvent::MouseButtonPress, widget->size()));
    }
    return false;
}

}  // namespace trackdeck::player
