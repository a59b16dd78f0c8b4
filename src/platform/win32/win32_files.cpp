#include "platform/win32/win32_files.h"

#include <algorithm>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

bool IsDots(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::string Join(const std::string& folder, const char* name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

// The entries of a folder, "." and ".." left out; false when the folder cannot be listed.
bool ForEachEntry(const std::string& folder, auto&& visit) {
  WIN32_FIND_DATAA data{};
  const UniqueFind search(FindFirstFileA(Join(folder, "*").c_str(), &data));
  if (!search.IsValid()) return false;
  do {
    if (!IsDots(data.cFileName)) visit(data);
  } while (FindNextFileA(search.Get(), &data) != FALSE);
  return true;
}

}  // namespace

FileStatus Win32Files::Fail() {
  return Fail(static_cast<long>(GetLastError()));
}

std::optional<std::string> Win32Files::FindFirstMatch(const std::string& pattern,
                                                      std::uint32_t alsoMatch) {
  WIN32_FIND_DATAA data{};
  const UniqueFind search(FindFirstFileA(pattern.c_str(), &data));
  if (!search.IsValid()) {
    Fail();
    return std::nullopt;
  }
  // The search returns hidden and system files and folders as well (Wine does too); which of
  // them count is the caller's choice.
  do {
    if (IsDots(data.cFileName)) continue;
    const DWORD kinds = data.dwFileAttributes &
                        (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
    if ((kinds & ~alsoMatch) != 0) continue;
    Succeed();
    return std::string(data.cFileName);
  } while (FindNextFileA(search.Get(), &data) != FALSE);
  Fail(kErrorFileNotFound);
  return std::nullopt;
}

bool Win32Files::FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {

// Others may have the file open for writing (a log being written); reading is still fine.
HANDLE OpenForReading(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Up to count bytes of the open file from offset; fewer only at its end. nullopt on a failure,
// GetLastError telling why.
std::optional<std::string> ReadFromHandle(HANDLE file, std::uint64_t offset, std::size_t count) {
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return std::nullopt;
  std::string bytes(count, '\0');
  std::size_t got = 0;
  while (got < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - got, 1 << 20));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + got, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    got += read;
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace

class Win32Files::Reader : public FileReader {
 public:
  Reader(Win32Files& files, UniqueHandle file) : files_(files), file_(std::move(file)) {}
  std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t count) override {
    auto bytes = ReadFromHandle(file_.Get(), offset, count);
    bytes ? files_.Succeed() : files_.Fail();
    return bytes;
  }

 private:
  Win32Files& files_;
  UniqueHandle file_;
};

std::optional<std::string> Win32Files::ReadAt(const std::string& path, std::uint64_t offset,
                                              std::size_t count) {
  UniqueHandle file(OpenForReading(path));
  if (!file.IsValid()) {
    Fail();
    return std::nullopt;
  }
  auto bytes = ReadFromHandle(file.Get(), offset, count);
  bytes ? Succeed() : Fail();
  return bytes;
}

std::unique_ptr<FileReader> Win32Files::OpenReader(const std::string& path) {
  UniqueHandle file(OpenForReading(path));
  if (!file.IsValid()) {
    Fail();
    return nullptr;
  }
  Succeed();
  return std::make_unique<Reader>(*this, std::move(file));
}

std::optional<std::uint64_t> Win32Files::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    Fail();
    return std::nullopt;
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    Fail(kErrorAccessDenied);
    return std::nullopt;
  }
  Succeed();
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::string> Win32Files::ReadAll(const std::string& path) {
  const auto size = FileSize(path);
  if (!size) return std::nullopt;
  // Read on to the real end: the file may have grown since its size was taken.
  std::string bytes;
  for (std::uint64_t offset = 0;;) {
    auto block =
        ReadAt(path, offset, static_cast<std::size_t>(std::max<std::uint64_t>(*size, 4096)));
    if (!block) return std::nullopt;
    if (block->empty()) break;
    offset += block->size();
    bytes += *block;
  }
  return bytes;
}

namespace {

bool WriteWhole(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

FileStatus Win32Files::WriteAll(const std::string& path, const std::string& bytes) {
  // CREATE_ALWAYS refuses to replace a read-only, hidden or system file on Windows; Wine, run
  // by root, replaces them. The check keeps the contract the same everywhere.
  const DWORD existing = GetFileAttributesA(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES &&
      (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
    return Fail(kErrorAccessDenied);
  }
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return Fail();
  return WriteWhole(file.Get(), bytes) ? Succeed() : Fail();
}

FileStatus Win32Files::Append(const std::string& path, const std::string& bytes) {
  // A read-only file cannot be opened for writing on Windows (Wine, run by root, allows it).
  const DWORD existing = GetFileAttributesA(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
    return Fail(kErrorAccessDenied);
  }
  UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return Fail();
  return WriteWhole(file.Get(), bytes) ? Succeed() : Fail();
}

namespace {

// CopyFileA as Windows does it. Windows refuses to overwrite a read-only or hidden file (5);
// Wine, run by root, does not. False with the thread's last error set. Without overwrite the
// target is not looked at first: a name that is not there costs a search of its whole folder,
// and a copy into the quarantine of thousands would pay it twice.
bool CopyOneFile(const std::string& from, const std::string& to, bool overwrite) {
  if (overwrite) {
    const DWORD existing = GetFileAttributesA(to.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))) {
      SetLastError(ERROR_ACCESS_DENIED);
      return false;
    }
  }
  return CopyFileA(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE) != FALSE;
}

}  // namespace

FileStatus Win32Files::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
  return CopyOneFile(from, to, overwrite) ? Succeed() : Fail();
}

FileStatus Win32Files::DeleteFile(const std::string& path) {
  return DeleteFileA(path.c_str()) ? Succeed() : Fail();
}

FileStatus Win32Files::Rename(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) ? Succeed() : Fail();
}

FileStatus Win32Files::ReplaceFile(const std::string& from, const std::string& to) {
  // Write-through: the call returns once the new file is on the disk, so a crash after it
  // cannot bring the old one back.
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? Succeed()
             : Fail();
}

FileStatus Win32Files::MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ? Succeed() : Fail();
}

