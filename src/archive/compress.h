// TCompress: reads multi-file compressed archives and expands their entries
// into files, with checksum test, key lock, free-space test, folder creation,
// file date and attributes, and owner events.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "archive/archive_format.h"
#include "codec/codec.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/string_list.h"

namespace zel {

// "Can't recognize compressed file header" (also a negative name length or size).
ZEL_DECLARE_EXCEPTION(EInvalidHeader, Exception);
// "Archive type must be caMulti"
ZEL_DECLARE_EXCEPTION(EInvalidHeaderArchiveType, Exception);
// "Unrecognized compression method: \"XXX\" in header"
ZEL_DECLARE_EXCEPTION(EUnrecognizedCompressionMethod, Exception);
// "Not enough disk space to expand " + path
ZEL_DECLARE_EXCEPTION(EInsufficientDiskSpace, Exception);
// "Bad checksum during expansion -- data may be invalid"
ZEL_DECLARE_EXCEPTION(EBadChecksum, Exception);
// "File locked -- valid key required"
ZEL_DECLARE_EXCEPTION(EInvalidKey, Exception);
// An archive whose headers contradict its data or its list: "damaged or
// unsafe package: " followed by what is wrong, naming the entry.
ZEL_DECLARE_EXCEPTION(EDamagedArchive, Exception);

extern const char kInvalidHeaderMessage[];
extern const char kBadChecksumMessage[];
extern const char kInvalidKeyMessage[];

enum TCProcessMode : uint8_t { cpCompress = 0, cpExpand = 1 };

using TFilenameCheckEvent = std::function<void(std::string& filepath, TCProcessMode mode)>;
using TCompressEvent = std::function<void(TStream& dest, TStream& source, std::string& CompressID,
                                          int32_t& Outputsize, int32_t& checksum)>;
using TExpandEvent = std::function<void(TStream& dest, TStream& source, int32_t Sourcesize,
                                        int32_t Destsize, const std::string& CompressID,
                                        int32_t& checksum)>;
using TRecognizeEvent = std::function<void(const std::string& CompressID, bool& recognized)>;

// One listed entry; attached as the object of its name's line. The caller of
// the listing owns these objects (see FreeListObjects).
struct TCompressedFileInfo {
  uint32_t FileDate = 0;
  uint16_t Attributes = 0;
  int32_t ExpandedSize = 0;
  int32_t CompressedSize = 0;
  uint8_t Method = 0;
  uint32_t Checksum = 0;
  int32_t HeaderOffset = 0;
  bool Locked = false;
};

// Deletes the TCompressedFileInfo objects of a listed string list and clears
// the pointers (the lines stay).
void FreeListObjects(TStringList& list);

class TCompress {
 public:
  TCompress() = default;
  virtual ~TCompress() = default;

  TCompressEvent OnCompress;  // not fired by any operation here
  TExpandEvent OnExpand;      // expands coCustom entries
  TFilenameCheckEvent OnCheckFile;  // rename; "" skips the entry; "*" stops quietly
  TRecognizeEvent OnRecognize;
  TShowProgressEvent OnShowProgress;

  const std::string& TargetPath() const { return targetPath_; }
  // Stores the value, adding a trailing backslash to a non-empty one.
  void SetTargetPath(const std::string& path);
  bool MakeDirectories = false;
  bool ExceptionOnFileError = false;
  int32_t Key = 0;
  bool CheckSpaceBeforeExpand = false;
  // Decodes every wanted entry and tests its checksum, but writes no file:
  // no output file, folder, date or attributes (used to verify an archive).
  bool TestOnly = false;
  // Entries that claim to expand to more bytes than this raise EInvalidHeader
  // before anything is written (a caller's guard against archives that would
  // fill the disk; no limit by default).
  int32_t MaxEntrySize = INT32_MAX;

  // Every stored name passes the name guard before it becomes a path
  // (EUnsafeName otherwise, naming the entry), and every entry must give
  // exactly the ExpandedSize its header states and the checksum the writer
  // stored, stored (coNone) entries included (EDamagedArchive, EBadChecksum).

  // Opens the file read-only and exclusive and lists it (throws EFOpenError).
  void ListArchiveContents(const std::string& archiveFile, TStringList& list);
  // Appends one line per entry (stored name, new TCompressedFileInfo object),
  // from the stream's current position. Fewer than 46 bytes: nothing, no error.
  void ListStreamContents(TStream& source, TStringList& list);
  void ExpandArchiveFiles(const std::string& archiveFile, TStringList* list);
  // Expands every entry (list null) or those whose stored name is in list
  // (without regard to case); then list holds the full output paths written.
  // With a list every name in it (blank lines aside) must arrive: a name the
  // archive lacks raises EDamagedArchive naming it, and an output file that
  // cannot be created raises its error whatever ExceptionOnFileError says.
  // A non-empty entry after TotalSize is reached raises EDamagedArchive.
  // Throws the exceptions above, the codec's and the streams' errors.
  void ExpandStreamFiles(TStream& source, TStringList* list);
  // The larger of the archive header's TotalSize and the sum of its
  // entries' ExpandedSize, from the stream's position (0 for an empty
  // archive): the room the archive needs once expanded.
  int64_t ExpandedSizeOf(TStream& source);

  // The 3-letter ID's method (case-sensitive); coCustom when OnRecognize
  // accepts it; else EUnrecognizedCompressionMethod.
  TCompressionMethod RecognizeMethod(const std::string& compressId);
  // Free bytes for an output path (2147483647 when not checked or unknown).
  int64_t FreeSpaceFor(const std::string& path);

 private:
  struct ArchiveHeader {
    std::string CompressID;
    int32_t TotalSize = 0;
  };
  ArchiveHeader ReadArchiveHeader(TStream& source);
  // Returns false when the entry name was not read whole (no further entry).
  bool ReadEntryHeader(TStream& source, format::EntryHeader& header, std::string& name);
  void ExpandEntry(TStream& dest, TStream& source, const format::EntryHeader& entry,
                   const std::string& compressId, const std::string& name);
  void SkipData(TStream& source, int64_t dataStart, const format::EntryHeader& entry);
  std::string targetPath_;
};

// Creates a folder with its missing parents; "" and a bare drive do nothing.
// Throws EInOutError when a folder cannot be made.
void CreateDirectoryPath(const std::string& folder);

}  // namespace zel
