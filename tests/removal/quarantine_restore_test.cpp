// Removal followed by restore: the machine comes back as it was, byte for byte.
#include "removal/quarantine_restore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/file_tests.h"
#include "definitions/hives.h"
#include "definitions/protected_paths.h"
#include "platform/sim/sim_machine.h"
#include "removal/quarantine.h"
#include "removal/reg_file_scenario.h"
#include "removal/removal_run.h"
#include "removal/restore_point.h"
#include "removal/trace_removal.h"

namespace removal {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::sim::kSimDataFolder;

// Everything on drive C: outside the data folder (names, attributes, contents), and the two
// registry trees the scenario plants into.
std::string MachineState(platform::sim::SimMachine& sim) {
  std::string state;
  auto walk = [&](const auto& self, const std::string& folder) -> void {
    for (const std::string& name : sim.files.ListFolder(folder)) {
      const std::string path = folder + "\\" + name;
      if (common::LowerCase(path) == common::LowerCase(kSimDataFolder)) continue;
      const std::uint32_t attributes = sim.files.GetAttributes(path).value_or(0);
      state += path + " " + std::to_string(attributes);
      if (attributes & platform::kAttrDirectory) {
        state += "\n";
        self(self, path);
      } else {
        state += " [" + sim.files.FileContent(path).value_or("?") + "]\n";
      }
    }
  };
  walk(walk, "C:");
  return state + sim.registry.Dump(kHkeyCurrentUser, "Software") +
         sim.registry.Dump(kHkeyLocalMachine, "SOFTWARE");
}

WorkItem FileItem(const std::string& path, WorkKind kind = WorkKind::File) {
  return {kind, 1, 1, path, "", "", "Bad Threat"};
}

WorkItem RegistryItem(platform::RegKey hive, const std::string& key, const std::string& value) {
  return {WorkKind::Registry, 1, 1, definitions::HiveNumberText(hive), key, value, "Bad Threat"};
}

class QuarantineRestoreTest : public ::testing::Test {
 protected:
  QuarantineRestoreTest() { Plant(sim); }

  // One of every trace kind.
  static void Plant(platform::sim::SimMachine& machine) {
    machine.files.AddFile("C:\\Program Files\\Bad\\bad.exe", "MZ program");
    machine.files.AddFile("C:\\A\\x.dll", "MZ first");
    machine.files.AddFile("C:\\B\\x.dll", "MZ second");
    machine.files.AddFile("C:\\Bad\\notes.txt", "notes");
    machine.files.AddFile("C:\\Program Files\\BadTree\\a.txt", "a");
    machine.files.AddFile("C:\\Program Files\\BadTree\\sub\\deep.txt", "deep",
                          platform::kAttrReadOnly);
    machine.files.AddFolder("C:\\Program Files\\BadTree\\empty", platform::kAttrHidden);
    machine.files.AddFile("C:\\Cookies\\user@bad[1].txt", "cookie");
    reg_file_scenario::Plant(machine.registry, kHkeyCurrentUser, "Software\\BadValues");
    reg_file_scenario::Plant(machine.registry, kHkeyLocalMachine, "SOFTWARE\\BadKey");
  }

  static std::vector<WorkItem> Items() {
    std::vector<WorkItem> items = {
        FileItem("C:\\Program Files\\Bad\\bad.exe"),
        FileItem("C:\\A\\x.dll"),
        FileItem("C:\\B\\x.dll"),
        FileItem("C:\\Bad\\notes.txt"),
        FileItem("C:\\Program Files\\BadTree"),
        RegistryItem(kHkeyLocalMachine, "SOFTWARE\\BadKey", ""),
    };
    for (const char* value : {"Big", "Blob", "Count", "Empty", "Expand", "Lines", "Multi",
                              "na\"me\\x", "None", "Short", "Unended"}) {
      items.push_back(RegistryItem(kHkeyCurrentUser, "Software\\BadValues", value));
    }
    items.push_back(FileItem("C:\\Cookies\\user@bad[1].txt", WorkKind::Cookie));
    return items;
  }

