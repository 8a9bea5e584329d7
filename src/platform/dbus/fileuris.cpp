#include "platform/dbus/fileuris.h"

#include <QByteArray>

namespace orvane {

QString fileUri(const std::string& path)
{
    return QStringLiteral("file://") +
           QString::fromLatin1(QByteArray::fromStdString(path).toPercentEncoding("/"));
}

std::string pathOfFileUri(const QString& uri)
{
    QByteArray text = uri.toUtf8();
    if (text.startsWith('/'))
        return text.toStdString();
    for (const char* prefix : {"file://localhost/", "file:///"}) {
        const QByteArray start(prefix);
        if (text.startsWith(start)) {
            // Keep the path's own leading "/".
            text.remove(0, start.size() - 1);
            return QByteArray::fromPercentEncoding(text).toStdString();
        }
    }
    return {};
}

} // namespace orvane
