// Tells when a file system is mounted or removed. The kernel marks the mount table
// (/proc/self/mounts) as having an exceptional condition whenever it changes; the
// watcher waits for that in the event loop, so it costs nothing while nothing happens.
#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace trackdeck::browser {

class MountWatcher : public QObject {
    Q_OBJECT
public:
    explicit MountWatcher(QObject* parent = nullptr);
    ~MountWatcher() override;
    MountWatcher(const MountWatcher&) = delete;
    MountWatcher& operator=(const MountWatcher&) = delete;

signals:
    void Changed();

private:
    int m_table = -1;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace trackdeck::browser
