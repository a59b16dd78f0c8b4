#include "definitions/line_codec.h"

#include <gtest/gtest.h>

namespace definitions {
namespace {

std::string Codes(std::initializer_list<int> codes) {
  std::string text;
  for (int code : codes) text += static_cast<char>(code);
  return text;
}

TEST(LineCodecTest, KnownCodes) {
  EXPECT_EQ(ScrambleText("abc"), Codes({161, 162, 163}));
  EXPECT_EQ(DecodeDefinitionLine(Codes({161, 162, 163})), "abc");
  EXPECT_EQ(DecodeDefinitionLine(Codes({0})), Codes({191}));
  EXPECT_EQ(DecodeDefinitionLine(Codes({255})), Codes({191}));
  EXPECT_EQ(DecodeDefinitionLine(Codes({64, 63})), Codes({0, 254}));
  EXPECT_EQ(ScrambleText("|="), Codes({188, 125}));
  // Printable text is never stored as a line break.
  for (int c = 32; c <= 126; ++c) {
    const int stored = static_cast<unsigned char>(ScrambleText(Codes({c}))[0]);
    EXPECT_TRUE(stored >= 96 && stored <= 190) << c;
  }
}

TEST(LineCodecTest, EveryByteDecodesAndEveryCodeButTheLastRoundTrips) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  const std::string stored = ScrambleText(all);
  ASSERT_EQ(stored.size(), 256u);
  const std::string plain = DecodeDefinitionLine(stored);
  ASSERT_EQ(plain.size(), 256u);
  EXPECT_EQ(plain.substr(0, 255), all.substr(0, 255));
  // Code 255 shares its stored form with code 0.
  EXPECT_EQ(stored[255], '\x40');
  EXPECT_EQ(plain[255], '\0');
  // Decoding all 256 stored codes gives every plain code 0 to 254, 191 twice.
  const std::string decoded = DecodeDefinitionLine(all);
  for (int c = 0; c < 255; ++c) {
    EXPECT_NE(decoded.find(static_cast<char>(c)), std::string::npos) << c;
  }
}

}  // namespace
}  // namespace definitions
