#pragma once

#include "platform/drivelistcontrol.h"

#include <QComboBox>

namespace orvane {

class Volumes;

// The drive list: the mount points the volumes offer.
class DriveComboBox : public QComboBox, public DriveListControl
{
    Q_OBJECT
public:
    explicit DriveComboBox(const Volumes& volumes, QWidget* parent = nullptr);

    std::string drive() const override { return m_drive; }
    void setDrive(const std::string& path) override;
    void refresh() override;

signals:
    // The drive changed, by the user's choice or by setDrive().
    void changed();

private:
    void choose(const std::string& drive);

    const Volumes& m_volumes;
    std::string m_drive;
};

} // namespace orvane
