// The change notifier: filters to flags and events, OnChange on the UI
// thread for a change in the root, subfolders only with WatchSubTree, and
// nothing at all without OnChange. Negative cases are closed by a later
// change in the root: the kernel reports in order, so when that one has
// arrived, an earlier report would have too.
#include "tests/skin/forms/shell/ShellFixture.h"

#include "skin/forms/shell/ShellChangeNotifier.h"

#include <QCoreApplication>
#include <QThread>

#include <sys/inotify.h>

namespace {

struct NotifierTest : ::testing::Test {
    QTemporaryDir Tmp;
    QString Root = Tmp.path(), Sub = Tmp.path() + "/sub";
    int Calls = 0;
    bool OnUiThread = true;
    TqvShellChangeNotifier N;

    NotifierTest() { QDir().mkpath(Sub); }
    void Watch(bool subTree, TNotifyFilters filters = {nfFileNameChange, nfDirNameChange}) {
        N.SetRoot(Root);
        N.SetWatchSubTree(subTree);
        N.SetNotifyFilters(filters);
        N.SetOnChange([this] {
            ++Calls;
            OnUiThread = OnUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        });
    }
    // Runs the event loop until OnChange has run `calls` times (or gives up).
    bool WaitFor(int calls) {
        for (int i = 0; i < 400 && Calls < calls; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(5);
        }
        return Calls >= calls;
    }
};

}  // namespace

TEST(ShellNotifyFilters, FlagsAndEvents) {
    EXPECT_EQ(NotifyFlags({nfSecurityChange}), 256u);
    EXPECT_EQ(NotifyFlags({nfFileNameChange, nfDirNameChange}), 3u);
    EXPECT_EQ(NotifyFlags({nfAttributeChange, nfSizeChange, nfWriteChange}), 4u + 8u + 16u);
    EXPECT_EQ(NotifyEventMask({nfFileNameChange}), unsigned(IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO));
    EXPECT_EQ(NotifyEventMask({nfSecurityChange}), unsigned(IN_ATTRIB));
    EXPECT_EQ(NotifyEventMask({nfWriteChange}) & IN_MODIFY, unsigned(IN_MODIFY));
    EXPECT_EQ(NotifyEventMask({}), 0u);
}

TEST_F(NotifierTest, NothingWithoutOnChange) {
    N.SetRoot(Root);
    N.SetWatchSubTree(true);
    N.SetNotifyFilters({nfFileNameChange, nfSizeChange});
    EXPECT_FALSE(N.Watching());
    EXPECT_EQ(N.Root(), Root);
    TqvShellChangeNotifier fresh;
    EXPECT_EQ(fresh.Root(), "/");
    EXPECT_TRUE(fresh.WatchSubTree());
    EXPECT_EQ(fresh.NotifyFilters(), TNotifyFilters({nfFileNameChange, nfDirNameChange}));
    EXPECT_FALSE(fresh.Watching());
    Watch(false);
    EXPECT_TRUE(N.Watching());
    N.SetOnChange({});
    EXPECT_FALSE(N.Watching()) << "taking the method away stops watching";
}

TEST_F(NotifierTest, FileMadeInTheRootRunsOnChangeOnTheUiThread) {
    Watch(false);
    ShellTree::Touch(Root + "/new.txt", 1);
    ASSERT_TRUE(WaitFor(1));
    EXPECT_TRUE(OnUiThread);
    EXPECT_EQ(N.WatchCount(), 1);
}

TEST_F(NotifierTest, SubfolderChangesOnlyWithWatchSubTree) {
    Watch(false);
    ShellTree::Touch(Sub + "/inner.txt", 1);
    ShellTree::Touch(Root + "/sentinel.txt", 1);
    ASSERT_TRUE(WaitFor(1));
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(Calls, 1) << "only the root's change";

    Calls = 0;
    N.SetWatchSubTree(true);
    EXPECT_EQ(N.WatchCount(), 2);
    ShellTree::Touch(Sub + "/inner2.txt", 1);
    ASSERT_TRUE(WaitFor(1));
    // A folder made later is watched too.
    QDir().mkpath(Root + "/later");
    ASSERT_TRUE(WaitFor(2));
    ShellTree::Touch(Root + "/later/x.txt", 1);
    EXPECT_TRUE(WaitFor(3));
}

TEST_F(NotifierTest, FiltersAndRetargeting) {
    Watch(false, {nfDirNameChange});
    ShellTree::Touch(Root + "/file.txt", 1);
    QDir().mkdir(Root + "/dir");
    ASSERT_TRUE(WaitFor(1));
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(Calls, 1) << "a file name change is not a folder name change";

    // A new root takes effect at once; the old one reports nothing more.
    Calls = 0;
    N.SetNotifyFilters({nfFileNameChange});
    N.SetRoot(Sub);
    ShellTree::Touch(Root + "/old-root.txt", 1);
    ShellTree::Touch(Sub + "/new-root.txt", 1);
    ASSERT_TRUE(WaitFor(1));
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(Calls, 1);

    // A folder that cannot be watched reports nothing and raises nothing.
    N.SetRoot(Root + "/missing");
    EXPECT_TRUE(N.Watching());
    EXPECT_EQ(N.WatchCount(), 0);
}
