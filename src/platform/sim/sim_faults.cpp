#include "platform/sim/sim_faults.h"

#include <algorithm>

#include "platform/errors.h"

namespace platform::sim {

void SimFaults::FailCall(CallKind kind, int n, Fault fault) {
  std::erase_if(armed_, [kind](const Armed& armed) { return armed.kind == kind; });
  armed_.push_back({kind, counts_[static_cast<int>(kind)] + n, fault, false});
}

void SimFaults::FailFrom(CallKind kind, int n, Fault fault) {
  std::erase_if(armed_, [kind](const Armed& armed) { return armed.kind == kind; });
  armed_.push_back({kind, counts_[static_cast<int>(kind)] + n, fault, true});
}

void SimFaults::Clear() {
  armed_.clear();
  fired_ = false;
}

int SimFaults::Calls(CallKind kind) const {
  return counts_[static_cast<int>(kind)];
}

void SimFaults::ResetCounts() {
  for (int& count : counts_) count = 0;
  armed_.clear();
}

std::optional<Fault> SimFaults::Next(CallKind kind) {
  const int count = ++counts_[static_cast<int>(kind)];
  const int any = ++counts_[static_cast<int>(CallKind::kAny)];
  for (const Armed& armed : armed_) {
    const int seen = armed.kind == CallKind::kAny ? any : count;
    if (armed.kind != kind && armed.kind != CallKind::kAny) continue;
    if (seen != armed.at && !(armed.repeat && seen > armed.at)) continue;
    fired_ = true;
    if (armed.fault == Fault::kPowerCut) {
      // The machine stays off: nothing the program still tries while it unwinds gets through.
      armed_ = {{CallKind::kAny, 0, Fault::kPowerCut, true}};
      throw PowerCut();
    }
    return armed.fault;
  }
  return std::nullopt;
}

long SimFaults::ErrorCode(Fault fault) {
  switch (fault) {
    case Fault::kAccessDenied:
      return kErrorAccessDenied;
    case Fault::kSharingViolation:
      return kErrorSharingViolation;
    case Fault::kPathNotFound:
      return kErrorPathNotFound;
    case Fault::kDiskFull:
    case Fault::kShortRead:
    case Fault::kPowerCut:
      break;
  }
  return kErrorDiskFull;
}

// Files.

bool FaultyFiles::Pass(bool ok) {
  files_.LastError() == kErrorSuccess ? Succeed() : Fail(files_.LastError());
  return ok;
}

FileStatus FaultyFiles::Pass(FileStatus status) {
  return status ? Succeed() : Fail(status.Error());
}

FileStatus FaultyFiles::ShortWrite(const std::string& path, const std::string& bytes, bool append) {
  const std::string half = bytes.substr(0, bytes.size() / 2);
  append ? files_.Append(path, half) : files_.WriteAll(path, half);
  return Fail(kErrorDiskFull);
}

std::optional<std::string> FaultyFiles::FindFirstMatch(const std::string& pattern,
                                                       std::uint32_t alsoMatch) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    Fail(SimFaults::ErrorCode(*fault));
    return std::nullopt;
  }
  return Pass(files_.FindFirstMatch(pattern, alsoMatch));
}

bool FaultyFiles::FolderExists(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    Fail(SimFaults::ErrorCode(*fault));
    return false;
  }
  return Pass(files_.FolderExists(path));
}

std::optional<std::string> FaultyFiles::ReadAll(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    // The whole file was asked for and less came: the read fails.
    Fail(*fault == Fault::kShortRead ? kErrorReadFault : SimFaults::ErrorCode(*fault));
    return std::nullopt;
  }
  return Pass(files_.ReadAll(path));
}

std::optional<std::string> FaultyFiles::ReadAt(const std::string& path, std::uint64_t offset,
                                               std::size_t count) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    if (*fault == Fault::kShortRead) return Pass(files_.ReadAt(path, offset, count / 2));
    Fail(SimFaults::ErrorCode(*fault));
    return std::nullopt;
  }
  return Pass(files_.ReadAt(path, offset, count));
}

std::optional<std::uint64_t> FaultyFiles::FileSize(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    Fail(SimFaults::ErrorCode(*fault));
    return std::nullopt;
  }
  return Pass(files_.FileSize(path));
}

FileStatus FaultyFiles::WriteAll(const std::string& path, const std::string& bytes) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    if (*fault == Fault::kShortRead) return ShortWrite(path, bytes, false);
    return Fail(SimFaults::ErrorCode(*fault));
  }
  return Pass(files_.WriteAll(path, bytes));
}

FileStatus FaultyFiles::Append(const std::string& path, const std::string& bytes) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    if (*fault == Fault::kShortRead) return ShortWrite(path, bytes, true);
    return Fail(SimFaults::ErrorCode(*fault));
  }
  return Pass(files_.Append(path, bytes));
}

