#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace orvane {

class TransportButtons;
class MprisService;
class ObservedMediaControl;

// The one player of a desktop session. At start it claims the session-wide name
// org.orvane.orvane, at once and without queueing, so that of two launches at the same time
// only one becomes the player; a launch that finds the name held hands its files to that
// player. Without a session bus it does nothing.
class SessionPlayer : public QObject
{
    Q_OBJECT
public:
    using OpenFiles = std::function<void(const std::vector<std::string>&)>;

    SessionPlayer();
    ~SessionPlayer() override;

    // True when this process holds the name.
    bool holdsName() const { return m_holdsName; }
    // Claims the name unless another process holds it; true when this one holds it.
    bool claim();
    // Hands `paths` to the player that holds the name: it queues them and shows its window.
    // False when there is none, or it did not take them in time.
    bool handOff(const std::vector<std::string>& paths);
    // From now on files opened through the bus go to `open` and activation shows `window`.
    // What came before is handled now. Returns the player's MPRIS service, which follows
    // `media` and presses `buttons` (none without a bus); it must go before they do.
    std::unique_ptr<MprisService> serve(QWidget& window, ObservedMediaControl& media,
                                        TransportButtons& buttons, OpenFiles open,
                                        std::function<std::string(const std::string&)> title);

    // A request from the bus: queues the files of `uris` (none for a bare activation) and
    // shows the window.
    void open(const QStringList& uris);

private:
    QDBusConnection m_bus;
    bool m_holdsName = false;
    QWidget* m_window = nullptr;
    OpenFiles m_open;
    std::vector<QStringList> m_waiting; // requests that came before serve()
};

} // namespace orvane
