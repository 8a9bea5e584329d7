#pragma once

#include <string>

namespace orvane {

class MainWindowView;
class Player;
class QueueBuilder;

// Carries out the switches found anywhere in `arguments` (case ignored), each once, in this
// order: "/wav" and "/mid" choose the file type, "/r" randomises, "/q" queues all, "/p"
// plays and "/m" minimises.
void applyCommandLineSwitches(const std::string& arguments, MainWindowView& window,
                              QueueBuilder& queue, Player& player);

} // namespace orvane
