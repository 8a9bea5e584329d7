#pragma once

#include "model/drivelistmodel.h"
#include "platform/qt/modelbinding.h"

#include <QComboBox>

namespace orvane {

// The drive list: the mount points offered, the chosen one shown.
class DriveComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    // Shows `model` from now on; null shows nothing.
    void bind(DriveListModel* model) { m_model.bind(model); }

signals:
    // The user chose `drive` (bytes of a mount point, not always UTF-8).
    void picked(const QByteArray& drive);

private:
    void rebuild();

    ModelBinding<DriveListModel> m_model;
};

} // namespace orvane
