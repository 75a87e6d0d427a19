#include "app/player/AurionControl.h"

#include <QFile>

#include "app/common/MessageService.h"

namespace trackdeck::player {

namespace {

MessageKind KindOf(platform::MessageKind kind) {
    switch (kind) {
        case platform::MessageKind::Information:
            return MessageKind::Information;
        case platform::MessageKind::Exclamation:
            return MessageKind::Exclamation;
        case platform::MessageKind::Critical:
            return MessageKind::Critical;
        case platform::MessageKind::Question:
            return MessageKind::Question;
    }
    return MessageKind::Information;
}

}  // namespace

AurionControl::AurionControl(QWidget* parent) : QWidget(parent) {
    setObjectName("Aurion1");
    hide();
    aurion::host::ControlEvents events;
    events.ActFrame = [this](int32_t frame) { emit ActFrame(frame); };
    events.ThreadEnded = [this] { emit ThreadEnded(); };
    events.Failure = [this](const aurion::host::ControlError& error) {
        emit Failure(error.Number.value_or(0), QString::fromStdString(error.Text));
    };
    aurion::host::HostServices services;
    services.ShowMessage = [](std::string_view, std::string_view text, platform::MessageKind kind) {
        ShowMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    KindOf(kind));
    };
    m_host = std::make_unique<aurion::host::ControlHost>(std::move(events), std::move(services));
}

AurionControl::~AurionControl() = default;

std::optional<aurion::host::ControlError> AurionControl::Start(const QString& library) {
    return m_host->Start(QFile::encodeName(library).toStdString());
}

}  // namespace trackdeck::player
