#include "app/commandlineswitches.h"

#include "app/fileopener.h"
#include "platform/combocontrol.h"
#include "platform/mainwindowview.h"
#include "playback/player.h"
#include "queue/queuebuilder.h"
#include "text/lowercase.h"

namespace orvane {

void applyCommandLineSwitches(const std::string& arguments, const std::vector<std::string>& paths,
                              MainWindowView& window, QueueBuilder& queue, Player& player,
                              FileOpener& opener)
{
    const std::string lowered = lowerCase(arguments);
    const auto has = [&lowered](const char* text) {
        return lowered.find(text) != std::string::npos;
    };
    if (has("/wav"))
        window.cboFileType().setSelectedIndex(2);
    if (has("/mid"))
        window.cboFileType().setSelectedIndex(1);
    opener.queueAtStart(paths);
    if (has("/r"))
        queue.cmdRnd_Click();
    if (has("/q"))
        queue.cmdQAll_Click();
    if (has("/p") || !paths.empty())
        player.PlayQueueHead();
    if (has("/m"))
        window.setWindowState(MainWindowView::WindowState::Minimized);
}

} // namespace orvane
