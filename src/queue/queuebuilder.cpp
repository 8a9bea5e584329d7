#include "queue/queuebuilder.h"

#include "model/formmodel.h"
#include "platform/mainwindowevents.h"
#include "platform/mainwindowview.h"
#include "playback/player.h"
#include "playback/trackopener.h"
#include "queue/addbackslash.h"
#include "queue/randomsource.h"
#include "queue/waitseconds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvane {

namespace {

constexpr float kRemovalWaitSeconds = 0.3f;

} // namespace

QueueBuilder::QueueBuilder(FormModel& form, MainWindowView& window, MediaControl& media,
                           Player& player, RandomSource& random, EventLoop& loop)
    : m_form(form), m_window(window), m_media(media), m_player(player), m_random(random),
      m_loop(loop)
{
}

bool QueueBuilder::hasRoomFor(int entries)
{
    if (m_form.lstMusicQ.count() + entries <= kMaxListEntries)
        return true;
    m_window.beep();
    return false;
}

std::string QueueBuilder::folderPrefix() const
{
    return AddBackslash(m_form.Dir1.path());
}

void QueueBuilder::cmdQAll_Click()
{
    const FileListModel& files = m_form.File1;
    const int fileCount = files.count();
    if (fileCount == 0 || !hasRoomFor(fileCount))
        return;
    ListModel& queue = m_form.lstMusicQ;
    const std::string prefix = folderPrefix();
    const auto lastIndex = static_cast<std::int16_t>(fileCount - 1);
    for (std::int16_t fileIndex = 0; fileIndex <= lastIndex; ++fileIndex) {
        queue.addItem(prefix + files.item(fileIndex));
        ExpectMusicFile(m_media, queue.item(queue.count() - 1));
    }
    OpenMusicFile(m_media, queue.item(0));
}

void QueueBuilder::cmdRnd_Click()
{
    const FileListModel& files = m_form.File1;
    const int fileCount = files.count();
    if (fileCount == 0 || !hasRoomFor(fileCount))
        return;
    ScratchList& scratch = m_scratch;
    ListModel& queue = m_form.lstMusicQ;
    const std::string prefix = folderPrefix();
    const auto lastIndex = static_cast<std::int16_t>(fileCount - 1);
    for (std::int16_t fileIndex = 0; fileIndex <= lastIndex; ++fileIndex)
        scratch.addItem(files.item(fileIndex));
    for (std::int16_t remaining = lastIndex; remaining >= 0; --remaining) {
        const float r = m_random.next();
        const double draw = static_cast<double>(static_cast<float>(remaining + 1)) * r + 1.0;
        const auto pick = static_cast<std::int16_t>(std::floor(draw));
        queue.addItem(prefix + scratch.item(pick - 1));
        ExpectMusicFile(m_media, queue.item(queue.count() - 1));
        scratch.removeItem(pick - 1);
    }
    OpenMusicFile(m_media, queue.item(0));
}

void QueueBuilder::cmdClear_Click()
{
    ListModel& queue = m_form.lstMusicQ;
    const int count = queue.count();
    for (int fileIndex = 0; fileIndex < count; ++fileIndex)
        queue.removeItem(0);
    m_player.NextInQueue();
}

void QueueBuilder::File1_DblClick()
{
    const FileListModel& files = m_form.File1;
    // With no file selected the entry would be a bare folder, which nothing can play; and an
    // add that adds nothing must not reopen the one entry that may be playing.
    if (files.count() == 0 || files.selectedIndex() < 0 || !hasRoomFor(1))
        return;
    ListModel& queue = m_form.lstMusicQ;
    queue.addItem(folderPrefix() + files.selectedItem());
    ExpectMusicFile(m_media, queue.item(queue.count() - 1));
    if (queue.count() == 1)
        OpenMusicFile(m_media, queue.item(0));
}

void QueueBuilder::File1_KeyPress(int KeyAscii)
{
    if (KeyAscii == kEnterKeyAscii)
        File1_DblClick();
}

void QueueBuilder::lstMusicQ_KeyDown(int KeyCode)
{
    if (KeyCode != kDeleteKeyCode)
        return;
    const int removed = removeSelectedAfterWait();
    ListModel& queue = m_form.lstMusicQ;
    if (removed >= 0 && queue.count() > 0)
        queue.setSelectedIndex(std::min(removed, queue.count() - 1));
}

void QueueBuilder::lstMusicQ_DblClick()
{
    removeSelectedAfterWait();
}

int QueueBuilder::removeSelectedAfterWait()
{
    ListModel& queue = m_form.lstMusicQ;
    int removed = -1;
    if (queue.count() > 0) {
        WaitSeconds(m_loop, kRemovalWaitSeconds);
        // The window may have closed during the wait: then nothing more of this runs.
        if (m_form.unloaded)
            return -1;
        // The selection may have changed while the window handled events during the wait.
        const int selected = queue.selectedIndex();
        if (selected >= 0 && selected < queue.count()) {
            queue.removeItem(selected);
            removed = selected;
        }
    }
    if (queue.count() == 0)
        m_player.NextInQueue();
    return removed;
}

} // namespace orvane
