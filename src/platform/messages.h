// Letting the user interface breathe during long work.
#pragma once

namespace zel {

// Runs pending window messages (nothing in the native build).
void ProcessMessages();

// Runs the window's message pump when messages are waiting for it (input,
// painting, timers, posted or sent messages), looking at most about every
// 10 ms; otherwise returns at once. Long work calls it between blocks: the
// window stays responsive (the user can move it or abort), and no processor
// time is given away while nothing is waiting, however busy the machine is.
// A program without a window never has anything waiting; in the native
// build it does nothing.
void PumpWaitingMessages();

}  // namespace zel
