#pragma once

// What the simulated machine's clock, shell folders and processes must do as Windows does. Each
// check runs on the simulation natively and on the real calls under Wine, so the simulation
// cannot drift from what it stands for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/shell_folders.h"
#include "platform/system.h"

namespace machine_contracts {

// A date goes to text and back unchanged (to the second), midnight too; a number is written in
// groups of three digits.
inline void DatesAndNumbersGoBothWays(platform::Clock& clock) {
  const double afternoon =
      38792.0 + (16.0 * 3600 + 15 * 60 + 30) / 86400.0;  // 3/16/2006 4:15:30 PM
  for (double date : {afternoon, 38792.0, 46000.5}) {
    const std::string text = clock.FormatDate(date);
    const auto back = clock.ParseDate(text);
    ASSERT_TRUE(back) << text;
    EXPECT_NEAR(*back, date, 0.5 / 86400) << text;
  }
  EXPECT_FALSE(clock.ParseDate("no date at all"));
  const std::string grouped = clock.FormatWholeNumber(1234567);
  std::string digits;
  std::copy_if(grouped.begin(), grouped.end(), std::back_inserter(digits),
               [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
  EXPECT_EQ(digits, "1234567") << grouped;
  EXPECT_GT(grouped.size(), digits.size()) << "thousands are set apart";
  EXPECT_EQ(clock.FormatWholeNumber(12), "12");
  EXPECT_GT(clock.Now(), 38792.0);
}

// The folders the program asks for are real folders, named alike by both calls, without a final
// "\"; the Recycle Bin is no folder at all.
inline void ShellFoldersAreRealPlaces(platform::ShellFolders& shell, platform::Files& files) {
  for (int csidl : {platform::kCsidlAppData, platform::kCsidlProgramFiles, platform::kCsidlWindows,
                    platform::kCsidlSystem, platform::kCsidlCommonAppData}) {
    const auto path = shell.SpecialFolderPath(csidl);
    ASSERT_TRUE(path) << csidl;
    EXPECT_TRUE(files.FolderExists(*path)) << *path;
    EXPECT_TRUE(path->size() == 3 || path->back() != '\\') << *path;
    const auto located = shell.SpecialFolderLocationPath(csidl);
    ASSERT_TRUE(located) << csidl;
    EXPECT_PRED2(common::EqualsNoCase, *located, *path);
  }
  EXPECT_FALSE(shell.SpecialFolderPath(platform::kCsidlBitBucket));
}

// A running program (pid, started from path) is listed, named and stopped as the calls say.
inline void ARunningProgramIsSeenAndStopped(platform::Processes& processes, std::uint32_t pid,
                                            const std::string& path) {
  std::vector<std::uint32_t> room(1);
  EXPECT_EQ(processes.EnumProcesses(room), 4u) << "a full answer";
  room.resize(4096);
  const auto bytes = processes.EnumProcesses(room);
  ASSERT_TRUE(bytes);
  room.resize(*bytes / 4);
  EXPECT_NE(std::find(room.begin(), room.end(), pid), room.end());

  const std::string base = path.substr(path.find_last_of('\\') + 1);
  EXPECT_PRED2(common::EqualsNoCase, processes.ModuleBaseName(pid).value_or(""), base);
  EXPECT_PRED2(common::EqualsNoCase, processes.ModuleFileName(pid).value_or(""), path);
  EXPECT_FALSE(processes.ModuleBaseName(0));
  bool listed = false;
  for (const platform::ProcessEntry& entry : processes.Snapshot(platform::kSnapAll)) {
    if (entry.pid == pid) listed = common::EqualsNoCase(entry.exeFile, base);
  }
  EXPECT_TRUE(listed);

  EXPECT_FALSE(processes.WaitForExit(pid, 1));
  EXPECT_TRUE(processes.TerminateProcess(pid, 3));
  EXPECT_TRUE(processes.WaitForExit(pid, 5000));
  EXPECT_FALSE(processes.ModuleFileName(pid)) << "an ended program has no modules";
  EXPECT_TRUE(processes.WaitForExit(0xFFFFFFF0u, 1)) << "no such process is no process running";
}

// A program started from a command line becomes a process of the machine; a command line that
// names no file starts nothing. Returns the started program's id once the process list shows it
// (0 while it does not).
inline std::uint32_t StartedProgramId(platform::Processes& processes, const std::string& path) {
  const std::string base = path.substr(path.find_last_of('\\') + 1);
  for (const platform::ProcessEntry& entry : processes.Snapshot(platform::kSnapAll)) {
    if (common::EqualsNoCase(entry.exeFile, base)) return entry.pid;
  }
  return 0;
}
inline void StartingFollowsTheCommandLine(platform::Desktop& desktop, const std::string& path,
                                          const std::string& arguments) {
  EXPECT_FALSE(desktop.StartProgram("\"" + path + ".missing.exe\"", platform::kSwHide));
  EXPECT_TRUE(desktop.StartProgram("\"" + path + "\" " + arguments, platform::kSwHide));
}

}  // namespace machine_contracts
