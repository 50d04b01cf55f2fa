#include <sched.h>

#include "platform/messages.h"

namespace zel {

void ProcessMessages() {}
void YieldTimeSlice() { ::sched_yield(); }

}  // namespace zel
