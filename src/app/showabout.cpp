#include "app/showabout.h"

#include "app/aboutform.h"
#include "platform/aboutview.h"

#include <memory>

namespace orvane {

void ShowAbout(AboutWindowFactory& windows)
{
    const std::unique_ptr<AboutView> window = windows.load();
    AboutForm form(*window);
    window->setCommand1Click([&form] { form.Command1_Click(); });
    form.Form_Load();
    window->showMainWindowIcon();
    window->showModal();
    // The handler must not outlive the form it calls.
    window->setCommand1Click(nullptr);
}

} // namespace orvane