FileStatus FaultyFiles::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
  if (const auto fault = faults_.Next(CallKind::kFile)) return Fail(SimFaults::ErrorCode(*fault));
  return Pass(files_.CopyFile(from, to, overwrite));
}

FileStatus FaultyFiles::DeleteFile(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) return Fail(SimFaults::ErrorCode(*fault));
  return Pass(files_.DeleteFile(path));
}

FileStatus FaultyFiles::Rename(const std::string& from, const std::string& to) {
  if (const auto fault = faults_.Next(CallKind::kFile)) return Fail(SimFaults::ErrorCode(*fault));
  return Pass(files_.Rename(from, to));
}

FileStatus FaultyFiles::ReplaceFile(const std::string& from, const std::string& to) {
  if (const auto fault = faults_.Next(CallKind::kFile)) return Fail(SimFaults::ErrorCode(*fault));
  return Pass(files_.ReplaceFile(from, to));
}

FileStatus FaultyFiles::MakeDirectory(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) return Fail(SimFaults::ErrorCode(*fault));
  return Pass(files_.MakeDirectory(path));
}

FileStatus FaultyFiles::RemoveFolder(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) return Fail(SimFaults::ErrorCode(*fault));
  return Pass(files_.RemoveFolder(path));
}

std::optional<std::uint32_t> FaultyFiles::GetAttributes(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    Fail(SimFaults::ErrorCode(*fault));
    return std::nullopt;
  }
  return Pass(files_.GetAttributes(path));
}

FileStatus FaultyFiles::SetAttributes(const std::string& path, std::uint32_t attributes) {
  if (const auto fault = faults_.Next(CallKind::kFile)) return Fail(SimFaults::ErrorCode(*fault));
  return Pass(files_.SetAttributes(path, attributes));
}

std::vector<std::string> FaultyFiles::ListFolder(const std::string& path) {
  if (const auto fault = faults_.Next(CallKind::kFile)) {
    Fail(SimFaults::ErrorCode(*fault));
    return {};
  }
  return Pass(files_.ListFolder(path));
}

// Asking for the drives, the full or the long form of a path touches no disk: they are not
// counted, so that a walk spends its faults on calls that can fail.
std::vector<DriveInfo> FaultyFiles::Drives() {
  return Pass(files_.Drives());
}

std::string FaultyFiles::FullPathName(const std::string& path) {
  return Pass(files_.FullPathName(path));
}

std::optional<std::string> FaultyFiles::LongPathName(const std::string& path) {
  return Pass(files_.LongPathName(path));
}

// Registry.

namespace {

long RegistryError(Fault fault) {
  return fault == Fault::kShortRead ? kErrorMoreData : SimFaults::ErrorCode(fault);
}

}  // namespace

long FaultyRegistry::OpenKey(RegKey parent, const std::string& subKey, std::uint32_t access,
                             RegKey* result) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.OpenKey(parent, subKey, access, result);
}

long FaultyRegistry::CreateKey(RegKey parent, const std::string& subKey, RegKey* result) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.CreateKey(parent, subKey, result);
}

// A key is closed on every path out, unwinding from a power cut too: not counted, never fails.
long FaultyRegistry::CloseKey(RegKey key) {
  return registry_.CloseKey(key);
}

long FaultyRegistry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                                std::vector<std::uint8_t>* data) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.QueryValue(key, name, type, data);
}

long FaultyRegistry::SetString(RegKey key, const std::string& name, const std::string& value,
                               bool expand) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.SetString(key, name, value, expand);
}

long FaultyRegistry::SetDword(RegKey key, const std::string& name, std::uint32_t value) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.SetDword(key, name, value);
}

long FaultyRegistry::SetValue(RegKey key, const std::string& name, std::uint32_t type,
                              const std::vector<std::uint8_t>& data) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.SetValue(key, name, type, data);
}

long FaultyRegistry::EnumKey(RegKey key, std::uint32_t index, std::string* name) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.EnumKey(key, index, name);
}

long FaultyRegistry::EnumValue(RegKey key, std::uint32_t index, std::string* name) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.EnumValue(key, index, name);
}

long FaultyRegistry::DeleteValue(RegKey key, const std::string& name) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.DeleteValue(key, name);
}

long FaultyRegistry::DeleteTree(RegKey parent, const std::string& subKey) {
  if (const auto fault = faults_.Next(CallKind::kRegistry)) return RegistryError(*fault);
  return registry_.DeleteTree(parent, subKey);
}

// Network.

HttpResult FaultyInternet::Get(const std::string& url, const InternetProgress& onRead) {
  if (const auto fault = faults_.Next(CallKind::kNetwork)) {
    if (*fault != Fault::kShortRead) return {false, kInternetCannotConnect, {}};
    HttpResult result = internet_.Get(url, onRead);
    result.body.resize(result.body.size() / 2);
    return {false, kInternetConnectionAborted, result.body};
  }
  return internet_.Get(url, onRead);
}

}  // namespace platform::sim
