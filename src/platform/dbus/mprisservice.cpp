#include "platform/dbus/mprisservice.h"

#include "platform/dbus/fileuris.h"
#include "platform/dbus/mprisplayeradaptor.h"
#include "platform/dbus/mprisrootadaptor.h"
#include "platform/dbus/observedmediacontrol.h"
#include "platform/dbus/raisewindow.h"
#include "platform/transportbuttons.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>
#include <QWidget>

namespace orvane {

namespace {

const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kName = QStringLiteral("org.mpris.MediaPlayer2.orvane");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
constexpr qlonglong kMicrosecondsPerMillisecond = 1000;

} // namespace

MprisService::MprisService(QDBusConnection bus, bool primary, QWidget& window,
                           ObservedMediaControl& media, TransportButtons& buttons, OpenFiles open,
                           TitleOf title)
    : m_bus(std::move(bus)), m_window(window), m_media(media), m_buttons(buttons),
      m_open(std::move(open)), m_title(std::move(title))
{
    new MprisRootAdaptor(*this);
    new MprisPlayerAdaptor(*this);
    noteTrack();
    m_announcedStatus = playbackStatus();
    m_announcedMetadata = metadata();
    m_listener = m_media.addListener([this] { mediaChanged(); });
    m_bus.registerObject(kPath, this);
    m_serviceName = primary ? kName
                            : kName + QStringLiteral(".instance") +
                                  QString::number(QCoreApplication::applicationPid());
    m_bus.interface()->registerService(m_serviceName, QDBusConnectionInterface::DontQueueService);
}

MprisService::~MprisService()
{
    m_media.removeListener(m_listener);
    m_bus.unregisterService(m_serviceName);
    m_bus.unregisterObject(kPath);
}

QString MprisService::playbackStatus() const
{
    switch (m_media.mode()) {
    case MediaMode::Playing:
        return QStringLiteral("Playing");
    case MediaMode::Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

QVariantMap MprisService::metadata() const
{
    const std::string& file = m_media.openFile();
    if (file.empty())
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(kNoTrack))}};
    const QString trackId = QStringLiteral("/org/orvane/orvane/track/%1").arg(m_trackNumber);
    return {
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId))},
        {QStringLiteral("xesam:title"), QString::fromStdString(m_title(file))},
        {QStringLiteral("xesam:url"), fileUri(file)},
        {QStringLiteral("mpris:length"), qlonglong(m_media.length()) * kMicrosecondsPerMillisecond},
    };
}

qlonglong MprisService::position() const
{
    if (m_media.mode() == MediaMode::NotOpen)
        return 0;
    return qlonglong(m_media.position()) * kMicrosecondsPerMillisecond;
}

void MprisService::raise()
{
    raiseWindow(m_window);
}

void MprisService::quit()
{
    QTimer::singleShot(0, &m_window, [window = &m_window] { window->close(); });
}

void MprisService::play()
{
    if (m_media.mode() == MediaMode::Paused)
        m_buttons.press(MediaButton::Pause); // resumes
    else if (m_media.mode() != MediaMode::Playing)
        m_buttons.press(MediaButton::Play);
}

void MprisService::pause()
{
    if (m_media.mode() == MediaMode::Playing)
        m_buttons.press(MediaButton::Pause);
}

void MprisService::playPause()
{
    if (m_media.mode() == MediaMode::Playing || m_media.mode() == MediaMode::Paused)
        m_buttons.press(MediaButton::Pause);
    else
        m_buttons.press(MediaButton::Play);
}

void MprisService::stop()
{
    m_buttons.press(MediaButton::Stop);
}

void MprisService::next()
{
    m_buttons.press(MediaButton::Next);
}

void MprisService::openUri(const QString& uri)
{
    if (const std::string path = pathOfFileUri(uri); !path.empty())
        m_open({path});
}

void MprisService::noteTrack()
{
    if (const std::string& file = m_media.openFile(); !file.empty() && file != m_trackFile) {
        m_trackFile = file;
        ++m_trackNumber;
    }
}

void MprisService::mediaChanged()
{
    noteTrack();
    // A track change is several commands ("Close", "Open", "play"): one announcement for all.
    if (m_announcing)
        return;
    m_announcing = true;
    QTimer::singleShot(0, this, &MprisService::announceChanges);
}

void MprisService::announceChanges()
{
    m_announcing = false;
    QVariantMap changed;
    if (const QString status = playbackStatus(); status != m_announcedStatus) {
        m_announcedStatus = status;
        changed.insert(QStringLiteral("PlaybackStatus"), status);
    }
    if (const QVariantMap now = metadata(); now != m_announcedMetadata) {
        m_announcedMetadata = now;
        changed.insert(QStringLiteral("Metadata"), now);
    }
    if (changed.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_bus.send(signal);
}

} // namespace orvane