  static void Remove(platform::sim::SimMachine& machine, Quarantine& quarantine) {
    RestorePoint restorePoint{machine.machine};
    definitions::ProtectedPaths protectedPaths{machine.machine};
    RemovalRun run(machine.machine, quarantine, restorePoint, protectedPaths,
                   {"Product", 0, true, 1}, {});
    run.Run(Items());
  }

  RestoreOutcome RestoreWhere(const std::string& location, bool overwrite = false) {
    for (const QuarantineEntry& entry : quarantine.Index().List()) {
      if (entry.location == location && entry.state == ItemState::Quarantined) {
        return restore.Restore(entry, overwrite);
      }
    }
    ADD_FAILURE() << "not listed: " << location;
    return RestoreOutcome::NoBackup;
  }

  platform::sim::SimMachine sim;
  std::string dataFolder = kSimDataFolder;
  Quarantine quarantine{sim.machine, dataFolder};
  definitions::ProtectedPaths protectedPaths{sim.machine};
  QuarantineRestore restore{sim.machine, quarantine, quarantine.Index(), protectedPaths};
};

TEST_F(QuarantineRestoreTest, EveryKindOfTraceComesBackAsItWas) {
  const std::string before = MachineState(sim);
  Remove(sim, quarantine);
  ASSERT_FALSE(sim.files.Exists("C:\\B\\x.dll"));
  ASSERT_FALSE(sim.files.Exists("C:\\Program Files\\BadTree"));
  ASSERT_FALSE(sim.registry.KeyExists(kHkeyLocalMachine, "SOFTWARE\\BadKey"));
  ASSERT_NE(MachineState(sim), before);

  const std::vector<QuarantineEntry> entries = quarantine.Index().List();
  std::string listed;
  for (const QuarantineEntry& entry : entries) {
    listed += KindName(entry.kind) + " " + entry.location + (entry.value.empty() ? "" : " ") +
              entry.value + " <" + entry.stored + entry.registryFile + "> " + entry.threat + "\n";
  }
  EXPECT_EQ(
      listed,
      "File C:\\Program Files\\Bad\\bad.exe <bad.exe> Bad Threat\n"
      "File C:\\A\\x.dll <x.dll> Bad Threat\n"
      "File C:\\B\\x.dll <x.dll.001> Bad Threat\n"
      "File C:\\Bad\\notes.txt <notes.txt> Bad Threat\n"
      "Folder C:\\Program Files\\BadTree <BadTree> Bad Threat\n"
      "RegistryKey HKEY_LOCAL_MACHINE\\SOFTWARE\\BadKey <Registry 1.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Big <Registry 2.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Blob <Registry 3.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Count <Registry 4.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Empty <Registry 5.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Expand <Registry 6.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Lines <Registry 7.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Multi <Registry 8.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues na\"me\\x <Registry 9.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues None <Registry 10.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Short <Registry 11.reg> Bad Threat\n"
      "RegistryValue HKEY_CURRENT_USER\\Software\\BadValues Unended <Registry 12.reg> Bad Threat\n"
      "Cookie C:\\Cookies\\user@bad[1].txt <user@bad[1].txt> Bad Threat\n");
  for (const QuarantineEntry& entry : entries) {
    EXPECT_FALSE(entry.fromLog) << entry.location;
    EXPECT_EQ(restore.Restore(entry, false), RestoreOutcome::Restored) << entry.location;
  }
  EXPECT_EQ(MachineState(sim), before);
  for (const QuarantineEntry& entry : quarantine.Index().List()) {
    EXPECT_EQ(entry.state, ItemState::Restored) << entry.location;
    EXPECT_EQ(restore.Restore(entry, true), RestoreOutcome::NotQuarantined);
  }
  // The copies left the quarantine; the registry files stay as the readable record.
  EXPECT_FALSE(sim.files.Exists(quarantine.Folder() + "\\x.dll.001"));
  EXPECT_FALSE(sim.files.Exists(quarantine.Folder() + "\\BadTree"));
  EXPECT_TRUE(sim.files.Exists(quarantine.Folder() + "\\Registry 1.reg"));
}

TEST_F(QuarantineRestoreTest, TheDefaultValueAloneComesBack) {
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Start", "", "page");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Start", "Other", "kept");
  const std::string before = sim.registry.Dump(kHkeyCurrentUser, "Software\\Start");
  quarantine.CreateFolder();
  TraceRemover remover(sim.machine, quarantine, {});
  remover.DeleteRegistryValue(kHkeyCurrentUser, "Software\\Start", "");
  ASSERT_FALSE(sim.registry.Value(kHkeyCurrentUser, "Software\\Start", ""));
  EXPECT_EQ(RestoreWhere("HKEY_CURRENT_USER\\Software\\Start"), RestoreOutcome::Restored);
  EXPECT_EQ(sim.registry.Dump(kHkeyCurrentUser, "Software\\Start"), before);
}

