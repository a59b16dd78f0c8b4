#include "platform/sim/sim_registry.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/registry_contract.h"

namespace platform::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SimRegistryTest : public ::testing::Test {
 protected:
  RegKey Open(RegKey root, const std::string& path, std::uint32_t access) {
    RegKey key = 0;
    EXPECT_EQ(registry.OpenKey(root, path, access, &key), kErrorSuccess) << path;
    return key;
  }

  SimRegistry registry;
};

TEST_F(SimRegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  RegKey key = 0;
  ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, "Software\\Vendor\\Product", &key), 0);
  EXPECT_EQ(registry.SetString(key, "InstallPath", "C:\\One"), 0);
  EXPECT_EQ(registry.SetString(key, "INSTALLPATH", "C:\\Two"), 0);
  registry.CloseKey(key);

  key = Open(kHkeyCurrentUser, "SOFTWARE\\vendor\\PRODUCT", kKeyRead);
  std::string text;
  EXPECT_TRUE(ReadStringValue(registry, key, "installpath", &text));
  EXPECT_EQ(text, "C:\\Two");
  registry.CloseKey(key);
  EXPECT_EQ(registry.Dump(kHkeyCurrentUser, "software\\vendor"),
            "software\\vendor\n"
            "software\\vendor\\Product\n"
            "  InstallPath = REG_SZ \"C:\\Two\"\n");
}

