// The shell tree and list views, linked, and the dialogs built on them,
// over a small folder tree made for the sheet (with two volumes of its own),
// so the sheet never shows the machine it was drawn on.
#include "tools/gallery/GallerySheet.h"
#include "tools/gallery/GalleryHost.h"

#include "platform/Form.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/shell/OpenDialog.h"
#include "skin/forms/shell/OpenPictureDialog.h"
#include "skin/forms/shell/SelectDirectoryDialog.h"
#include "skin/forms/shell/SelectSkinDialog.h"
#include "skin/forms/shell/ShellComboBox.h"
#include "skin/forms/shell/ShellDriveControls.h"
#include "skin/forms/shell/ShellFileControls.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <functional>
#include <memory>

#include <sys/time.h>

namespace {

struct TSheetEnvironment : TqvShellEnvironment {
    QString Root;
    QString HomePath() const override { return Root + "/Films/home"; }
    QString DesktopPath() const override { return HomePath() + "/Desktop"; }
    std::vector<TqvShellVolume> Volumes() const override {
        return {{Root + "/Films", "Films", "ext4", ""}, {Root + "/Archive", "Archive", "ext4", ""}};
    }
};

void MakeTree(const QString& root) {
    const QString home = root + "/Films/home";
    for (const char* d : {"Desktop", "Music", "Videos/2024", "Videos/Holiday", "文档"}) QDir().mkpath(home + "/" + d);
    QDir().mkpath(root + "/Archive");
    const struct {
        const char* name;
        qint64 size;
    } files[] = {{"Videos/clip01.avi", 1200000}, {"Videos/clip02.avi", 880000}, {"Videos/Clip10.MP4", 5000000000LL},
                 {"Videos/notes.txt", 900},      {"Videos/旅行.mkv", 73000000}, {"Videos/trailer.mov", 20500000}};
    for (const auto& f : files) {
        QFile file(home + "/" + QString::fromUtf8(f.name));
        file.open(QIODevice::WriteOnly);
        file.resize(f.size);
        file.close();
        // A fixed time, so every sheet shows the same dates.
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime(QDate(2024, 5, 17), QTime(9, 41)), QFileDevice::FileModificationTime);
    }
    const qint64 t = QDateTime(QDate(2024, 5, 16), QTime(18, 5)).toSecsSinceEpoch();
    const struct timeval times[2] = {{t, 0}, {t, 0}};
    for (const char* d : {"Desktop", "Music", "Videos/2024", "Videos/Holiday", "文档", "Videos"})
        ::utimes(QFile::encodeName(home + "/" + QString::fromUtf8(d)).constData(), times);
}

TqvSkinScrollBar* Bar(TForm* form, TWinControl* parent, TqvSkinData* model, bool vertical, TRect r) {
    auto* b = new TqvSkinScrollBar(form);
    b->SetParent(parent);
    if (vertical) {
        b->SetKind(sbVertical);
        b->SetSkinDataName(QStringLiteral("vscrollbar"));
    }
    b->SetSkinData(model);
    b->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    return b;
}

// The sample tree in a folder of the temporary folder, as the shell's
// environment while it lives; both go with it. The folder is the process's
// own: galleries drawn at the same time (parallel tests) would otherwise
// delete each other's trees.
struct TSheetTree {
    QDir Folder;
    std::shared_ptr<TSheetEnvironment> Env = std::make_shared<TSheetEnvironment>();
    explicit TSheetTree(const QString& name)
        : Folder(QStringLiteral("%1/qv-gallery-%2/%3").arg(QDir::tempPath()).arg(QCoreApplication::applicationPid()).arg(name)) {
        Folder.removeRecursively();
        QDir().mkpath(Folder.path());
        Env->Root = Folder.canonicalPath();
        MakeTree(Env->Root);
        SetShellEnvironment(Env);
    }
    ~TSheetTree() {
        SetShellEnvironment(nullptr);
        Folder.removeRecursively();
        QDir().rmdir(QFileInfo(Folder.path()).path());
    }
    TSheetTree(const TSheetTree&) = delete;
    TSheetTree& operator=(const TSheetTree&) = delete;
};

}  // namespace