TEST_F(QuarantineRestoreTest, SomethingAtTheLocationIsReplacedOnlyWhenConfirmed) {
  Remove(sim, quarantine);
  sim.files.AddFile("C:\\Bad\\notes.txt", "new notes", platform::kAttrReadOnly);
  sim.files.AddFile("C:\\Program Files\\BadTree\\a.txt", "new a");
  sim.registry.PutString(kHkeyCurrentUser, "Software\\BadValues", "Blob", "new");
  sim.registry.AddKey(kHkeyLocalMachine, "SOFTWARE\\BadKey");

  for (const char* location : {"C:\\Bad\\notes.txt", "C:\\Program Files\\BadTree",
                               "HKEY_LOCAL_MACHINE\\SOFTWARE\\BadKey"}) {
    EXPECT_EQ(RestoreWhere(location), RestoreOutcome::Exists) << location;
  }
  EXPECT_EQ(sim.files.FileContent("C:\\Bad\\notes.txt"), "new notes");
  EXPECT_EQ(sim.files.FileContent("C:\\Program Files\\BadTree\\a.txt"), "new a");
  EXPECT_FALSE(sim.registry.Value(kHkeyLocalMachine, "SOFTWARE\\BadKey", "Big"));
  // A value of another name is no obstacle; the same name is.
  EXPECT_EQ(RestoreWhere("HKEY_CURRENT_USER\\Software\\BadValues"), RestoreOutcome::Restored)
      << "Big comes back beside the new Blob";

  for (const char* location : {"C:\\Bad\\notes.txt", "C:\\Program Files\\BadTree",
                               "HKEY_LOCAL_MACHINE\\SOFTWARE\\BadKey"}) {
    EXPECT_EQ(RestoreWhere(location, true), RestoreOutcome::Restored) << location;
  }
  EXPECT_EQ(sim.files.FileContent("C:\\Bad\\notes.txt"), "notes");
  EXPECT_EQ(sim.files.GetAttributes("C:\\Bad\\notes.txt"), platform::kAttrArchive);
  EXPECT_EQ(sim.files.FileContent("C:\\Program Files\\BadTree\\sub\\deep.txt"), "deep");
  EXPECT_EQ(sim.files.FileContent("C:\\Program Files\\BadTree\\a.txt"), "a");
  EXPECT_TRUE(sim.registry.Value(kHkeyLocalMachine, "SOFTWARE\\BadKey\\Sub\\Deeper", "Leaf"));
}

TEST_F(QuarantineRestoreTest, AFolderMadeSinceIsMergedIntoWhenNothingInItIsReplaced) {
  Remove(sim, quarantine);
  // Restoring a file of the folder first makes the folder again.
  sim.files.AddFile("C:\\Program Files\\BadTree\\new.txt", "new");
  EXPECT_EQ(RestoreWhere("C:\\Program Files\\BadTree"), RestoreOutcome::Restored);
  EXPECT_EQ(sim.files.FileContent("C:\\Program Files\\BadTree\\sub\\deep.txt"), "deep");
  EXPECT_EQ(sim.files.FileContent("C:\\Program Files\\BadTree\\new.txt"), "new");

  Remove(sim, quarantine);
  sim.files.AddFile("C:\\Program Files\\BadTree", "a file where the folder was");
  EXPECT_EQ(RestoreWhere("C:\\Program Files\\BadTree"), RestoreOutcome::Exists);
}

