// The program's main window as it starts, in the sheet's skin: started for
// real from a temporary program folder whose settings name the skin; then
// its open dialog and skin chooser as its commands show them.
#include "tools/gallery/GalleryHost.h"
#include "tools/gallery/GalleryProgram.h"

#include "app/mainwindow/MainWindow.h"
#include "skin/controls/lists/SkinListBox.h"
#include "skin/forms/shell/OpenDialog.h"
#include "skin/forms/shell/SelectSkinDialog.h"
#include "skin/model/SkinData.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

// Runs a dialog whose form, once shown, is prepared, photographed and cancelled.
template <class F> QImage ShootDialog(std::function<F*()> form, std::function<void(F*)> prepare,
                                      const std::function<void()>& run) {
    QImage shot;
    QTimer::singleShot(0, [&] {
        F* f = form();
        if (!f) return;
        if (prepare) prepare(f);
        QCoreApplication::processEvents();
        shot = gallery::FormPicture(f, f->QVF, true);
        f->SetModalResult(mrCancel);
    });
    run();
    return shot;
}

}  // namespace

void DrawMainWindowSection(TGallerySheet& sheet) {
    gallery::TStartedProgram started(sheet);
    if (!started.Window) return;
    TForm1* window = started.Window;
    sheet.Place(gallery::FormPicture(window, window->qvVelmora1, true), QStringLiteral("main window at start"));

    const QString videos = started.Home() + QStringLiteral("/Videos");
    QDir().mkpath(videos + QStringLiteral("/Holiday"));
    for (const char* name : {"Interview.MP4", "clip02.mkv", "concert.avi", "theme song.mp3"}) {
        QFile f(videos + QLatin1Char('/') + QLatin1String(name));
        if (f.open(QIODevice::WriteOnly)) f.write(QByteArray(4096, 'x'));
    }
    TqvSkinOpenDialog* open = window->OpenDialog2;
    open->FileName = videos + QLatin1Char('/');
    open->DialogWidth = 560;
    open->DialogHeight = 340;
    sheet.Place(ShootDialog<TqvOpenDlgForm>([open] { return open->Form(); },
                                            [](TqvOpenDlgForm* f) { f->ReportItemClick(f->ReportMenuItem); },
                                            [&] { window->Dialogs->OpenFiles(open); }),
                QStringLiteral("the program's open dialog (add several files), report view"));
    TqvSelectSkinDialog* skins = window->qvSelectSkinDialog1;
    sheet.Place(ShootDialog<TqvSelectSkinDlgForm>(
                    [skins] { return skins->Form(); },
                    [](TqvSelectSkinDlgForm* f) {
                        // The next skin in the preview, so the sample differs from the frame.
                        f->SkinsListBox->SetItemIndex((f->SkinsListBox->ItemIndex() + 1) % f->SkinsListBox->Items().Count());
                        f->SkinsListBox->OnListBoxClick(f->SkinsListBox);
                    },
                    [&] { window->Dialogs->SelectSkin(window->qvSkinData1); }),
                QStringLiteral("the program's skin chooser, the next skin previewed"));
}
