#pragma once

class QWidget;

namespace vorn {

// Makes SIGTERM close `window` as its close button does, so that a session
// that ends, or `kill`, keeps the settings. Call once, after the window is
// shown; the window must outlive the event loop. A second SIGTERM ends the
// program at once.
void CloseOnTerminateSignal(QWidget& window);

} // namespace vorn
