#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// File attributes: the API's bits.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;

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
};

// The file system. Paths are Windows paths ("C:\Dir\file.txt"), compared without regard to case.
// Calls return false (or nullopt) on any failure; nothing throws.
class Files {
 public:
  virtual ~Files() = default;

  // The directory search for normal files: the name of the first entry matching the pattern
  // (which may hold wildcards) that is neither a folder nor hidden nor system. nullopt on no
  // match or any error.
  virtual std::optional<std::string> FindFirstNormalFile(const std::string& pattern) = 0;
  // The folder exists (hidden folders included).
  virtual bool FolderExists(const std::string& path) = 0;
  // The whole file as bytes.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // Reads up to count bytes from offset; fewer at the end of the file.
  virtual std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                            std::size_t count) = 0;
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Creates or replaces the file with these bytes.
  virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
  // Appends bytes, creating the file when missing.
  virtual bool Append(const std::string& path, const std::string& bytes) = 0;
  virtual bool CopyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool MakeDirectory(const std::string& path) = 0;
  // Copies a folder with everything in it to a new path.
  virtual bool CopyFolder(const std::string& from, const std::string& to) = 0;
  // Deletes a folder with everything in it; force also removes read-only entries.
  virtual bool DeleteFolder(const std::string& path, bool force) = 0;
  virtual std::optional<std::uint32_t> GetAttributes(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
  // Names (not paths) of the entries of a folder, files and folders alike.
  virtual std::vector<std::string> ListFolder(const std::string& path) = 0;
  // The drives of the machine, in letter order.
  virtual std::vector<DriveInfo> Drives() = 0;
};

}  // namespace platform
