#include <windows.h>

#include "platform/errors.h"
#include "platform/stream.h"

namespace zel {

namespace {
HANDLE H(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
}  // namespace

TFileStream::TFileStream(const std::string& path, FileMode mode)
    : path_(path), handle_(reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE)) {
  DWORD access = GENERIC_READ, share = 0, disposition = OPEN_EXISTING;
  switch (mode) {
    case FileMode::kOpenRead: break;
    case FileMode::kOpenReadShared: share = FILE_SHARE_READ; break;
    case FileMode::kOpenReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    case FileMode::kCreate:
      access = GENERIC_READ | GENERIC_WRITE;
      disposition = CREATE_ALWAYS;
      break;
  }
  HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (mode == FileMode::kCreate) throw EFCreateError(FormatCreateError(path));
    throw EFOpenError(FormatOpenError(path));
  }
  handle_ = reinterpret_cast<intptr_t>(file);
}

TFileStream::~TFileStream() {
  if (H(handle_) != INVALID_HANDLE_VALUE) CloseHandle(H(handle_));
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  DWORD got = 0;
  if (!ReadFile(H(handle_), buffer, static_cast<DWORD>(count), &got, nullptr)) return -1;
  return static_cast<int32_t>(got);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  DWORD put = 0;
  if (!WriteFile(H(handle_), buffer, static_cast<DWORD>(count), &put, nullptr)) return 0;
  return static_cast<int32_t>(put);
}

// SetFilePointer and GetFileSize with their high parts: every Windows has
// them (the ...Ex forms arrived with Windows 2000).
int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const DWORD method = origin == SeekOrigin::kBegin ? FILE_BEGIN : origin == SeekOrigin::kCurrent ? FILE_CURRENT : FILE_END;
  LONG high = static_cast<LONG>(offset >> 32);
  SetLastError(NO_ERROR);
  const DWORD low = SetFilePointer(H(handle_), static_cast<LONG>(offset & 0xFFFFFFFF), &high, method);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
  return static_cast<int64_t>(high) << 32 | low;
}

int64_t TFileStream::Size() {
  DWORD high = 0;
  SetLastError(NO_ERROR);
  const DWORD low = GetFileSize(H(handle_), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
  return static_cast<int64_t>(high) << 32 | low;
}

bool TFileStream::SetDosDateTime(uint32_t dosDateTime) {
  FILETIME local, utc;
  if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF), &local))
    return false;
  if (!LocalFileTimeToFileTime(&local, &utc)) return false;
  return SetFileTime(H(handle_), nullptr, nullptr, &utc) != 0;
}

}  // namespace zel
