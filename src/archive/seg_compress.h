// TSegCompress and TSegCompEZ: expand a segment set (numbered segment files
// carrying a set header, one Scan section per archive and the archives) with
// mount and retry prompts and segment events.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/compress.h"

namespace zel {

// Messages: "(TSegCompress) Operation aborted by user", "... Stream open failed",
// "... Invalid Segment ID Header", "... Invalid Segment Header ID", "... Invalid
// Scan ID Header", "... Invalid Archive ID Header", "... Invalid Archive
// sequence number", "... Stream read failed", and for damaged sets "...
// Invalid Scan record" (template length or record width out of range) and
// "... List archive holds no list file".
ZEL_DECLARE_EXCEPTION(ESegError, Exception);

enum TSegMode : uint8_t { smNone = 0, smExpand = 1 };
enum TBuildMode : uint8_t { bmFlat = 0, bmRecursive = 1 };

// The 16-byte archive record, handed to the owner unchanged.
struct TSegArcHeader {
  std::array<uint8_t, 16> bytes{};
  uint16_t Sequence() const;
  int32_t ArchiveSize() const;
};

struct TSegArc {
  std::string Template;
  std::string TargetDir;
  uint16_t Sequence = 0;
  uint8_t ScanByte = 0;
  TStringList FileList;
};

// Owns its TSegArc items.
class TSegArcList {
 public:
  TSegArcList() = default;
  TSegArcList(const TSegArcList&) = delete;
  TSegArcList& operator=(const TSegArcList&) = delete;
  int Count() const { return static_cast<int>(items_.size()); }
  TSegArc& operator[](int i) { return *items_[static_cast<size_t>(i)]; }
  void Add(std::unique_ptr<TSegArc> arc) { items_.push_back(std::move(arc)); }
  void Delete(int i) { items_.erase(items_.begin() + i); }
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TSegArc>> items_;
};

// The questions the component asks the user. The setup program answers them
// with real dialogs; tools answer on a console; tests script them.
class SegPrompter {
 public:
  virtual ~SegPrompter() = default;
  // Input dialog ("Mount Segment #" + n, "Directory Path:"); value holds the
  // current folder and receives the answer. False = Cancel.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt,
                          std::string& value) = 0;
  // Error box with OK and Cancel; true = OK.
  virtual bool RetryBox(const std::string& message) = 0;
  // Called after the mount prompt closes, so the owner window can repaint.
  virtual void RepaintOwner() {}
};

using TSegBeforeEvent = std::function<void(TSegMode, const std::string& SegName, uint16_t SegNumber)>;
using TSegAfterEvent = TSegBeforeEvent;
using TSegBeforeExpandEvent = std::function<void(TSegArcList& SegArcList)>;
using TSegAfterArchiveEvent = std::function<void(TSegArcHeader& SegArcHdr, const std::string& Template)>;
using TSegShowProgressEvent = std::function<void(int32_t PercentageDone)>;

class TSegCompress : public TCompress {
 public:
  TSegCompress();

  // The setters keep the case of what they are given: on a host whose file
  // names are case-sensitive a lower-cased folder would be another folder.
  const std::string& SegBaseName() const { return segBaseName_; }
  void SetSegBaseName(const std::string& value);  // "" -> "SegData"; file name part
  const std::string& SegDir() const { return segDir_; }
  void SetSegDir(const std::string& value);       // "" -> "a:\"
  const std::string& SegExt() const { return segExt_; }
  void SetSegExt(const std::string& value);       // cut to 3 characters
  bool SegPopUp = true;
  int32_t SegSize() const { return segSize_; }
  void SetSegSize(int32_t value);                 // at least 16,384
  const std::string& SegTmpDir() const { return segTmpDir_; }
  // The scratch folder for the temporary archive and list file. The owner
  // hands in a folder of its own (nobody else's files are there).
  void SetSegTmpDir(const std::string& value);    // "" -> current folder; no trailing "\"

  // The folder whose drive must hold each archive once expanded; "" stands
  // for SegTmpDir. Before an archive is expanded (unless TestOnly) the larger
  // of its TotalSize and its entries' sizes is compared with the drive's free
  // space: EInsufficientDiskSpace names the drive, the bytes needed and free.
  std::string RoomFolder;

  // Expands each archive straight from the segment files instead of from a
  // temporary copy when set to ExpandArchiveInPlace. Only for a set whose
  // segments all lie in SegDir on a fixed drive and that asks for no mount
  // (ignored while SegPopUp is on, since a disk asked for again would be a
  // disk swap). Null: each archive is copied first.
  using ArchiveExpander = void (*)(TSegCompress& seg, TSegArc& arc, int64_t size);
  ArchiveExpander ExpandInPlace = nullptr;

