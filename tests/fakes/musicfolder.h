#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

namespace orvane {

// A temporary folder holding empty files with the given names.
class MusicFolder
{
public:
    explicit MusicFolder(std::initializer_list<const char*> names = {})
    {
        for (const char* name : names)
            add(name);
    }

    void add(const QString& name)
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
    }

    std::string path() const { return m_dir.path().toStdString(); }
    std::string entry(const char* name) const { return path() + "/" + name; }

private:
    QTemporaryDir m_dir;
};

} // namespace orvane
