#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace test_support {

// The repository's root folder, found from this file's place in it.
inline std::filesystem::path SourceRoot() {
  return std::filesystem::path(__FILE__).parent_path().parent_path();
}

inline std::string ReadSourceFile(const std::string& relativePath) {
  std::ifstream in(SourceRoot() / relativePath, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Compares text with a checked-in file, byte for byte. With UPDATE_GOLDEN=1 in the environment
// the file is written instead (then review the change with git diff before committing it).
inline void ExpectMatchesSourceFile(const std::string& relativePath, const std::string& actual) {
  const char* update = std::getenv("UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(SourceRoot() / relativePath, std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(ReadSourceFile(relativePath), actual)
      << relativePath << " differs; if the change is meant, run the test with UPDATE_GOLDEN=1";
}

}  // namespace test_support
