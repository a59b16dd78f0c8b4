#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/errors.h"

namespace platform {

// File attributes: the API's bits.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
// A junction or symbolic link: a folder entry that points elsewhere.
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;

// Drive types of GetDriveTypeA.
inline constexpr int kDriveUnknown = 0;
inline constexpr int kDriveNoRootDir = 1;
inline constexpr int kDriveRemovable = 2;
inline constexpr int kDriveFixed = 3;
inline constexpr int kDriveRemote = 4;
inline constexpr int kDriveCdRom = 5;
inline constexpr int kDriveRamDisk = 6;

struct DriveInfo {
  std::string letter;  // "C"
  int type = kDriveUnknown;
  bool ready = false;  // a medium is in the drive and readable
};

// The outcome of one call that changes the file system: success, or the API's error code it
// failed with. It answers `if (!files.DeleteFile(path))` like a bool, and carries its own error so
// that a caller never reads the reason of some later call.
class FileStatus {
 public:
  constexpr FileStatus() = default;
  constexpr explicit FileStatus(long error) : error_(error) {}
  constexpr explicit operator bool() const { return error_ == kErrorSuccess; }
  constexpr long Error() const { return error_; }
  friend constexpr bool operator==(FileStatus, FileStatus) = default;

 private:
  long error_ = kErrorSuccess;
};

// A file opened once and read in parts: opening a file costs Windows several times what reading
// a block of it costs, so a reader that takes several blocks keeps it open.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Up to count bytes from offset; fewer at the end of the file (and, when the system hands
  // back less, fewer before it: only an empty answer is the end). nullopt on a failure.
  virtual std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t count) = 0;
};

// The file system. Paths are Windows paths ("C:\Dir\file.txt"), compared without regard to case;
// "/" also separates. Text is 8-bit, one character per byte. Changes return their FileStatus;
// reads return nullopt (or an empty list) on any failure, and LastError then tells why. Nothing
// throws.
class Files {
 public:
  virtual ~Files() = default;

  // The directory search (FindFirstFileA/FindNextFileA): the name of the first entry that
  // matches the pattern, whose last component may hold the wildcards * and ?. Files that are
  // neither hidden nor system always qualify (read-only and archive ones too); hidden files,
  // system files and folders qualify only when alsoMatch holds kAttrHidden, kAttrSystem or
  // kAttrDirectory. "." and ".." never qualify. nullopt when nothing qualifies or on any error.
  virtual std::optional<std::string> FindFirstMatch(const std::string& pattern,
                                                    std::uint32_t alsoMatch) = 0;
  // The search for normal files that the program's file test is built on.
  std::optional<std::string> FindFirstNormalFile(const std::string& pattern) {
    return FindFirstMatch(pattern, 0);
  }
  // The folder exists (hidden and system folders included); a drive root is a folder.
  virtual bool FolderExists(const std::string& path) = 0;

  // The whole file as bytes.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // Reads up to count bytes from offset; fewer at the end of the file.
  virtual std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                            std::size_t count) = 0;
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Opens the file for reading in parts, shared with writers and deleters as ReadAt is;
  // nullptr (and LastError) when it cannot be opened. This form opens nothing: it tries a read
  // of no bytes for the open, and each read is a ReadAt. A system whose open costs overrides it.
  virtual std::unique_ptr<FileReader> OpenReader(const std::string& path);
  // Creates or replaces the file with these bytes. Like CreateFileA with CREATE_ALWAYS, it
  // refuses to replace a read-only, hidden or system file (5) or one that is in use (32).
  virtual FileStatus WriteAll(const std::string& path, const std::string& bytes) = 0;
  // Appends bytes, creating the file when missing.
  virtual FileStatus Append(const std::string& path, const std::string& bytes) = 0;
  // CopyFileA: the copy keeps the source's attributes. Without overwrite an existing target
  // is an error (80).
  virtual FileStatus CopyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
  // DeleteFileA: a read-only file (5) and a file in use (32) stay.
  virtual FileStatus DeleteFile(const std::string& path) = 0;
  // MoveFileA: renames or moves a file or folder; the target must not exist (183).
  virtual FileStatus Rename(const std::string& from, const std::string& to) = 0;
  // MoveFileExA with MOVEFILE_REPLACE_EXISTING: puts a file in the place of another in one step,
  // so that a reader finds the old file or the new one, never a part of either. The target may
  // be missing; a folder, a read-only file or a file in use is not replaced.
  virtual FileStatus ReplaceFile(const std::string& from, const std::string& to) = 0;
  // CreateDirectoryA: one level; the parent must exist.
  virtual FileStatus MakeDirectory(const std::string& path) = 0;
  // RemoveDirectoryA: an empty folder that is not read-only (5); one with entries stays (145).
  virtual FileStatus RemoveFolder(const std::string& path) = 0;
  // GetFileAttributesA / SetFileAttributesA (kAttrNormal alone clears them all).
  virtual std::optional<std::uint32_t> GetAttributes(const std::string& path) = 0;
  virtual FileStatus SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
  // Names (not paths) of the entries of a folder, files and folders alike, hidden ones too,
  // without "." and "..". Empty when the folder is empty or cannot be listed.
  virtual std::vector<std::string> ListFolder(const std::string& path) = 0;
  // The drives of the machine, in letter order.
  virtual std::vector<DriveInfo> Drives() = 0;

  // GetFullPathNameA: the absolute path Windows makes of the text before it acts on it:
  // relative to the current folder, "/" read as "\", runs of separators as one, "." and ".."
  // resolved, and the trailing dots and blanks of the last component dropped. Letter case is
  // kept as written. "" when the text is no path.
  virtual std::string FullPathName(const std::string& path) = 0;
  // GetLongPathNameA: the path with every 8.3 short component (PROGRA~1) replaced by the long
  // name it stands for. nullopt when the path does not exist.
  virtual std::optional<std::string> LongPathName(const std::string& path) = 0;

  // The API's error code of the last call; 0 after a call that succeeded.
  long LastError() const { return lastError_; }

 protected:
  // Every call ends in one of these: the error it failed with, or success.
  FileStatus Fail(long error) {
    lastError_ = error;
    return FileStatus(error);
  }
  FileStatus Succeed() {
    lastError_ = kErrorSuccess;
    return FileStatus();
  }
  // The failure an inner step of this call already recorded.
  FileStatus Failed() const { return FileStatus(lastError_); }

 private:
  long lastError_ = kErrorSuccess;
};

namespace detail {

// Each read a ReadAt of the file by its path.
class PathReader : public FileReader {
 public:
  PathReader(Files& files, std::string path) : files_(files), path_(std::move(path)) {}
  std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t count) override {
    return files_.ReadAt(path_, offset, count);
  }

 private:
  Files& files_;
  std::string path_;
};

}  // namespace detail

inline std::unique_ptr<FileReader> Files::OpenReader(const std::string& path) {
  if (!ReadAt(path, 0, 0)) return nullptr;
  return std::make_unique<detail::PathReader>(*this, path);
}

}  // namespace platform
