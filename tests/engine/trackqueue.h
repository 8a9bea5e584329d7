#pragma once

#include "platform/mediacontrol.h"

#include <string>
#include <vector>

namespace orvane::testing {

// Plays files one after another as the playback logic does: the next is opened and played from
// the Done of the one before. ".wav" files on "WaveAudio", the rest on "Sequencer".
class TrackQueue : public MediaControlEvents
{
public:
    explicit TrackQueue(MediaControl& control) : m_control(control) { control.setEvents(this); }

    void play(std::vector<std::string> files)
    {
        m_files = std::move(files);
        m_next = 0;
        playNext();
    }
    bool finished() const { return m_next > m_files.size(); }

    void MMControl1_Done(int) override { playNext(); }
    void MMControl1_StatusUpdate() override {}
    void MMControl1_PlayClick(bool&) override {}
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool&) override {}

private:
    void playNext()
    {
        m_control.setCommand("Close");
        if (m_next < m_files.size()) {
            const std::string& file = m_files[m_next];
            m_control.setDeviceType(file.ends_with(".wav") ? "WaveAudio" : "Sequencer");
            m_control.setFileName(file);
            m_control.setCommand("Open");
            m_control.setCommand("play");
        }
        ++m_next;
    }

    MediaControl& m_control;
    std::vector<std::string> m_files;
    std::size_t m_next = 0;
};

} // namespace orvane::testing
