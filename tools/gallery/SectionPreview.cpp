// The main window with a paused preview, in the sheet's skin: the program
// started for real and a picture drawn here opened in its preview.
#include "tools/gallery/GalleryHost.h"
#include "tools/gallery/GalleryProgram.h"

#include "app/mainwindow/MainWindow.h"
#include "engine/Player.h"
#include "platform/StdCtrls.h"
#include "skin/model/SkinData.h"

#include <QElapsedTimer>
#include <QPainter>

namespace {

// Colour bars over a grey ramp, 160 x 120.
QImage SamplePicture() {
    QImage img(160, 120, QImage::Format_RGB32);
    QPainter p(&img);
    const QColor bars[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::blue};
    for (int i = 0; i < 7; ++i) p.fillRect(i * 160 / 7, 0, 160 / 7 + 1, 80, bars[i]);
    for (int x = 0; x < 160; ++x) p.fillRect(x, 80, 1, 40, QColor(x * 255 / 159, x * 255 / 159, x * 255 / 159));
    return img;
}

}  // namespace

void DrawPreviewSection(TGallerySheet& sheet) {
    gallery::TStartedProgram started(sheet);
    if (!started.Window) return;
    TForm1* window = started.Window;
    const QString picture = started.Home() + QStringLiteral("/bars.png");
    if (!SamplePicture().save(picture)) return;
    window->T_Movie_PLayer_FileName = picture;
    window->Button31->Click();
    // The player paints from its own threads; a sheet without the picture
    // after ten seconds is still a sheet.
    QElapsedTimer waited;
    waited.start();
    // Until then the player's current frame is a black one without a time.
    std::int64_t shown = -1;
    while (!(window->DUDuvuvu->Paused() && (window->DUDuvuvu->CurrentFrame(shown), shown >= 0)) &&
           waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    sheet.Place(gallery::FormPicture(window, window->qvVelmora1, true), QStringLiteral("paused preview"));
}