TEST_F(QuarantineRestoreTest, PurgeDeletesTheCopyForGoodAndShrinksTheQuarantine) {
  Remove(sim, quarantine);
  const std::uint64_t full = restore.QuarantineSize();
  EXPECT_GT(full, 0u);
  int purged = 0;
  for (const QuarantineEntry& entry : quarantine.Index().List()) {
    if (entry.kind == ItemKind::Folder || entry.location == "C:\\B\\x.dll" ||
        entry.kind == ItemKind::RegistryKey) {
      EXPECT_TRUE(restore.Purge(entry)) << entry.location;
      ++purged;
    }
  }
  EXPECT_EQ(purged, 3);
  EXPECT_FALSE(sim.files.Exists(quarantine.Folder() + "\\BadTree"));
  EXPECT_FALSE(sim.files.Exists(quarantine.Folder() + "\\x.dll.001"));
  EXPECT_FALSE(sim.files.Exists(quarantine.Folder() + "\\Registry 1.reg"));
  EXPECT_TRUE(sim.files.Exists(quarantine.Folder() + "\\x.dll"));
  EXPECT_LT(restore.QuarantineSize(), full);
  EXPECT_EQ(RestoreWhere("C:\\A\\x.dll"), RestoreOutcome::Restored);

  for (const QuarantineEntry& entry : quarantine.Index().List()) {
    if (entry.state != ItemState::Purged) continue;
    EXPECT_EQ(restore.Restore(entry, true), RestoreOutcome::NotQuarantined);
  }
  EXPECT_FALSE(sim.files.Exists("C:\\B\\x.dll"));
  EXPECT_TRUE(sim.files.Exists(quarantine.LogPath())) << "the log is never purged";
}

TEST_F(QuarantineRestoreTest, ARemovalCutOffAnywhereLeavesNothingGoneThatCannotComeBack) {
  // Every change of the removal in turn, until one runs to its end.
  bool ranToTheEnd = false;
  for (int changes = 0; !ranToTheEnd && changes < 400; ++changes) {
    platform::sim::SimMachine crashing;
    Plant(crashing);
    const std::string before = MachineState(crashing);
    {
      Quarantine doomed{crashing.machine, dataFolder};
      crashing.files.CrashAfterChanges(changes);
      Remove(crashing, doomed);
      ranToTheEnd = !crashing.files.Crashed();
    }
    crashing.files.Recover();
    // The program starts again and restores everything it lists, overwriting what is still
    // there (the delete after the index line may not have happened).
    Quarantine started{crashing.machine, dataFolder};
    QuarantineRestore again{crashing.machine, started, started.Index(), protectedPaths};
    for (const QuarantineEntry& entry : started.Index().List()) {
      const RestoreOutcome outcome = again.Restore(entry, true);
      // A log record the crash tore names no copy; everything the index lists comes back.
      EXPECT_TRUE(outcome == RestoreOutcome::Restored ||
                  (entry.fromLog && outcome == RestoreOutcome::NoBackup))
          << "crash after " << changes << " changes: " << entry.location;
    }
    EXPECT_EQ(MachineState(crashing), before) << "crash after " << changes << " changes";
  }
  EXPECT_TRUE(ranToTheEnd);
}