FileStatus Win32Files::RemoveFolder(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) ? Succeed() : Fail();
}

std::optional<std::uint32_t> Win32Files::GetAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    Fail();
    return std::nullopt;
  }
  Succeed();
  return attributes;
}

FileStatus Win32Files::SetAttributes(const std::string& path, std::uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) ? Succeed() : Fail();
}

std::vector<std::string> Win32Files::ListFolder(const std::string& path) {
  std::vector<std::string> names;
  if (!ForEachEntry(path,
                    [&](const WIN32_FIND_DATAA& entry) { names.emplace_back(entry.cFileName); })) {
    Fail();
    return names;
  }
  Succeed();
  return names;
}

std::vector<DriveInfo> Win32Files::Drives() {
  std::vector<DriveInfo> drives;
  // An empty removable or CD drive must not bring up the system's "no disk" box.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (1u << i)) == 0) continue;
    const char root[4] = {static_cast<char>('A' + i), ':', '\\', '\0'};
    DriveInfo drive;
    drive.letter = std::string(1, root[0]);
    drive.type = static_cast<int>(GetDriveTypeA(root));
    drive.ready =
        GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != FALSE;
    drives.push_back(drive);
  }
  SetErrorMode(oldMode);
  Succeed();
  return drives;
}

}  // namespace platform::win32

namespace platform::win32 {

namespace {

// GetFullPathNameA and GetLongPathNameA say how much room they need when the buffer is too small:
// asked again with that. nullopt when the call fails (its error is the thread's last error).
template <typename Call>
std::optional<std::string> PathCall(Call call) {
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(length, '\0');
  }
  SetLastError(ERROR_INVALID_NAME);
  return std::nullopt;
}

}  // namespace

std::string Win32Files::FullPathName(const std::string& path) {
  const auto full = PathCall([&](char* buffer, DWORD size) {
    return GetFullPathNameA(path.c_str(), size, buffer, nullptr);
  });
  if (!full) {
    Fail();
    return {};
  }
  Succeed();
  return *full;
}

std::optional<std::string> Win32Files::LongPathName(const std::string& path) {
  const auto longForm = PathCall(
      [&](char* buffer, DWORD size) { return GetLongPathNameA(path.c_str(), buffer, size); });
  if (!longForm) {
    Fail();
    return std::nullopt;
  }
  Succeed();
  return longForm;
}

}  // namespace platform::win32
