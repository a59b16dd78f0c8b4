#include "removal/reg_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_machine.h"
#include "removal/reg_file_scenario.h"

namespace removal {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

class RegFileTest : public ::testing::Test {
 protected:
  platform::sim::SimMachine sim;
  platform::Registry& registry = sim.registry;
};

TEST_F(RegFileTest, KeyRoundTripsThroughItsFile) {
  reg_file_scenario::KeyRoundTripsThroughItsFile(registry, "Software\\Vendor");
  EXPECT_EQ(sim.registry.OpenHandleCount(), 0u);
}

TEST_F(RegFileTest, ValueRoundTripsThroughItsFile) {
  reg_file_scenario::ValueRoundTripsThroughItsFile(registry, "Software\\Vendor");
  EXPECT_EQ(sim.registry.OpenHandleCount(), 0u);
}

TEST_F(RegFileTest, ImportedTreeMatchesTheOriginalByteForByte) {
  reg_file_scenario::Plant(registry, kHkeyLocalMachine, "SOFTWARE\\Vendor");
  const std::string before = sim.registry.Dump(kHkeyLocalMachine, "SOFTWARE\\Vendor");
  const auto text = ExportRegistryKey(registry, kHkeyLocalMachine, "SOFTWARE\\Vendor");
  ASSERT_TRUE(text);
  ASSERT_EQ(registry.DeleteTree(kHkeyLocalMachine, "SOFTWARE\\Vendor"), 0);
  EXPECT_TRUE(ImportRegFile(registry, *text));
  EXPECT_EQ(sim.registry.Dump(kHkeyLocalMachine, "SOFTWARE\\Vendor"), before);
}

TEST_F(RegFileTest, ReadsWhatAPersonMayWriteAndSkipsWhatItCannotRead) {
  const std::string text =
      "\r\nREGEDIT4\n"
      "; a comment\n"
      "[HKEY_CURRENT_USER\\Software\\Hand]\n"
      "\"Spaced\" = \"text\"\n"
      "\"Wrapped\"=hex:01,\\\n"
      "    02,  03\n"
      "\"Upper\"=DWORD:0000FFFF\n"
      "\"Bad hex\"=hex:1,xyz\n"
      "\"Unclosed\n"
      "\"Bad number\"=dword:123456789\n"
      "[HKEY_NOWHERE\\Software\\Lost]\n"
      "\"Lost\"=\"not written anywhere\"\n"
      "[HKEY_CURRENT_USER\\Software\\Hand\\Gone]\n"
      "[-HKEY_CURRENT_USER\\Software\\Hand\\Gone]\n"
      "[HKEY_CURRENT_USER\\Software\\Hand]\n"
      "\"Spaced\"=-\n"
      "\"Last\"=hex(b):01,00,00,00,00,00,00,00";
  EXPECT_FALSE(ImportRegFile(registry, text)) << "some lines were not applied";
  EXPECT_EQ(sim.registry.Dump(kHkeyCurrentUser, "Software\\Hand"),
            "Software\\Hand\n"
            "  Last = type 11 01 00 00 00 00 00 00 00\n"
            "  Upper = REG_DWORD 65535\n"
            "  Wrapped = REG_BINARY 01 02 03\n");
  EXPECT_FALSE(sim.registry.KeyExists(kHkeyCurrentUser, "Software\\Lost"));
}

TEST_F(RegFileTest, OnlyARegedit4FileIsRead) {
  for (const char* text : {"", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]",
                           "[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"y\""}) {
    EXPECT_FALSE(ImportRegFile(registry, text)) << text;
  }
  EXPECT_FALSE(sim.registry.KeyExists(kHkeyCurrentUser, "A"));
  EXPECT_TRUE(ImportRegFile(registry, "REGEDIT4\r\n"));
}

TEST_F(RegFileTest, AKeyThatCannotBeWrittenIsReportedAndItsValuesGoNowhere) {
  sim.registry.AddKey(kHkeyCurrentUser, "Software\\Locked");
  sim.registry.ProtectKey(kHkeyCurrentUser, "Software\\Locked");
  EXPECT_FALSE(ImportRegFile(registry,
                             "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Locked\\New]\r\n"
                             "\"x\"=\"y\"\r\n"));
  EXPECT_FALSE(sim.registry.KeyExists(kHkeyCurrentUser, "Software\\Locked\\New"));
  EXPECT_FALSE(ExportRegistryKey(registry, kHkeyCurrentUser, "Software\\Missing"));
  // A name with a line break has no spelling in the file: nothing is exported, so nothing is
  // deleted on the strength of it.
  sim.registry.PutString(kHkeyCurrentUser, "Software\\Odd", "two\nlines", "x");
  EXPECT_FALSE(ExportRegistryKey(registry, kHkeyCurrentUser, "Software"));
  EXPECT_FALSE(ExportRegistryValue(registry, kHkeyCurrentUser, "Software\\Odd", "two\nlines"));
  EXPECT_EQ(sim.registry.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace removal