TEST_F(QuarantineRestoreTest, ADamagedIndexKeepsItsGoodLinesAndTheLogFillsIn) {
  quarantine.CreateFolder();
  sim.files.AddFile(quarantine.Folder() + "\\old.dll", "MZ old");
  sim.files.AddFile(quarantine.Folder() + "\\kept.exe", "MZ kept");
  sim.files.AddFile(
      quarantine.LogPath(),
      "3/1/2006 10:00:00 AM - File: old.dll\r\n - Location: C:\\Old\\old.dll\r\n\r\n\r\n"
      "3/1/2006 10:00:01 AM - Key: HKEY_CURRENT_USER\\Software\\Old\r\n"
      "Value: Start Page\r\n\r\n\r\n"
      "3/1/2006 10:00:02 AM - Key: -2147483646\\SOFTWARE\\Old\r\n"
      "Value: All Values\r\n\r\n\r\n"
      "3/2/2006 9:00:00 AM - File: kept.exe\r\n - Location: C:\\New\\kept.exe\r\n\r\n\r\n"
      "torn record - File: x\r\n");
  sim.files.AddFile(
      quarantine.Index().Path(),
      "garbage\r\n"
      "ITEM\t1\t38778.375\t3/2/2006 9:00:00 AM\tFile\tKept\tC:\\New\\kept.exe\t\tkept.exe\t\t0\r\n"
      "ITEM\t2\tnot a date\tx\tFile\tT\tC:\\y\t\ty\t\t0\r\n"
      "ITEM\t3\t1\tx\tGadget\tT\tC:\\y\t\ty\t\t0\r\n"
      "ITEM\t1\t1\tduplicate id\tFile\tT\tC:\\z\t\tz\t\t0\r\n"
      "ITEM\t4\t1\tbad escape %zz\tFile\tT\tC:\\z\t\tz\t\t0\r\n"
      "STATE\t9\t1\tRestored\r\n"
      "STATE\t1\t1\tSideways\r\n"
      "ITEM\t5\t38778.5\t3/2/2006 12:00:00 PM\tFile\tT%09ab\tC:\\tab\t\ttab.txt\t\t0\r\n"
      "STATE\t5\t38779\tPurged\r\n"
      "ITEM\t6\t38779\tcut sh");
  std::string listed;
  for (const QuarantineEntry& entry : quarantine.Index().List()) {
    listed += entry.id + "|" + entry.whenText + "|" + KindName(entry.kind) + "|" + entry.threat +
              "|" + entry.location + "|" + entry.value + "|" + entry.stored + "|" +
              StateName(entry.state) + (entry.fromLog ? "|from log" : "") + "\n";
  }
  EXPECT_EQ(listed,
            "1|3/2/2006 9:00:00 AM|File|Kept|C:\\New\\kept.exe||kept.exe|Quarantined\n"
            "5|3/2/2006 12:00:00 PM|File|T\tab|C:\\tab||tab.txt|Purged\n"
            "|3/1/2006 10:00:00 AM|File||C:\\Old\\old.dll||old.dll|Quarantined|from log\n"
            "|3/1/2006 10:00:01 AM|RegistryValue||HKEY_CURRENT_USER\\Software\\Old|Start "
            "Page||Quarantined|from log\n"
            "|3/1/2006 10:00:02 AM|RegistryKey||HKEY_LOCAL_MACHINE\\SOFTWARE\\Old|||Quarantined|"
            "from log\n");

  // A new line after the torn one is read whole.
  QuarantineEntry added;
  added.location = "C:\\Added\\a.txt";
  added.stored = "a.txt";
  EXPECT_EQ(quarantine.Index().Add(added), "6");
  EXPECT_EQ(quarantine.Index().List().size(), 6u);
  // So is one after a line torn by another writer since this program's last append.
  ASSERT_TRUE(sim.files.Append(quarantine.Index().Path(), "ITEM\t99\ttorn by another"));
  added.location = "C:\\Added\\b.txt";
  EXPECT_EQ(quarantine.Index().Add(added), "7");
  EXPECT_EQ(quarantine.Index().List().size(), 7u);
}

