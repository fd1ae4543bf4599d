// Every clip of the media table can be made: a broken row would otherwise
// show up as confusing failures in whichever test asks for it first.
#include "tests/support/TestMedia.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(TestMedia, EveryClipIsMadeOnce) {
    for (const QString& name : TestMedia::Names()) {
        SCOPED_TRACE(name.toStdString());
        const QString path = TestMedia::Path(name);
        ASSERT_FALSE(path.isEmpty());
        const QFileInfo info(path);
        EXPECT_GT(info.size(), 0);
        // Asking again uses the cached file.
        const auto modified = info.lastModified();
        EXPECT_EQ(TestMedia::Path(name), path);
        EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    }
}
