#include "app/commandlineswitches.h"

#include "app/fileopener.h"
#include "browser/browser.h"
#include "platform/mainwindowview.h"
#include "playback/player.h"
#include "queue/queuebuilder.h"
#include "text/lowercase.h"

namespace orvane {

void applyCommandLineSwitches(const std::string& arguments, const std::vector<std::string>& paths,
                              MainWindowView& window, Browser& browser, QueueBuilder& queue,
                              Player& player, FileOpener& opener)
{
    const std::string lowered = lowerCase(arguments);
    const auto has = [&lowered](const char* text) {
        return lowered.find(text) != std::string::npos;
    };
    if (has("/wav"))
        browser.setFileType(2);
    if (has("/mid"))
        browser.setFileType(1);
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
