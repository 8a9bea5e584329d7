#include "platform/qt/mountwatcher.h"

#include <QSocketNotifier>
#include <fcntl.h>
#include <unistd.h>

namespace orvane {

MountWatcher::MountWatcher(QObject* parent) : QObject(parent)
{
    m_fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    // Without the file the drive list stays as it was read at start.
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &MountWatcher::changed);
}

MountWatcher::~MountWatcher()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace orvane
