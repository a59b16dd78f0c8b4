#pragma once

#include <optional>
#include <string>

#include "platform/machine.h"
#include "removal/quarantine_index.h"

namespace removal {

// The quarantine: the "quarantine" sub-folder of the data folder, where the removal keeps a copy
// of every file, cookie and folder before it deletes it, and QuarantineLog.txt in it, the record
// of every file and registry entry it removed. The program only ever adds to both; the user
// recovers a file by copying it back by hand.
//
// The folder is flat: a file is stored under its own name and a folder as a sub-folder named
// after it, whatever folder they came from. An earlier copy is never replaced: a later file or
// folder of a name the quarantine already holds is stored as name & "." & a three-digit counter
// (x.dll, x.dll.001, x.dll.002, ...), and the file record names the stored copy.
class Quarantine {
 public:
  // dataFolder is the program's data folder, fixed at start-up; it must outlive this object.
  Quarantine(platform::Machine& machine, const std::string& dataFolder);
  Quarantine(const Quarantine&) = delete;
  Quarantine& operator=(const Quarantine&) = delete;

  // The data folder & "\quarantine", and the log in it.
  std::string Folder() const;
  std::string LogPath() const;

  // Makes the quarantine folder; an existing folder, or any other failure, is ignored.
  void CreateFolder();

  // Copies the file at fullPath into the quarantine under fileName, or under the next free
  // counted name when the quarantine already holds an entry of that name. Returns the name the
  // copy is stored under, or nullopt when no copy could be made (source missing, locked or
  // unreadable, disk full, quarantine folder missing): the caller must then keep the file.
  std::optional<std::string> CopyToQuarantine(const std::string& fullPath,
                                              const std::string& fileName);
  // Copies the folder tree at folderPath into the quarantine as a sub-folder named folderName,
  // or the next free counted name. One trailing "\" of either is ignored, and an empty name is
  // taken from the path. Returns the stored folder's name, or nullopt when any part of the tree
  // could not be copied (what was copied stays): the caller must then keep the folder.
  std::optional<std::string> CopyFolderToQuarantine(const std::string& folderPath,
                                                    const std::string& folderName);

  // The file record, while logging is on: timestamp " - File: " stored name, then
  // " - Location: " full path, then two empty lines. False when logging is on and the record
  // could not be written: the trace must then stay.
  bool LogQuarantinedFile(const std::string& fullPath, const std::string& fileName);
  // The registry record, while logging is on: timestamp " - Key: " key text, then "Value: "
  // value text, then two empty lines. False as for a file record.
  bool LogRemovedRegistryEntry(const std::string& keyText, const std::string& valueText);

  // The logging switch: off at start-up; the removal turns it on for its first pass only, so
  // its retry pass and every other user of the registry routines write nothing.
  bool LogToQuarantine() const { return logToQuarantine_; }
  void SetLogToQuarantine(bool on) { logToQuarantine_ = on; }

  // The index of what the quarantine holds, beside the log.
  QuarantineIndex& Index() { return index_; }

  // "View Quarantine": makes the folder, then opens it in the file browser in a normal, focused
  // window and returns at once. Nothing is said when the browser cannot be started.
  void ShowQuarantine();

 private:
  // name for counter 0, else name & "." & the counter in three digits.
  static std::string CountedName(const std::string& name, int counter);
  // The name to store a folder under: name while the quarantine has no entry of that name,
  // else the first free name & "." & counter. nullopt when none is free.
  std::optional<std::string> FreeName(const std::string& name);
  bool AppendRecord(const std::string& text);

  platform::Machine& machine_;
  const std::string& dataFolder_;
  bool logToQuarantine_ = false;
  QuarantineIndex index_;
};

}  // namespace removal
