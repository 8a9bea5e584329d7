#include "platform/dbus/sessionplayer.h"

#include "platform/dbus/applicationadaptor.h"
#include "platform/dbus/fileuris.h"
#include "platform/dbus/mprisservice.h"
#include "platform/dbus/raisewindow.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace orvane {

namespace {

const QString kName = QStringLiteral("org.orvane.orvane");
const QString kPath = QStringLiteral("/org/orvane/orvane");
const QString kInterface = QStringLiteral("org.freedesktop.Application");
// A hang guard only: a player that answers at all answers in a fraction of a second.
constexpr int kHandOffTimeoutMs = 10000;

} // namespace

SessionPlayer::SessionPlayer() : m_bus(QDBusConnection::sessionBus())
{
    if (!m_bus.isConnected())
        return;
    new ApplicationAdaptor(*this);
    // The object is there before the name, so that no request finds the name without it.
    m_bus.registerObject(kPath, this);
    claim();
}

SessionPlayer::~SessionPlayer()
{
    if (m_bus.isConnected())
        m_bus.unregisterObject(kPath);
}

bool SessionPlayer::claim()
{
    if (m_holdsName || !m_bus.isConnected())
        return m_holdsName;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_bus.interface()->registerService(kName, QDBusConnectionInterface::DontQueueService,
                                           QDBusConnectionInterface::DontAllowReplacement);
    m_holdsName = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    return m_holdsName;
}

bool SessionPlayer::handOff(const std::vector<std::string>& paths)
{
    if (!m_bus.isConnected() || m_holdsName)
        return false;
    QStringList uris;
    for (const std::string& path : paths)
        uris << fileUri(path);
    QDBusMessage call =
        QDBusMessage::createMethodCall(kName, kPath, kInterface, QStringLiteral("Open"));
    call << uris << QVariantMap();
    return m_bus.call(call, QDBus::Block, kHandOffTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::unique_ptr<MprisService>
SessionPlayer::serve(QWidget& window, ObservedMediaControl& media, TransportButtons& buttons,
                     OpenFiles open, std::function<std::string(const std::string&)> title)
{
    m_window = &window;
    m_open = std::move(open);
    for (const QStringList& uris : std::exchange(m_waiting, {}))
        this->open(uris);
    if (!m_bus.isConnected())
        return nullptr;
    return std::make_unique<MprisService>(m_bus, m_holdsName, window, media, buttons, m_open,
                                          std::move(title));
}

void SessionPlayer::open(const QStringList& uris)
{
    if (m_window == nullptr) {
        m_waiting.push_back(uris);
        return;
    }
    std::vector<std::string> paths;
    for (const QString& uri : uris) {
        if (std::string path = pathOfFileUri(uri); !path.empty())
            paths.push_back(std::move(path));
    }
    if (!paths.empty())
        m_open(paths);
    raiseWindow(*m_window);
}

} // namespace orvane
