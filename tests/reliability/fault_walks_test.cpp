// Every file, registry and network call of the program's writing steps made to fail in turn,
// with every fault, and a power cut at each: what the user cannot afford to lose survives.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/settings.h"
#include "definitions/definition_files.h"
#include "definitions/protected_paths.h"
#include "localization/cls_languages.h"
#include "localization/language_download.h"
#include "platform/registry.h"
#include "reliability/fault_walk.h"
#include "removal/quarantine.h"
#include "removal/quarantine_restore.h"
#include "removal/removal_run.h"
#include "removal/restore_point.h"
#include "update/definition_merge.h"
#include "update/http_client.h"
#include "update/update_text.h"

namespace reliability_test {
namespace {

using platform::kHkeyCurrentUser;
using platform::sim::kSimDataFolder;

// Every file below the folder (paths relative to it) with its content, read past the faults.
void CollectFiles(platform::sim::SimFiles& files, const std::string& folder,
                  const std::string& prefix, std::map<std::string, std::string>* found) {
  for (const std::string& name : files.ListFolder(folder)) {
    const std::string path = folder + "\\" + name;
    if (files.FolderExists(path)) {
      CollectFiles(files, path, prefix + name + "\\", found);
    } else if (const auto content = files.FileContent(path)) {
      (*found)[prefix + name] = *content;
    }
  }
}

bool HasValue(SimMachine& sim, const std::string& key, const std::string& name) {
  platform::RegKey handle = 0;
  if (sim.registry.OpenKey(kHkeyCurrentUser, key, platform::kKeyRead, &handle) != 0) return false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  const bool found = sim.registry.QueryValue(handle, name, &type, &data) == 0;
  sim.registry.CloseKey(handle);
  return found;
}

// The threats of the removal walk: a file, a folder with a file in it, a registry value and a
// whole key.
void PlantThreats(SimMachine& sim) {
  sim.files.AddFile("C:\\Bad\\bad.ini", "settings");
  sim.files.AddFile("C:\\Bad\\Cache\\page.htm", "page");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Bad", "Mode", "on");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\BadKey", "Id", "7");
}

void RemoveThreats(SimMachine& sim) {
  const std::string dataFolder = kSimDataFolder;  // the quarantine keeps a reference
  removal::Quarantine quarantine{sim.machine, dataFolder};
  removal::RestorePoint restorePoint{sim.machine};
  definitions::ProtectedPaths protectedPaths{sim.machine};
  removal::RemovalRun run(sim.machine, quarantine, restorePoint, protectedPaths,
                          {"Product", 0, true, 4}, {});
  run.Run({{removal::WorkKind::File, 1, 2, "C:\\Bad\\bad.ini", "", "", "Bad"},
           {removal::WorkKind::File, 2, 2, "C:\\Bad\\Cache", "", "", ""},
           {removal::WorkKind::Registry, 1, 2, "-2147483647", "Software\\Bad", "Mode", "Bad"},
           {removal::WorkKind::Registry, 2, 2, "-2147483647", "Software\\BadKey", "", "Bad"}});
}

FaultScenario Removal() {
  FaultScenario scenario;
  scenario.setUp = PlantThreats;
  scenario.run = RemoveThreats;
  scenario.check = [](SimMachine& sim, const std::string& where) {
    const std::string folder = std::string(kSimDataFolder) + "\\quarantine";
    std::map<std::string, std::string> kept;
    CollectFiles(sim.files, folder, "", &kept);
    const std::string log = kept.count("QuarantineLog.txt") ? kept["QuarantineLog.txt"] : "";
    auto backedUp = [&](const std::string& content) {
      for (const auto& [name, stored] : kept) {
        if (name != "QuarantineLog.txt" && stored == content) return true;
      }
      return false;
    };
    if (!sim.files.Exists("C:\\Bad\\bad.ini")) {
      EXPECT_TRUE(backedUp("settings")) << where << ": bad.ini deleted without a copy";
      EXPECT_NE(log.find("Location: C:\\Bad\\bad.ini"), std::string::npos)
          << where << ": bad.ini deleted without a record of where it was\n"
          << log;
    } else {
      EXPECT_EQ(sim.files.FileContent("C:\\Bad\\bad.ini"), "settings") << where;
    }
    if (!sim.files.Exists("C:\\Bad\\Cache\\page.htm")) {
      EXPECT_TRUE(backedUp("page")) << where << ": the folder deleted without a copy";
    }
    if (!HasValue(sim, "Software\\Bad", "Mode")) {
      EXPECT_NE(log.find("Value: Mode"), std::string::npos)
          << where << ": a value deleted without a record\n"
          << log;
    }
    if (!HasValue(sim, "Software\\BadKey", "Id")) {
      EXPECT_NE(log.find("Software\\BadKey"), std::string::npos)
          << where << ": a key deleted without a record\n"
          << log;
    }
  };
  return scenario;
}

TEST(FaultWalksTest, ARemovalDeletesNothingWithoutABackupAndARecord) {
  WalkEveryFault(Removal(), {CallKind::kFile, CallKind::kRegistry});
}

// A restore of everything the removal walk removes: each item ends back in its place or still
// listed in the quarantine with its copy, never neither.
FaultScenario Restore() {
  FaultScenario scenario;
  scenario.setUp = [](SimMachine& sim) {
    PlantThreats(sim);
    RemoveThreats(sim);
  };
  scenario.run = [](SimMachine& sim) {
    const std::string dataFolder = kSimDataFolder;
    removal::Quarantine quarantine{sim.machine, dataFolder};
    definitions::ProtectedPaths protectedPaths{sim.machine};
    removal::QuarantineRestore restore{sim.machine, quarantine, quarantine.Index(),
                                       protectedPaths};
    for (const removal::QuarantineEntry& entry : quarantine.Index().List()) {
      restore.Restore(entry, false);
    }
  };
  scenario.check = [](SimMachine& sim, const std::string& where) {
    const std::string dataFolder = kSimDataFolder;
    removal::Quarantine quarantine{sim.machine, dataFolder};
    const std::vector<removal::QuarantineEntry> listed = quarantine.Index().List();
    // The item is still quarantined, and what would bring it back is there.
    auto kept = [&](const std::string& location, const std::string& value) {
      for (const removal::QuarantineEntry& entry : listed) {
        if (entry.state != removal::ItemState::Quarantined || entry.location != location ||
            entry.value != value) {
          continue;
        }
        const std::string copy = quarantine.Folder() + "\\" +
                                 (entry.stored.empty() ? entry.registryFile : entry.stored);
        if (sim.files.Exists(copy)) return true;
      }
      return false;
    };
    if (sim.files.FileContent("C:\\Bad\\bad.ini") != "settings") {
      EXPECT_TRUE(kept("C:\\Bad\\bad.ini", "")) << where << ": bad.ini neither back nor kept";
    }
    if (sim.files.FileContent("C:\\Bad\\Cache\\page.htm") != "page") {
      EXPECT_TRUE(kept("C:\\Bad\\Cache", "")) << where << ": the folder neither back nor kept";
    }
    if (!HasValue(sim, "Software\\Bad", "Mode")) {
      EXPECT_TRUE(kept("HKEY_CURRENT_USER\\Software\\Bad", "Mode"))
          << where << ": the value neither back nor kept";
    }
    if (!HasValue(sim, "Software\\BadKey", "Id")) {
      EXPECT_TRUE(kept("HKEY_CURRENT_USER\\Software\\BadKey", ""))
          << where << ": the key neither back nor kept";
    }
  };
  return scenario;
}

TEST(FaultWalksTest, ARestoreLeavesEveryItemBackOrStillInTheQuarantine) {
  WalkEveryFault(Restore(), {CallKind::kFile, CallKind::kRegistry});
}

// A Live Update merge that adds to four files and deletes from a fifth.
FaultScenario Merge() {
  using update_test::Record;
  using update_test::SentEntry;
  using update_test::StoredFile;
  static const std::string text =
      Record("FILE", "ADD", SentEntry("new.exe=New|[progfil]New|Adware")) +
      Record("EXE", "ADD", SentEntry("new.exe=New|[progfil]New")) +
      Record("REG", "ADD", SentEntry("1^Software\\New^=New|key")) +
      Record("COOK", "ADD", SentEntry("tracker.example")) +
      Record("FILE", "DEL", SentEntry("a.exe=A"));
  static const char* const kFiles[] = {"FileDefinition.dat", "ExeDefinition.dat",
                                       "RegistryDefinition.dat", "BlockedCookies.dat",
                                       "DirectoryDefinition.dat"};
  auto snapshot = [](SimMachine& sim) {
    std::map<std::string, std::string> files;
    for (const char* name : kFiles) {
      files[name] =
          sim.files.FileContent(definitions::DataFilePath(kSimDataFolder, name)).value_or("");
    }
    return files;
  };
  FaultScenario scenario;
  scenario.setUp = [](SimMachine& sim) {
    auto put = [&](const char* name, const std::vector<std::string>& lines) {
      sim.files.AddFile(definitions::DataFilePath(kSimDataFolder, name), StoredFile(lines));
    };
    put("FileDefinition.dat", {"a.exe=A", "b.exe=B"});
    put("ExeDefinition.dat", {"b.exe=B"});
    put("RegistryDefinition.dat", {"1^Software\\Old^=Old|"});
    put("BlockedCookies.dat", {"old.example"});
    put("DirectoryDefinition.dat", {"[progfil]\\Old=Old"});
  };
  scenario.run = [](SimMachine& sim) {
    update::DefinitionMerge(sim.machine.files, kSimDataFolder, {}).MergeDefinitionUpdate(text);
  };
  SimMachine fresh;
  scenario.setUp(fresh);
  const auto before = snapshot(fresh);
  scenario.run(fresh);
  const auto after = snapshot(fresh);
  EXPECT_NE(before, after) << "the update changes nothing";
  scenario.check = [=](SimMachine& sim, const std::string& where) {
    const auto now = snapshot(sim);
    for (const char* name : kFiles) {
      EXPECT_TRUE(now.at(name) == before.at(name) || now.at(name) == after.at(name))
          << where << ": " << name << " is neither the old file nor the new one:\n"
          << now.at(name);
    }
  };
  return scenario;
}

TEST(FaultWalksTest, AMergeLeavesEveryDefinitionFileOldOrNewNeverHalf) {
  WalkEveryFault(Merge(), {CallKind::kFile});
}

// The per-user settings: two values written over older ones and read back.
FaultScenario SettingsWrites() {
  static const std::string key = std::string(app::kSettingsRoot) + "\\Product\\Settings";
  FaultScenario scenario;
  scenario.setUp = [](SimMachine& sim) {
    sim.registry.PutString(kHkeyCurrentUser, key, "Language", "English");
    sim.registry.PutString(kHkeyCurrentUser, key, "AutoUpdate", "0");
  };
  scenario.run = [](SimMachine& sim) {
    app::Settings settings(sim.machine);
    settings.SaveSetting("Product", "Settings", "Language", "German");
    settings.SaveSetting("Product", "Settings", "AutoUpdate", "1");
    // A read that fails gives the default, never a part of the value.
    const std::string read = settings.GetSetting("Product", "Settings", "Language", "English");
    EXPECT_TRUE(read == "German" || read == "English") << read;
  };
  scenario.check = [](SimMachine& sim, const std::string& where) {
    app::Settings settings(sim.machine);
    const std::string language = settings.GetSetting("Product", "Settings", "Language", "?");
    const std::string update = settings.GetSetting("Product", "Settings", "AutoUpdate", "?");
    EXPECT_TRUE(language == "English" || language == "German") << where << ": " << language;
    EXPECT_TRUE(update == "0" || update == "1") << where << ": " << update;
  };
  return scenario;
}

TEST(FaultWalksTest, ASettingWrittenIsTheOldValueOrTheNewOne) {
  WalkEveryFault(SettingsWrites(), {CallKind::kRegistry});
}

// The language download: the file fetched from the language server and put in place.
constexpr const char* kOldLanguages =
    "<XML_DIZ_INFO><LANGUAGE_GROUP><LANGUAGE_NAME>English</LANGUAGE_NAME>"
    "<TRANSLATION_ITEMS></TRANSLATION_ITEMS></LANGUAGE_GROUP></XML_DIZ_INFO>\r\n";
constexpr const char* kNewLanguages =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n<LANGUAGE_GROUP>\r\n"
    "<LANGUAGE_NAME>German</LANGUAGE_NAME>\r\n<TRANSLATION_ITEMS>\r\n"
    "\t\t<MSG_STOP>Abbrechen?</MSG_STOP>\r\n</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n"
    "</XML_DIZ_INFO>\r\n";

FaultScenario LanguageDownload() {
  FaultScenario scenario;
  scenario.setUp = [](SimMachine& sim) {
    sim.files.AddFile(sim.system.ProgramFolder() + "\\Localization.txt", kOldLanguages);
    sim.internet.Route("http://127.0.0.1:8080", "/Languages/0/Localization.txt",
                       [](const platform::sim::SimHttpRequest&) {
                         return platform::sim::SimHttpResponse(kNewLanguages);
                       });
  };
  scenario.run = [](SimMachine& sim) {
    update::HttpClient client(sim.machine.internet, {});
    const std::string response =
        client.GetUrlText(localization::LanguageFileAddress("http://127.0.0.1:8080", 0));
    localization::InstallLanguageFile(sim.machine.files,
                                      sim.system.ProgramFolder() + "\\Localization.txt", response);
  };
  scenario.check = [](SimMachine& sim, const std::string& where) {
    const std::string path = sim.system.ProgramFolder() + "\\Localization.txt";
    const std::string content = sim.files.FileContent(path).value_or("<gone>");
    EXPECT_TRUE(content == kOldLanguages || content == kNewLanguages)
        << where << ": the language file is\n"
        << content;
    // The next start of the program finds a language to offer.
    localization::clsLanguages languages(sim.machine);
    EXPECT_EQ(languages.LanguageNames().size(), 1u) << where;
  };
  return scenario;
}

TEST(FaultWalksTest, ALanguageDownloadLeavesTheOldFileOrTheNewOne) {
  WalkEveryFault(LanguageDownload(), {CallKind::kFile, CallKind::kNetwork});
}

}  // namespace
}  // namespace reliability_test
