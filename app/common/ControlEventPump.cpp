#include "app/common/ControlEventPump.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/window/MessageWindow.h"

namespace trackdeck {

ControlEventPump::ControlEventPump() {
    platform::SetWakeHook([this] {
        QMetaObject::invokeMethod(
            this, [this] { Pump(); }, Qt::QueuedConnection);
    });
}

ControlEventPump::~ControlEventPump() {
    platform::SetWakeHook({});
    // Calls already queued die with this object: Qt drops them.
}

void ControlEventPump::Pump() { platform::PumpMessages(); }

void WaitUntil(const std::function<bool()>& flag) {
    while (!flag()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void LetPendingEventsRun() { QCoreApplication::processEvents(); }

}  // namespace trackdeck
