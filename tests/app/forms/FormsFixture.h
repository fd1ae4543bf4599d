// The dialogs' fixture: a temporary program folder, a recording error box and
// a link standing in for the main window (its fields, folder text, converter
// and, for the skinned cases, a skin model).
#pragma once

#include "app/link/MainWindowLink.h"
#include "app/settings/SettingsFile.h"
#include "engine/FFBase.h"
#include "engine/Trevalon.h"
#include "platform/Application.h"
#include "platform/IniFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

class TRecordingPrompt : public TPrompt {
public:
    QStringList Texts;
    int MessageBox(const QString& text, const QString&, unsigned) override {
        Texts << text;
        return 1;
    }
};

class TTestLink : public TMainWindowLink {
public:
    TqvSkinData* Skin = nullptr;
    jobs::TJobFields Fields;
    QString Folder;
    TTrevalon Trevalon;

    TqvSkinData* SkinData() override { return Skin; }
    jobs::TJobFields& JobFields() override { return Fields; }
    QString OutputFolderText() override { return Folder; }
    TCustomTrevalon* Converter() override { return &Trevalon; }
};

class FormsTest : public ::testing::Test {
protected:
    QTemporaryDir ProgramDir;
    std::shared_ptr<TRecordingPrompt> Prompt = std::make_shared<TRecordingPrompt>();
    TTestLink Link;

    QString Program() const { return ProgramDir.path() + "/"; }
    QString IniFile() const { return settings::OptionIniFileName(Program()); }

    void SetUp() override {
        SetApplicationPathOverride(Program());
        Application()->SetPrompt(Prompt);
        SetMainWindowLink(&Link);
    }
    void TearDown() override {
        DestroyApplication();
        SetMainWindowLink(nullptr);
        SetApplicationPathOverride(QString());
    }

    void WriteIni(const QByteArray& text) const {
        QFile f(IniFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(text), text.size());
    }
    QByteArray IniBytes() const {
        QFile f(IniFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }
    QString Stored(const QString& key) const {
        return TIniFile(IniFile()).ReadString(QStringLiteral("Options"), key, QStringLiteral("<none>"));
    }

    // A user's left click in the middle of a control, through Qt's events.
    static void ClickOn(QWidget* w) {
        const QPointF p(w->width() / 2, w->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(w, &release);
    }
};
