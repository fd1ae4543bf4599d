#include "platform/ExtCtrls.h"
#include "platform/Shell.h"
#include "platform/Sources.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

TEST(Ticks, ManualTimersFireInTimeOrderAndStop) {
    auto ticks = std::make_shared<TManualTickSource>();
    SetTickSource(ticks);
    std::vector<std::pair<char, std::uint32_t>> fired;
    TTimer slow, fast;
    slow.SetInterval(500);
    fast.SetInterval(200);
    slow.OnTimer = [&](QObject*) { fired.push_back({'s', GetTickCount()}); };
    fast.OnTimer = [&](QObject* sender) {
        fired.push_back({'f', GetTickCount()});
        if (GetTickCount() >= 600) static_cast<TTimer*>(sender)->SetEnabled(false);  // stops itself
    };
    ticks->Advance(1000);
    EXPECT_EQ(fired, (std::vector<std::pair<char, std::uint32_t>>{{'f', 200}, {'f', 400}, {'s', 500}, {'f', 600}, {'s', 1000}}));
    EXPECT_EQ(GetTickCount(), 1000u);
    slow.SetInterval(0);  // no interval, no timer
    EXPECT_EQ(ticks->ActiveTimers(), 0);
    SetTickSource(nullptr);
}

TEST(Ticks, TimersStartedOnARealClockStayThere) {
    TTimer t;  // bound to the real clock
    auto ticks = std::make_shared<TManualTickSource>();
    SetTickSource(ticks);
    int n = 0;
    t.OnTimer = [&](QObject*) { ++n; };
    ticks->Advance(5000);
    EXPECT_EQ(n, 0);
    t.SetInterval(100);  // restarted: now on the manual clock
    ticks->Advance(250);
    EXPECT_EQ(n, 2);
    SetTickSource(nullptr);
}

TEST(Pointer, ManualSourceAnswersWhereTheTestPutsIt) {
    auto p = std::make_shared<TManualPointerSource>();
    SetPointerSource(p);
    p->Pos = {120, 45};
    EXPECT_EQ(GetCursorPos(), QPoint(120, 45));
    SetPointerSource(nullptr);
}

TEST(Shell, PathsBecomeFileUrlsAndAddressesStay) {
    const std::pair<QString, QString> cases[] = {
        {"/tmp/out dir", "file:///tmp/out%20dir"},
        {"https://example.org/help", "https://example.org/help"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {QString::fromUtf8("/home/用户/输出"), "file:///home/%E7%94%A8%E6%88%B7/%E8%BE%93%E5%87%BA"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(QUrl(ShellUrl(in)).toString(QUrl::FullyEncoded), out) << in.toStdString();
}

// A short mono 16-bit PCM wave of silence.
QByteArray Wave(int samples) {
    QByteArray d;
    QDataStream s(&d, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint32 bytes = quint32(samples) * 2;
    s.writeRawData("RIFF", 4);
    s << quint32(36 + bytes);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2) << quint16(16);
    s.writeRawData("data", 4);
    s << bytes;
    d.append(QByteArray(int(bytes), '\0'));
    return d;
}

TEST(Shell, SoundsPlayThroughTheAudioOutputAndBadFilesAreRefused) {
    QTemporaryDir dir;
    const QString good = dir.filePath("ring001.wav"), bad = dir.filePath("bad.wav");
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Wave(800));
    f.close();
    QFile b(bad);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write("not a wave");
    b.close();
    TSystemShellActions shell;
    EXPECT_TRUE(shell.PlaySound(good));  // the tests' audio driver is SDL's dummy one
    EXPECT_TRUE(shell.PlaySound(good));  // a new sound replaces the playing one
    EXPECT_FALSE(shell.PlaySound(bad));
    EXPECT_FALSE(shell.PlaySound(dir.filePath("missing.wav")));
    EXPECT_FALSE(shell.PlaySound(dir.path()));
    EXPECT_FALSE(shell.Open(""));
}

}  // namespace
