#include "removal/quarantine.h"

#include <cstdio>

#include "common/file_tests.h"
#include "platform/folder_tree.h"

namespace removal {
namespace {

constexpr const char* kCrLf = "\r\n";
// Counted names have three digits; a name taken this often gets no further copies.
constexpr int kMaxCounter = 999;

std::string WithoutTrailingSeparator(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
  return path;
}

}  // namespace

Quarantine::Quarantine(platform::Machine& machine, const std::string& dataFolder)
    : machine_(machine), dataFolder_(dataFolder), index_(machine, *this) {}

std::string Quarantine::Folder() const {
  return dataFolder_ + "\\quarantine";
}

std::string Quarantine::LogPath() const {
  return Folder() + "\\QuarantineLog.txt";
}

void Quarantine::CreateFolder() {
  machine_.files.MakeDirectory(Folder());
}

std::string Quarantine::CountedName(const std::string& name, int counter) {
  if (counter == 0) return name;
  char suffix[8];
  std::snprintf(suffix, sizeof suffix, ".%03d", counter);
  return name + suffix;
}

std::optional<std::string> Quarantine::FreeName(const std::string& name) {
  // Any entry counts, hidden ones and folders too: a copy must never land on an earlier one.
  const auto taken = [this](const std::string& candidate) {
    return machine_.files.GetAttributes(common::JoinPath(Folder(), candidate)).has_value();
  };
  for (int counter = 0; counter <= kMaxCounter; ++counter) {
    const std::string candidate = CountedName(name, counter);
    if (!taken(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::string> Quarantine::CopyToQuarantine(const std::string& fullPath,
                                                        const std::string& fileName) {
  if (fileName.empty()) return std::nullopt;
  platform::Files& files = machine_.files;
  // The copy itself refuses a name that is taken (hidden files included), so it is simply made
  // under the next name until it lands: no name is looked up beforehand, which in a quarantine
  // of thousands of copies costs Windows a search of the whole folder each time. A copy that
  // failed for any other reason ends the attempt.
  for (int counter = 0; counter <= kMaxCounter; ++counter) {
    const std::string candidate = CountedName(fileName, counter);
    const std::string target = common::JoinPath(Folder(), candidate);
    const platform::FileStatus copied = files.CopyFile(fullPath, target, false);
    if (copied) return candidate;
    const bool taken = copied.Error() == platform::kErrorFileExists ||
                       copied.Error() == platform::kErrorAlreadyExists ||
                       files.FolderExists(target);
    if (!taken) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::string> Quarantine::CopyFolderToQuarantine(const std::string& folderPath,
                                                              const std::string& folderName) {
  const std::string from = WithoutTrailingSeparator(folderPath);
  std::string name = WithoutTrailingSeparator(folderName);
  if (name.empty()) name = common::GetFileName(from);
  if (name.empty()) return std::nullopt;
  const auto stored = FreeName(name);
  if (!stored) return std::nullopt;
  if (!platform::CopyFolder(machine_.files, from, common::JoinPath(Folder(), *stored)))
    return std::nullopt;
  return stored;
}

bool Quarantine::AppendRecord(const std::string& text) {
  return static_cast<bool>(machine_.files.Append(LogPath(), text));
}

bool Quarantine::LogQuarantinedFile(const std::string& fullPath, const std::string& fileName) {
  if (!logToQuarantine_) return true;
  const std::string timestamp = machine_.clock.FormatDate(machine_.clock.Now());
  return AppendRecord(timestamp + " - File: " + fileName + kCrLf + " - Location: " + fullPath +
                      kCrLf + kCrLf + kCrLf);
}

bool Quarantine::LogRemovedRegistryEntry(const std::string& keyText, const std::string& valueText) {
  if (!logToQuarantine_) return true;
  const std::string timestamp = machine_.clock.FormatDate(machine_.clock.Now());
  return AppendRecord(timestamp + " - Key: " + keyText + kCrLf + "Value: " + valueText + kCrLf +
                      kCrLf + kCrLf);
}

void Quarantine::ShowQuarantine() {
  CreateFolder();
  // The data folder lies under "Documents and Settings": unquoted, the browser would stop at the
  // first blank.
  machine_.desktop.StartProgram("explorer \"" + Folder() + "\"", platform::kSwShowNormal);
}

}  // namespace removal
