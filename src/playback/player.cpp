#include "playback/player.h"

#include "model/formmodel.h"
#include "playback/trackopener.h"

#include <cmath>
#include <string>

namespace orvane {

namespace {

constexpr std::int16_t kUpdateInterval = 1000;

} // namespace

std::string lengthText(std::int32_t seconds)
{
    // Minutes get 32 bits: a 16-bit count would overflow on lengths past 546 hours, which a
    // corrupt header can claim.
    const auto minutes = static_cast<std::int32_t>(std::floor(seconds / 60.0));
    const auto rest = static_cast<std::int32_t>(seconds % 60);
    // A non-negative number is written with a blank where its sign would stand.
    const std::string minutesText = (minutes >= 0 ? " " : "") + std::to_string(minutes);
    const std::string restText = "0" + std::to_string(rest);
    return minutesText + ":" + restText.substr(restText.size() - 2);
}

Player::Player(FormModel& form, MediaControl& media) : m_form(form), m_media(media) {}

void Player::PlayQueueHead()
{
    ListModel& queue = m_form.lstMusicQ;
    if (queue.count() <= 0)
        return;
    const std::string path = queue.item(0);
    OpenMusicFile(m_media, path);
    m_form.txtPlaying.setText(FileNameOnly(path));
    m_media.setTimeFormat(0);
    const std::int32_t milliseconds = m_media.length();
    m_trackSeconds = static_cast<std::int32_t>(std::floor(milliseconds / 1000.0));
    m_form.txtLength.setText(lengthText(m_trackSeconds));
    GaugeModel& gauge = m_form.Gauge1;
    gauge.setMinimum(0);
    gauge.setMaximum(m_trackSeconds > 0 ? m_trackSeconds : 1);
    m_media.setUpdateInterval(kUpdateInterval);
    m_media.setCommand("play");
}

void Player::NextInQueue()
{
    ListModel& queue = m_form.lstMusicQ;
    if (queue.count() > 0) {
        queue.removeItem(0);
        PlayQueueHead();
    }
    if (queue.count() < 1) {
        m_form.txtPlaying.setText("");
        m_form.txtLength.setText("");
        m_form.Gauge1.setValue(0);
        m_media.setUpdateInterval(0);
        m_media.setCommand("Close");
        m_media.setFlag(MediaFlag::Flag14, false);
    }
}

void Player::play_Click()
{
    PlayQueueHead();
}

void Player::MMControl1_Done(int /*NotifyCode*/)
{
    if (m_media.doneResult() == 1)
        NextInQueue();
}

void Player::MMControl1_StatusUpdate()
{
    const std::int32_t milliseconds = m_media.position();
    m_form.Gauge1.setValue(std::floor(milliseconds / 1000.0));
}

void Player::MMControl1_PlayClick(bool& Cancel)
{
    PlayQueueHead();
    Cancel = true;
}

void Player::MMControl1_NextClick(bool& Cancel)
{
    NextInQueue();
    Cancel = true;
}

void Player::MMControl1_PauseClick(bool& /*Cancel*/)
{
    // The update interval doubles as the pause state: the gauge stands still while paused.
    m_media.setUpdateInterval(m_media.updateInterval() == 0 ? kUpdateInterval : 0);
}

void Player::MMControl1_StopClick(bool& /*Cancel*/)
{
    m_media.setUpdateInterval(0);
    m_form.Gauge1.setValue(0);
    if (m_form.lstMusicQ.count() == 0) {
        m_form.txtPlaying.setText("");
        m_form.txtLength.setText("");
        m_media.setCommand("Close");
    }
}

} // namespace orvane
