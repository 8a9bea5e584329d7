#include "platform/qt/drivecombobox.h"

#include "platform/qt/flatlook.h"
#include "platform/volumes.h"

namespace orvane {

DriveComboBox::DriveComboBox(const Volumes& volumes, QWidget* parent)
    : QComboBox(parent), m_volumes(volumes)
{
    refresh();
    makeFlat(*this);
    // `activated` comes from the user only; the program's own choices go through setDrive().
    connect(this, &QComboBox::activated, this,
            [this](int index) { choose(itemData(index).toByteArray().toStdString()); });
}

void DriveComboBox::setDrive(const std::string& path)
{
    choose(m_volumes.driveOf(path));
}

void DriveComboBox::refresh()
{
    clear();
    for (const std::string& drive : m_volumes.drives())
        addItem(QString::fromStdString(drive), QByteArray::fromStdString(drive));
    // A drive no longer offered leaves nothing chosen until the browser chooses again.
    setCurrentIndex(findData(QByteArray::fromStdString(m_drive)));
}

void DriveComboBox::choose(const std::string& drive)
{
    if (drive == m_drive)
        return;
    m_drive = drive;
    const QByteArray key = QByteArray::fromStdString(drive);
    int index = findData(key);
    if (index < 0) {
        addItem(QString::fromStdString(drive), key);
        index = count() - 1;
    }
    setCurrentIndex(index);
    emit changed();
}

} // namespace orvane
