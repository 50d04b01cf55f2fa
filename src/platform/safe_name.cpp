#include "platform/safe_name.h"

#include <array>

namespace zel {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameUpper(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (Upper(text[i]) != upper[i]) return false;
  return true;
}

bool IsBadCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u < 0x20 || u == 0x7F) return true;
  switch (c) {
    case '<':
    case '>':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

NameProblem CheckPart(std::string_view part) {
  if (part.empty()) return NameProblem::kEmpty;
  if (part.size() > kMaxSafePartLength) return NameProblem::kTooLong;
  for (char c : part) {
    if (c == ':') return NameProblem::kColon;
    if (IsBadCharacter(c)) return NameProblem::kBadCharacter;
  }
  // Windows drops trailing dots and spaces, so "..." or ".. " would become
  // ".." and "a." another file's name.
  if (part.back() == '.' || part.back() == ' ') return NameProblem::kDotPart;
  if (IsDeviceName(part)) return NameProblem::kDevice;
  return NameProblem::kNone;
}

}  // namespace

bool IsDeviceName(std::string_view part) {
  std::string_view base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  static constexpr std::array<std::string_view, 7> kNames = {"CON", "PRN", "AUX", "NUL",
                                                             "CONIN$", "CONOUT$", "CLOCK$"};
  for (std::string_view name : kNames)
    if (SameUpper(base, name)) return true;
  if (base.size() == 4 && (SameUpper(base.substr(0, 3), "COM") || SameUpper(base.substr(0, 3), "LPT"))) {
    const auto digit = static_cast<unsigned char>(base[3]);
    // 1-9, and the superscript digits 1, 2, 3 of the ANSI code page, which
    // Windows also takes for port numbers.
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  }
  return false;
}

NameProblem CheckRelativeName(std::string_view name) {
  if (name.empty()) return NameProblem::kEmpty;
  if (name.size() > kMaxSafeNameLength) return NameProblem::kTooLong;
  if (IsSeparator(name[0]) || (name.size() >= 2 && name[1] == ':')) return NameProblem::kAbsolute;
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    const NameProblem problem = CheckPart(name.substr(start, end - start));
    if (problem != NameProblem::kNone) return problem;
    if (end == name.size()) return NameProblem::kNone;
    start = end + 1;
  }
}

NameProblem CheckPartName(std::string_view name) {
  const NameProblem problem = CheckRelativeName(name);
  if (problem != NameProblem::kNone) return problem;
  for (char c : name)
    if (IsSeparator(c)) return NameProblem::kFolderPart;
  return NameProblem::kNone;
}

const char* NameProblemText(NameProblem problem) {
  switch (problem) {
    case NameProblem::kNone:
      return "is safe";
    case NameProblem::kEmpty:
      return "is empty or has an empty part";
    case NameProblem::kTooLong:
      return "is too long";
    case NameProblem::kDotPart:
      return "has a \".\" or \"..\" part, or a part ending in a dot or a space";
    case NameProblem::kAbsolute:
      return "names a drive, a root folder or a network path";
    case NameProblem::kColon:
      return "holds a colon";
    case NameProblem::kBadCharacter:
      return "holds a character that file names cannot hold";
    case NameProblem::kDevice:
      return "names a device";
    case NameProblem::kFolderPart:
      return "has a folder part where only a file name may stand";
  }
  return "is not safe";
}

namespace {

[[noreturn]] void Refuse(std::string_view name, NameProblem problem, std::string_view context) {
  std::string message(context);
  message += ": \"";
  message += name;
  message += "\" ";
  message += NameProblemText(problem);
  throw EUnsafeName(message);
}

}  // namespace

std::string SafeRelativePath(std::string_view name, std::string_view context) {
  const NameProblem problem = CheckRelativeName(name);
  if (problem != NameProblem::kNone) Refuse(name, problem, context);
  std::string path(name);
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string SafeJoin(std::string_view folder, std::string_view name, std::string_view context) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + SafeRelativePath(name, context);
}

std::string SafeFileName(std::string_view name, std::string_view context) {
  const std::string path = SafeRelativePath(name, context);
  return path.substr(path.rfind('\\') + 1);
}

}  // namespace zel
