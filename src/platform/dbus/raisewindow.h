#pragma once

class QWidget;

namespace orvane {

// Shows `window` in front of the others: restored if minimised, raised and activated.
void raiseWindow(QWidget& window);

} // namespace orvane
