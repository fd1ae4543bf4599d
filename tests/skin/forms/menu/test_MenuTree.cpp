// The menu item tree: shortcuts and accelerators, ownership, commands, radio
// groups, line reduction and merging.
#include "skin/forms/menu/Menus.h"

#include <gtest/gtest.h>

#include <QPointer>

#include <memory>

namespace {

constexpr int kCtrl = int(Qt::ControlModifier), kShift = int(Qt::ShiftModifier), kAlt = int(Qt::AltModifier);

TEST(MenuShortCut, Texts) {
    const struct {
        TShortCut Key;
        const char* Text;
    } rows[] = {
        {kCtrl | Qt::Key_O, "Ctrl+O"},        {Qt::Key_F1, "F1"},
        {kShift | Qt::Key_Delete, "Shift+Del"}, {kAlt | Qt::Key_F4, "Alt+F4"},
        {kCtrl | kShift | Qt::Key_S, "Shift+Ctrl+S"}, {kCtrl | Qt::Key_5, "Ctrl+5"},
        {Qt::Key_Escape, "Esc"},                {Qt::Key_PageDown, "PgDn"},
        {0, ""},                                {Qt::Key_Pause, ""},
    };
    for (const auto& r : rows) EXPECT_EQ(ShortCutToText(r.Key), QString::fromUtf8(r.Text)) << r.Text;
    EXPECT_EQ(ShortCut(Qt::Key_O, Qt::ControlModifier | Qt::KeypadModifier), kCtrl | Qt::Key_O);
}

TEST(MenuShortCut, Accelerators) {
    const struct {
        const char* Caption;
        int Key;
        bool Accel;
        const char* Stripped;
    } rows[] = {
        {"&File", Qt::Key_F, true, "File"},      {"E&xit", Qt::Key_X, true, "Exit"},
        {"e&xit", Qt::Key_X, true, "exit"},      {"&&Save", Qt::Key_S, false, "&Save"},
        {"a&&b&c", Qt::Key_C, true, "a&bc"},     {"File", Qt::Key_F, false, "File"},
        {"", Qt::Key_F, false, ""},              {"Tail&", Qt::Key_T, false, "Tail"},
        {"&1 Recent", Qt::Key_1, true, "1 Recent"}, {"&打开", 0x6253, true, "打开"},
    };
    for (const auto& r : rows) {
        const QString c = QString::fromUtf8(r.Caption);
        EXPECT_EQ(IsAccel(r.Key, c), r.Accel) << r.Caption;
        EXPECT_EQ(StripHotkey(c), QString::fromUtf8(r.Stripped)) << r.Caption;
    }
}

TMenuItem* AddItem(TMenuItem* parent, const QString& caption, QObject* owner = nullptr) {
    auto* i = new TMenuItem(owner);
    i->SetCaption(caption);
    parent->Add(i);
    return i;
}

TEST(MenuTree, ChildrenLeaveWithTheirParentAndAlone) {
    TMenu menu;
    TMenuItem* file = AddItem(menu.Items(), QStringLiteral("File"));
    QPointer<TMenuItem> open = AddItem(file, QStringLiteral("Open"));
    TMenuItem* save = AddItem(file, QStringLiteral("Save"));
    auto* recent = new TMenuItem;
    file->Insert(1, recent);
    EXPECT_EQ(file->IndexOf(recent), 1);
    EXPECT_EQ(recent->GetParentMenu(), &menu);

    delete save;  // a child freed alone leaves its parent's list
    EXPECT_EQ(file->Count(), 2);
    menu.Items()->Add(recent);  // moving takes it out of its old parent
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(recent->Parent(), menu.Items());
    EXPECT_THROW(open->Add(file), EComponentError);

    delete file;  // frees its children
    EXPECT_TRUE(open.isNull());
    EXPECT_EQ(menu.Items()->Count(), 1);
    EXPECT_EQ(TMenuItem().GetParentMenu(), nullptr);
}

TEST(MenuTree, OwnerAndMenuFreeInEitherOrder) {
    for (bool menuFirst : {true, false}) {
        auto owner = std::make_unique<TComponent>();
        auto* menu = new TMainMenu(owner.get());
        QPointer<TMenuItem> a = AddItem(menu->Items(), QStringLiteral("A"), owner.get());
        QPointer<TMenuItem> b = AddItem(a, QStringLiteral("B"), owner.get());
        if (menuFirst) {
            delete menu;
            EXPECT_TRUE(a.isNull() && b.isNull());
        }
        owner.reset();  // the owner frees what is left, last created first
        EXPECT_TRUE(a.isNull() && b.isNull());
    }
}

TEST(MenuTree, CommandsRunOnlyLiveEnabledItems) {
    TPopupMenu menu;
    int clicks = 0;
    QObject* sender = nullptr;
    TMenuItem* sub = AddItem(menu.Items(), QStringLiteral("Sub"));
    TMenuItem* leaf = AddItem(sub, QStringLiteral("Leaf"));
    leaf->OnClick = [&](QObject* s) { ++clicks, sender = s; };
    const int command = leaf->Command();
    EXPECT_NE(command, sub->Command());

    EXPECT_TRUE(menu.DispatchCommand(command));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, leaf);
    leaf->SetEnabled(false);
    EXPECT_TRUE(menu.DispatchCommand(command));
    EXPECT_EQ(clicks, 1);
    delete leaf;
    EXPECT_FALSE(menu.DispatchCommand(command));  // a freed item runs nothing
    TMenu other;
    EXPECT_FALSE(other.DispatchCommand(sub->Command()));  // another menu's item
}

