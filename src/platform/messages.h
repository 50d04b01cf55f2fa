// Letting the user interface breathe during long work.
#pragma once

namespace zel {

// Runs pending window messages (nothing in the native build).
void ProcessMessages();
// Gives up the rest of the time slice (Sleep(0)).
void YieldTimeSlice();

}  // namespace zel
