#include "platform/dbus/mprisplayeradaptor.h"

#include "platform/dbus/mprisservice.h"

namespace orvane {

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), m_service(service)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return m_service.playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return m_service.metadata();
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service.position();
}

void MprisPlayerAdaptor::Next()
{
    m_service.next();
}

void MprisPlayerAdaptor::Pause()
{
    m_service.pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    m_service.playPause();
}

void MprisPlayerAdaptor::Stop()
{
    m_service.stop();
}

void MprisPlayerAdaptor::Play()
{
    m_service.play();
}

void MprisPlayerAdaptor::OpenUri(const QString& uri)
{
    m_service.openUri(uri);
}

} // namespace orvane
