#pragma once

#include "app/mainform.h"
#include "fakes/fakeplatform.h"
#include "fakes/fakeview.h"
#include "fakes/manualloop.h"
#include "fakes/pulleddevice.h"
#include "platform/media/enginemediacontrol.h"

#include <QString>
#include <cmath>
#include <memory>

namespace orvane {

// The whole logic over the real media control and engine, with fakes only at the edges: the
// window's own acts, the system, the drives, the random draws, and a sound device that the
// test's loop pulls, so that what is played, and when, is the test's to hear. Files are real
// ones in temporary folders.
struct PlayerRig
{
    PlayerRig()
        : device(std::make_shared<PulledDevice>(loop)), media(loop, device, engineOptions(loop)),
          form(view, Services{system, files, volumes, loop, random, about, launcher, media, help})
    {
        media.setNoteHandler([this](const std::string& text) { notes.push_back(text); });
    }

    static EngineOptions engineOptions(ManualLoop& loop)
    {
        EngineOptions options;
        options.threads = EngineOptions::Threads::Inline;
        options.clock = loop.clock();
        return options;
    }

    FormModel& model() { return form.model(); }
    // What the device played from its first period on, as runs of one level with their
    // lengths in milliseconds: "0.25 x 1000 ms, 0 x 75 ms".
    QString heard() const
    {
        QString runs;
        const std::vector<float>& frames = device->heard;
        for (std::size_t start = 0; start < frames.size();) {
            std::size_t end = start;
            while (end < frames.size() && frames[end] == frames[start])
                ++end;
            runs += QStringLiteral("%1%2 x %3 ms")
                        .arg(runs.isEmpty() ? "" : ", ")
                        .arg(double(frames[start]), 0, 'g', 3)
                        .arg(double(end - start) / 48.0);
            start = end;
        }
        return runs;
    }

    ManualLoop loop;
    std::shared_ptr<PulledDevice> device;
    EngineMediaControl media;
    FakeSystemInfo system;
    FakeFileSystem files;
    FakeVolumes volumes;
    FakeRandom random;
    FakeAboutWindowFactory about;
    FakeLauncher launcher;
    FakeHelpViewer help;
    FakeView view;
    MainForm form;
    std::vector<std::string> notes; // what the sound's notes told the user
};

} // namespace orvane
