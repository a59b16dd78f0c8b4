#include "common/text.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/text_file.h"
#include "platform/sim/sim_files.h"

namespace common {
namespace {

using Lines = std::vector<std::string>;

TEST(TextTest, SplitKeepsEmptyPiecesButAnEmptyTextHasNone) {
  EXPECT_EQ(Split("a|b||", "|"), (Lines{"a", "b", "", ""}));
  EXPECT_EQ(Split("abc", "|"), Lines{"abc"});
  EXPECT_EQ(Split("", "|"), Lines{});
  EXPECT_EQ(Piece(Split("a", "|"), 1), "");
}

TEST(TextTest, ReplaceIsOnePassFromTheLeft) {
  EXPECT_EQ(ReplaceAll("a\\\\\\\\b\\\\\\c", "\\\\", "\\"), "a\\\\b\\\\c");
  EXPECT_EQ(ReplaceAllNoCase("[WinDir]x[windir]", "[windir]", "W\\"), "W\\xW\\");
  EXPECT_EQ(ReplaceAllNoCase("aaa", "a", "aa"), "aaaaaa");
}

TEST(TextTest, LetterCaseCoversTheAccentedLettersOfTheCodePage) {
  EXPECT_EQ(UpperCase("abc\xE9\xFF\xF7"), "ABC\xC9\x9F\xF7");
  EXPECT_EQ(LowerCase("ABC\xC9\xD7"), "abc\xE9\xD7");
  EXPECT_TRUE(EqualsNoCase("Caf\xC9", "cAF\xE9"));
  EXPECT_EQ(UpperFirst("\xE9t\xE9"), "\xC9t\xE9");
  EXPECT_EQ(Trim("  a b \t "), "a b \t");
}

TEST(LineReaderTest, LinesEndAtCrLfLfOrALoneCrAndAFinalEndingAddsNoLine) {
  platform::sim::SimFiles files;
  files.AddFile("C:\\a.txt", "one\r\ntwo\nthree\rstill three\r\n\r\nlast");
  files.AddFile("C:\\b.txt", "x\r\n");
  files.AddFile("C:\\empty.txt", "");
  EXPECT_EQ(ReadLines(files, "C:\\a.txt"),
            (Lines{"one", "two", "three", "still three", "", "last"}));
  EXPECT_EQ(ReadLines(files, "C:\\b.txt"), Lines{"x"});
  EXPECT_EQ(ReadLines(files, "C:\\empty.txt"), Lines{});
  EXPECT_EQ(ReadLines(files, "C:\\missing.txt"), std::nullopt);
  EXPECT_EQ(SplitLines("a\r\nb\n"), (Lines{"a", "b"}));
  EXPECT_EQ(JoinLines({"a", ""}), "a\r\n\r\n");
}

TEST(LineReaderTest, ReadsLinesAcrossBlocks) {
  // Lines long enough that CR LF pairs and lines straddle the reader's 64 KB blocks.
  Lines lines;
  for (int i = 0; i < 40; ++i)
    lines.push_back(std::string(4093 + i, static_cast<char>('a' + i % 26)));
  platform::sim::SimFiles files;
  files.AddFile("C:\\big.txt", JoinLines(lines));
  EXPECT_EQ(ReadLines(files, "C:\\big.txt"), lines);
  // A file of lone CRs, one of which is the last byte of a block.
  std::string mac;
  for (const std::string& line : lines) mac += line + "\r";
  files.AddFile("C:\\mac.txt", mac);
  EXPECT_EQ(ReadLines(files, "C:\\mac.txt"), lines);
  // A CR as the last byte of the first block: its LF comes with the next block, or not.
  const std::string first(64 * 1024 - 1, 'a');
  files.AddFile("C:\\split.txt", first + "\r\nb");
  files.AddFile("C:\\lone.txt", first + "\rb");
  EXPECT_EQ(ReadLines(files, "C:\\split.txt"), (Lines{first, "b"}));
  EXPECT_EQ(ReadLines(files, "C:\\lone.txt"), (Lines{first, "b"}));
}

TEST(GroupDigitsTest, GroupsThreesFromTheRightWithAnySeparator) {
  EXPECT_EQ(GroupDigits(0, ","), "0");
  EXPECT_EQ(GroupDigits(999, ","), "999");
  EXPECT_EQ(GroupDigits(1000, ","), "1,000");
  EXPECT_EQ(GroupDigits(-123456, "."), "-123.456");
  EXPECT_EQ(GroupDigits(1234567, ""), "1234567");
  EXPECT_EQ(GroupDigits(std::numeric_limits<long long>::min(), ","),
            "-9,223,372,036,854,775,808");
}

}  // namespace
}  // namespace common
