#include "platform/qt/drivecombobox.h"

#include "model/drivelistmodel.h"
#include "platform/qt/flatlook.h"

#include <QSignalBlocker>

namespace orvane {

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent)
{
    makeFlat(*this);
    // `activated` comes from the user only.
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit picked(itemData(index).toByteArray()); });
}

DriveComboBox::~DriveComboBox()
{
    if (m_model)
        m_model->setObserver({});
}

void DriveComboBox::bind(DriveListModel* model)
{
    if (m_model)
        m_model->setObserver({});
    m_model = model;
    if (m_model)
        m_model->setObserver([this] { rebuild(); });
    rebuild();
}

void DriveComboBox::rebuild()
{
    const QSignalBlocker quiet(this);
    clear();
    if (!m_model)
        return;
    for (const std::string& drive : m_model->drives())
        addItem(QString::fromStdString(drive), QByteArray::fromStdString(drive));
    // A drive no longer offered leaves nothing chosen until the browser chooses again.
    setCurrentIndex(m_model->driveIndex());
}

} // namespace orvane
