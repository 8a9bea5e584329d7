#pragma once

#include <QObject>

class QSocketNotifier;

namespace orvane {

// Tells when this process's mount table changes: the kernel marks /proc/self/mountinfo
// exceptional (POLLPRI) after each mount and unmount, so nothing is read until then.
class MountWatcher : public QObject
{
    Q_OBJECT
public:
    explicit MountWatcher(QObject* parent = nullptr);
    ~MountWatcher() override;

signals:
    // Something was mounted or unmounted.
    void changed();

private:
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace orvane
