// Floppy disk images (FAT12, with a volume label) made with mtools' mformat
// and mcopy, so that a set can be written to real disks or tried in an
// emulator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "author/media.h"

namespace zel {

// Whether mformat and mcopy can be run.
bool MtoolsAvailable();

// Writes image: an empty disk of the floppy medium with the volume label
// (at most 11 characters), then the files copied into its root folder. Every
// time stamp on it (label and files) is dosDateTime, so the same files give
// the same image. Throws Exception when mtools is missing or fails.
void WriteFloppyImage(const Medium& medium, const std::string& image, const std::string& label,
                      const std::vector<std::string>& files, uint32_t dosDateTime);

// The text of the hint given when mtools is missing.
extern const char kMtoolsHint[];

}  // namespace zel
