// The shell tests' world: a temporary tree standing in for the machine, with
// a home and desktop folder on the first of two fake volumes (the second
// mounted inside the first), media names in both cases, hidden entries,
// nested and unreadable folders, a sparse 5 GB file and non-Latin names.
#pragma once

#include "platform/Shell.h"
#include "skin/forms/shell/ShellNamespace.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

struct TFakeShellEnvironment : TqvShellEnvironment {
    QString Home, Desktop;
    std::vector<TqvShellVolume> Vols;
    QString HomePath() const override { return Home; }
    QString DesktopPath() const override { return Desktop; }
    std::vector<TqvShellVolume> Volumes() const override { return Vols; }
};

struct TRecordingShell : TShellActions {
    QStringList Opened;
    bool Open(const QString& p) override {
        Opened << p;
        return true;
    }
    bool PlaySound(const QString&) override { return false; }
    bool PowerOff() override { return false; }
};

class ShellTree {
public:
    QTemporaryDir Tmp;
    QString VolA, VolB, Home, Desktop, Music, Videos, Deep, Locked, Big;
    std::shared_ptr<TFakeShellEnvironment> Env = std::make_shared<TFakeShellEnvironment>();

    ShellTree() {
        const QString r = QDir(Tmp.path()).canonicalPath();
        VolA = r + "/volA";
        Home = VolA + "/home";
        Desktop = Home + "/Desktop";
        VolB = VolA + "/mnt/beta";
        Music = Home + "/Music";
        Videos = Home + "/Videos";
        Deep = Videos + "/2024/January";
        Locked = Home + "/locked";
        Big = Home + "/big.bin";
        for (const QString& d : {Desktop + "/Projects", Music + "/Live", Deep, Home + "/.hidden", Locked,
                                 Home + QString::fromUtf8("/音乐"), VolB + "/disc"})
            QDir().mkpath(d);
        for (const char* f : {"Song1.MP3", "song2.mp3", "song10.mp3", "clip.wav", "Clip.AVI", "video.avi", "notes",
                              "track.aiff", ".secret.mp3"})
            Touch(Music + "/" + f, 3000);
        Touch(Music + QString::fromUtf8("/Пример.mp3"), 10);
        Touch(Desktop + "/readme.txt", 5);
        Touch(Home + "/a.txt", 1);
        Touch(Locked + "/inside.txt", 1);
        QFile big(Big);
        big.open(QIODevice::WriteOnly);
        big.resize(5000000000LL);  // sparse: no blocks written
        ::chmod(QFile::encodeName(Locked).constData(), 0);
        Env->Home = Home;
        Env->Desktop = Desktop;
        Env->Vols = {{VolA, "Alpha", "ext4", "/dev/fake1"}, {VolB, "Beta", "ext4", "/dev/fake2"}};
        SetShellEnvironment(Env);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    ~ShellTree() {
        ::chmod(QFile::encodeName(Locked).constData(), 0755);
        SetShellEnvironment(nullptr);
        QLocale::setDefault(QLocale::c());
    }
    static void Touch(const QString& path, int bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(bytes, 'x'));
    }
    // Permission bits do not stop the super-user.
    static bool Privileged() { return ::geteuid() == 0; }
};

inline TqvShellID Id(const QString& path) { return TqvShellID::FromPath(path); }
