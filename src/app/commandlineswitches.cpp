#include "app/commandlineswitches.h"

#include "app/fileopener.h"
#include "platform/combocontrol.h"
#include "platform/mainwindowview.h"
#include "playback/player.h"
#include "queue/queuebuilder.h"

#include <algorithm>
#include <cctype>

namespace orvane {

void applyCommandLineSwitches(const std::string& arguments, const std::vector<std::string>& paths,
                              MainWindowView& window, QueueBuilder& queue, Player& player,
                              FileOpener& opener)
{
    std::string lowered = arguments;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
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
