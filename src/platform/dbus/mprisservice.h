#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace orvane {

class TransportButtons;
class ObservedMediaControl;

// The player over MPRIS 2 (the root and Player interfaces, no track list), so that media
// keys, sound menus and playerctl drive it: the transport requests press the window's own
// buttons, and every change of status or track is announced as it happens.
class MprisService : public QObject
{
    Q_OBJECT
public:
    using OpenFiles = std::function<void(const std::vector<std::string>&)>;
    // The short name the window shows for the file at a path.
    using TitleOf = std::function<std::string(const std::string& path)>;

    // Publishes at /org/mpris/MediaPlayer2 as org.mpris.MediaPlayer2.orvane when `primary`,
    // else (a second player in the session) with ".instance<pid>" added.
    MprisService(QDBusConnection bus, bool primary, QWidget& window, ObservedMediaControl& media,
                 TransportButtons& buttons, OpenFiles open, TitleOf title);
    ~MprisService() override;

    // "Playing", "Paused" or "Stopped".
    QString playbackStatus() const;
    // The open file: track id, title (its short name), URI and length; the "no track" id alone
    // when nothing is open.
    QVariantMap metadata() const;
    // Position in the open file in microseconds.
    qlonglong position() const;

    void raise();
    // Unloads the window, as its Exit does, once the request has been answered.
    void quit();
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void openUri(const QString& uri);

private:
    // A new file open is a new track (the same file opened again is not).
    void noteTrack();
    void mediaChanged();
    void announceChanges();

    QDBusConnection m_bus;
    QString m_serviceName;
    QWidget& m_window;
    ObservedMediaControl& m_media;
    int m_listener = 0;
    TransportButtons& m_buttons;
    OpenFiles m_open;
    TitleOf m_title;
    std::string m_trackFile;
    unsigned m_trackNumber = 0;
    bool m_announcing = false;
    QString m_announcedStatus;
    QVariantMap m_announcedMetadata;
};

} // namespace orvane
