#pragma once

namespace orvane {

class MainWindowView;
class ProgramLauncher;

// Starts the platform's volume mixer when the volume picture is clicked.
class VolumeMixer
{
public:
    VolumeMixer(MainWindowView& window, ProgramLauncher& launcher);

    // Starts the first mixer program that can be started; a note by the picture says so
    // when none can.
    void imgVolume_Click();

private:
    MainWindowView& m_window;
    ProgramLauncher& m_launcher;
};

} // namespace orvane
