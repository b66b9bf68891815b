#include <gtest/gtest.h>

#include "config_store_fixture.h"
#include "configdialog/adapter_contents.h"

namespace {

using config_test::ConfigStoreFixture;

class AdapterContentsTest : public ConfigStoreFixture {};

TEST_F(AdapterContentsTest, ListsOneLinePerAdapterInUse) {
    EXPECT_EQ(AdapterContents(3).Lines(), (std::vector<std::string>{"Adapter 1", "Adapter 2", "Adapter 3"}));
}

TEST_F(AdapterContentsTest, AddIsOfferedBelowFourAndRemoveAboveOne) {
    struct Case {
        size_t count;
        bool add, remove;
    } cases[] = {{1, true, false}, {2, true, true}, {3, true, true}, {4, false, true}};
    for (const Case& c : cases) {
        AdapterContents contents(c.count);
        EXPECT_EQ(contents.CanAdd(), c.add) << c.count;
        EXPECT_EQ(contents.CanRemove(), c.remove) << c.count;
    }
}

TEST_F(AdapterContentsTest, AddingAndRemovingWorkAtTheTopAndStopAtTheLimits) {
    AdapterContents contents(1);
    contents.Remove();
    EXPECT_EQ(contents.Count(), 1u);
    for (int i = 0; i < 5; ++i) contents.Add();
    EXPECT_EQ(contents.Count(), 4u);
    EXPECT_EQ(contents.Lines().back(), "Adapter 4");
    contents.Remove();
    EXPECT_EQ(contents.Lines(), (std::vector<std::string>{"Adapter 1", "Adapter 2", "Adapter 3"}));
}

TEST_F(AdapterContentsTest, ACountOutsideOneToFourIsBroughtWithin) {
    EXPECT_EQ(AdapterContents(0).Count(), 1u);
    EXPECT_EQ(AdapterContents(7).Count(), 4u);
}

}  // namespace
