#pragma once

namespace orvane {

class AboutWindowFactory;

// Opens a new About window, centred and titled, with the main window's icon, and shows it
// modally; returns once it has been closed. Nothing is kept from one opening to the next.
void ShowAbout(AboutWindowFactory& windows);

} // namespace orvane