TEST_F(SimRegistryTest, AnswersAsWindowsDoes) {
  registry_contract::ValuesKeepTheBytesAndTypesTheApiStores(registry, "Software\\Values");
  registry_contract::MissingKeysAndValuesGiveFileNotFoundAndLeaveOutputsAlone(registry,
                                                                              "Software\\Missing");
  registry_contract::ReadOnlyHandleRefusesValueChangesButNotNewKeysBelow(registry,
                                                                         "Software\\ReadOnly");
  registry_contract::DeleteTreeRemovesEverythingBelowAndStrandsOpenHandles(registry,
                                                                           "Software\\Tree");
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

// Text is read up to the first zero, whether the writer stored one or not.
TEST_F(SimRegistryTest, TextEndsAtItsFirstZero) {
  registry.PutValue(kHkeyCurrentUser, "Software\\Vendor", "NoZero", kRegSz, {'x', 'y'});
  registry.PutValue(kHkeyCurrentUser, "Software\\Vendor", "Two", kRegSz, {'x', 0, 'y', 0});
  RegKey key = Open(kHkeyCurrentUser, "Software\\Vendor", kKeyRead);
  std::string text = "unchanged";
  EXPECT_FALSE(ReadStringValue(registry, key, "Absent", &text));
  EXPECT_EQ(text, "unchanged");
  EXPECT_TRUE(ReadStringValue(registry, key, "NoZero", &text));
  EXPECT_EQ(text, "xy");
  EXPECT_TRUE(ReadStringValue(registry, key, "Two", &text));
  EXPECT_EQ(text, "x");
  registry.CloseKey(key);
}

TEST_F(SimRegistryTest, ProtectedKeyCanBeReadButNotChanged) {
  registry.PutString(kHkeyLocalMachine, "SOFTWARE\\Policies\\Locked\\Sub", "Setting", "on");
  registry.AddKey(kHkeyLocalMachine, "SOFTWARE\\Policies\\Earlier");
  registry.ProtectKey(kHkeyLocalMachine, "SOFTWARE\\Policies\\Locked");

  RegKey key = Open(kHkeyLocalMachine, "SOFTWARE\\Policies\\Locked\\Sub", kKeyRead);
  std::string text;
  EXPECT_TRUE(ReadStringValue(registry, key, "Setting", &text));
  EXPECT_EQ(registry.SetString(key, "Setting", "off"), kErrorAccessDenied);
  registry.CloseKey(key);
  for (std::uint32_t access : {kKeySetValue, kKeyCreateSubKey, kKeyWrite, kKeyAllAccess}) {
    EXPECT_EQ(registry.OpenKey(kHkeyLocalMachine, "SOFTWARE\\Policies\\Locked\\Sub", access, &key),
              kErrorAccessDenied)
        << std::hex << access;
  }
  EXPECT_EQ(registry.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Policies\\Locked\\New", &key),
            kErrorAccessDenied);
  EXPECT_EQ(registry.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Policies\\Locked", &key),
            kErrorAccessDenied);
  // Deleting a tree goes depth first in name order and stops at the locked key.
  EXPECT_EQ(registry.DeleteTree(kHkeyLocalMachine, "SOFTWARE\\Policies"), kErrorAccessDenied);
  EXPECT_EQ(registry.Dump(kHkeyLocalMachine, "SOFTWARE\\Policies"),
            "SOFTWARE\\Policies\n"
            "SOFTWARE\\Policies\\Locked\n"
            "SOFTWARE\\Policies\\Locked\\Sub\n"
            "  Setting = REG_SZ \"on\"\n");
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(SimRegistryTest, LimitedUserCannotWriteTheMachineHive) {
  registry.SetLimitedUser(true);
  RegKey key = Open(kHkeyLocalMachine, "SOFTWARE", kKeyRead);
  registry.CloseKey(key);
  EXPECT_EQ(registry.OpenKey(kHkeyLocalMachine, "SOFTWARE", kKeyWrite, &key), kErrorAccessDenied);
  EXPECT_EQ(registry.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Vendor", &key), kErrorAccessDenied);
  EXPECT_EQ(registry.SetDword(kHkeyLocalMachine, "Direct", 1), kErrorAccessDenied);
  EXPECT_FALSE(registry.KeyExists(kHkeyLocalMachine, "SOFTWARE\\Vendor"));

  ASSERT_EQ(registry.CreateKey(kHkeyCurrentUser, "Software\\Vendor", &key), 0);
  EXPECT_EQ(registry.SetDword(key, "Mine", 1), 0);
  registry.CloseKey(key);

  registry.SetLimitedUser(false);
  ASSERT_EQ(registry.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Vendor", &key), 0);
  registry.CloseKey(key);
}

// Keys below a deleted key are gone too, and a dead handle cannot make new ones.
TEST_F(SimRegistryTest, DeletedTreeIsGoneWhole) {
  registry.PutString(kHkeyCurrentUser, "Software\\Adware\\Settings\\Deep", "Url", "http://x");
  registry.PutString(kHkeyCurrentUser, "Software\\Keep", "Name", "kept");
  RegKey deep = Open(kHkeyCurrentUser, "Software\\Adware\\Settings\\Deep", kKeyAllAccess);
  EXPECT_EQ(registry.DeleteTree(kHkeyCurrentUser, "software\\ADWARE"), 0);
  EXPECT_EQ(registry.Dump(kHkeyCurrentUser, "Software"),
            "Software\n"
            "Software\\Keep\n"
            "  Name = REG_SZ \"kept\"\n");
  RegKey below = 0;
  EXPECT_EQ(registry.CreateKey(deep, "Child", &below), kErrorKeyDeleted);
  registry.CloseKey(deep);
}

TEST_F(SimRegistryTest, HandlesAreNumbersThatDieOnClose) {
  RegKey a = Open(kHkeyCurrentUser, "Software", kKeyRead);
  RegKey b = Open(kHkeyCurrentUser, "", kKeyRead);
  EXPECT_NE(a, b);
  EXPECT_EQ(registry.OpenHandleCount(), 2u);
  EXPECT_EQ(registry.CloseKey(a), 0);
  EXPECT_EQ(registry.CloseKey(a), kErrorInvalidHandle);
  Bytes data;
  EXPECT_EQ(registry.QueryValue(a, "", nullptr, &data), kErrorInvalidHandle);
  EXPECT_EQ(registry.OpenKey(0x4242, "", kKeyRead, &a), kErrorInvalidHandle);
  EXPECT_EQ(registry.OpenKey(kHkeyDynData, "", kKeyRead, &a), kErrorInvalidHandle);
  EXPECT_EQ(registry.CloseKey(kHkeyCurrentUser), 0);
  EXPECT_EQ(registry.CloseKey(b), 0);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_EQ(registry.InvalidHandleUses(), 4u);
}

TEST_F(SimRegistryTest, ScopedKeyClosesExactlyOnceAcrossMoves) {
  RegKey first = Open(kHkeyCurrentUser, "Software", kKeyRead);
  RegKey second = Open(kHkeyCurrentUser, "Software", kKeyRead);
  {
    ScopedKey owner(registry, first);
    ScopedKey moved(std::move(owner));
    EXPECT_FALSE(owner.IsOpen());
    EXPECT_EQ(moved.Get(), first);
    ScopedKey other(registry, second);
    other = std::move(moved);  // closes second, takes first
    EXPECT_EQ(registry.OpenHandleCount(), 1u);
  }
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_EQ(registry.InvalidHandleUses(), 0u);
}

}  // namespace
}  // namespace platform::sim
