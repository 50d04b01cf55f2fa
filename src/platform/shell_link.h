// Shell links (".lnk" files) through the shell's link object: CLSID_ShellLink
// with IShellLinkA and IPersistFile. Windows only; elsewhere constructing a
// link object throws.
#pragma once

#include <memory>
#include <string>

#include "platform/errors.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(EShellLinkError, Exception);

// What a link holds, as the link object reports it.
struct ShellLinkInfo {
  std::string path;
  std::string workingDirectory;
  std::string iconFile;
  int iconIndex = 0;
};

// One link object. The constructor initialises COM for the thread when it is
// not yet (and undoes that in the destructor) and creates the object; it
// throws EShellLinkError when either fails. The setters pass their text on
// unchecked; Save and Load report failure by their result.
class TShellLink {
 public:
  TShellLink();
  ~TShellLink();
  TShellLink(const TShellLink&) = delete;
  TShellLink& operator=(const TShellLink&) = delete;

  void SetPath(const std::string& path);
  void SetWorkingDirectory(const std::string& folder);
  void SetIconLocation(const std::string& file, int index);

  // IPersistFile::Save with the wide form of linkPath, not remembered as the
  // object's file.
  bool Save(const std::string& linkPath);
  // IPersistFile::Load; afterwards Info() reports the file's content.
  bool Load(const std::string& linkPath);
  ShellLinkInfo Info() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zel