TEST(MenuTree, ShortCutsFindTheFirstEnabledItem) {
    TMainMenu menu;
    QStringList ran;
    auto item = [&](TMenuItem* parent, const char* caption, TShortCut key, bool enabled) {
        TMenuItem* i = AddItem(parent, QString::fromLatin1(caption));
        i->SetShortCut(key);
        i->SetEnabled(enabled);
        i->OnClick = [&ran, caption](QObject*) { ran << QString::fromLatin1(caption); };
        return i;
    };
    TMenuItem* help = item(menu.Items(), "Help", 0, true);
    item(help, "Disabled F1", Qt::Key_F1, false);
    item(help, "Help topics", Qt::Key_F1, true);
    item(help, "Other F1", Qt::Key_F1, true);
    item(help, "Open", kCtrl | Qt::Key_O, true);

    EXPECT_TRUE(menu.IsShortCut(Qt::Key_F1));
    EXPECT_TRUE(menu.IsShortCut(Qt::Key_F1));  // every stroke runs it
    EXPECT_TRUE(menu.IsShortCut(kCtrl | Qt::Key_O));
    EXPECT_FALSE(menu.IsShortCut(Qt::Key_O));
    EXPECT_FALSE(menu.IsShortCut(0));
    EXPECT_EQ(ran, (QStringList{"Help topics", "Help topics", "Open"}));
}

TEST(MenuTree, RadioItemsUncheckTheirGroup) {
    TMenu menu;
    std::vector<TMenuItem*> items;
    const struct {
        bool Radio;
        int Group;
    } rows[] = {{true, 1}, {true, 1}, {true, 2}, {false, 1}};
    for (const auto& r : rows) {
        TMenuItem* i = AddItem(menu.Items(), QStringLiteral("x"));
        i->SetRadioItem(r.Radio);
        i->SetGroupIndex(r.Group);
        i->SetChecked(true);
        items.push_back(i);
    }
    // The first radio item of group 1 lost its mark to the second; other groups and plain items keep theirs.
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[2]->Checked());
    EXPECT_TRUE(items[3]->Checked());
    items[1]->SetChecked(false);
    EXPECT_FALSE(items[1]->Checked());
}

TEST(MenuTree, LineReduction) {
    // Caption letters; "-" a separator; lower-case "h" an item the application hid.
    const struct {
        const char* Items;
        const char* Shown;
    } rows[] = {
        {"-a--b-", "a-b"}, {"a-b", "a-b"},   {"a-h-b", "a-b"}, {"--", ""},
        {"a-", "a"},       {"-", ""},        {"a-b--", "a-b"}, {"ab", "ab"},
    };
    for (const auto& r : rows) {
        TMenu menu;
        for (const char* c = r.Items; *c; ++c) {
            TMenuItem* i = AddItem(menu.Items(), *c == '-' ? QStringLiteral("-") : QString(QLatin1Char(*c)));
            i->SetVisible(*c != 'h');
        }
        menu.Items()->RethinkLines();
        QString shown;
        for (int i = 0; i < menu.Items()->Count(); ++i)
            if (menu.Items()->Items(i)->Shown()) shown += menu.Items()->Items(i)->Caption();
        EXPECT_EQ(shown, QString::fromLatin1(r.Shown)) << r.Items;
    }
    // A separator shown again once the items around it return.
    TMenu menu;
    TMenuItem* a = AddItem(menu.Items(), QStringLiteral("a"));
    TMenuItem* line = AddItem(menu.Items(), QStringLiteral("-"));
    AddItem(menu.Items(), QStringLiteral("b"));
    a->SetVisible(false);
    menu.Items()->RethinkLines();
    EXPECT_FALSE(line->Shown());
    a->SetVisible(true);
    menu.Items()->RethinkLines();
    EXPECT_TRUE(line->Shown());
    EXPECT_TRUE(line->Visible());
}

QString Captions(const std::vector<TMenuItem*>& items) {
    QStringList s;
    for (const TMenuItem* i : items) s << i->Caption();
    return s.join(u' ');
}

TEST(MenuTree, MergeKeepsMenuOrderWithinAGroup) {
    TMainMenu main, child;
    auto add = [](TMenu& m, const char* caption, int group) {
        AddItem(m.Items(), QString::fromLatin1(caption))->SetGroupIndex(group);
    };
    add(main, "File", 0);
    add(main, "Edit", 1);
    add(main, "Window", 5);
    add(main, "Help", 9);
    add(child, "Doc", 1);
    add(child, "Tools", 5);
    add(child, "Format", 5);
    add(child, "Extra", 3);
    EXPECT_EQ(Captions(MergeMenuItems(&main, &child)), QStringLiteral("File Doc Extra Tools Format Help"));
    EXPECT_EQ(Captions(MergeMenuItems(&main, nullptr)), QStringLiteral("File Edit Window Help"));
    EXPECT_TRUE(MergeMenuItems(nullptr, &child).empty());

    // Many items of few groups: each group stays in menu order.
    TMainMenu big, other;
    add(other, "o", 7);
    QStringList expected[3];
    for (int i = 0; i < 60; ++i) {
        const int group = (i * 7) % 3;
        const QString caption = QStringLiteral("m%1").arg(i);
        AddItem(big.Items(), caption)->SetGroupIndex(group);
        expected[group] << caption;
    }
    EXPECT_EQ(Captions(MergeMenuItems(&big, &other)),
              (expected[0] + expected[1] + expected[2] + QStringList{"o"}).join(u' '));
}

}  // namespace
