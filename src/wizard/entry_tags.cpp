#include "wizard/entry_tags.h"

#include "platform/paths.h"

namespace zel {

bool SplitLeadingTag(const std::string& field, std::string& tag, std::string& rest) {
  const size_t close = field.find('>');
  if (close == std::string::npos) {
    tag.clear();
    rest = field;
    return false;
  }
  tag = UpperCase(std::string_view(field).substr(0, close + 1));
  rest = field.substr(close + 1);
  return true;
}

}  // namespace zel
