#include "app/aboutform.h"

#include "app/programinfo.h"
#include "platform/aboutview.h"

#include <string>

namespace orvane {

AboutForm::AboutForm(AboutView& window) : m_window(window) {}

void AboutForm::Form_Load()
{
    // Single precision and no clamping: a screen smaller than the window puts it partly off
    // the screen, at negative coordinates.
    const float left =
        (static_cast<float>(m_window.screenWidth()) - static_cast<float>(m_window.width())) / 2;
    const float top =
        (static_cast<float>(m_window.screenHeight()) - static_cast<float>(m_window.height())) / 2;
    m_window.move(left, top);
    m_window.setVersionText(std::string("Version ") + kVersion);
    m_window.setCaption(std::string("About ") + kProgramTitle);
}

void AboutForm::Command1_Click()
{
    m_window.unload();
}

} // namespace orvane