TEST_F(QuarantineRestoreTest, AnItemKnownOnlyFromTheLogIsRestoredAndThenIndexed) {
  quarantine.CreateFolder();
  sim.files.AddFile(quarantine.Folder() + "\\old.dll", "MZ old");
  sim.files.AddFile(
      quarantine.LogPath(),
      "3/1/2006 10:00:00 AM - File: old.dll\r\n - Location: C:\\Old\\old.dll\r\n\r\n\r\n"
      "3/1/2006 10:00:01 AM - Key: HKEY_CURRENT_USER\\Software\\Old\r\n"
      "Value: Start Page\r\n\r\n\r\n");
  const std::vector<QuarantineEntry> entries = quarantine.Index().List();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_GT(entries[0].when, 38000);
  EXPECT_EQ(restore.Restore(entries[1], false), RestoreOutcome::NoBackup)
      << "registry data was not kept then";
  EXPECT_EQ(restore.Restore(entries[0], false), RestoreOutcome::Restored);
  EXPECT_EQ(sim.files.FileContent("C:\\Old\\old.dll"), "MZ old");

  const std::vector<QuarantineEntry> after = quarantine.Index().List();
  ASSERT_EQ(after.size(), 2u) << "listed once, now from the index";
  EXPECT_EQ(after[0].location, "C:\\Old\\old.dll");
  EXPECT_EQ(after[0].state, ItemState::Restored);
  EXPECT_TRUE(after[0].fromLog);
  EXPECT_FALSE(after[0].id.empty());
  EXPECT_EQ(after[0].whenText, "3/1/2006 10:00:00 AM");
}

TEST_F(QuarantineRestoreTest, NothingGoesIntoAProtectedPlaceOrComesFromOutsideTheQuarantine) {
  quarantine.CreateFolder();
  sim.files.AddFile(quarantine.Folder() + "\\system32", "x");
  sim.files.AddFile("C:\\Precious\\keep.txt", "precious");
  QuarantineEntry system;
  system.kind = ItemKind::Folder;
  system.location = "C:\\WINDOWS\\system32";
  system.stored = "system32";
  EXPECT_EQ(restore.Restore(system, true), RestoreOutcome::Protected);

  QuarantineEntry escaping;
  escaping.location = "C:\\Elsewhere\\keep.txt";
  for (const char* stored :
       {"..\\..\\..\\..\\..\\Precious\\keep.txt", "C:\\Precious\\keep.txt", "", ".."}) {
    escaping.stored = stored;
    EXPECT_EQ(restore.Restore(escaping, true), RestoreOutcome::NoBackup) << stored;
    EXPECT_TRUE(restore.Purge(escaping));
  }
  EXPECT_EQ(sim.files.FileContent("C:\\Precious\\keep.txt"), "precious");
  EXPECT_TRUE(sim.files.Exists(quarantine.Folder()));
  EXPECT_FALSE(sim.files.Exists("C:\\Elsewhere"));
}

TEST_F(QuarantineRestoreTest, ExclusionTextsAreWhatTheNextScanCompares) {
  QuarantineEntry entry;
  entry.location = "C:\\Bad\\bad.exe";
  EXPECT_EQ(QuarantineRestore::ExclusionText(entry), "C:\\Bad\\bad.exe");
  entry.kind = ItemKind::RegistryValue;
  entry.location = "HKEY_CURRENT_USER\\Software\\Bad";
  entry.value = "Run";
  EXPECT_EQ(QuarantineRestore::ExclusionText(entry), "HKEY_CURRENT_USER\\Software\\BadRun");
  entry.kind = ItemKind::RegistryKey;
  EXPECT_EQ(QuarantineRestore::ExclusionText(entry), "HKEY_CURRENT_USER\\Software\\Bad");
}

TEST_F(QuarantineRestoreTest, AValueWhoseDataCannotBeSavedStays) {
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Bad", "Run", "bad.exe");
  // No quarantine folder: nothing can be saved.
  TraceRemover remover(sim.machine, quarantine, {});
  quarantine.SetLogToQuarantine(true);
  remover.DeleteRegistryValue(kHkeyCurrentUser, "Software\\Bad", "Run");
  remover.RemoveRegistryKeyEntry(kHkeyCurrentUser, "Software\\Bad");
  EXPECT_EQ(sim.registry.StringValue(kHkeyCurrentUser, "Software\\Bad", "Run"), "bad.exe");
  EXPECT_FALSE(sim.files.Exists(quarantine.LogPath()));
}

}  // namespace
}  // namespace removal
