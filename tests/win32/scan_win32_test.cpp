// The file and registry stages against real files and a real registry: version blocks made by
// the resource compiler, attributes set through the file system and values of every type. (The
// starter definitions' demo threats are found and removed in removal_flow_win32_test.cpp.)
#include <gtest/gtest.h>

#include "test_folders.h"

#include <cstring>
#include <string>
#include <vector>

#include "definitions/placeholders.h"
#include "platform/folder_tree.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/windows_api.h"
#include "scan/company_name.h"
#include "scan/registry_related.h"
#include "scan/stage_harness.h"
#include "scan/version_block.h"
#include "ui/dump.h"

#include <sddl.h>
#include <shlwapi.h>
#include <winver.h>

namespace {

using namespace win32_test;

std::string Fixture(const char* name) {
  return ExeFolder() + "\\" + name + ".exe";
}

// The company as the system's version functions read it, for comparison.
std::string SystemCompany(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return "";
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return "";
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\CompanyName",
                      reinterpret_cast<void**>(&value), &length) ||
      value == nullptr) {
    return "";
  }
  return std::string(value, strnlen(value, length));
}

// Every test has its own folder under the temporary folder (the data folder and the files it
// plants) and its own keys under HKCU\Software and HKLM\Software, all removed afterwards.
class ScanWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string name = "ScanTest." + std::to_string(GetCurrentProcessId()) + "." +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = std::string(temp) + name;
    key_ = "Software\\" + name;
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    platform::DeleteFolder(real.machine.files, folder_, true);
    SHDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, key_.c_str());
  }
  std::string In(const std::string& name) const { return folder_ + "\\" + name; }
  void Definitions(const char* file, const std::vector<std::string>& lines) {
    ASSERT_TRUE(scan_test::WriteDefinitionFile(real.machine.files, folder_, file, lines));
  }
  void SetValue(HKEY root, const std::string& name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
    RegCloseKey(key);
  }

  platform::win32::Win32Machine real;
  std::string folder_;
  std::string key_;
};

TEST_F(ScanWin32Test, CompanyOfRealProgramsAgreesWithTheSystemsVersionFunctions) {
  const std::pair<const char*, const char*> fixtures[] = {
      {"company_microsoft", "Microsoft Corporation"},
      {"company_microsoft_blanks", "  MICROSOFT corporation "},
      {"company_vendor", "Demo Adware Inc."},
      {"company_empty", ""},
      {"company_none", ""}};
  for (const auto& [name, company] : fixtures) {
    const std::string path = Fixture(name);
    ASSERT_TRUE(real.machine.files.FileSize(path)) << path;
    EXPECT_EQ(scan::GetFileCompanyName(real.machine.files, path), company) << name;
    EXPECT_EQ(SystemCompany(path), company) << name;
  }
  // The test program carries the program's own version block and names the key in its code.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_EQ(scan::GetFileCompanyName(real.machine.files, self), BRAND_COMPANY);
}

TEST_F(ScanWin32Test, AProgramInsideALargeFileIsFoundAcrossReadBoundaries) {
  const auto program = real.machine.files.ReadAll(Fixture("company_vendor"));
  ASSERT_TRUE(program);
  const std::size_t key = program->find(scan_test::WideKey("CompanyName"));
  ASSERT_NE(key, std::string::npos);
  // The key straddles the boundary of the 48th read, after megabytes without a version block.
  const std::size_t boundary = 48 * scan::kCompanyReadBlock;
  std::string bytes(boundary - key - 9, '\x90');
  bytes += *program;
  bytes.append(2 * 1024 * 1024, '\0');
  ASSERT_TRUE(real.machine.files.WriteAll(In("disk.img"), bytes));
  EXPECT_EQ(scan::GetFileCompanyName(real.machine.files, In("disk.img")), "Demo Adware Inc.");
  EXPECT_EQ(scan::GetFileCompanyName(real.machine.files, In("missing.img")), "");
}

