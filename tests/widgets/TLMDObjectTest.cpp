#include <vector>

#include <gtest/gtest.h>

#include "widgets/TLMDObject.h"

TEST(TLMDObject, ChangeTellsTheOwnerWhichObjectChanged)
{
    TLMDObject object;
    object.Change();   // no handler yet: nothing happens
    std::vector<TLMDObject*> senders;
    object.SetOnChange([&](TLMDObject* Sender) { senders.push_back(Sender); });
    object.Change();
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], &object);
}

TEST(TLMDObject, UpdateHoldsNotificationsBackUntilItEnds)
{
    TLMDObject object;
    int changes = 0;
    object.SetOnChange([&](TLMDObject*) { ++changes; });

    object.BeginUpdate();
    object.Change();
    object.Change();
    EXPECT_EQ(changes, 0) << "inside an update";
    object.EndUpdate(false);
    EXPECT_EQ(changes, 0) << "EndUpdate(false)";

    object.BeginUpdate();
    object.Change();
    object.EndUpdate(true);
    EXPECT_EQ(changes, 1) << "EndUpdate(true) notifies once";
    object.Change();
    EXPECT_EQ(changes, 2) << "after the update";
}

TEST(TLMDObject, HandlerMayReplaceItselfWhileItRuns)
{
    TLMDObject object;
    int first = 0, second = 0;
    object.SetOnChange([&](TLMDObject* Sender) {
        Sender->SetOnChange([&](TLMDObject*) { ++second; });
        ++first;   // the running handler's captures must still be alive here
    });
    object.Change();
    object.Change();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}
