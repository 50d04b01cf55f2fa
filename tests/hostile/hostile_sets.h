// Hostile and damaged packages, made byte by byte with the project's own
// archive writer: entry names and templates of every unsafe form, list
// archives that try to leave the scratch folder, flipped bytes, sizes that
// lie, a disk of another set, decompression bombs. The native tests run them
// through the package operations and zelpack; the Wine scenario runs them
// through install.exe.
#pragma once

#include <string>
#include <vector>

namespace zel::test {

struct HostileCase {
  std::string name;     // also the folder it is written to
  bool listFails;       // listing alone finds the fault (names, list archives, templates)
  bool installFails;    // the setup program fails too (it expands flat: templates are no paths)
  std::string message;  // how the package operations' error begins ("": any error)
  // Only a decoder that stops at the end of its input ends it (quickly): an
  // LH5 stream asked for more bytes than it holds.
  bool needsDecoderRule = false;
};

// Every case, in a fixed order.
const std::vector<HostileCase>& HostileCases();

// Writes the segment files of one case into folder (created when missing).
// scratch is a folder the writer may use for its own temporary file.
void WriteHostileSet(const std::string& caseName, const std::string& folder, const std::string& scratch);

// Whether this build's decoder raises an error for a stream that asks for
// more bytes than its input holds (the cases that need it are skipped until
// it does).
bool DecoderStopsAtEndOfInput();

}  // namespace zel::test