TEST_F(ScanWin32Test, FileStageSkipsHiddenFilesAndMicrosoftsButFindsHiddenFolders) {
  for (const char* name : {"company_microsoft", "company_microsoft_blanks", "company_vendor",
                           "company_empty", "company_none"}) {
    ASSERT_TRUE(CopyFileA(Fixture(name).c_str(), In(std::string(name) + ".exe").c_str(), FALSE));
  }
  ASSERT_TRUE(CopyFileA(Fixture("company_vendor").c_str(), In("hidden.exe").c_str(), FALSE));
  ASSERT_TRUE(SetFileAttributesA(In("hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(CreateDirectoryA(In("Hidden Folder").c_str(), nullptr));
  ASSERT_TRUE(SetFileAttributesA(In("Hidden Folder").c_str(), FILE_ATTRIBUTE_HIDDEN));
  Definitions(
      "FileDefinition.dat",
      {"company_microsoft.exe=Lookalike|" + folder_,
       "company_microsoft_blanks.exe=Lookalike Two|" + folder_,
       "company_vendor.exe=Vendor|" + folder_ + "|Adware", "company_empty.exe=Empty|" + folder_,
       "company_none.exe=None|" + folder_, "hidden.exe=Hidden|" + folder_});
  Definitions("DirectoryDefinition.dat", {"Hidden Folder=Hidden Folder|" + In("Hidden Folder"),
                                          "Absent=Absent Folder|" + In("Absent")});

  scan_test::StageHarness stage{real.machine, folder_};
  stage.RunFileStages();
  EXPECT_EQ(ui::DumpRows(stage.found),
            "<3> Vendor - Found\n<3> Empty - Found\n<3> None - Found\n"
            "<4> Hidden Folder - Found\n");
  EXPECT_EQ(stage.details.Item(0).Column(1), In("company_vendor.exe"));
  EXPECT_EQ(stage.details.Item(0).Column(2), "Adware");
  EXPECT_EQ(stage.counters.filesAndFoldersInspected, 8);
  EXPECT_EQ(stage.traces.Caption(), "4");
}

TEST_F(ScanWin32Test, RegistryStageFindsTextAndNumbersOnlyUnderBothHives) {
  SetValue(HKEY_CURRENT_USER, "Text", REG_SZ, std::string("demo\0", 5));
  SetValue(HKEY_CURRENT_USER, "Expand", REG_EXPAND_SZ, std::string("%windir%\0", 9));
  SetValue(HKEY_CURRENT_USER, "Number", REG_DWORD, std::string("\x07\0\0\0", 4));
  SetValue(HKEY_CURRENT_USER, "Binary", REG_BINARY, std::string("\x01\x02", 2));
  SetValue(HKEY_CURRENT_USER, "Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  SetValue(HKEY_CURRENT_USER, "None", REG_NONE, "");
  SetValue(HKEY_CURRENT_USER, "Qword", REG_QWORD, std::string(8, '\x01'));
  SetValue(HKEY_LOCAL_MACHINE, "Machine", REG_DWORD, std::string("\x01\0\0\0", 4));
  HKEY sub = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, (key_ + "\\Sub Key").c_str(), &sub), ERROR_SUCCESS);
  RegCloseKey(sub);
  std::vector<std::string> lines;
  for (const char* value :
       {"Text", "Expand", "Number", "Binary", "Multi", "None", "Qword", "Missing"}) {
    lines.push_back("1^" + key_ + "^" + value + "=" + value + " Threat|Type " + value);
  }
  lines.push_back("1^" + key_ + "\\Sub Key^=Key Threat");
  lines.push_back("1^" + key_ + "\\No Key^=Missing Key Threat");
  lines.push_back("2^" + key_ + "^Machine=Machine Threat");
  lines.push_back("2^" + key_ + "^=Machine Key Threat");
  Definitions("RegistryDefinition.dat", lines);

  scan_test::StageHarness stage{real.machine, folder_};
  stage.RunRegistryStage();
  const std::string user = "HKEY_CURRENT_USER\\" + key_;
  const std::string machine = "HKEY_LOCAL_MACHINE\\" + key_;
  EXPECT_EQ(ui::DumpRows(stage.details),
            "<2> Text Threat | " + user + "Text | Type Text\n" + "<2> Expand Threat | " + user +
                "Expand | Type Expand\n" + "<2> Number Threat | " + user +
                "Number | Type Number\n" + "<2> Key Threat | " + user + "\\Sub Key | \n" +
                "<2> Machine Threat | " + machine + "Machine | \n" + "<2> Machine Key Threat | " +
                machine + " | \n");
  EXPECT_EQ(stage.registry.Item(4).text, "-2147483646");
  EXPECT_EQ(stage.registry.Item(0).text, "-2147483647");
  EXPECT_EQ(stage.counters.registryEntriesInspected, 12);
}

TEST_F(ScanWin32Test, AKeyTheUserMayOnlyReadCountsAsAbsent) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, key_.c_str(), &key), ERROR_SUCCESS);
  RegSetValueExA(key, "Value", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
  PSECURITY_DESCRIPTOR readOnly = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr));
  const LONG secured = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly);
  LocalFree(readOnly);
  RegCloseKey(key);
  ASSERT_EQ(secured, ERROR_SUCCESS);

  HKEY probe = nullptr;
  const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, 0x3F, &probe);
  if (opened == ERROR_SUCCESS) RegCloseKey(probe);
  const bool keyExists =
      scan::RegKeyExists(real.machine.registry, platform::kHkeyCurrentUser, key_);
  std::string data;
  const bool valueRead =
      scan::RegReadValue(real.machine.registry, platform::kHkeyCurrentUser, key_, "Value", &data);

  // Give the key back its rights so that it can be removed.
  PSECURITY_DESCRIPTOR open = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KA;;;WD)", SDDL_REVISION_1, &open,
                                                       nullptr);
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, open);
    RegCloseKey(key);
  }
  LocalFree(open);

  if (opened == ERROR_SUCCESS) GTEST_SKIP() << "this Wine does not enforce key security";
  EXPECT_EQ(opened, ERROR_ACCESS_DENIED);
  EXPECT_FALSE(keyExists);
  EXPECT_FALSE(valueRead);
  EXPECT_TRUE(scan::RegKeyExists(real.machine.registry, platform::kHkeyCurrentUser, "Software"));
}

}  // namespace
