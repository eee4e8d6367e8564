#include <gtest/gtest.h>

#include "ComponentList.h"
#include "StreamingFixtures.h"

namespace {

TEST(ComponentLists, FreedMemberLeavesTheListAndOwningListFreesWhatItDeletes) {
    int live = TStreamingLog::live;
    {
        TComponentList owning;
        auto* a = new TCounted(nullptr);
        auto* b = new TCounted(nullptr);
        auto* c = new TCounted(nullptr);
        owning.Add(a);
        owning.Add(b);
        owning.Add(c);
        owning.Add(b);  // twice
        FreeObject(b);  // freed elsewhere: both places go
        ASSERT_EQ(owning.Count(), 2);
        EXPECT_EQ(owning[0], a);
        EXPECT_EQ(owning[1], c);
        owning.Delete(0);  // owned: freed
        EXPECT_EQ(TStreamingLog::live, live + 1);
        EXPECT_EQ(owning.Extract(c), c);
        FreeObject(c);  // no longer watched: the list must not hear of it
        EXPECT_EQ(owning.Count(), 0);
        owning.Add(new TCounted(nullptr));
    }
    EXPECT_EQ(TStreamingLog::live, live);  // the list freed the last one
}

TEST(ComponentLists, NonOwningListLeavesMembersAlive) {
    TCounted a(nullptr), b(nullptr);
    {
        TComponentList refs(false);
        refs.Add(&a);
        refs.Add(&b);
        refs.Remove(&a);
        EXPECT_EQ(refs.Count(), 1);
    }
    // The list is gone; freeing b must not call into it.
    auto* c = new TCounted(nullptr);
    {
        TComponentList refs(false);
        refs.Add(c);
    }
    FreeObject(c);
}

}  // namespace
