// A string list written inline, for test inputs.
#pragma once

#include <initializer_list>

#include "platform/string_list.h"

namespace zel::test {

inline TStringList Lines(std::initializer_list<const char*> lines) {
  TStringList list;
  for (const char* line : lines) list.Add(line);
  return list;
}

}  // namespace zel::test
