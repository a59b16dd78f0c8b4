#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/files.h"

namespace definitions {

inline constexpr const char* kFileDefinitionFile = "FileDefinition.dat";
inline constexpr const char* kDirectoryDefinitionFile = "DirectoryDefinition.dat";
inline constexpr const char* kRegistryDefinitionFile = "RegistryDefinition.dat";
inline constexpr const char* kExeDefinitionFile = "ExeDefinition.dat";
inline constexpr const char* kBlockedCookiesFile = "BlockedCookies.dat";
inline constexpr const char* kDateFile = "date.dat";
// The transient file through which every rewrite of a file of the data folder goes.
inline constexpr const char* kTempFile = "temp.dat";
// A replacement definition file waits under its name with this in front.
inline constexpr const char* kDownloadPrefix = "DL";

// The five definition files proper, in the order the presence check tests them.
inline constexpr const char* kDefinitionFiles[] = {kFileDefinitionFile, kRegistryDefinitionFile,
                                                   kExeDefinitionFile, kBlockedCookiesFile,
                                                   kDirectoryDefinitionFile};

// The date of definitions that never had a date of their own.
inline constexpr const char* kDefaultDefinitionsDate = "3/16/2006 12:00:00 AM";

// dataFolder "\" name.
std::string DataFilePath(const std::string& dataFolder, const std::string& name);

// True when the five definition files are all in the data folder. At the first one missing,
// reportMissing runs (it shows MSG_MISSINGFILES on the status page), then every definition file
// and date.dat are deleted, so that the next Live Update fetches a whole new set.
bool CheckDefinitionFiles(platform::Files& files, const std::string& dataFolder,
                          const std::function<void()>& reportMissing);

// Deletes the five definition files and date.dat; files that are not there are no error.
void DeleteDefinitionFiles(platform::Files& files, const std::string& dataFolder);

// Puts waiting replacement copies ("DL" + name) of BlockedCookies.dat, RegistryDefinition.dat,
// FileDefinition.dat and ExeDefinition.dat in place of the installed files, in that order. A
// name without a waiting copy is left alone.
void InstallDownloadedDefinitions(platform::Files& files, const std::string& dataFolder);

// The folder beside the program where the installer leaves the starter definitions.
inline constexpr const char* kStarterFolderName = "Definitions";

// A user without a data folder (a second user of the machine, or one whose folder was removed)
// could never scan: the folder is made, with the folders above it that are missing, and the
// starter definitions of the program folder's "Definitions" folder (the five definition files,
// Safety.dat and date.dat, those that are there) are copied into it. An existing data folder is
// never touched. True when the folder was made.
bool ProvideDataFolder(platform::Files& files, const std::string& dataFolder,
                       const std::string& programFolder);

// The number of lines of each definition file (blank ones too; a missing file counts 0), as
// the scan's progress bars use them.
struct DefinitionCounts {
  std::int32_t cookies = 0;          // BlockedCookies.dat
  std::int32_t executables = 0;      // ExeDefinition.dat
  std::int32_t registry = 0;         // RegistryDefinition.dat
  std::int32_t filesAndFolders = 0;  // FileDefinition.dat and DirectoryDefinition.dat
  std::int32_t total = 0;
};
DefinitionCounts CountDefinitions(platform::Files& files, const std::string& dataFolder);

// The date of the installed definitions: the first line of date.dat, or the default date when
// there is no such file.
std::string ReadDefinitionsDate(platform::Files& files, const std::string& dataFolder);
// Replaces date.dat with the one line, written whole to temp.dat first and put in place in one
// step, so that a crash leaves the old date or the new one; false when it could not be written.
bool WriteDefinitionsDate(platform::Files& files, const std::string& dataFolder,
                          const std::string& date);

}  // namespace definitions
