#include "framework/Framework.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(CArray, InsertAndRemoveKeepOrder)
{
    CArray<int, int> a;
    for (int i = 0; i < 5; ++i)
        a.Add(i);
    a.InsertAt(2, 99, 2);
    a.RemoveAt(0);
    a.RemoveAt(5, 10);   // a count past the end removes up to the end
    ASSERT_EQ(a.GetSize(), 5);
    const int expected[] = {1, 99, 99, 2, 3};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a[i], expected[i]);
    a.InsertAt(7, 5);    // past the end: grows with default elements first
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a[5], 0);
    EXPECT_EQ(a[7], 5);
    a.RemoveAt(-1);
    a.RemoveAt(8);
    EXPECT_EQ(a.GetUpperBound(), 7);

    CStringArray names;
    names.Add("x");
    names.SetAtGrow(3, "y");
    EXPECT_EQ(names.GetSize(), 4);
    EXPECT_TRUE(names[2].IsEmpty());
}

TEST(CList, PositionsWalkBothWays)
{
    CList<CString, const CString&> list;
    list.AddTail("b");
    list.AddHead("a");
    POSITION c = list.AddTail("c");
    list.InsertBefore(c, "b2");
    list.InsertAfter(c, "d");
    EXPECT_EQ(list.GetCount(), 5);

    CString forward;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        forward += list.GetNext(pos);
    EXPECT_STREQ(forward, "abb2cd");

    list.RemoveAt(list.Find("b2"));
    EXPECT_EQ(list.Find("b2"), nullptr);
    EXPECT_STREQ(list.RemoveHead(), "a");
    EXPECT_STREQ(list.RemoveTail(), "d");
    CString backward;
    for (POSITION pos = list.GetTailPosition(); pos;)
        backward += list.GetPrev(pos);
    EXPECT_STREQ(backward, "cb");
    EXPECT_STREQ(list.GetAt(list.FindIndex(1)), "c");
    EXPECT_EQ(list.FindIndex(2), nullptr);

    CList<CString, const CString&> copy(list);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(copy.GetCount(), 2);
}

TEST(CMap, LooksUpRemovesAndVisitsEveryKey)
{
    CMap<CString, LPCSTR, int, int> map;
    for (int i = 0; i < 500; ++i) {
        CString key;
        key.Format("key%d", i);
        map[key] = i;
    }
    map.SetAt("key7", 700);
    EXPECT_EQ(map.GetCount(), 500);
    int value = 0;
    EXPECT_TRUE(map.Lookup("key7", value));
    EXPECT_EQ(value, 700);
    EXPECT_TRUE(map.RemoveKey("key7"));
    EXPECT_FALSE(map.RemoveKey("key7"));
    EXPECT_FALSE(map.Lookup("key7", value));

    std::set<int> seen;
    CString key;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(seen.insert(value).second);
    }
    EXPECT_EQ(seen.size(), 499u);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

}  // namespace
