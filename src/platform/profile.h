// Private-profile (INI) files: install.cfg, uninstall.cfg and the INI entries
// of the install.
//
// The Windows build goes through GetPrivateProfileStringA and
// WritePrivateProfileStringA, so their rules hold: section and entry names
// match without regard to case, blanks around names and values are dropped, a
// value in single or double quotes loses them. The native build has a small
// reader of the same rules so that the layers above are testable there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zel::profile {

// One value is read through a buffer of this many bytes (terminator included),
// so at most 1023 characters come back.
constexpr unsigned kValueBufferSize = 1024;
// The entry names of one section are listed through one buffer of this size;
// names that do not fit are lost.
constexpr unsigned kKeyListBufferSize = 8192;

// The value of key in section, or defaultValue when the file, the section or
// the key is missing.
std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& defaultValue);
// The entry names of section in file order (empty when missing).
std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section);
// Writes (adds or replaces) one value; creates the file when needed. Returns
// whether the platform accepted it.
bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value);

// Removes one entry, or a whole section; true when the platform accepted it
// (a missing entry or section counts).
bool DeleteKey(const std::string& file, const std::string& section, const std::string& key);
bool DeleteSection(const std::string& file, const std::string& section);

// Text to integer: decimal with an optional sign, or hexadecimal when the text
// is longer than two characters and starts with "0x" or "0X" (up to eight hex
// digits, taken as a 32-bit pattern, so 0xFFFFFFFF is -1). Anything else, and
// a decimal number outside the 32-bit range, gives defaultValue.
int32_t ParseInteger(const std::string& text, int32_t defaultValue);
// ReadString followed by ParseInteger.
int32_t ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                    int32_t defaultValue);
// An integer; non-zero is true. defaultValue stands for 0 or 1.
bool ReadBool(const std::string& file, const std::string& section, const std::string& key, bool defaultValue);

}  // namespace zel::profile
