#include "platform/win32/win32_shell_folders.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "definitions/placeholders.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string WindowsDirectory() {
  char path[MAX_PATH] = {};
  GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

std::string SystemDirectory() {
  char path[MAX_PATH] = {};
  GetSystemDirectoryA(path, MAX_PATH);
  return path;
}

TEST(Win32ShellFoldersTest, SpecialFoldersEndInABackslashOrAreEmpty) {
  Win32ShellFolders shell;
  Win32Files files;
  for (int csidl : {kCsidlAppData, kCsidlPrograms, kCsidlWindows, kCsidlSystem, kCsidlProgramFiles,
                    kCsidlCommonAppData, kCsidlCookies, kCsidlStartMenu}) {
    const std::string folder = definitions::GetSpecialFolder(shell, csidl);
    ASSERT_FALSE(folder.empty()) << csidl;
    EXPECT_EQ(folder.back(), '\\') << csidl;
    EXPECT_EQ(folder.find('\0'), std::string::npos);
    EXPECT_TRUE(files.FolderExists(folder)) << folder;
  }
  // The Recycle Bin has no path, nor have the non-localized Startup folders here.
  for (int csidl : {kCsidlBitBucket, kCsidlAltStartup, kCsidlCommonAltStartup}) {
    EXPECT_EQ(definitions::GetSpecialFolder(shell, csidl), "") << csidl;
  }
  EXPECT_EQ(shell.SpecialFolderLocationPath(kCsidlBitBucket), std::nullopt);
}

TEST(Win32ShellFoldersTest, PlaceholdersExpandToTheRealFolders) {
  Win32ShellFolders shell;
  const std::string windows = WithBackslash(WindowsDirectory());
  const std::string driveRoot = definitions::GetSystemDriveRoot(shell);
  EXPECT_EQ(driveRoot, windows.substr(0, 3));

  std::string text = "[WINDIR]|[windir]\\system32|[User]|[Drive]";
  definitions::ExpandPathPlaceholders(shell, text);
  EXPECT_EQ(text, windows + "|" + windows + "\\system32|[User]|[Drive]");
  EXPECT_TRUE(common::EqualsNoCase(
      definitions::ExpandLocation(shell, driveRoot, "[windir]\\system32"), SystemDirectory()));
  EXPECT_EQ(definitions::ExpandLocation(shell, driveRoot, "[drive]x"), driveRoot + "x");

  // "[user]" is the Start menu folder without its "\Start Menu" part.
  const std::string startMenu = definitions::GetSpecialFolder(shell, kCsidlStartMenu);
  const std::size_t cut = startMenu.rfind("\\Start Menu");
  ASSERT_NE(cut, std::string::npos);
  std::string user = "[user]";
  definitions::ExpandPathPlaceholders(shell, user);
  EXPECT_EQ(user, startMenu.substr(0, cut) + "\\");

  EXPECT_EQ(definitions::DataFolderPath(shell),
            definitions::GetSpecialFolder(shell, kCsidlAppData) + "AntiSpywareDAT");
}

TEST(Win32CodePageTest, ConvertsUtf8ToTheAnsiCodePageAndBack) {
  Win32CodePage codePage;
  EXPECT_EQ(codePage.FromUtf8("plain text"), "plain text");
  EXPECT_EQ(codePage.ToUtf8("plain text"), "plain text");
  EXPECT_EQ(codePage.FromUtf8(""), "");
  if (GetACP() != 1252) GTEST_SKIP() << "the prefix's ANSI code page is " << GetACP();
  EXPECT_EQ(codePage.FromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
  EXPECT_EQ(codePage.ToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(codePage.FromUtf8("\xE4\xB8\xAD"), "?");
}

}  // namespace
}  // namespace platform::win32
