#include "platform/qt/drivecombobox.h"

#include "platform/qt/flatlook.h"

#include <QSignalBlocker>

namespace orvane {

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent), m_model([this] { rebuild(); })
{
    makeFlat(*this);
    // `activated` comes from the user only.
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit picked(itemData(index).toByteArray()); });
}

void DriveComboBox::rebuild()
{
    const QSignalBlocker quiet(this);
    clear();
    const DriveListModel* model = m_model.get();
    if (!model)
        return;
    for (const std::string& drive : model->drives())
        addItem(QString::fromStdString(drive), QByteArray::fromStdString(drive));
    // A drive no longer offered leaves nothing chosen until the browser chooses again.
    setCurrentIndex(model->driveIndex());
}

} // namespace orvane
