#include "platform/qt/qteventloop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

namespace orvane {

namespace {

class QtTimer : public LoopTimer
{
public:
    explicit QtTimer(std::function<void()> tick)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
    }

    void start(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

QtEventLoop::QtEventLoop(QObject* parent) : QObject(parent) {}

void QtEventLoop::post(std::function<void()> task)
{
    // Queued to this object's thread, the GUI thread, whichever thread posts.
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void QtEventLoop::runFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

std::unique_ptr<LoopTimer> QtEventLoop::createTimer(std::function<void()> tick)
{
    return std::make_unique<QtTimer>(std::move(tick));
}

} // namespace orvane