void DrawShellSection(TGallerySheet& sheet) {
    const TSheetTree sample(QStringLiteral("qv-shell-sheet"));
    const auto& env = sample.Env;
    auto* model = const_cast<TqvSkinData*>(&sheet.Skin());
    {
        auto form = std::make_unique<TForm>();
        form->SetBounds(0, 0, 640, 260);
        form->Show();
        auto* panel = new TqvSkinPanel(form.get());
        panel->SetParent(form.get());
        panel->SetSkinData(model);
        panel->SetBounds(0, 0, 640, 260);
        auto* tree = new TqvSkinDirTreeView(form.get());
        tree->SetParent(panel);
        tree->SetBounds(8, 8, 190, 225);
        tree->SetSkinData(model);
        tree->SetVScrollBar(Bar(form.get(), panel, model, true, {198, 8, 217, 233}));
        tree->SetHScrollBar(Bar(form.get(), panel, model, false, {8, 233, 217, 252}));
        auto* list = new TqvSkinFileListView(form.get());
        list->SetParent(panel);
        list->SetBounds(225, 8, 388, 225);
        list->SetSkinData(model);
        list->SetViewStyle(vsReport);
        list->SetVScrollBar(Bar(form.get(), panel, model, true, {613, 8, 632, 233}));
        list->SetHScrollBar(Bar(form.get(), panel, model, false, {225, 233, 613, 252}));
        tree->SetShellListView(list);
        tree->SetPath(env->HomePath() + "/Videos");
        list->SetItemIndex(4);
        QCoreApplication::processEvents();
        tree->UpDateScrollBars();
        list->UpDateScrollBars();
        sheet.Place(form->grab().toImage(), QStringLiteral("shell tree and list, linked; report view of a folder"));
    }
    {
        auto form = std::make_unique<TForm>();
        form->SetBounds(0, 0, 330, 200);
        form->Show();
        auto* list = new TqvSkinFileListView(form.get());
        list->SetParent(form.get());
        list->SetBounds(0, 0, 330, 200);
        list->SetSkinData(model);
        list->SetRoot("rfMyComputer");
        list->SetViewStyle(vsIcon);
        list->SetItemIndex(0);
        QCoreApplication::processEvents();
        sheet.Place(form->grab().toImage(), QStringLiteral("shell list: the Computer's volumes, icon view"));
    }
    {
        // The look-in box open over the chain down to a folder.
        auto form = std::make_unique<TForm>();
        form->SetBounds(40, 40, 300, 300);
        form->Show();
        auto* panel = new TqvSkinPanel(form.get());
        panel->SetParent(form.get());
        panel->SetSkinData(model);
        panel->SetBounds(0, 0, 300, 300);
        auto* box = new TqvSkinShellComboBox(form.get());
        box->SetParent(panel);
        box->SetSkinData(model);
        box->SetBounds(8, 8, 284, 22);
        box->SetDropDownCount(12);
        box->SetPath(env->HomePath() + "/Videos/2024");
        box->DropDown();
        QCoreApplication::processEvents();
        QImage img = form->grab().toImage();
        if (QWidget* w = box->ListBox()->Window(); w && w->isVisible()) {
            QPainter p(&img);
            p.drawImage(w->geometry().topLeft() - form->mapToGlobal(QPoint(0, 0)), w->grab().toImage());
        }
        box->CloseUp(false);
        sheet.Place(img, QStringLiteral("shell combo box open: Desktop, Computer, volume, folders"));
    }
    {
        // Volume, folder and file controls linked, with a filter and a path label.
        auto form = std::make_unique<TForm>();
        form->SetBounds(0, 0, 420, 260);
        form->Show();
        auto* panel = new TqvSkinPanel(form.get());
        panel->SetParent(form.get());
        panel->SetSkinData(model);
        panel->SetBounds(0, 0, 420, 260);
        auto* drive = new TqvSkinDriveComboBox(form.get());
        drive->SetParent(panel);
        drive->SetSkinData(model);
        drive->SetBounds(8, 8, 200, 22);
        auto* label = new TqvSkinStdLabel(form.get());
        label->SetParent(panel);
        label->SetSkinData(model);
        label->SetAutoSize(false);
        label->SetBounds(216, 12, 196, 16);
        auto* dirs = new TqvSkinDirectoryListBox(form.get());
        dirs->SetParent(panel);
        dirs->SetSkinData(model);
        dirs->SetBounds(8, 38, 200, 182);
        auto* files = new TqvSkinFileListBox(form.get());
        files->SetParent(panel);
        files->SetSkinData(model);
        files->SetBounds(216, 38, 196, 182);
        auto* filter = new TqvSkinFilterComboBox(form.get());
        filter->SetParent(panel);
        filter->SetSkinData(model);
        filter->SetBounds(216, 228, 196, 22);
        drive->SetDirList(dirs);
        dirs->SetFileList(files);
        dirs->SetDirLabel(label);
        filter->SetFileList(files);
        filter->SetFilter("Video files (*.avi;*.mp4)|*.avi;*.mp4|All files (*.*)|*.*");
        dirs->SetDirectory(env->HomePath() + "/Videos");
        files->SetItemIndex(1);
        QCoreApplication::processEvents();
        sheet.Place(form->grab().toImage(), QStringLiteral("drive box, folder list, file list, filter and path label"));
    }
}

