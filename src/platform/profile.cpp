#include "platform/profile.h"

namespace zel::profile {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int32_t ParseInteger(const std::string& text, int32_t defaultValue) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint32_t value = 0;
    int significant = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      const int digit = HexDigit(text[i]);
      if (digit < 0) return defaultValue;
      if (value != 0 || digit != 0) ++significant;
      if (significant > 8) return defaultValue;
      value = value << 4 | static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(value);
  }
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return defaultValue;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return defaultValue;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{1} << 31) return defaultValue;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return defaultValue;
  return static_cast<int32_t>(value);
}

int32_t ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                    int32_t defaultValue) {
  return ParseInteger(ReadString(file, section, key, std::string()), defaultValue);
}

bool ReadBool(const std::string& file, const std::string& section, const std::string& key, bool defaultValue) {
  return ReadInteger(file, section, key, defaultValue ? 1 : 0) != 0;
}

}  // namespace zel::profile
