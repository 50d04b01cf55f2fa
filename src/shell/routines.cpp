#include "shell/routines.h"

namespace zel {

void SplitAtChar(std::string& text, char delimiter, std::string& head) {
  const size_t at = text.find(delimiter);
  if (at == std::string::npos) {
    head = text;
    return;
  }
  head = text.substr(0, at);
  text.erase(0, at + 1);
}

}  // namespace zel
