#include <gtest/gtest.h>

#include "setupfiles/contained_name.h"

namespace {

TEST(ContainedNameTest, OnlyNamesThatStayBelowTheirDirectoryPass) {
    struct Case {
        const char* name;
        bool contained;
        bool plain;
    } cases[] = {
        {"kxbus.sys", true, true},
        {"system32\\drivers", true, false},
        {"DOCS/README.TXT", true, false},
        {"", true, false},  // the directory itself
        {"a..b.txt", true, true},
        {"..\\x", false, false},
        {"..\\..\\x", false, false},
        {"../x", false, false},
        {"TOOLS\\..\\..\\x", false, false},
        {"..", false, false},
        {"...\\x", false, false},  // Windows trims the dots of a component
        {"TOOLS\\.. \\x", false, false},
        {".\\x", false, false},
        {"C:\\x", false, false},
        {"C:x", false, false},  // relative to the current directory of drive C
        {"x:y", false, false},  // a stream of file x
        {"\\x", false, false},
        {"/x", false, false},
        {"\\\\server\\share\\x", false, false},
        {"\\\\?\\C:\\x", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsContainedName(c.name), c.contained) << c.name;
        EXPECT_EQ(IsPlainName(c.name), c.plain) << c.name;
    }
}

}  // namespace
