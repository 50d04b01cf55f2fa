#include "platform/paths.h"
#include "wizard/dir_tags.h"

namespace zel {

namespace {

bool IsBaseTag(const std::string& t) {
  return t == "<INSTALLDIR>" || t == "<WINDOWS>" || t == "<WINDOWS_SYSTEM>" || t == "<PROGRAMFILES>";
}

// Length of a name "<PREFIX...>" at the start of t (no "<" or ">" inside),
// or 0 when t does not begin with one.
size_t NameLength(const std::string& t, const char* prefix) {
  if (t.rfind(prefix, 0) != 0) return 0;
  const size_t close = t.find('>');
  if (close == std::string::npos || t.find('<', 1) < close) return 0;
  return close + 1;
}

}  // namespace

TagForm ClassifyDirectoryTag(const std::string& tag) {
  const std::string t = UpperCase(tag);
  if (IsBaseTag(t)) return TagForm::kBase;
  if (t.rfind("<SUB", 0) == 0) {
    const size_t n = NameLength(t, "<SUB");
    if (n == 0) return TagForm::kMalformed;
    const std::string base = t.substr(n);
    return base.empty() || IsBaseTag(base) ? TagForm::kSub : TagForm::kMalformed;
  }
  if (t.rfind("<ALT", 0) == 0) return NameLength(t, "<ALT") == t.size() ? TagForm::kAlt : TagForm::kMalformed;
  return TagForm::kUnknown;
}

}  // namespace zel
