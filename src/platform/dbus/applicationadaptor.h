#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>
#include <QVariantMap>

namespace orvane {

class SessionPlayer;

// org.freedesktop.Application on the player's object: how a desktop, a file manager or a later
// launch of the program opens files in the running player.
class ApplicationAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(SessionPlayer& player);

public slots:
    // Shows the window.
    void Activate(const QVariantMap& platform_data);
    // Queues the files and folders of `uris` and shows the window.
    void Open(const QStringList& uris, const QVariantMap& platform_data);
    // The player has no actions: nothing.
    void ActivateAction(const QString& action_name, const QVariantList& parameter,
                        const QVariantMap& platform_data);

private:
    SessionPlayer& m_player;
};

} // namespace orvane
