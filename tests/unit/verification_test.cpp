#include <gtest/gtest.h>

#include "shell/verification.h"

// /v: the installed driver files against the distribution's, entry by entry.
namespace {

using Rows = std::vector<FileVersionRow>;
using Texts = std::vector<std::string>;

const Rows kDistribution = {{"z:\\dist\\driver\\KXBUS.SY_", "v2.10 (rev.05)"},
                            {"z:\\dist\\driver\\QDSS1.SY_", "v2.10 (rev.05)"},
                            {"z:\\dist\\driver\\CAPI2032.DL_", "unknown version"}};

TEST(VerificationTest, FileVersionsDifferWhereTheInstalledOneIsNotTheDistributions) {
    struct Case {
        const char* what;
        Rows installed;
        Texts differences;
    } cases[] = {
        {"all the same",
         {{"c:\\windows\\system32\\drivers\\kxbus.sys", "v2.10 (rev.05)"},
          {"c:\\windows\\system32\\drivers\\qdss1.sys", "v2.10 (rev.05)"},
          {"c:\\windows\\system32\\CAPI2032.DLL", "unknown version"}},
         {}},
        {"an older and a missing file",
         {{"c:\\windows\\system32\\drivers\\kxbus.sys", "v2.10 (rev.05)"},
          {"c:\\windows\\system32\\drivers\\qdss1.sys", "v2.10 (rev.04)"},
          {"c:\\windows\\system32\\CAPI2032.DLL", "v2.0 (rev.01)"}},
         {"c:\\windows\\system32\\drivers\\qdss1.sys: installed v2.10 (rev.04), distribution v2.10 (rev.05) "
          "(z:\\dist\\driver\\QDSS1.SY_)",
          "c:\\windows\\system32\\CAPI2032.DLL: installed v2.0 (rev.01), distribution unknown version "
          "(z:\\dist\\driver\\CAPI2032.DL_)"}},
        {"a row the installed scan lacks",
         {{"c:\\windows\\system32\\drivers\\kxbus.sys", "v2.10 (rev.05)"},
          {"c:\\windows\\system32\\drivers\\qdss1.sys", "v2.10 (rev.05)"}},
         {": installed , distribution unknown version (z:\\dist\\driver\\CAPI2032.DL_)"}},
    };
    for (const Case& c : cases) {
        Texts described;
        for (const FileVersionDifference& d : CompareFileVersions(kDistribution, c.installed))
            described.push_back(DescribeFileVersionDifference(d));
        EXPECT_EQ(described, c.differences) << c.what;
    }
}

}  // namespace
