#include "platform/Classes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(StringList, ListOperations) {
    TStringList l{"b", "a=1", "C"};
    int o = 7;
    l.AddObject("d", &o);
    EXPECT_EQ(l.IndexOf("c"), 2);
    EXPECT_EQ(l.Objects(3), &o);
    EXPECT_EQ(l.Values("A"), "1");
    l.SetValues("a", "2");
    l.SetValues("new", "3");
    EXPECT_EQ(l.ToStringList(), QStringList({"b", "a=2", "C", "d", "new=3"}));
    l.SetValues("A", "");
    l.Move(0, 3);
    l.Exchange(0, 1);
    EXPECT_EQ(l.ToStringList(), QStringList({"d", "C", "new=3", "b"}));
    EXPECT_EQ(l.Objects(0), &o);
    EXPECT_THROW(l.Get(4), EStringListError);
    EXPECT_THROW(l.Delete(-1), EStringListError);
}

TEST(StringList, SortedFindsAndRefusesPlacedInserts) {
    TStringList l;
    l.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apple"}) l.Add(s);
    EXPECT_EQ(l.ToStringList(), QStringList({"Apple", "banana", "pear"}));  // duplicates ignored, case ignored
    int at = -1;
    EXPECT_TRUE(l.Find("BANANA", at));
    EXPECT_EQ(at, 1);
    EXPECT_FALSE(l.Find("cherry", at));
    EXPECT_EQ(at, 2);
    EXPECT_THROW(l.Insert(0, "x"), EStringListError);
    l.SetDuplicates(dupError);
    EXPECT_THROW(l.Add("PEAR"), EStringListError);
}

TEST(StringList, TextAndChangeNotifications) {
    TStringList l;
    int changes = 0;
    l.OnChange = [&](TStringList*) { ++changes; };
    l.SetText("one\r\ntwo\rthree\n");
    EXPECT_EQ(changes, 1);  // one batch
    EXPECT_EQ(l.ToStringList(), QStringList({"one", "two", "three"}));
    EXPECT_EQ(l.Text(), "one\ntwo\nthree\n");
    l.Add("four");
    EXPECT_EQ(changes, 2);
}

TEST(StringList, FilesAreUtf8AndErrorsAreClear) {
    QTemporaryDir dir;
    TStringList l{QString::fromUtf8("第一行"), "second"};
    const QString file = dir.filePath("list.txt");
    l.SaveToFile(file);
    TStringList back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.ToStringList(), l.ToStringList());
    EXPECT_THROW(back.LoadFromFile(dir.filePath("missing.txt")), EFOpenError);
    EXPECT_THROW(l.SaveToFile(dir.filePath("no/such/dir.txt")), EFCreateError);
}

}  // namespace
