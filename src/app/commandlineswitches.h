#pragma once

#include <string>
#include <vector>

namespace orvane {

class Browser;
class FileOpener;
class MainWindowView;
class Player;
class QueueBuilder;

// Carries out the switches found anywhere in `arguments` (case ignored), each once, in this
// order: "/wav" and "/mid" choose the file type, "/r" randomises, "/q" queues all, "/p"
// plays and "/m" minimises. Named `paths` are queued after the file type is chosen and
// before "/r", and then the head plays as with "/p".
void applyCommandLineSwitches(const std::string& arguments, const std::vector<std::string>& paths,
                              MainWindowView& window, Browser& browser, QueueBuilder& queue,
                              Player& player, FileOpener& opener);

} // namespace orvane
