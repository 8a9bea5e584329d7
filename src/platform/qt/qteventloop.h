#pragma once

#include "engine/ownerloop.h"
#include "platform/eventloop.h"

#include <QObject>

namespace orvane {

// The GUI thread's event loop over Qt, as the logic waits in it and as the engine's owner loop:
// posted tasks and timers run in the thread of the QCoreApplication.
class QtEventLoop : public QObject, public EventLoop, public OwnerLoop
{
    Q_OBJECT
public:
    explicit QtEventLoop(QObject* parent = nullptr);

    void post(std::function<void()> task) override;
    void runFor(int milliseconds) override;
    std::unique_ptr<LoopTimer> createTimer(std::function<void()> tick) override;
};

} // namespace orvane
