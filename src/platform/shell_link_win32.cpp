#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/shell_link.h"

namespace zel {
namespace {

// Owns one COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  void** PutVoid() {
    Reset();
    return reinterpret_cast<void**>(&p_);
  }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

}  // namespace

struct TShellLink::Impl {
  bool comInitialised = false;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
};

TShellLink::TShellLink() : impl_(std::make_unique<Impl>()) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  impl_->comInitialised = SUCCEEDED(init);  // S_OK or S_FALSE: balance with CoUninitialize
  // The identifiers come from the headers' declarations: linking the uuid
  // library instead would bring in its whole table of identifiers.
  HRESULT hr = CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                                impl_->link.PutVoid());
  if (SUCCEEDED(hr)) hr = impl_->link->QueryInterface(__uuidof(IPersistFile), impl_->file.PutVoid());
  if (FAILED(hr)) {
    impl_->file.Reset();
    impl_->link.Reset();
    if (impl_->comInitialised) CoUninitialize();
    throw EShellLinkError("Cannot create the shell link object");
  }
}

TShellLink::~TShellLink() {
  const bool uninit = impl_->comInitialised;
  impl_->file.Reset();
  impl_->link.Reset();
  if (uninit) CoUninitialize();
}

void TShellLink::SetPath(const std::string& path) { impl_->link->SetPath(path.c_str()); }

void TShellLink::SetWorkingDirectory(const std::string& folder) {
  impl_->link->SetWorkingDirectory(folder.c_str());
}

void TShellLink::SetIconLocation(const std::string& file, int index) {
  impl_->link->SetIconLocation(file.c_str(), index);
}

bool TShellLink::Save(const std::string& linkPath) {
  const std::wstring wide = Widen(linkPath);
  return SUCCEEDED(impl_->file->Save(wide.c_str(), FALSE));
}

bool TShellLink::Load(const std::string& linkPath) {
  const std::wstring wide = Widen(linkPath);
  return SUCCEEDED(impl_->file->Load(wide.c_str(), STGM_READ));
}

ShellLinkInfo TShellLink::Info() const {
  ShellLinkInfo info;
  std::vector<char> buffer(MAX_PATH + 1, '\0');
  if (SUCCEEDED(impl_->link->GetPath(buffer.data(), MAX_PATH, nullptr, SLGP_RAWPATH)))
    info.path = buffer.data();
  buffer.assign(MAX_PATH + 1, '\0');
  if (SUCCEEDED(impl_->link->GetWorkingDirectory(buffer.data(), MAX_PATH)))
    info.workingDirectory = buffer.data();
  buffer.assign(MAX_PATH + 1, '\0');
  int index = 0;
  if (SUCCEEDED(impl_->link->GetIconLocation(buffer.data(), MAX_PATH, &index))) {
    info.iconFile = buffer.data();
    info.iconIndex = index;
  }
  return info;
}

}  // namespace zel
