#include "Throws.h"

#include <afxcoll.h>
#include <afxtempl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <class TYPE, class ARG_TYPE>
std::vector<TYPE> Items(const CArray<TYPE, ARG_TYPE>& array)
{
    return std::vector<TYPE>(array.GetData(), array.GetData() + array.GetSize());
}

template <class TYPE, class ARG_TYPE>
std::vector<TYPE> Forward(const CList<TYPE, ARG_TYPE>& list)
{
    std::vector<TYPE> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(list.GetNext(pos));
    return items;
}

template <class TYPE, class ARG_TYPE>
std::vector<TYPE> Backward(const CList<TYPE, ARG_TYPE>& list)
{
    std::vector<TYPE> items;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        items.push_back(list.GetPrev(pos));
    return items;
}

using Ints = std::vector<int>;

} // namespace

TEST(CArray, BadIndexesThrowAndLeaveTheArrayIntact)
{
    CArray<int, int> array;
    for (int i = 0; i < 4; ++i)
        array.Add(i * 10);
    auto& constArray = static_cast<const CArray<int, int>&>(array);

    struct Case {
        const char* name;
        void (*action)(CArray<int, int>&, const CArray<int, int>&);
    };
    const Case cases[] = {
        {"GetAt -1", [](auto&, auto& a) { a.GetAt(-1); }},
        {"GetAt size", [](auto& a, auto&) { a.GetAt(4); }},
        {"SetAt size", [](auto& a, auto&) { a.SetAt(4, 1); }},
        {"ElementAt size", [](auto& a, auto&) { a.ElementAt(4); }},
        {"operator[] -1", [](auto& a, auto&) { a[-1] = 5; }},
        {"const operator[] size", [](auto&, auto& a) { (void)a[4]; }},
        {"SetAtGrow -1", [](auto& a, auto&) { a.SetAtGrow(-1, 5); }},
        {"SetSize -1", [](auto& a, auto&) { a.SetSize(-1); }},
        {"InsertAt -1", [](auto& a, auto&) { a.InsertAt(-1, 5); }},
        {"InsertAt count 0", [](auto& a, auto&) { a.InsertAt(1, 5, 0); }},
        {"InsertAt array -1", [](auto& a, auto&) { a.InsertAt(-1, &a); }},
        {"InsertAt null array", [](auto& a, auto&) { a.InsertAt(0, nullptr); }},
        {"RemoveAt -1", [](auto& a, auto&) { a.RemoveAt(-1); }},
        {"RemoveAt size", [](auto& a, auto&) { a.RemoveAt(4); }},
        {"RemoveAt past end", [](auto& a, auto&) { a.RemoveAt(3, 2); }},
        {"RemoveAt count -1", [](auto& a, auto&) { a.RemoveAt(1, -1); }},
        {"Append self", [](auto& a, auto&) { a.Append(a); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(ThrowsInvalidArg([&] { c.action(array, constArray); }));
        EXPECT_EQ(Items(array), (Ints{0, 10, 20, 30}));
    }
    array.RemoveAt(4, 0);
    EXPECT_EQ(array.GetSize(), 4);
}

TEST(CArray, InsertAndRemoveShiftElements)
{
    CArray<int, int> array;
    EXPECT_EQ(array.Add(1), 0);
    EXPECT_EQ(array.Add(4), 1);
    array.InsertAt(1, 2);
    array.InsertAt(2, 3, 2);
    EXPECT_EQ(Items(array), (Ints{1, 2, 3, 3, 4}));
    array.InsertAt(7, 9);
    EXPECT_EQ(Items(array), (Ints{1, 2, 3, 3, 4, 0, 0, 9}));
    array.RemoveAt(3);
    array.RemoveAt(4, 2);
    EXPECT_EQ(Items(array), (Ints{1, 2, 3, 4, 9}));
    EXPECT_EQ(array.GetUpperBound(), 4);

    CArray<int, int> other;
    other.Add(7);
    other.Add(8);
    array.InsertAt(1, &other);
    EXPECT_EQ(Items(array), (Ints{1, 7, 8, 2, 3, 4, 9}));
    array.InsertAt(0, &array);
    EXPECT_EQ(array.GetSize(), 14);
    EXPECT_EQ(array[7], 1);
    EXPECT_EQ(array.Append(other), 14);
    EXPECT_EQ(array[15], 8);
}

TEST(CArray, SetSizeGrowsWithZerosAndShrinks)
{
    CArray<int, int> array;
    array.Add(5);
    array.SetAtGrow(6, 7);
    EXPECT_EQ(Items(array), (Ints{5, 0, 0, 0, 0, 0, 7}));
    array.SetSize(2);
    array.SetSize(3);
    EXPECT_EQ(Items(array), (Ints{5, 0, 0})) << "a shrunk element comes back as zero";
}

TEST(CArray, AddingItsOwnElementSurvivesGrowth)
{
    CArray<CString, const CString&> array;
    array.Add(CString(L'x', 40));
    for (int i = 0; i < 100; ++i)
        array.Add(array[0]);
    array.SetAtGrow(200, array[100]);
    array.InsertAt(0, array[200], 3);
    EXPECT_EQ(array.GetSize(), 204);
    EXPECT_EQ(array[0], CString(L'x', 40));
    EXPECT_EQ(array[203], CString(L'x', 40));
    EXPECT_TRUE(array[150].IsEmpty());

    CArray<CString, const CString&> copy;
    copy.Copy(array);
    copy.Copy(copy);
    EXPECT_EQ(copy.GetSize(), 204);
}

TEST(CList, WalksBothWays)
{
    CList<int, int> list;
    list.AddTail(2);
    list.AddTail(3);
    list.AddHead(1);
    EXPECT_EQ(Forward(list), (Ints{1, 2, 3}));
    EXPECT_EQ(Backward(list), (Ints{3, 2, 1}));
    EXPECT_EQ(list.GetHead(), 1);
    EXPECT_EQ(list.GetTail(), 3);
    EXPECT_EQ(list.GetCount(), 3);

    POSITION middle = list.FindIndex(1);
    EXPECT_EQ(list.GetAt(middle), 2);
    list.InsertBefore(middle, 15);
    list.InsertAfter(middle, 25);
    list.InsertBefore(nullptr, 0);
    list.InsertAfter(nullptr, 4);
    list.SetAt(middle, 20);
    EXPECT_EQ(Forward(list), (Ints{0, 1, 15, 20, 25, 3, 4}));
    EXPECT_EQ(Backward(list), (Ints{4, 3, 25, 20, 15, 1, 0}));
    EXPECT_EQ(list.FindIndex(7), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(CList, RemovesDuringIteration)
{
    CList<int, int> list;
    for (int i = 0; i < 10; ++i)
        list.AddTail(i);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const POSITION current = pos;
        if (list.GetNext(pos) % 2 == 0)
            list.RemoveAt(current);
    }
    EXPECT_EQ(Forward(list), (Ints{1, 3, 5, 7, 9}));
    EXPECT_EQ(Backward(list), (Ints{9, 7, 5, 3, 1}));

    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 9);
    EXPECT_EQ(Forward(list), (Ints{3, 5, 7}));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
}

TEST(CList, FindsAndCopiesLists)
{
    CStringList list;
    list.AddTail(L"a");
    list.AddTail(L"b");
    list.AddTail(L"a");
    const POSITION first = list.Find(L"a");
    ASSERT_NE(first, nullptr);
    const POSITION second = list.Find(L"a", first);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(list.Find(L"a", second), nullptr);
    EXPECT_EQ(list.Find(L"z"), nullptr);

    list.AddTail(&list);
    list.AddHead(&list);
    EXPECT_EQ(list.GetCount(), 12);
    std::wstring text;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        text += list.GetNext(pos).GetString();
    EXPECT_EQ(text, L"abaabaabaaba");
}

TEST(CList, EmptyListAndNullPositionsThrow)
{
    CList<int, int> list;
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetHead(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetTail(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveHead(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveTail(); }));
    list.AddTail(1);
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveAt(nullptr); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetAt(nullptr); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] {
        POSITION pos = nullptr;
        list.GetNext(pos);
    }));
    EXPECT_EQ(Forward(list), (Ints{1}));
}
