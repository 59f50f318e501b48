#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/conduit_registry.h"
#include "support/scripted_conduit.h"
#include "tarnlink/TarnCommandFactory.h"

using TarnLink::TarnCommandFactory;

namespace {

class ConduitTableTest : public ::testing::Test {
protected:
    void SetUp() override { TarnLinkPrivate::ForgetConduits(); }
    void TearDown() override { TarnLinkPrivate::ForgetConduits(); }

    ScriptedConduit a;
    ScriptedConduit b;
    ScriptedConduit c;
};

TEST_F(ConduitTableTest, InstallMakesCurrentEvenWhenTheIdIsTaken)
{
    EXPECT_TRUE(TarnCommandFactory::InstallTargetConduit(&a, 1));
    EXPECT_FALSE(TarnCommandFactory::InstallTargetConduit(&b, 1));
    EXPECT_EQ(TarnCommandFactory::GetConduitFromID(1), &a);
    EXPECT_EQ(TarnCommandFactory::GetConduit(), &b);
    EXPECT_EQ(TarnCommandFactory::GetConduitListSize(), 1);

    EXPECT_FALSE(TarnCommandFactory::InstallTargetConduit(nullptr, 3));
    EXPECT_EQ(TarnCommandFactory::GetConduit(), nullptr);
    EXPECT_EQ(TarnCommandFactory::GetConduitListSize(), 1);
}

TEST_F(ConduitTableTest, NthConduitCountsFromOneInAscendingIdOrder)
{
    EXPECT_EQ(TarnCommandFactory::GetConduitListSize(), 0);
    std::int32_t id = -99;
    EXPECT_EQ(TarnCommandFactory::GetNthConduit(1, &id), nullptr);

    TarnCommandFactory::InstallTargetConduit(&a, 7);
    TarnCommandFactory::InstallTargetConduit(&b, 2);
    TarnCommandFactory::InstallTargetConduit(&c, 5);
    EXPECT_EQ(TarnCommandFactory::GetConduitListSize(), 3);

    struct Case {
        int n;
        ScriptedConduit* conduit;
        std::int32_t id;
    };
    for (const Case& expected : std::vector<Case>{{0, &b, 2}, {1, &b, 2}, {2, &c, 5}, {3, &a, 7}}) {
        id = -99;
        EXPECT_EQ(TarnCommandFactory::GetNthConduit(expected.n, &id), expected.conduit) << expected.n;
        EXPECT_EQ(id, expected.id) << expected.n;
    }
    for (int n : {4, -1}) {
        id = -99;
        EXPECT_EQ(TarnCommandFactory::GetNthConduit(n, &id), nullptr) << n;
        EXPECT_EQ(id, -99) << n;
    }
    EXPECT_EQ(TarnCommandFactory::GetNthConduit(1, nullptr), nullptr);
}

TEST_F(ConduitTableTest, IdZeroIsNeverLookedUp)
{
    TarnCommandFactory::InstallTargetConduit(&a, 0);
    EXPECT_EQ(TarnCommandFactory::GetConduitFromID(0), nullptr);
    EXPECT_EQ(TarnCommandFactory::GetConduitFromID(4), nullptr);
    std::int32_t id = -1;
    EXPECT_EQ(TarnCommandFactory::GetNthConduit(1, &id), &a);
    EXPECT_EQ(id, 0);
}

TEST_F(ConduitTableTest, RemoveRules)
{
    EXPECT_FALSE(TarnCommandFactory::RemoveTargetConduit(&a, 1)) << "no table yet";
    TarnCommandFactory::InstallTargetConduit(&a, 1);
    EXPECT_FALSE(TarnCommandFactory::RemoveTargetConduit(nullptr, 1));

    EXPECT_TRUE(TarnCommandFactory::RemoveTargetConduit(&a, 9));
    EXPECT_EQ(TarnCommandFactory::GetConduit(), &a) << "an unknown id changes nothing";
    EXPECT_EQ(TarnCommandFactory::GetConduitListSize(), 1);

    TarnCommandFactory::InstallTargetConduit(&b, 2);
    EXPECT_TRUE(TarnCommandFactory::RemoveTargetConduit(&b, 1)) << "the entry goes whatever it holds";
    EXPECT_EQ(TarnCommandFactory::GetConduitFromID(1), nullptr);
    EXPECT_EQ(TarnCommandFactory::GetConduit(), nullptr);
    EXPECT_EQ(TarnCommandFactory::GetConduitFromID(2), &b);
}

TEST_F(ConduitTableTest, ReplacingTheCurrentConduitNeedsItInTheTable)
{
    EXPECT_TRUE(TarnLinkPrivate::ReplaceCurrentConduit(&c)) << "no table was ever made";
    EXPECT_EQ(TarnCommandFactory::GetConduit(), &c);

    TarnCommandFactory::InstallTargetConduit(&a, 1);
    TarnCommandFactory::InstallTargetConduit(&b, 2);
    EXPECT_FALSE(TarnLinkPrivate::ReplaceCurrentConduit(&c));
    EXPECT_FALSE(TarnCommandFactory::OverrideConduit(&c));
    EXPECT_EQ(TarnCommandFactory::GetConduit(), &b);

    EXPECT_TRUE(TarnLinkPrivate::ReplaceCurrentConduit(&a));
    EXPECT_EQ(TarnCommandFactory::GetConduit(), &a);
    EXPECT_EQ(b.LockCount(), 1) << "the old current conduit is locked during the swap";
    EXPECT_EQ(b.UnlockCount(), 1);
    EXPECT_EQ(a.LockCount(), 0);

    EXPECT_TRUE(TarnLinkPrivate::ReplaceCurrentConduit(nullptr));
    EXPECT_EQ(TarnCommandFactory::GetConduit(), nullptr);
}

TEST_F(ConduitTableTest, ForgettingClearsTableAndCurrentWithoutCallingConduits)
{
    TarnCommandFactory::InstallTargetConduit(&a, 1);
    TarnLinkPrivate::ForgetConduits();
    EXPECT_EQ(TarnCommandFactory::GetConduit(), nullptr);
    EXPECT_EQ(TarnCommandFactory::GetConduitListSize(), 0);
    EXPECT_EQ(a.LockCount(), 0);
    EXPECT_TRUE(TarnLinkPrivate::ReplaceCurrentConduit(&b)) << "the table is gone again";
}

TEST_F(ConduitTableTest, ScopedLockUnlocksOnEveryWayOut)
{
    try {
        TarnLinkPrivate::StackBasedMutexCaller lock(&a);
        EXPECT_EQ(a.LockCount(), 1);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(a.UnlockCount(), 1);
    TarnLinkPrivate::StackBasedMutexCaller nothing(nullptr);
}

} // namespace
