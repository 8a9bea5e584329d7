#pragma once

#include "app/mainform.h"
#include "fakes/fakewindow.h"

namespace orvane {

// A main form over a fake window and fake services, with the controls' events wired to it
// as the real window wires them.
struct FakeForm
{
    FakeForm()
        : window(volumes), form(window, Services{system, volumes, loop, random, about, launcher})
    {
        window.drive1.onChange = [this] { form.browser().Drive1_Change(); };
        window.dir1.onChange = [this] { form.browser().Dir1_Change(); };
        window.fileType.onClick = [this] { form.browser().cboFileType_Click(); };
    }

    FakeSystemInfo system;
    FakeVolumes volumes;
    FakeEventLoop loop;
    FakeRandom random;
    FakeAboutWindowFactory about;
    FakeLauncher launcher;
    FakeWindow window;
    MainForm form;
};

} // namespace orvane