// ---- the dialogs over the same tree

namespace {

// Each dialog shows itself once, is photographed and answers Cancel.
template <class Dialog, class Form> class TShotDialog : public Dialog {
public:
    using Dialog::Dialog;
    QImage Shot;
    std::function<void(Form*)> Prepare;

protected:
    TModalResult RunModal(Form* form) override {
        form->Show();
        if (Prepare) Prepare(form);
        QCoreApplication::processEvents();
        Shot = gallery::FormPicture(form, form->QVF, true);
        return mrCancel;
    }
};

}  // namespace

void DrawFileDialogsSection(TGallerySheet& sheet) {
    const TSheetTree sample(QStringLiteral("qv-dialog-sheet"));
    const auto& env = sample.Env;
    auto* model = const_cast<TqvSkinData*>(&sheet.Skin());
    {
        TShotDialog<TqvSkinOpenDialog, TqvOpenDlgForm> d;
        d.SetSkinData(model);
        d.SetCtrlSkinData(model);
        d.Filter = QStringLiteral("Video files (*.avi;*.mp4;*.mkv)|*.avi;*.mp4;*.mkv|All files (*.*)|*.*");
        d.FileName = env->HomePath() + QStringLiteral("/Videos/clip02.avi");
        d.DialogWidth = 560;
        d.DialogHeight = 340;
        d.Prepare = [](TqvOpenDlgForm* f) {
            f->ReportItemClick(f->ReportMenuItem);
            f->FileListView->SetItemIndex(3);
        };
        d.Execute();
        sheet.Place(d.Shot, QStringLiteral("open dialog, report view"));
    }
    {
        TShotDialog<TqvSkinSelectDirectoryDialog, TqvSelDirDlgForm> d;
        d.SetSkinData(model);
        d.SetCtrlSkinData(model);
        d.ShowToolBar = true;
        d.Directory = env->HomePath() + QStringLiteral("/Videos/Holiday");
        d.DialogWidth = 300;
        d.DialogHeight = 320;
        d.Execute();
        sheet.Place(d.Shot, QStringLiteral("select-folder dialog with its tool bar"));
    }
    {
        // A picture of the sheet's own making in the preview.
        const QString pics = env->HomePath() + QStringLiteral("/Pictures");
        QDir().mkpath(pics);
        QImage img(150, 110, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, 0, 110);
        g.setColorAt(0, QColor(250, 170, 60));
        g.setColorAt(1, QColor(60, 40, 120));
        p.fillRect(img.rect(), g);
        p.setBrush(QColor(255, 230, 120));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(75, 70), 22, 22);
        p.end();
        img.save(pics + QStringLiteral("/sunset.bmp"));
        img.save(pics + QStringLiteral("/sunset copy.bmp"));
        TShotDialog<TqvSkinOpenPictureDialog, TqvOpenDlgForm> d;
        d.SetSkinData(model);
        d.SetCtrlSkinData(model);
        d.FileName = pics + QStringLiteral("/sunset.bmp");
        d.Execute();
        sheet.Place(d.Shot, QStringLiteral("open-picture dialog, a picture previewed"));
    }
    if (TqvCompressedSkinList* list = sheet.Skin().SkinList()) {
        TShotDialog<TqvSelectSkinDialog, TqvSelectSkinDlgForm> d;
        d.SetSkinList(list);
        d.SetSkinData(model);
        d.SetCtrlSkinData(model);
        // The next skin in the preview, so the sample differs from the frame.
        d.Execute((sheet.Skin().SkinIndex() + 1) % list->Skins().Count());
        sheet.Place(d.Shot, QStringLiteral("select-skin dialog: the next skin previewed"));
    }
}
