// CString, CStringArray and CMapStringToString as the engine and the dialog use them.
#include "platform/Exceptions.h"
#include "platform/StringArray.h"
#include "platform/StringMap.h"

#include <gtest/gtest.h>

TEST(CStringTest, TrimRemovesExactlyTheSixWhiteSpaceCharacters)
{
    CString text(" \t\r\n\v\fword\f\v\n\r\t ");
    EXPECT_EQ(CString(text).TrimLeft(), "word\f\v\n\r\t ");
    EXPECT_EQ(CString(text).TrimRight(), " \t\r\n\v\fword");
    EXPECT_EQ(text.Trim(), "word");
    EXPECT_EQ(CString("\x01word\xa0").Trim(), "\x01word\xa0");  // no other character counts
    EXPECT_EQ(CString(" \t ").Trim(), "");
    EXPECT_EQ(CString("in side").Trim(), "in side");
}

TEST(CStringTest, FindReportsFirstPositionFromStartOrMinusOne)
{
    const CString text("a,b,,c");
    EXPECT_EQ(text.Find(','), 1);
    EXPECT_EQ(text.Find(',', 2), 3);
    EXPECT_EQ(text.Find(",,"), 3);
    EXPECT_EQ(text.Find('x'), -1);
    EXPECT_EQ(text.Find(',', 6), -1);
    EXPECT_EQ(text.Find(',', 99), -1);
    EXPECT_EQ(text.Find(',', -1), -1);
    EXPECT_EQ(text.ReverseFind(','), 4);
    EXPECT_EQ(text.ReverseFind('z'), -1);
}

TEST(CStringTest, SlicesClampToTheText)
{
    const CString text("SELECT");
    EXPECT_EQ(text.Mid(2), "LECT");
    EXPECT_EQ(text.Mid(2, 3), "LEC");
    EXPECT_EQ(text.Mid(4, 99), "CT");
    EXPECT_EQ(text.Mid(-3, 2), "SE");
    EXPECT_EQ(text.Mid(9), "");
    EXPECT_EQ(text.Mid(1, -4), "");
    EXPECT_EQ(text.Left(2), "SE");
    EXPECT_EQ(text.Left(40), "SELECT");
    EXPECT_EQ(text.Right(2), "CT");
    EXPECT_EQ(text.Right(-1), "");
}

TEST(CStringTest, CaseInsensitiveComparisonsAgreeOnEquality)
{
    EXPECT_EQ(CString("Unit Price").CompareNoCase("UNIT price"), 0);
    EXPECT_LT(CString("apple").CompareNoCase("Banana"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_EQ(CString("Unit Price").CollateNoCase("unit PRICE"), 0);
    EXPECT_LT(CString("apple").CollateNoCase("Banana"), 0);
    EXPECT_EQ(NoCaseKey("MiXeD"), NoCaseKey("mixed"));
    EXPECT_NE(NoCaseKey("a"), NoCaseKey("b"));
    EXPECT_NE(CString("a").Compare("A"), 0);
}

TEST(CStringTest, UpperCasingConcatenationAndCheckedAccess)
{
    CString text("{when Printed}");
    EXPECT_EQ(text.MakeUpper(), "{WHEN PRINTED}");
    CString joined = 'a' + CString("b") + "c" + 'd';
    joined += "e";
    EXPECT_EQ(joined, "abcde");
    EXPECT_TRUE(CString(nullptr).IsEmpty());
    EXPECT_THROW(CString("ab").GetAt(2), CInvalidArgException);
}

TEST(CStringArrayTest, BadIndexThrowsInvalidArgument)
{
    CStringArray list;
    EXPECT_EQ(list.Add("first"), 0);
    EXPECT_EQ(list.Add(CString("second")), 1);
    EXPECT_THROW(list.GetAt(2), CInvalidArgException);
    EXPECT_THROW(list[-1], CInvalidArgException);
    EXPECT_THROW(list.SetAt(5, "x"), CInvalidArgException);
    list.RemoveAll();
    EXPECT_THROW(list.GetAt(0), CInvalidArgException);
}

TEST(CMapStringToStringTest, IteratesInInsertionOrderAndSetAtReplacesInPlace)
{
    CMapStringToString map(10);
    map.SetAt("Zeta", "z\t");
    map.SetAt("alpha", "a\t");
    map.SetAt("Mid", "m\t");
    map.SetAt("alpha", "A2\t");   // replaces, keeps its place
    map.SetAt("ALPHA", "caps\t");  // keys are case-sensitive: a new entry
    ASSERT_EQ(map.GetCount(), 4);
    const char* expectedKeys[] = {"Zeta", "alpha", "Mid", "ALPHA"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(map.GetKeyAt(i), expectedKeys[i]);
    EXPECT_EQ(map.GetValueAt(1), "A2\t");

    CString value;
    EXPECT_TRUE(map.Lookup("Mid", value));
    EXPECT_EQ(value, "m\t");
    EXPECT_FALSE(map.Lookup("mid", value));
    EXPECT_THROW(map.GetKeyAt(4), CInvalidArgException);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_FALSE(map.Lookup("Mid", value));
}
