#pragma once

#include "platform/audio/audiomediacontrol.h"
#include "platform/qt/qteventloop.h"

#include <QElapsedTimer>
#include <atomic>
#include <cmath>
#include <string>
#include <vector>

namespace orvane::testing {

// What became of one file played from Open to its end.
struct Playback
{
    bool opened = false;
    std::int32_t length = 0;  // ms, as the control tells after Open
    std::vector<int> done;    // the result of every Done
    long long loudFrames = 0; // output frames that were not silence
};

// The real media control on its silent sink, driven through the MediaControl interface only.
class ControlRig : public MediaControlEvents
{
public:
    ControlRig() : m_control(m_loop, silentOptions(), loudFrameCounter(m_loudFrames))
    {
        m_control.setEvents(this);
    }

    // Opens `path` on `device` and, when it opens, plays it until Done comes.
    Playback play(const std::string& device, const std::string& path)
    {
        Playback playback;
        m_done.clear();
        m_loudFrames = 0;
        m_control.setCommand("Close");
        m_control.setDeviceType(device);
        m_control.setFileName(path);
        m_control.setTimeFormat(0);
        m_control.setCommand("Open");
        playback.opened = m_control.mode() != MediaMode::NotOpen;
        playback.length = m_control.length();
        if (playback.opened) {
            m_control.setCommand("play");
            QElapsedTimer clock; // a guard against a Done that never comes, not a measure
            clock.start();
            while (m_done.empty() && clock.elapsed() < playback.length + 20000)
                m_loop.runFor(5);
            // Done comes once the end is rendered; what was rendered ahead still plays out, and
            // a second Done would show.
            for (long long heard = -1; heard != m_loudFrames && clock.elapsed() < 30000;) {
                heard = m_loudFrames;
                m_loop.runFor(250);
            }
        }
        playback.done = m_done;
        playback.loudFrames = m_loudFrames;
        m_control.setCommand("Close");
        return playback;
    }

    void MMControl1_Done(int) override { m_done.push_back(m_control.doneResult()); }
    void MMControl1_StatusUpdate() override {}
    void MMControl1_PlayClick(bool&) override {}
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool&) override {}

private:
    static AudioMediaControlOptions silentOptions()
    {
        AudioMediaControlOptions options;
        options.output = AudioMediaControlOptions::Output::Silent;
        return options;
    }

    static OutputTap loudFrameCounter(std::atomic<long long>& loudFrames)
    {
        return [&loudFrames](const float* samples, std::size_t frames) {
            long long loud = 0;
            for (std::size_t i = 0; i < frames * 2; i += 2)
                loud += std::fabs(samples[i]) > 1e-4f ? 1 : 0;
            loudFrames += loud;
        };
    }

    QtEventLoop m_loop;
    std::atomic<long long> m_loudFrames{0};
    std::vector<int> m_done;
    AudioMediaControl m_control;
};

} // namespace orvane::testing
