// Skinned message boxes as a call builds them: information with OK, and a
// confirmation with Yes, No, Cancel and the show-again row.
#include "tools/gallery/GalleryHost.h"

#include "platform/Application.h"
#include "skin/forms/dialogs/SkinMessage.h"

#include <QApplication>

namespace {

// Shows the built box just long enough to take its picture.
class TGalleryMessage : public TqvSkinMessage {
public:
    QImage Shot;

protected:
    TModalResult ShowBox(TqvMessageForm* f) override {
        f->Show();
        QApplication::processEvents();
        const QPoint client = f->Client()->geometry().topLeft();
        TGallerySheet::MarkTextRegion(QRect(0, 0, f->width(), client.y()).adjusted(4, 4, -4, -2),
                                      QStringLiteral("frame caption"));
        gallery::MarkTexts(f->Client(), client);
        Shot = f->grab().toImage();
        return mrOk;
    }
};

}  // namespace

void DrawMessagesSection(TGallerySheet& sheet)
{
    auto* skin = const_cast<TqvSkinData*>(&sheet.Skin());
    TGalleryMessage m;
    m.SetSkinData(skin);
    m.SetCtrlSkinData(skin);
    m.MessageDlg(QStringLiteral("All 12 files were converted."), mtInformation, MsgBtn(mbOK), 0);
    sheet.Place(m.Shot, QStringLiteral("information, OK"));
    m.ShowAgainFlag = true;
    m.MessageDlg(QStringLiteral("The file \"holiday.mp4\" already exists.\nDo you want to replace it?"),
                 mtConfirmation, mbYesNoCancel, 0);
    sheet.Place(m.Shot, QStringLiteral("confirmation, show-again row"));
}
