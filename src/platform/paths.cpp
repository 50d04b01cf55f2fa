#include "platform/paths.h"


namespace zel {

namespace {
size_t LastSeparator(std::string_view path) { return path.find_last_of("\\:"); }
}  // namespace

std::string ExtractFilePath(std::string_view path) {
  const size_t at = LastSeparator(path);
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string ExtractFileName(std::string_view path) {
  const size_t at = LastSeparator(path);
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string ExtractAfterBackslash(std::string_view path) {
  const size_t at = path.find_last_of('\\');
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string ExtractFileDrive(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
  if (path.size() < 2 || path[0] != '\\' || path[1] != '\\') return std::string();
  // \\server\share: up to the backslash after the share's name.
  const size_t server = path.find('\\', 2);
  if (server == std::string_view::npos) return std::string(path);
  const size_t share = path.find('\\', server + 1);
  return std::string(path.substr(0, share));
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() == '\\') result.pop_back();
  return result;
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

size_t Pos(std::string_view needle, std::string_view haystack) { return haystack.find(needle); }

bool Contains(std::string_view haystack, std::string_view needle) {
  return haystack.find(needle) != std::string_view::npos;
}

std::string ZeroPad(unsigned n, int width) {
  // Without printf: its formatter would add some 25 KiB to install.exe.
  std::string digits = std::to_string(n);
  if (width > 0 && digits.size() < static_cast<size_t>(width))
    digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  return digits;
}

}  // namespace zel
