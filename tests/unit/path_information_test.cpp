#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "test_support.h"

namespace {

constexpr uint64_t kWritten = 130000000100000000ULL;

using PathInformationTest = SetupFixture;

TEST_F(PathInformationTest, OneQueryTellsExistenceAttributesAndLastWriteTime) {
    WriteFile("plain.sys", "plain");
    WriteFile("protected.sys", "protected");
    ASSERT_TRUE(platform::SetLastWriteTime(PathOf("plain.sys"), kWritten));
    ASSERT_TRUE(platform::SetLastWriteTime(PathOf("protected.sys"), kWritten));
    ASSERT_TRUE(platform::SetFileAttributesOf(PathOf("protected.sys"), platform::kAttributeReadOnly));
    ASSERT_TRUE(platform::CreateDirectoryPath(PathOf("folder")));

    struct Case {
        const char* name;
        uint32_t attributes;
        bool timed;
    };
    const Case cases[] = {
        {"plain.sys", platform::kAttributeNormal, true},
        {"protected.sys", platform::kAttributeReadOnly, true},
        {"folder", platform::kAttributeDirectory, false},
        {"missing.sys", platform::kInvalidAttributes, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::PathInformation information = platform::QueryPathInformation(PathOf(c.name));
        EXPECT_EQ(information.attributes, c.attributes);
        EXPECT_EQ(information.attributes, platform::FileAttributes(PathOf(c.name)));
        if (c.timed) {
            EXPECT_EQ(information.lastWriteTime, kWritten);
        }
    }
}

}  // namespace
