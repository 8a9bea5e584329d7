#pragma once

#include <QComboBox>
#include <string>

namespace orvane {

class DriveListModel;

// The drive list: the mount points offered, the chosen one shown.
class DriveComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget* parent = nullptr);
    ~DriveComboBox() override;

    // Shows `model` from now on; null shows nothing.
    void bind(DriveListModel* model);

signals:
    // The user chose `drive` (bytes of a mount point, not always UTF-8).
    void picked(const QByteArray& drive);

private:
    void rebuild();

    DriveListModel* m_model = nullptr;
};

} // namespace orvane
