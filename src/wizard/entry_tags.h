// Directory tags at the front of an entry field ("<INSTALLDIR>prog.exe").
#pragma once

#include <string>

namespace zel {

// Splits field after its first ">": tag receives the text up to and including
// it, upper-cased, rest the text after it. A field without ">" has no tag:
// the result is false, tag is empty and rest is the whole field.
bool SplitLeadingTag(const std::string& field, std::string& tag, std::string& rest);

}  // namespace zel
