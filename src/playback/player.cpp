#include "playback/player.h"

#include "platform/gaugecontrol.h"
#include "platform/listcontrol.h"
#include "platform/mainwindowview.h"
#include "platform/textcontrol.h"
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

Player::Player(MainWindowView& window) : m_window(window) {}

void Player::PlayQueueHead()
{
    ListControl& queue = m_window.lstMusicQ();
    if (queue.count() <= 0)
        return;
    const std::string path = queue.item(0);
    MediaControl& control = m_window.MMControl1();
    OpenMusicFile(control, path);
    m_window.txtPlaying().setText(FileNameOnly(path));
    control.setTimeFormat(0);
    const std::int32_t milliseconds = control.length();
    m_trackSeconds = static_cast<std::int32_t>(std::floor(milliseconds / 1000.0));
    m_window.txtLength().setText(lengthText(m_trackSeconds));
    GaugeControl& gauge = m_window.Gauge1();
    gauge.setMinimum(0);
    gauge.setMaximum(m_trackSeconds > 0 ? m_trackSeconds : 1);
    control.setUpdateInterval(kUpdateInterval);
    control.setCommand("play");
}

void Player::NextInQueue()
{
    ListControl& queue = m_window.lstMusicQ();
    if (queue.count() > 0) {
        queue.removeItem(0);
        PlayQueueHead();
    }
    if (queue.count() < 1) {
        m_window.txtPlaying().setText("");
        m_window.txtLength().setText("");
        m_window.Gauge1().setValue(0);
        MediaControl& control = m_window.MMControl1();
        control.setUpdateInterval(0);
        control.setCommand("Close");
        control.setFlag(MediaFlag::Flag14, false);
    }
}

void Player::play_Click()
{
    PlayQueueHead();
}

void Player::MMControl1_Done(int /*NotifyCode*/)
{
    if (m_window.MMControl1().doneResult() == 1)
        NextInQueue();
}

void Player::MMControl1_StatusUpdate()
{
    const std::int32_t milliseconds = m_window.MMControl1().position();
    m_window.Gauge1().setValue(std::floor(milliseconds / 1000.0));
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
    MediaControl& control = m_window.MMControl1();
    control.setUpdateInterval(control.updateInterval() == 0 ? kUpdateInterval : 0);
}

void Player::MMControl1_StopClick(bool& /*Cancel*/)
{
    MediaControl& control = m_window.MMControl1();
    control.setUpdateInterval(0);
    m_window.Gauge1().setValue(0);
    if (m_window.lstMusicQ().count() == 0) {
        m_window.txtPlaying().setText("");
        m_window.txtLength().setText("");
        control.setCommand("Close");
    }
}

} // namespace orvane
