#include "uninstall/uninstall_run.h"

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/string_list.h"

namespace zel {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool OnlyHeadersLeft(const std::string& file) {
  TStringList lines;
  try {
    lines.LoadFromFile(file);
  } catch (const Exception&) {
    return false;
  }
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = Trimmed(lines[i]);
    if (!line.empty() && line[0] != '[') return false;
  }
  return true;
}

void RemoveIniValue(const UninstallAction& a, UninstallSystem& system, UninstallOutcome& out) {
  const std::string item = a.path + " [" + a.section + "] " + a.name;
  if (!profile::DeleteKey(a.path, a.section, a.name)) {
    out.leftovers.push_back({item, "the INI file could not be written"});
    return;
  }
  ++out.removed;
  if (a.removeSection && profile::ReadKeyNames(a.path, a.section).empty())
    profile::DeleteSection(a.path, a.section);
  if (a.removeFile && OnlyHeadersLeft(a.path) && !system.DeleteFile(a.path))
    out.leftovers.push_back({a.path, kReasonCannotDelete});
}

void DeleteOneFile(const std::string& path, UninstallSystem& system, UninstallOutcome& out) {
  if (system.DeleteFile(path)) {
    ++out.removed;
  } else {
    out.leftovers.push_back(
        {path, system.DeleteAtRestart(path) ? kReasonAtRestart : kReasonCannotDelete});
  }
}

void RunAction(const UninstallAction& a, UninstallSystem& system, UninstallOutcome& out) {
  switch (a.kind) {
    case ActionKind::kDeleteFile:
      DeleteOneFile(a.path, system, out);
      break;
    case ActionKind::kRemoveFolder:
      if (!system.DirectoryExists(a.path)) break;
      if (system.RemoveFolder(a.path))
        ++out.removed;
      else
        out.leftovers.push_back({a.path, kReasonNotEmpty});
      break;
    case ActionKind::kRemoveIniValue:
      RemoveIniValue(a, system, out);
      break;
    case ActionKind::kDeleteRegValue:
      if (system.DeleteUserValue(a.path, a.name))
        ++out.removed;
      else
        out.leftovers.push_back({"HKEY_CURRENT_USER\\" + a.path + " " + a.name, kReasonCannotDelete});
      break;
    case ActionKind::kDeleteRegKey:
      // A key the install made stays when something else is in it now.
      if (system.DeleteEmptyUserKey(a.path)) ++out.removed;
      break;
    case ActionKind::kRemoveAutoexecBlock: {
      const std::string why = RemoveAutoexecBlock(a.path, a.backup, a.lines, a.removeFile);
      if (why.empty())
        ++out.removed;
      else
        out.leftovers.push_back({a.path, why});
      break;
    }
    case ActionKind::kDeleteRegistration:
      if (system.DeleteRegistration(a.path))
        ++out.removed;
      else
        out.leftovers.push_back({"HKEY_LOCAL_MACHINE\\" + a.path, kReasonCannotDelete});
      break;
  }
}

std::string ActionItem(const UninstallAction& a) {
  return a.kind == ActionKind::kRemoveIniValue ? a.path + " [" + a.section + "] " + a.name : a.path;
}

}  // namespace

UninstallOutcome RunUninstall(const UninstallPlan& plan, UninstallSystem& system,
                              const std::function<void(const std::string&, int, int)>& progress) {
  UninstallOutcome out;
  out.leftovers = plan.leftovers;
  const int total = static_cast<int>(plan.actions.size());
  for (int i = 0; i < total; ++i) {
    const UninstallAction& action = plan.actions[static_cast<size_t>(i)];
    if (progress) progress(ActionItem(action), i, total);
    try {
      RunAction(action, system, out);
    } catch (const std::exception& e) {
      out.leftovers.push_back({ActionItem(action), e.what()});
    }
  }
  return out;
}