  TSegBeforeEvent OnSegBefore;
  TSegAfterEvent OnSegAfter;
  TSegBeforeExpandEvent OnSegBeforeExpand;
  TSegAfterArchiveEvent OnSegAfterArchive;
  TSegShowProgressEvent OnSegShowProgress;

  // Not owned; null: every prompt answers Cancel.
  SegPrompter* Prompter = nullptr;

  // Set by the owner (e.g. from a click handled during the work) to abort at
  // the next check.
  bool AbortFlag = false;
  TSegMode SegMode = smNone;
  const std::string& SegName() const { return segName_; }
  const std::string& SegPath() const { return segPath_; }

  // File name of segment n for the current settings ("disk.002", or
  // "disk.ext" when SegExt is set).
  std::string SegmentFileName(uint16_t n) const;

  // Clears list, expands the whole set, leaves one TSegArc per expanded
  // archive. Throws ESegError and the container's and codec's errors. The
  // Scan phase writes only its list file, under a fixed name in SegTmpDir;
  // every entry name of a list archive and every name of a list passes the
  // name guard (EUnsafeName). A segment whose set identity (the word at
  // offset 4 of its header) differs from segment 1's, where both are not 0,
  // is a disk of another set: "Incorrect segmented mounted!" as for a wrong
  // number.
  void ExpandSegments(TSegArcList& list);

 protected:
  // Free bytes on the drive of folder; -1 when unknown (no check is made).
  virtual int64_t FreeSpaceOf(const std::string& folder);

 private:
  void ExpandSegmentSet(TSegArcList& list);
  void ReadSegmentHeader(uint16_t& arcCount);
  void ReadScanRecord(TSegArc& arc);
  void ExpandSegmentArchive(TSegArc& arc);
  void CopyToTempArchive(int32_t size, bool reportProgress);
  void ReadSegmented(void* buffer, int32_t count);
  void SkipSegmented(int64_t count);
  // A place in the segment stream to come back to.
  struct ReadMark {
    uint16_t number = 0;
    int64_t position = 0;
    int64_t bytesLeft = 0;
  };
  ReadMark Mark() const;
  void Rewind(const ReadMark& mark);
  class ArchiveSpan;
  friend void ExpandArchiveInPlace(TSegCompress& seg, TSegArc& arc, int64_t size);
  void NextSegment();
  void ReadSegmentId(TStream& stream, uint16_t* number, uint16_t* setId = nullptr);
  void CheckRoom(TStream& archive);
  void OpenSegment(uint16_t n);
  void BeforeSegment(uint16_t n);
  void CloseSegment();
  void BuildSegmentPath();
  [[noreturn]] void RaiseAbort();
  std::string TempArchivePath() const;
  std::string ListFilePath() const;

  struct SavedEvents {
    TCompressEvent onCompress;
    TExpandEvent onExpand;
    TRecognizeEvent onRecognize;
    TFilenameCheckEvent onCheckFile;
    TShowProgressEvent onShowProgress;
    bool testOnly = false;
  };
  void SuspendContainerEvents();
  void RestoreContainerEvents();

  std::string segBaseName_ = "SegData";
  std::string segDir_ = "a:\\";
  std::string segExt_;
  int32_t segSize_ = 1440000;
  std::string segTmpDir_;
  uint16_t segNumber_ = 0;
  uint16_t setId_ = 0;             // segment 1's set identity, 0 for none
  bool listFileTaken_ = false;     // the Scan phase has placed its list file
  bool quietSegments_ = false;     // walking ahead: no segment events
  std::string segPath_, segName_;
  std::unique_ptr<TFileStream> segment_;
  int64_t segmentBytesLeft_ = 0;
  std::vector<uint8_t> buffer_;
  SavedEvents saved_;
};

// The archive of arc, `size` bytes, read straight from the segment files:
// the room check walks its headers through the segments before anything is
// written, then the archive is read again from its start (its first disk
// must still be the same). Segment events still come once per segment, in
// order, when the expansion reaches it.
void ExpandArchiveInPlace(TSegCompress& seg, TSegArc& arc, int64_t size);

class TSegCompEZ : public TSegCompress {
 public:
  TSegArcList& ArcList() { return arcList_; }
  TBuildMode SegBuildMode = bmRecursive;
  TCompressionMethod SegCompType = coLZH;
  bool SegMultiArc = false;
  TStringList& SegSource() { return segSource_; }
  void SetSegSource(const TStringList& lines);

  // TargetPath "", ExpandSegments(ArcList), SegSource := the templates,
  // TargetPath "" again.
  void ExpandAll();

 private:
  TSegArcList arcList_;
  TStringList segSource_;
};

}  // namespace zel
