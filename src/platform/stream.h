// Byte streams: the abstract stream, a memory stream and a file stream.
//
// File streams take Windows paths (backslashes). The native build maps them to
// the host's file system, so the portable layers can be run and tested there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zel {

enum class SeekOrigin { kBegin, kCurrent, kEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns the number actually read (0 at the end).
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  // Writes up to count bytes; returns the number actually written.
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Moves the position; returns the new position.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  int64_t Position() { return Seek(0, SeekOrigin::kCurrent); }
  virtual int64_t Size();

  // Reads exactly count bytes or throws EReadError.
  void ReadBuffer(void* buffer, int32_t count);
  // Writes exactly count bytes or throws EWriteError.
  void WriteBuffer(const void* buffer, int32_t count);
  // Copies count bytes from source at its position (all of it from its start
  // when count is 0) through a fixed buffer; returns the bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> data) : data_(std::move(data)) {}
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  const std::vector<uint8_t>& Data() const { return data_; }
  std::vector<uint8_t>& Data() { return data_; }
  void Clear() { data_.clear(); position_ = 0; }

 private:
  std::vector<uint8_t> data_;
  size_t position_ = 0;
};

enum class FileMode {
  kOpenRead,          // existing file, read-only, others may not write it
  kOpenReadShared,    // existing file, read-only, others may read but not write
  kOpenReadWrite,     // existing file, read and write, exclusive
  kCreate,            // create or truncate, read and write, exclusive
};

// A file on disk. The constructor throws EFOpenError ("Cannot open file %s")
// or EFCreateError ("Cannot create file %s"); the destructor closes the file.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& path, FileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;
  // Sets the last-write time from a packed MS-DOS date and time (local time).
  bool SetDosDateTime(uint32_t dosDateTime);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  intptr_t handle_;
};

// Test seam: from now on, file streams accept only bytes more bytes in all and
// then write short, with the platform's "disk full" error, as a full disk
// does. A negative value (the start value) lifts the limit.
void SetFileWriteLimitForTests(int64_t bytes);

}  // namespace zel
