#include "app/browser/MountWatcher.h"

#include <fcntl.h>
#include <unistd.h>

namespace trackdeck::browser {

MountWatcher::MountWatcher(QObject* parent) : QObject(parent) {
    m_table = open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    // Without the table the drives are read once, at the start.
    if (m_table < 0) return;
    m_notifier = new QSocketNotifier(m_table, QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &MountWatcher::Changed);
}

MountWatcher::~MountWatcher() {
    delete m_notifier;
    if (m_table >= 0) close(m_table);
}

}  // namespace trackdeck::browser
