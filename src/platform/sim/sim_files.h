#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace platform::sim {

// An in-memory file system that behaves like the real one for the calls the program makes:
// drive letters, names compared without regard to case but kept as first written, the
// read-only, hidden, system and archive attributes, file contents, files that are in use (open
// in another program without delete sharing) and the API's error codes. The search takes the
// wildcards * and ? in its last component only, as FindFirstFileA does. Every path is resolved
// as Windows resolves it ("." and "..", "/", trailing dots and blanks of the last component), and
// a long name also answers to the 8.3 short name Windows gives it (PROGRA~1 for "Program Files").
// Access rights and network paths are not modelled.
//
// A fresh file system has a fixed drive C: with an empty root and a CD-ROM drive D: without a
// disc; relative paths start from C:\.
class SimFiles : public Files {
 public:
  SimFiles();
  ~SimFiles() override;
  SimFiles(const SimFiles&) = delete;
  SimFiles& operator=(const SimFiles&) = delete;

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

  // Set-up for tests: absolute paths; missing folders on the way are made and no rule applies.
  // AddFolder sets the attributes of the last folder (hidden, system, read-only). AddFile
  // creates or replaces a file; new files carry the archive attribute, as Windows gives them.
  void AddFolder(const std::string& path, std::uint32_t attributes = 0);
  void AddFile(const std::string& path, const std::string& content,
               std::uint32_t attributes = kAttrArchive);
  // Another program holds the file open without delete sharing: it can be read but not
  // deleted, renamed or written (32), nor can the folders around it be removed.
  void SetInUse(const std::string& path, bool inUse);
  // Another program holds the file open without any sharing: besides what SetInUse stops, it
  // cannot be read or copied either (32). Its attributes and size can still be read.
  void SetLocked(const std::string& path, bool locked);
  // Adds or replaces a drive; a new drive has an empty root.
  void AddDrive(char letter, int type, bool ready);
  // Where relative paths start (an absolute folder path).
  void SetCurrentDirectory(const std::string& path);

  // The program dies after `changes` more successful changes of the file system: the next
  // change is cut short (a write or append leaves only the first half of its bytes, anything
  // else does nothing) and fails, and so does every change after it, while reads go on working.
  // What is on the disk then is what a crash at that moment would have left.
  void CrashAfterChanges(int changes) { changesLeft_ = changes; }
  bool Crashed() const { return crashed_; }

  // Inspection for tests, without rules.
  bool Exists(const std::string& path) const;
  std::optional<std::string> FileContent(const std::string& path) const;
  // How often DeleteFile was called with this path (compared without regard to case).
  int DeleteAttempts(const std::string& path) const {
    const auto found = deleteAttempts_.find(Key(path));
    return found == deleteAttempts_.end() ? 0 : found->second;
  }

 private:
  struct Node {
    std::string name;       // as first written
    std::string shortName;  // upper case; empty when the name is a valid 8.3 name itself
    bool directory = false;
    std::uint32_t attributes = 0;  // without kAttrDirectory
    bool inUse = false;
    bool locked = false;  // not even readable; implies inUse
    std::string content;
    Node* parent = nullptr;
    std::map<std::string, std::unique_ptr<Node>> children;  // by lower-case name
  };
  struct Drive {
    int type = kDriveFixed;
    bool ready = true;
    std::unique_ptr<Node> root;
  };
  // A path taken apart: its drive, the folder names from the root, and whether it ended in "".
  struct Path {
    long error = 0;  // why the text is not a usable path
    char drive = 0;
    std::vector<std::string> parts;
    bool trailingSeparator = false;
    bool wildcardInLast = false;
  };

  // Attributes a file or folder may carry besides kAttrDirectory.
  static constexpr std::uint32_t kSettableAttributes =
      kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
  // Names as the maps of a folder hold them.
  static std::string Key(std::string_view name);

  Path Parse(const std::string& text) const;
  // Replaces the short names among the parts by the long names they stand for.
  void ResolveShortNames(Path& path) const;
  // Gives a new entry of the folder its short name, as Windows does when it creates one.
  static void AssignShortName(const Node& folder, Node& entry);
  Node* Find(const Path& path) const;
  // The folder that holds the path's last component; sets the error when it is missing.
  Node* ParentOf(const Path& path);
  Node* FindForUse(const std::string& text, Path* parsed);
  // The file at the path for reading; nullptr (with the error set) for a folder or no file.
  const Node* FileForReading(const std::string& path);
  Node* MakeFolders(const Path& path);
  // Copies a file into a folder under a name, replacing a file of that name unless Windows
  // refuses to (a folder, a read-only or hidden file, one in use). Sets only the error.
  FileStatus CopyInto(const Node& file, Node& folder, const std::string& name);
  // Passes a change through the crash injection: true when it may go ahead. On the change
  // that crashes, *cut (when given) is set and the caller writes half of its bytes.
  bool MayChange(bool* cut = nullptr);
  // Lets the write that a crash cut short leave its first part behind.
  void WriteBeforeCrash(const std::function<void()>& write);

  std::map<char, Drive> drives_;
  std::string currentDirectory_ = "C:\\";
  std::map<std::string, int> deleteAttempts_;
  int changesLeft_ = -1;  // no crash planned
  bool crashed_ = false;
};

}  // namespace platform::sim
