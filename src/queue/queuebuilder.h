#pragma once

#include "queue/scratchlist.h"

#include <string>

namespace orvane {

class EventLoop;
struct FormModel;
class MainWindowView;
class MediaControl;
class Player;
class RandomSource;

// Fills and edits the play queue: Queue All, Randomise, Clear All, add and remove one.
class QueueBuilder
{
public:
    QueueBuilder(FormModel& form, MainWindowView& window, MediaControl& media, Player& player,
                 RandomSource& random, EventLoop& loop);

    // Appends every listed file, in list order, and opens the head.
    void cmdQAll_Click();
    // Appends every listed file, in random order, and opens the head.
    void cmdRnd_Click();
    // Empties the queue and resets playback.
    void cmdClear_Click();
    // Appends the selected file; opens it when it is the queue's only entry. With no file
    // selected, changes nothing.
    void File1_DblClick();
    // Enter acts as a double-click.
    void File1_KeyPress(int KeyAscii);
    // After a short wait, removes the entry then selected; resets playback when empty.
    void lstMusicQ_DblClick();
    // Delete acts as a double-click, so the queue can be edited without a mouse; the entry that
    // moves up into the removed one's place is then selected, for the next Delete.
    void lstMusicQ_KeyDown(int KeyCode);

    void queue_Click() { cmdQAll_Click(); }
    void random_Click() { cmdRnd_Click(); }
    void clear_Click() { cmdClear_Click(); }

private:
    bool hasRoomFor(int entries);
    // The double-click's work; the index of the entry removed, or -1.
    int removeSelectedAfterWait();
    std::string folderPrefix() const;

    FormModel& m_form;
    MainWindowView& m_window;
    MediaControl& m_media;
    Player& m_player;
    RandomSource& m_random;
    EventLoop& m_loop;
    // The names Randomise has not drawn yet; empty outside it.
    ScratchList m_scratch;
};

} // namespace orvane
