#include "platform/messages.h"

namespace zel {

void ProcessMessages() {}
void PumpWaitingMessages() {}

}  // namespace zel
