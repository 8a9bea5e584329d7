#pragma once

namespace orvane {

class AboutView;

// The About window's logic: it centres the window and writes its texts when it loads.
class AboutForm
{
public:
    explicit AboutForm(AboutView& window);

    // Centres the window on the screen and sets the version text and the caption.
    void Form_Load();
    // The OK button closes the window.
    void Command1_Click();

private:
    AboutView& m_window;
};

} // namespace orvane
