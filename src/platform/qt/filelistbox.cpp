#include "platform/qt/filelistbox.h"

#include "platform/listcontrol.h"
#include "platform/mainwindowevents.h"
#include "platform/posix/folderlisting.h"
#include "platform/qt/stringlistmodel.h"

#include <QKeyEvent>

namespace orvane {

FileListBox::FileListBox(QWidget* parent) : TextListView(parent) {}

void FileListBox::setPath(const std::string& path)
{
    m_path = path;
    reread();
}

void FileListBox::setPattern(const std::string& pattern)
{
    m_pattern = pattern;
    reread();
}

void FileListBox::reread()
{
    // Resetting the model also leaves no name selected.
    lines().assign(m_path.empty() ? std::vector<std::string>()
                                  : listMatchingFiles(m_path, m_pattern, kMaxListEntries));
}

int FileListBox::count() const
{
    return lines().size();
}

std::string FileListBox::name(int index) const
{
    return lines().at(index);
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    // The key is reported first and then handled by the list as usual: it is not swallowed.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit keyPressed(kEnterKeyAscii);
    else if (!event->text().isEmpty())
        emit keyPressed(event->text().at(0).unicode());
    QListView::keyPressEvent(event);
}

} // namespace orvane
