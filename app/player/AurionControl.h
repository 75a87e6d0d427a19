// The control `Aurion1` on the main window: the Aurion control created by its
// ProgID through the hosts' shared host, its events turned into Qt signals on the
// user-interface thread and its message service the program's. It is never drawn.
#pragma once

#include <QObject>
#include <QWidget>
#include <memory>
#include <optional>

#include "host/AurionMembers.h"
#include "host/ControlHost.h"

namespace trackdeck::player {

class AurionControl : public QWidget {
    Q_OBJECT
public:
    explicit AurionControl(QWidget* parent = nullptr);
    ~AurionControl() override;

    // Creates the control from the given library file, registering it when the registry
    // names another; its failure leaves a window whose calls all fail quietly.
    std::optional<aurion::host::ControlError> Start(const QString& library);
    [[nodiscard]] aurion::host::ControlCaller Caller() const { return m_host->Caller(); }
    [[nodiscard]] bool Started() const { return m_host->Control() != nullptr; }

signals:
    void ActFrame(int frame);
    void ThreadEnded();
    void Failure(int number, const QString& text);

private:
    std::unique_ptr<aurion::host::ControlHost> m_host;
};

}  // namespace trackdeck::player
