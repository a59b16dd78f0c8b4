#include "definitions/definition_files.h"

#include <vector>

#include "common/file_tests.h"
#include "common/text_file.h"

namespace definitions {
namespace {

std::int32_t CountLines(platform::Files& files, const std::string& path) {
  common::LineReader reader(files, path);
  std::int32_t count = 0;
  std::string line;
  while (reader.ReadLine(&line)) ++count;
  return count;
}

}  // namespace

std::string DataFilePath(const std::string& dataFolder, const std::string& name) {
  return dataFolder + "\\" + name;
}

bool CheckDefinitionFiles(platform::Files& files, const std::string& dataFolder,
                          const std::function<void()>& reportMissing) {
  for (const char* name : kDefinitionFiles) {
    if (common::FileExists(files, DataFilePath(dataFolder, name))) continue;
    if (reportMissing) reportMissing();
    DeleteDefinitionFiles(files, dataFolder);
    return false;
  }
  return true;
}

void DeleteDefinitionFiles(platform::Files& files, const std::string& dataFolder) {
  for (const char* name : kDefinitionFiles) files.DeleteFile(DataFilePath(dataFolder, name));
  files.DeleteFile(DataFilePath(dataFolder, kDateFile));
}

void InstallDownloadedDefinitions(platform::Files& files, const std::string& dataFolder) {
  for (const char* name :
       {kBlockedCookiesFile, kRegistryDefinitionFile, kFileDefinitionFile, kExeDefinitionFile}) {
    const std::string waiting = DataFilePath(dataFolder, std::string(kDownloadPrefix) + name);
    if (!common::FileExists(files, waiting)) continue;
    const std::string installed = DataFilePath(dataFolder, name);
    if (common::FileExists(files, installed)) files.DeleteFile(installed);
    files.Rename(waiting, installed);
  }
}

bool ProvideDataFolder(platform::Files& files, const std::string& dataFolder,
                       const std::string& programFolder) {
  if (dataFolder.empty() || files.FolderExists(dataFolder)) return false;
  // Every missing folder on the way, from the top down.
  std::vector<std::string> missing;
  for (std::string folder = dataFolder; !folder.empty() && !files.FolderExists(folder);) {
    missing.push_back(folder);
    const std::size_t slash = folder.find_last_of('\\');
    if (slash == std::string::npos) break;
    folder.resize(slash);
  }
  for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
    files.MakeDirectory(*folder);
  }
  if (!files.FolderExists(dataFolder)) return false;
  const std::string starter = common::JoinPath(programFolder, kStarterFolderName);
  std::vector<const char*> names(std::begin(kDefinitionFiles), std::end(kDefinitionFiles));
  names.push_back("Safety.dat");
  names.push_back(kDateFile);
  for (const char* name : names) {
    const std::string from = DataFilePath(starter, name);
    if (common::FileExists(files, from))
      files.CopyFile(from, DataFilePath(dataFolder, name), false);
  }
  return true;
}

DefinitionCounts CountDefinitions(platform::Files& files, const std::string& dataFolder) {
  DefinitionCounts counts;
  counts.cookies = CountLines(files, DataFilePath(dataFolder, kBlockedCookiesFile));
  counts.executables = CountLines(files, DataFilePath(dataFolder, kExeDefinitionFile));
  counts.registry = CountLines(files, DataFilePath(dataFolder, kRegistryDefinitionFile));
  counts.filesAndFolders = CountLines(files, DataFilePath(dataFolder, kFileDefinitionFile)) +
                           CountLines(files, DataFilePath(dataFolder, kDirectoryDefinitionFile));
  counts.total = counts.cookies + counts.executables + counts.registry + counts.filesAndFolders;
  return counts;
}

std::string ReadDefinitionsDate(platform::Files& files, const std::string& dataFolder) {
  const std::string path = DataFilePath(dataFolder, kDateFile);
  if (!common::FileExists(files, path)) return kDefaultDefinitionsDate;
  common::LineReader reader(files, path);
  std::string line;
  reader.ReadLine(&line);
  return line;
}

bool WriteDefinitionsDate(platform::Files& files, const std::string& dataFolder,
                          const std::string& date) {
  const std::string temp = DataFilePath(dataFolder, kTempFile);
  if (files.WriteAll(temp, date + "\r\n") &&
      files.ReplaceFile(temp, DataFilePath(dataFolder, kDateFile))) {
    return true;
  }
  files.DeleteFile(temp);
  return false;
}

}  // namespace definitions
