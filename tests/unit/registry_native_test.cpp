#include <gtest/gtest.h>

#include "platform/native_fakes.h"
#include "platform/registry.h"

// The in-memory registry stands in for the real one in every configuration store test, so it must behave
// like it where the store depends on it.
namespace {

using namespace platform::registry;
using platform::fake::RegistryOperation;

class RegistryNativeTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::fake::ResetRegistry(); }
    void TearDown() override { EXPECT_EQ(platform::fake::OpenRegistryKeys(), 0u); }
};

TEST_F(RegistryNativeTest, CreateMakesParentsAndGivesTheClassOnlyToTheNewKey) {
    platform::fake::AddRegistryKey("SYSTEM\\Services");
    Key key;
    ASSERT_EQ(CreateKey("SYSTEM\\Services\\Quorel\\Parameters", "CAPI20", key.Put()), kSuccess);
    EXPECT_EQ(platform::fake::RegistryKeyClass("system\\services\\quorel\\parameters"), "CAPI20");
    EXPECT_EQ(platform::fake::RegistryKeyClass("SYSTEM\\Services\\Quorel"), "");
    Key again;
    ASSERT_EQ(CreateKey("SYSTEM\\SERVICES\\QUOREL\\PARAMETERS", "other", again.Put()), kSuccess);
    EXPECT_EQ(platform::fake::RegistryKeyClass("SYSTEM\\Services\\Quorel\\Parameters"), "CAPI20");
    EXPECT_EQ(platform::fake::RegistrySubKeys("SYSTEM"), (std::vector<std::string>{"Services"}));
    EXPECT_EQ(platform::fake::RegistrySubKeys("SYSTEM\\Services"), (std::vector<std::string>{"Quorel"}));
}

TEST_F(RegistryNativeTest, SubKeysAreCountedAndEnumeratedSorted) {
    for (const char* name : {"3", "1", "Other", "12"})
        platform::fake::AddRegistryKey(std::string("SOFTWARE\\CAPI20\\") + name);
    platform::fake::AddRegistryKey("SOFTWARE\\CAPI20\\1\\1");  // a grandchild is no direct subkey
    platform::fake::AddRegistryKey("SOFTWARE\\CAPI200");       // nor is a key that only shares the prefix
    Key key;
    ASSERT_EQ(OpenKey("SOFTWARE\\CAPI20", false, key.Put()), kSuccess);
    uint32_t count = 99;
    ASSERT_EQ(CountSubKeys(key.Get(), &count), kSuccess);
    EXPECT_EQ(count, 4u);
    std::vector<std::string> names;
    std::string name;
    for (uint32_t i = 0; EnumSubKey(key.Get(), i, &name) == kSuccess; ++i) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"1", "12", "3", "Other"}));
    EXPECT_EQ(EnumSubKey(key.Get(), 4, &name), kNoMoreItems);
}

TEST_F(RegistryNativeTest, QueryGivesTypeAndSizeFirstAndRefusesASmallBuffer) {
    platform::fake::SetRegistryValue("K", "Text", kTypeSz, std::string("abc\0", 4));
    Key key;
    ASSERT_EQ(OpenKey("k", false, key.Put()), kSuccess);
    uint32_t type = 0, size = 0;
    ASSERT_EQ(QueryValue(key.Get(), "TEXT", &type, nullptr, &size), kSuccess);
    EXPECT_EQ(type, kTypeSz);
    EXPECT_EQ(size, 4u);
    char buffer[8] = {};
    size = 3;
    EXPECT_EQ(QueryValue(key.Get(), "Text", &type, buffer, &size), kMoreData);
    EXPECT_EQ(size, 4u);
    size = sizeof buffer;
    ASSERT_EQ(QueryValue(key.Get(), "Text", &type, buffer, &size), kSuccess);
    EXPECT_EQ(std::string(buffer, size), std::string("abc\0", 4));
    EXPECT_EQ(QueryValue(key.Get(), "Missing", &type, nullptr, &size), kFileNotFound);
}

TEST_F(RegistryNativeTest, ValuesKeepTheirFirstOrderWhenReplaced) {
    Key key;
    ASSERT_EQ(CreateKey("K", "", key.Put()), kSuccess);
    ASSERT_EQ(SetValue(key.Get(), "B", kTypeDword, "\1\0\0\0", 4), kSuccess);
    ASSERT_EQ(SetValue(key.Get(), "A", kTypeSz, "x", 2), kSuccess);
    ASSERT_EQ(SetValue(key.Get(), "b", kTypeSz, "y", 2), kSuccess);
    using Value = platform::fake::RegistryValue;
    EXPECT_EQ(
        platform::fake::RegistryValues("K"),
        (std::vector<Value>{{"B", kTypeSz, std::string("y\0", 2)}, {"A", kTypeSz, std::string("x\0", 2)}}));
    EXPECT_EQ(DeleteValue(key.Get(), "a"), kSuccess);
    EXPECT_EQ(DeleteValue(key.Get(), "a"), kFileNotFound);
    EXPECT_EQ(platform::fake::RegistryValues("K").size(), 1u);
}

TEST_F(RegistryNativeTest, ReadHandlesCannotWriteAndDeletedKeysAreGoneForOpenHandles) {
    platform::fake::AddRegistryKey("A\\B");
    Key reader;
    ASSERT_EQ(OpenKey("A\\B", false, reader.Put()), kSuccess);
    EXPECT_EQ(SetValue(reader.Get(), "V", kTypeDword, "\0\0\0\0", 4), kAccessDenied);
    EXPECT_EQ(DeleteValue(reader.Get(), "V"), kAccessDenied);
    EXPECT_EQ(DeleteKey("A"), kAccessDenied);  // it still has a subkey
    EXPECT_EQ(DeleteKey("A\\B"), kSuccess);
    EXPECT_EQ(DeleteKey("A\\B"), kFileNotFound);
    uint32_t count = 0;
    EXPECT_EQ(CountSubKeys(reader.Get(), &count), kKeyDeleted);
    EXPECT_EQ(DeleteKey("A"), kSuccess);
    EXPECT_FALSE(platform::fake::RegistryKeyExists("A"));
}

TEST_F(RegistryNativeTest, InjectedFailuresHitOnlyTheirKeyOperationAndValue) {
    platform::fake::AddRegistryKey("K");
    platform::fake::AddRegistryKey("L");
    platform::fake::FailRegistryOperation("k", RegistryOperation::kSetValue, 1234, "Bad");
    platform::fake::FailRegistryOperation("L", RegistryOperation::kOpenRead, 5);
    platform::fake::FailRegistryOperation("M", RegistryOperation::kCreateKey, 1009);
    Key key;
    ASSERT_EQ(CreateKey("K", "", key.Put()), kSuccess);
    EXPECT_EQ(SetValue(key.Get(), "BAD", kTypeDword, "\0\0\0\0", 4), 1234);
    EXPECT_EQ(SetValue(key.Get(), "Good", kTypeDword, "\0\0\0\0", 4), kSuccess);
    Key other;
    EXPECT_EQ(OpenKey("L", false, other.Put()), kAccessDenied);
    EXPECT_EQ(other.Get(), kNoKey);
    EXPECT_EQ(OpenKey("L", true, other.Put()), kSuccess);
    other.Reset();
    EXPECT_EQ(CreateKey("M", "", other.Put()), 1009);
    EXPECT_FALSE(platform::fake::RegistryKeyExists("M"));
    EXPECT_EQ(OpenKey("Missing", false, other.Put()), kFileNotFound);
}

}  // namespace
