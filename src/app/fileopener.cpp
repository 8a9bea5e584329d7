#include "app/fileopener.h"

#include "browser/browser.h"
#include "model/formmodel.h"
#include "model/pathseparator.h"
#include "platform/filesystem.h"
#include "platform/mainwindowview.h"
#include "platform/mediacontrol.h"
#include "playback/player.h"
#include "playback/trackopener.h"
#include "queue/addbackslash.h"

#include <algorithm>

namespace orvane {

namespace {

// The folder that holds the file `path`.
std::string folderOf(const std::string& path)
{
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator == std::string::npos)
        return {};
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

} // namespace

FileOpener::FileOpener(FormModel& form, MainWindowView& window, FileSystem& files,
                       MediaControl& media, Browser& browser, Player& player)
    : m_form(form), m_window(window), m_files(files), m_media(media), m_browser(browser),
      m_player(player)
{
}

std::vector<std::string> FileOpener::entriesFor(const std::vector<std::string>& paths, int room)
{
    std::vector<std::string> entries;
    for (const std::string& path : paths) {
        const PathKind kind = m_files.pathKind(path);
        if (kind == PathKind::Music)
            entries.push_back(path);
        if (kind != PathKind::Folder)
            continue;
        for (const std::string& name :
             m_files.matchingFiles(path, m_form.File1.pattern(), kMaxListEntries))
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
    m_browser.show(m_files.pathKind(first) == PathKind::Folder ? first : folderOf(first));
    ListModel& queue = m_form.lstMusicQ;
    for (std::string& entry : entriesFor(paths, kMaxListEntries - queue.count())) {
        ExpectMusicFile(m_media, entry);
        queue.addItem(entry);
    }
}

void FileOpener::openFromLaunch(const std::vector<std::string>& paths)
{
    ListModel& queue = m_form.lstMusicQ;
    const std::vector<std::string> entries = entriesFor(paths, kMaxListEntries - queue.count());
    if (entries.empty())
        return;
    for (const std::string& entry : entries)
        ExpectMusicFile(m_media, entry);
    if (m_media.mode() == MediaMode::Playing) {
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
