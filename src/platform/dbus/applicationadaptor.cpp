#include "platform/dbus/applicationadaptor.h"

#include "platform/dbus/sessionplayer.h"

namespace orvane {

ApplicationAdaptor::ApplicationAdaptor(SessionPlayer& player)
    : QDBusAbstractAdaptor(&player), m_player(player)
{
}

void ApplicationAdaptor::Activate(const QVariantMap& /*platform_data*/)
{
    m_player.open({});
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap& /*platform_data*/)
{
    m_player.open(uris);
}

void ApplicationAdaptor::ActivateAction(const QString& /*action_name*/,
                                        const QVariantList& /*parameter*/,
                                        const QVariantMap& /*platform_data*/)
{
}

} // namespace orvane
