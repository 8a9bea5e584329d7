#pragma once

#include <functional>

namespace orvane {

// Tells a model's one observer, its view, after each change.
class ChangeNotifier
{
public:
    // Called after every change from now on; empty for none.
    void setObserver(std::function<void()> changed) { m_changed = std::move(changed); }

protected:
    void notify() const
    {
        if (m_changed)
            m_changed();
    }

private:
    std::function<void()> m_changed;
};

} // namespace orvane
