#include "platform/dbus/mprisrootadaptor.h"

#include "platform/dbus/mprisservice.h"

namespace orvane {

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), m_service(service)
{
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {QStringLiteral("audio/midi"), QStringLiteral("audio/x-midi"),
            QStringLiteral("audio/wav"), QStringLiteral("audio/x-wav")};
}

void MprisRootAdaptor::Raise()
{
    m_service.raise();
}

void MprisRootAdaptor::Quit()
{
    m_service.quit();
}

} // namespace orvane
