#include "app/volumemixer.h"

#include "platform/mainwindowview.h"
#include "platform/programlauncher.h"

namespace orvane {

namespace {

// PulseAudio's mixer in its GTK and Qt builds, then PipeWire's.
constexpr const char* kMixers[] = {"pavucontrol", "pavucontrol-qt", "pwvucontrol"};

} // namespace

VolumeMixer::VolumeMixer(MainWindowView& window, ProgramLauncher& launcher)
    : m_window(window), m_launcher(launcher)
{
}

void VolumeMixer::imgVolume_Click()
{
    for (const char* mixer : kMixers) {
        if (m_launcher.startDetached(mixer, {}))
            return;
    }
    m_window.showVolumeNote(
        "No volume mixer found: install pavucontrol, pavucontrol-qt or pwvucontrol.");
}

} // namespace orvane
