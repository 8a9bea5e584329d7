#pragma once

#include "engine/audiofixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace orvane {

// A temporary folder holding files with the given names: empty ones, or with `playable` a
// short WAV or MIDI file by the name's ending (a WAV for any other ending). A name may hold
// folders on the way, and one ending in '/' is made a folder instead.
class MusicFolder
{
public:
    explicit MusicFolder(std::initializer_list<const char*> names = {}, bool playable = false)
    {
        for (const char* name : names) {
            add(QString::fromUtf8(name));
            const QString lower = QString::fromUtf8(name).toLower();
            if (playable && (lower.endsWith(".mid") || lower.endsWith(".rmi")))
                testing::writeBytes(entry(name), testing::simpleMidi(0.3));
            else if (playable && !lower.endsWith('/'))
                testing::writeLevel(entry(name), 300, 0.25f);
        }
    }

    bool add(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        if (path.endsWith('/'))
            return QDir().mkpath(path);
        return QDir().mkpath(QFileInfo(path).path()) && QFile(path).open(QIODevice::WriteOnly);
    }

    std::string path() const { return m_dir.path().toStdString(); }
    std::string entry(const char* name) const { return path() + "/" + name; }
    std::vector<std::string> entries(std::initializer_list<const char*> names) const
    {
        std::vector<std::string> result;
        for (const char* name : names)
            result.push_back(entry(name));
        return result;
    }

private:
    QTemporaryDir m_dir;
};

} // namespace orvane
