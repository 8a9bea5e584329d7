#include "platform/qt/qtprogramlauncher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace orvane {

bool QtProgramLauncher::startDetached(const std::string& program,
                                      const std::vector<std::string>& arguments)
{
    const QString executable = QStandardPaths::findExecutable(QString::fromStdString(program));
    if (executable.isEmpty())
        return false;
    QStringList list;
    list.reserve(static_cast<qsizetype>(arguments.size()));
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(executable, list);
}

} // namespace orvane