std::string RemoveAutoexecBlock(const std::string& file, const std::string& backup,
                                const std::vector<std::string>& block, bool removeFileWhenEmpty) {
  if (!fs::FileExists(file)) return "the file is not there any more";
  TStringList lines;
  try {
    lines.LoadFromFile(file);
  } catch (const Exception& e) {
    return "it could not be read: " + e.Message();
  }
  auto same = [](const std::string& a, const std::string& b) {
    return SameText(Trimmed(a), Trimmed(b));
  };
  // Each copy of the block goes: a reinstall of the product adds it again.
  const int n = static_cast<int>(block.size());
  std::vector<bool> ours(static_cast<size_t>(lines.Count()), false);
  int copies = 0;
  for (int start = 0; n > 0 && start + n <= lines.Count();) {
    bool match = true;
    for (int k = 0; k < n && match; ++k) match = same(lines[start + k], block[static_cast<size_t>(k)]);
    if (!match) {
      ++start;
      continue;
    }
    for (int k = 0; k < n; ++k) ours[static_cast<size_t>(start + k)] = true;
    start += n;
    ++copies;
  }
  if (copies == 0) return "the lines this product added are not there any more; it was left as it is";
  try {
    lines.SaveToFile(backup);
  } catch (const Exception& e) {
    return "its backup " + backup + " could not be written, so it was left as it is: " + e.Message();
  }
  TStringList rest;
  bool anything = false;
  for (int i = 0; i < lines.Count(); ++i) {
    if (ours[static_cast<size_t>(i)]) continue;
    rest.Add(lines[i]);
    anything = anything || !Trimmed(lines[i]).empty();
  }
  if (!anything && removeFileWhenEmpty)
    return fs::DeleteFile(file) ? std::string() : "it could not be deleted";
  const std::string temp = file + ".$zu";
  try {
    rest.SaveToFile(temp);
  } catch (const Exception& e) {
    fs::DeleteFile(temp);
    return "it could not be written: " + e.Message();
  }
  if (!fs::RenameFile(temp, file)) {
    fs::DeleteFile(temp);
    return "it could not be replaced with its new text";
  }
  return std::string();
}

UninstallerArguments ParseUninstallerCommandLine(const std::string& commandLine) {
  UninstallerArguments args;
  std::string rest = Trimmed(commandLine);
  while (rest.size() >= 2 && rest[0] == '/' && (rest.size() == 2 || rest[2] == ' ' || rest[2] == '\t')) {
    const char letter = static_cast<char>(rest[1] & ~0x20);
    if (letter == 'S')
      args.silent = true;
    else if (letter == 'Z')
      args.finishSelfRemoval = true;
    else
      break;
    rest = Trimmed(rest.substr(2));
  }
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
  args.title = rest;
  return args;
}

int UninstallExitCode(const UninstallOutcome& outcome) {
  if (outcome.failed) return kUninstallFailed;
  return outcome.leftovers.empty() ? kUninstallComplete : kUninstallLeftSomething;
}

std::string UninstallReport(const std::string& title, const UninstallOutcome& outcome) {
  if (outcome.failed) return outcome.error;
  if (outcome.leftovers.empty()) return title + " has been removed from your computer.";
  std::string text = title + " has been removed from your computer. These items were left:\n";
  const size_t listed = std::min(outcome.leftovers.size(), kMaxListedLeftovers);
  for (size_t i = 0; i < listed; ++i)
    text += "\n" + outcome.leftovers[i].item + ": " + outcome.leftovers[i].reason;
  if (outcome.leftovers.size() > listed)
    text += "\n... and " + std::to_string(outcome.leftovers.size() - listed) + " more.";
  return text;
}

std::string UninstallLog(const std::string& title, const UninstallOutcome& outcome) {
  std::string text = "Uninstall of " + title + "\r\n";
  if (outcome.failed) return text + "failed: " + outcome.error + "\r\n";
  text += "removed items: " + std::to_string(outcome.removed) + "\r\n";
  for (const Leftover& left : outcome.leftovers) text += "left: " + left.item + ": " + left.reason + "\r\n";
  text += "exit status: " + std::to_string(UninstallExitCode(outcome)) + "\r\n";
  return text;
}

}  // namespace zel
