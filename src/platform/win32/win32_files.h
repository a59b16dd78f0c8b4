#pragma once

#include "platform/files.h"

namespace platform::win32 {

// The file system through kernel32. Holds no handles between calls: each call opens what it
// needs and closes it before it returns; only a FileReader keeps its file open, for as long as
// its owner holds it.
class Win32Files : public Files {
 public:
  std::optional<std::string> FindFirstMatch(const std::string& pattern,
                                            std::uint32_t alsoMatch) override;
  bool FolderExists(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  std::unique_ptr<FileReader> OpenReader(const std::string& path) override;
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
  class Reader;
  using Files::Fail;
  // Records the calling thread's last error and returns it.
  FileStatus Fail();
};

}  // namespace platform::win32
