// Cutting entry values into fields.
#pragma once

#include <string>

namespace zel {

// Takes the first field off the front of text: head receives the characters
// before the first delimiter and text keeps those after it. Without a
// delimiter head is the whole text and text stays unchanged, so repeated calls
// yield the last field again and again.
void SplitAtChar(std::string& text, char delimiter, std::string& head);

}  // namespace zel
