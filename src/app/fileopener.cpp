#include "app/fileopener.h"

#include "app/addbackslash.h"
#include "app/launcharguments.h"
#include "browser/browser.h"
#include "platform/filelistcontrol.h"
#include "platform/folderlisting.h"
#include "platform/listcontrol.h"
#include "platform/mainwindowview.h"
#include "platform/mediacontrol.h"
#include "playback/player.h"

#include <algorithm>
#include <filesystem>

namespace orvane {

FileOpener::FileOpener(MainWindowView& window, Browser& browser, Player& player)
    : m_window(window), m_browser(browser), m_player(player)
{
}

std::vector<std::string> FileOpener::entriesFor(const std::vector<std::string>& paths, int room)
{
    std::vector<std::string> entries;
    for (const std::string& path : paths) {
        const NamedPath kind = classifyPath(path);
        if (kind == NamedPath::Music)
            entries.push_back(path);
        if (kind != NamedPath::Folder)
            continue;
        for (const std::string& name :
             listMatchingFiles(path, m_window.File1().pattern(), kMaxListEntries))
            entries.push_back(AddBackslash(path) + name);
    }
    if (static_cast<int>(entries.size()) > room) {
        entries.resize(static_cast<std::size_t>(std::max(room, 0)));
        m_window.beep();
    }
    return entries;
}

void FileOpener::queueAtStart(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    const std::string& first = paths.front();
    m_browser.show(classifyPath(first) == NamedPath::Folder
                       ? first
                       : std::filesystem::path(first).parent_path().string());
    ListControl& queue = m_window.lstMusicQ();
    for (std::string& entry : entriesFor(paths, kMaxListEntries - queue.count()))
        queue.addItem(entry);
}

void FileOpener::openFromLaunch(const std::vector<std::string>& paths)
{
    ListControl& queue = m_window.lstMusicQ();
    const std::vector<std::string> entries = entriesFor(paths, kMaxListEntries - queue.count());
    if (entries.empty())
        return;
    if (m_window.MMControl1().mode() == MediaMode::Playing) {
        for (const std::string& entry : entries)
            queue.addItem(entry);
        return;
    }
    // Playback always takes the head: the new entries go ahead of those waiting, which follow
    // them in their order.
    std::vector<std::string> waiting;
    while (queue.count() > 0) {
        waiting.push_back(queue.item(0));
        queue.removeItem(0);
    }
    for (const std::string& entry : entries)
        queue.addItem(entry);
    for (const std::string& entry : waiting)
        queue.addItem(entry);
    m_player.PlayQueueHead();
}

} // namespace orvane
