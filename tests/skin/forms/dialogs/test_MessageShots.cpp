// Pictures to look at: an information box with OK and a confirmation with
// Yes, No, Cancel and the show-again row, in two stored skins and without one.
#include "skin/forms/dialogs/SkinMessage.h"

#include "platform/Application.h"
#include "resources/skins/StoredSkins.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

class TShotMessage : public TqvSkinMessage {
public:
    QString File;

protected:
    TModalResult ShowBox(TqvMessageForm* f) override {
        f->Show();
        QApplication::processEvents();
        EXPECT_TRUE(f->grab().save(File));
        return mrOk;
    }
};

TEST(MessageShots, InformationAndConfirmation) {
    const QString dir = QStringLiteral(QV_SHOT_DIR);
    QDir().mkpath(dir);
    Application()->SetTitle(QStringLiteral("Quorvelia"));
    TqvCompressedSkinList list;
    LoadStoredSkins(list);
    TqvSkinData model;
    model.SetSkinIndex(-1);
    model.SetSkinList(&list);
    TShotMessage m;
    for (int index : {1, 6, -1}) {
        if (index >= 0) {
            model.SetSkinIndex(index);
            m.SetSkinData(&model);
            m.SetCtrlSkinData(&model);
        } else {
            m.SetSkinData(nullptr);
            m.SetCtrlSkinData(nullptr);
        }
        const QString name = index >= 0 ? QStringLiteral("skin%1").arg(index) : QStringLiteral("noskin");
        m.ShowAgainFlag = false;
        m.File = dir + QStringLiteral("/info_%1.png").arg(name);
        m.MessageDlg(QStringLiteral("All 12 files were converted."), mtInformation, MsgBtn(mbOK), 0);
        m.ShowAgainFlag = true;
        m.File = dir + QStringLiteral("/confirm_%1.png").arg(name);
        m.MessageDlg(QStringLiteral("The file \"holiday.mp4\" already exists.\nDo you want to replace it?"),
                     mtConfirmation, mbYesNoCancel, 0);
    }
}

}  // namespace
