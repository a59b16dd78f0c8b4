#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/internet.h"
#include "platform/registry.h"

namespace platform::sim {

// The kinds of call that are counted and can be made to fail; kAny counts them all.
enum class CallKind { kFile, kRegistry, kNetwork, kAny };

// What an armed call does instead of its work.
enum class Fault {
  kAccessDenied,      // 5
  kSharingViolation,  // 32
  kDiskFull,          // 112
  kPathNotFound,      // 3
  // A read of part of a file hands back half of what it asked for (the caller must ask again
  // for the rest); a read of the whole file fails (30); a write or append puts down its first
  // half and fails with a full disk; a transfer breaks off after half of the body. Other calls
  // fail with a full disk.
  kShortRead,
  // The machine loses its power: the call is not made and PowerCut is thrown out of it. What
  // the earlier calls left is what the next start of the program finds.
  kPowerCut,
};

// Thrown out of a call at a power cut. Only tests catch it: the program under test has stopped
// there, and a test goes on by starting a fresh program on the same machine.
class PowerCut : public std::exception {
 public:
  const char* what() const noexcept override { return "power cut"; }
};

// The switch for faults on a simulated machine: counts the program's file, registry and network
// calls and makes the Nth one of a kind fail. Set-up through the sims themselves (AddFile,
// PutString, Route) is not counted: only what the program asks of its machine.
class SimFaults {
 public:
  // The nth call of the kind from now on (1 for the next) fails with the fault. One fault may
  // be armed per kind; arming again replaces it.
  void FailCall(CallKind kind, int n, Fault fault);
  // Every call of the kind fails with the fault from the nth on, until Clear.
  void FailFrom(CallKind kind, int n, Fault fault);
  void Clear();
  // The calls of the kind made since the machine started (or since ResetCounts).
  int Calls(CallKind kind) const;
  void ResetCounts();
  // Whether an armed fault was hit.
  bool Fired() const { return fired_; }

  // For the faulty services: counts one call and tells its fault, if it has one. Throws
  // PowerCut when that is the fault.
  std::optional<Fault> Next(CallKind kind);

  // The API's error code a fault stands for (a file or registry call; kPowerCut never returns).
  static long ErrorCode(Fault fault);

 private:
  struct Armed {
    CallKind kind;
    int at;  // the count of the kind at which it fires
    Fault fault;
    bool repeat;
  };
  int counts_[4] = {};
  std::vector<Armed> armed_;
  bool fired_ = false;
};

// The program's view of the simulated file system, registry and network: every call is counted
// and may fail as SimFaults says, and otherwise is the sim's own call.
class FaultyFiles : public Files {
 public:
  FaultyFiles(Files& files, SimFaults& faults) : files_(files), faults_(faults) {}

  std::optional<std::string> FindFirstMatch(const std::string& pattern,
                                            std::uint32_t alsoMatch) override;
  bool FolderExists(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  FileStatus WriteAll(const std::string& path, const std::string& bytes) override;
  FileStatus Append(const std::string& path, const std::string& bytes) override;
  FileStatus CopyFile(const std::string& from, const std::string& to, bool overwrite) override;
  FileStatus DeleteFile(const std::string& path) override;
  FileStatus Rename(const std::string& from, const std::string& to) override;
  FileStatus ReplaceFile(const std::string& from, const std::string& to) override;
  FileStatus MakeDirectory(const std::string& path) override;
  FileStatus RemoveFolder(const std::string& path) override;
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
  FileStatus SetAttributes(const std::string& path, std::uint32_t attributes) override;
  std::vector<std::string> ListFolder(const std::string& path) override;
  std::vector<DriveInfo> Drives() override;
  std::string FullPathName(const std::string& path) override;
  std::optional<std::string> LongPathName(const std::string& path) override;

 private:
  // The sim's answer, with its error code taken over as this call's.
  bool Pass(bool ok);
  FileStatus Pass(FileStatus status);
  template <typename T>
  T Pass(T result) {
    files_.LastError() == kErrorSuccess ? Succeed() : Fail(files_.LastError());
    return result;
  }
  // A write cut short: the first half of the bytes goes down, then the disk is full.
  FileStatus ShortWrite(const std::string& path, const std::string& bytes, bool append);

  Files& files_;
  SimFaults& faults_;
};

class FaultyRegistry : public Registry {
 public:
  FaultyRegistry(Registry& registry, SimFaults& faults) : registry_(registry), faults_(faults) {}

  long OpenKey(RegKey parent, const std::string& subKey, std::uint32_t access,
               RegKey* result) override;
  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override;
  long CloseKey(RegKey key) override;
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                  std::vector<std::uint8_t>* data) override;
  long SetString(RegKey key, const std::string& name, const std::string& value,
                 bool expand) override;
  long SetDword(RegKey key, const std::string& name, std::uint32_t value) override;
  long SetValue(RegKey key, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data) override;
  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override;
  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteTree(RegKey parent, const std::string& subKey) override;

 private:
  Registry& registry_;
  SimFaults& faults_;
};

class FaultyInternet : public Internet {
 public:
  FaultyInternet(Internet& internet, SimFaults& faults) : internet_(internet), faults_(faults) {}
  HttpResult Get(const std::string& url, const InternetProgress& onRead) override;

 private:
  Internet& internet_;
  SimFaults& faults_;
};

}  // namespace platform::sim
