#include "platform/shell_link_impl_win32.h"

namespace zel {

using shell_link_detail::Widen;

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

}  // namespace zel
