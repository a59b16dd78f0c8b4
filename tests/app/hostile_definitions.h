#pragma once

// Definition lines written by a hostile or careless definition writer, and the places that must
// survive a scan, Select All and Delete of all of them. The same table runs on the simulated
// machine and, under Wine, on the real API: the lines name places through the placeholders, so
// each machine reads them as its own Windows folder, Program Files, data folder and registry.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/file_tests.h"
#include "definitions/line_codec.h"
#include "platform/machine.h"
#include "platform/registry.h"

namespace hostile {

enum class Kind { File, Directory, Registry, Exe };

struct Line {
  Kind kind;
  std::string text;  // decoded: as the definition writer wrote it
};

// Every line names a protected place in a spelling that a plain text comparison misses, a folder
// or key that holds a protected one, or one of the program's own files. programFolderName is the
// program folder's name below Program Files, exeName the program's file name.
inline std::vector<Line> HostileLines(const std::string& programFolder,
                                      const std::string& exeName) {
  return {
      // Other spellings of protected folders.
      {Kind::Directory, "Windows=Hostile|[windir]system32\\.."},
      {Kind::Directory, "Windows=Hostile|[system]\\..\\"},
      {Kind::Directory, "Program Files=Hostile|[progfil]\\."},
      {Kind::Directory, "Root=Hostile|[progfil]\\.."},
      {Kind::Directory, "Program Files=Hostile|[drive]Program Files."},
      {Kind::Directory, "Program Files=Hostile|[drive]Program Files  "},
      {Kind::Directory, "Program Files=Hostile|[drive]PROGRA~1"},
      {Kind::Directory, "Program Files=Hostile|[drive]/Program Files/"},
      {Kind::Directory, "Root=Hostile|[drive]."},
      {Kind::Directory, "System=Hostile|[windir]\\\\system32\\\\\\"},
      // Folders that hold protected ones.
      {Kind::Directory, "Profiles=Hostile|[user].."},
      {Kind::Directory, "Profile=Hostile|[appdata].."},
      // The program's own data and folder.
      {Kind::Directory, "Data=Hostile|[appdata]AntiSpywareDAT"},
      {Kind::Directory, "Program=Hostile|" + programFolder},
      {Kind::File, "FileDefinition.dat=Hostile|[appdata]AntiSpywareDAT"},
      {Kind::File, "Safety.dat=Hostile|[appdata]AntiSpywareDAT\\"},
      {Kind::File, "date.dat=Hostile|[appdata]AntiSpywareDAT"},
      {Kind::File, exeName + "=Hostile|" + programFolder},
      {Kind::Exe, exeName + "=Hostile|" + programFolder},
      // Other spellings of vital keys, and keys that hold them.
      {Kind::Registry, "2^ Software\\Microsoft^=Hostile"},
      {Kind::Registry, "2^Software\\\\Policies^=Hostile"},
      {Kind::Registry, "2^Software\\Classes\\\\^=Hostile"},
      {Kind::Registry, "2^\\Software\\Classes\\CLSID^=Hostile"},
      {Kind::Registry, "0^CLSID^=Hostile"},
      {Kind::Registry, "2^Software\\Microsoft\\Windows NT^=Hostile"},
      {Kind::Registry, "2^SYSTEM^=Hostile"},
      {Kind::Registry, "2^SYSTEM\\ControlSet001^=Hostile"},
      {Kind::Registry, "2^SYSTEM\\CurrentControlSet\\Enum^=Hostile"},
      {Kind::Registry, "2^Software\\Wow6432Node\\Microsoft^=Hostile"},
      {Kind::Registry, "3^.DEFAULT\\Software^=Hostile"},
      {Kind::Registry, "3^.DEFAULT^=Hostile"},
      {Kind::Registry, "3^S-1-5-21-1\\Software^=Hostile"},
      {Kind::Registry, "1^Software^=Hostile"},
      {Kind::Registry, "1^   ^=Hostile"},
  };
}

// The demo threats each machine plants: a fake explorer.exe in a temporary folder, running while
// the real one runs, and a value named " " beside another value in a key of a threat. The
// removal takes the fake and its process, and the value " " alone.
inline std::vector<Line> DecoyLines() {
  return {
      {Kind::File, "explorer.exe=Fake Shell|[windir]Temp\\Fake Shell|Fake shell"},
      {Kind::Exe, "explorer.exe=Fake Shell|[windir]Temp\\Fake Shell"},
      {Kind::Registry, "1^Software\\Hostile Vendor^ =Hostile Value"},
  };
}
inline constexpr const char* kDecoyKey = "Software\\Hostile Vendor";

inline const char* FileName(Kind kind) {
  switch (kind) {
    case Kind::File:
      return "FileDefinition.dat";
    case Kind::Directory:
      return "DirectoryDefinition.dat";
    case Kind::Registry:
      return "RegistryDefinition.dat";
    case Kind::Exe:
      return "ExeDefinition.dat";
  }
  return "";
}

// Writes the lines, scrambled, as the definition files of the data folder (every file present,
// the cookies empty) and a Safety.dat that protects the real shell by name and place.
inline void WriteDefinitions(platform::Files& files, const std::string& dataFolder,
                             const std::vector<Line>& lines) {
  for (Kind kind : {Kind::File, Kind::Directory, Kind::Registry, Kind::Exe}) {
    std::string text;
    for (const Line& line : lines) {
      if (line.kind == kind) text += definitions::ScrambleText(line.text) + "\r\n";
    }
    ASSERT_TRUE(files.WriteAll(dataFolder + "\\" + FileName(kind), text));
  }
  ASSERT_TRUE(files.WriteAll(dataFolder + "\\BlockedCookies.dat", ""));
  ASSERT_TRUE(files.WriteAll(
      dataFolder + "\\Safety.dat",
      definitions::ScrambleText("SEXE|explorer.exe=Windows shell|[windir]explorer.exe") + "\r\n"));
}

// Places that must be there, unchanged, after any removal.
struct Sentinels {
  std::vector<std::string> files;
  std::vector<std::string> folders;
  std::vector<std::pair<platform::RegKey, std::string>> keys;
};

inline Sentinels VitalPlaces(const std::string& windows, const std::string& programFiles,
                             const std::string& dataFolder, const std::string& programExe) {
  Sentinels places;
  places.files = {windows + "\\explorer.exe", windows + "\\system32\\kernel32.dll",
                  dataFolder + "\\FileDefinition.dat", dataFolder + "\\Safety.dat", programExe};
  places.folders = {windows, windows + "\\system32", programFiles, dataFolder};
  using platform::kHkeyCurrentUser;
  using platform::kHkeyLocalMachine;
  places.keys = {
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion"},
      {kHkeyLocalMachine, "Software\\Classes\\CLSID"},
      {kHkeyLocalMachine, "Software\\Policies"},
      {kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services"},
      {kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Enum"},
      {kHkeyCurrentUser, "Software\\Microsoft"},
      {platform::kHkeyUsers, ".DEFAULT\\Software"},
      {kHkeyCurrentUser, kDecoyKey},
  };
  return places;
}

inline void ExpectIntact(platform::Machine& machine, const Sentinels& places) {
  for (const std::string& file : places.files) {
    EXPECT_TRUE(common::FileExists(machine.files, file)) << file;
  }
  for (const std::string& folder : places.folders) {
    EXPECT_TRUE(common::FolderExists(machine.files, folder)) << folder;
  }
  for (const auto& [hive, path] : places.keys) {
    platform::RegKey key = 0;
    EXPECT_EQ(machine.registry.OpenKey(hive, path, platform::kKeyRead, &key), 0) << path;
    if (key != 0) machine.registry.CloseKey(key);
  }
}

}  // namespace hostile
