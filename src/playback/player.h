#pragma once

#include "platform/mediacontrol.h"

#include <cstdint>
#include <string>

namespace orvane {

struct FormModel;

// Plays the queue from its head, one entry after another, and shows what plays.
class Player : public MediaControlEvents
{
public:
    Player(FormModel& form, MediaControl& media);

    // Starts the head of the queue from its beginning; nothing when the queue is empty.
    void PlayQueueHead();
    // Drops the head and plays the next entry; with none left, resets the display and
    // closes the device.
    void NextInQueue();

    void play_Click();

    void MMControl1_Done(int NotifyCode) override;
    void MMControl1_StatusUpdate() override;
    void MMControl1_PlayClick(bool& Cancel) override;
    void MMControl1_PauseClick(bool& Cancel) override;
    void MMControl1_StopClick(bool& Cancel) override;
    void MMControl1_NextClick(bool& Cancel) override;

private:
    FormModel& m_form;
    MediaControl& m_media;
    std::int32_t m_trackSeconds = 0;
};

// The length text shown for `seconds`: minutes with a leading blank, ':', two-digit rest.
std::string lengthText(std::int32_t seconds);

} // namespace orvane
