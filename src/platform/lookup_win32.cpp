#include "platform/lookup.h"

namespace zel::sys {

void* LookUpFunction(const char* dll, const char* function) { return SystemFunction(dll, function); }

}  // namespace zel::sys
