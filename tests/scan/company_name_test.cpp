#include "scan/company_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/sim/sim_files.h"
#include "scan/version_block.h"

namespace {

using scan::GetFileCompanyName;
using scan::kCompanyReadBlock;
using scan_test::FileAround;
using scan_test::PlainVersionBlock;
using scan_test::Utf16;
using scan_test::WideKey;
using scan_test::WideVersionBlock;

// A file system that refuses to hand over a whole file and records how much the reader asks for
// at once and how far into a file it reads.
class BoundedFiles : public platform::sim::SimFiles {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override {
    ADD_FAILURE() << "read whole: " << path;
    return std::nullopt;
  }
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override {
    largestRead = std::max(largestRead, count);
    furthestRead = std::max(furthestRead, offset + count);
    return SimFiles::ReadAt(path, offset, count);
  }
  std::size_t largestRead = 0;
  std::uint64_t furthestRead = 0;
};

// The search as the whole file in memory gives it: the reference the bounded reader must match.
std::string WholeFileCompany(const std::string& file) {
  auto wide = WideKey;
  std::size_t start = file.find(wide("StringFileInfo"));
  bool isWide = start != std::string::npos;
  std::size_t at = std::string::npos;
  std::size_t valueStart = 0;
  if (!isWide) {
    start = file.find("StringFileInfo");
    if (start == std::string::npos) start = 0;
    at = file.find("CompanyName", start);
    valueStart = at + 12;
  }
  if (at == std::string::npos) {
    isWide = true;
    at = file.find(wide("CompanyName"), start);
    valueStart = at + 26;
  }
  if (at == std::string::npos || valueStart >= file.size()) return "";
  std::string value = file.substr(valueStart);
  value = value.substr(0, value.find(std::string(3, '\0')));
  if (value.find(isWide ? wide("FileDescription") : "FileDescription") != std::string::npos) {
    for (std::size_t i = 1; i < value.size() && i <= 255; ++i) {
      if (static_cast<unsigned char>(value[i]) < 32) {
        value.resize(i - 1);
        break;
      }
    }
  }
  std::erase(value, '\0');
  return value;
}

class CompanyNameTest : public ::testing::Test {
 protected:
  std::string Company(const std::string& bytes) {
    files.AddFile(kPath, bytes);
    return GetFileCompanyName(files, kPath);
  }
  const std::string kPath = "C:\\Program Files\\Vendor\\tool.exe";
  BoundedFiles files;
};

TEST_F(CompanyNameTest, ReadsTheCompanyOfUtf16And8BitVersionBlocks) {
  EXPECT_EQ(Company(FileAround(WideVersionBlock(
                {{"CompanyName", "Quillmoor Software"}, {"FileDescription", "Tool"}}))),
            "Quillmoor Software");
  EXPECT_EQ(Company(FileAround(WideVersionBlock(
                {{"FileDescription", "Tool"}, {"CompanyName", "Soci\xE9t\xE9 X"}}))),
            "Soci\xE9t\xE9 X")
      << "the company need not come first; Latin-1 letters survive the zero removal";
  EXPECT_EQ(Company(FileAround(
                PlainVersionBlock({{"CompanyName", "Old Software"}, {"FileDescription", "Tool"}}))),
            "Old Software");
  EXPECT_EQ(Company(FileAround(WideVersionBlock({{"CompanyName", " Microsoft Corporation "}}))),
            " Microsoft Corporation ")
      << "blanks are the caller's to trim";
}

TEST_F(CompanyNameTest, EmptyCompanyBeforeTheDescriptionGivesNothing) {
  EXPECT_EQ(Company(FileAround(
                WideVersionBlock({{"CompanyName", ""}, {"FileDescription", "Demo tool"}}))),
            "");
  EXPECT_EQ(Company(FileAround(
                PlainVersionBlock({{"CompanyName", ""}, {"FileDescription", "Demo tool"}}))),
            "");
  EXPECT_EQ(Company(FileAround(WideVersionBlock({{"ProductName", "Demo"}}))), "")
      << "no company key at all";
}

TEST_F(CompanyNameTest, FilesWithoutAVersionBlockOrUnreadableGiveNothing) {
  EXPECT_EQ(Company(std::string(100000, '\0')), "");
  EXPECT_EQ(Company(""), "");
  EXPECT_EQ(GetFileCompanyName(files, "C:\\missing.exe"), "");
  files.AddFolder("C:\\Folder.exe");
  EXPECT_EQ(GetFileCompanyName(files, "C:\\Folder.exe"), "");
}

TEST_F(CompanyNameTest, AWideBlockAnywhereWinsOverPlainTextBeforeIt) {
  // A program that names the key in its own code (to ask the system for it) before its block.
  const std::string code = "\\StringFileInfo\\040904B0\\CompanyName";
  EXPECT_EQ(Company(code + FileAround(WideVersionBlock({{"CompanyName", "Real Vendor"}}))),
            "Real Vendor");
  // Without a wide block, the plain key after the plain "StringFileInfo" counts.
  EXPECT_EQ(
      Company(std::string("CompanyName\0Before\0\0\0StringFileInfo CompanyName\0After\0\0\0", 56)),
      "After");
}

TEST_F(CompanyNameTest, ALargeFileIsSearchedInBoundedBlocksAndNoFurtherThanNeeded) {
  const std::string block =
      WideVersionBlock({{"CompanyName", "Quillmoor Software"}, {"FileDescription", "Tool"}});
  std::string bytes = FileAround(block, 100 * 1024, 0);
  bytes.append(8 * 1024 * 1024, '\x90');
  EXPECT_EQ(Company(bytes), "Quillmoor Software");
  EXPECT_LE(files.largestRead, kCompanyReadBlock);
  EXPECT_LE(files.furthestRead, 3 * kCompanyReadBlock) << "it stopped once the value was known";

  // The block in the last megabytes: every block before it is read, one at a time.
  files.largestRead = 0;
  EXPECT_EQ(Company(std::string(5 * 1024 * 1024 + 3, '\x90') + FileAround(block)),
            "Quillmoor Software");
  EXPECT_LE(files.largestRead, kCompanyReadBlock);
}

TEST_F(CompanyNameTest, KeysAndValuesSplitAcrossTwoReadsAreFoundWhole) {
  const std::string block =
      WideVersionBlock({{"CompanyName", "Quillmoor Software"}, {"FileDescription", "Tool"}});
  const std::size_t keyAt = block.find(WideKey("CompanyName"));
  ASSERT_NE(keyAt, std::string::npos);
  // Every place of the read boundary from just before the "StringFileInfo" key to past the
  // value's end: inside the keys, the value and the three zero bytes that end it.
  const std::size_t infoAt = block.find(Utf16("StringFileInfo"));
  for (std::size_t cut = infoAt - 4; cut <= keyAt + 70; ++cut) {
    SCOPED_TRACE("boundary " + std::to_string(cut) + " bytes into the block");
    EXPECT_EQ(Company(std::string(kCompanyReadBlock - cut, '\x90') + block), "Quillmoor Software");
  }
}

// The keys' plain and wide forms in many orders and places around the read boundaries: the
// bounded search agrees with a search over the whole file every time.
TEST_F(CompanyNameTest, AgreesWithAWholeFileSearchWhereverTheKeysLie) {
  const std::string wideInfo = WideKey("StringFileInfo");
  const std::string wideCompany =
      WideKey("CompanyName") + std::string(4, '\0') + Utf16("Wide Co") + std::string(4, '\0');
  const std::string plainInfo = "StringFileInfo";
  const std::string plainCompany = std::string("CompanyName\0Plain Co\0\0\0", 23);
  const std::string pieces[] = {wideInfo, wideCompany, plainInfo, plainCompany};
  const std::size_t places[] = {10, kCompanyReadBlock - 9, kCompanyReadBlock + 500,
                                2 * kCompanyReadBlock - 20};
  int cases = 0;
  for (int mask = 1; mask < 16; ++mask) {
    for (int rotation = 0; rotation < 4; ++rotation) {
      std::string bytes(2 * kCompanyReadBlock + 100, 'x');
      for (int piece = 0; piece < 4; ++piece) {
        if ((mask & (1 << piece)) == 0) continue;
        const std::size_t at = places[(piece + rotation) % 4];
        bytes.replace(at, pieces[piece].size(), pieces[piece]);
      }
      ++cases;
      EXPECT_EQ(Company(bytes), WholeFileCompany(bytes))
          << "mask " << mask << " rotation " << rotation;
    }
  }
  EXPECT_EQ(cases, 60);
}

TEST_F(CompanyNameTest, AValueWithoutAnEndStopsAtTheLongestAVersionBlockCanHold) {
  std::string bytes = "StringFileInfo CompanyName" + std::string(1, '\0');
  bytes.append(3 * scan::kMaxCompanyValue, 'A');
  const std::string company = Company(bytes);
  EXPECT_EQ(company.size(), scan::kMaxCompanyValue);
  EXPECT_LE(files.largestRead, kCompanyReadBlock);

  // The longest value there can be, whose three zero bytes straddle two reads of the value.
  bytes = "CompanyName" + std::string(1, '\0') + std::string(kCompanyReadBlock - 1, 'B') +
          std::string(3, '\0');
  EXPECT_EQ(Company(bytes), std::string(kCompanyReadBlock - 1, 'B'));
}

}  // namespace
