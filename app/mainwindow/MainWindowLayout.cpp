// The window's layout: every component with its recorded properties. The
// direct windowed children are created in tab order, which is also their
// stacking order (the logo over the job panel, Panel6 over the preview panel).
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/ProfilePanel.h"

#include "app/about/ProductLinks.h"
#include "app/jobs/JobRow.h"
#include "app/mainwindow/MainWindowPictures.h"
#include "app/mainwindow/Startup.h"
#include "app/profiles/ProfileTables.h"
#include "app/settings/MainWindowSettings.h"
#include "engine/FFBase.h"
#include "engine/FFLogger.h"
#include "engine/Player.h"
#include "engine/Trevalon.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "platform/StdCtrls.h"
#include "resources/skins/StoredSkins.h"
#include "skin/controls/bars/SkinScrollBar.h"
#include "skin/controls/bars/SkinSlider.h"
#include "skin/controls/bars/SkinToolBar.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/office/SkinOfficeItems.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/dialogs/SkinMessage.h"
#include "skin/forms/hint/SkinHint.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/menubar/MainMenuBar.h"
#include "skin/model/SkinData.h"
#include "skin/model/StoredSkin.h"

TForm1* Form1 = nullptr;

namespace {

template <class T>
T* Place(TForm1* form, TWinControl* parent, const char* name, int x, int y, int w, int h, TqvSkinData* skin) {
    auto* c = new T(form);
    c->SetName(QString::fromLatin1(name));
    c->SetParent(parent);
    if constexpr (requires { c->SetSkinData(skin); }) c->SetSkinData(skin);
    c->SetBounds(x, y, w, h);
    return c;
}

TMenuItem* Item(QObject* owner, TMenuItem* parent, const char* name, const char* caption) {
    auto* item = new TMenuItem(owner);
    item->SetName(QString::fromLatin1(name));
    item->SetCaption(QString::fromUtf8(caption));
    parent->Add(item);
    return item;
}

}  // namespace

TForm1::TForm1(QObject* AOwner) : TForm(AOwner) { CreateProfilePanel(); }

TForm1::~TForm1() {
    // A window freed without closing (the application ending) still ends its
    // runs and preview first: their waits pump events, which must not reach
    // controls being freed.
    if (DUDuvuvu && Trevalon && FFLogger) EndRunsAndPlayback();
    if (Form1 == this) Form1 = nullptr;
    if (&MainWindowLink() == this) SetMainWindowLink(nullptr);
    if (SkinnedPrompt && &Application()->Prompt() == SkinnedPrompt.get()) Application()->SetPrompt(nullptr);
}

QString TForm1::OutputFolderText() { return Video_OutPut_Folder_Edit->Text(); }

TCustomTrevalon* TForm1::Converter() { return Trevalon; }

void TForm1::Layout() {
    StartupErrors = app::StartupErrors();
    Dialogs = app::StartupDialogs();
    SetName(QStringLiteral("Form1"));
    SetCaption(QStringLiteral("Quorvelia"));
    SetBorderStyle(bsSingle);
    SetBorderIcons(biMinimize);
    SetPosition(poDesktopCenter);
    SetBounds(0, 0, 800, 541);
    CreateEngine();
    CreateSkin();
    // The dialogs created after this window take its skin model and fields.
    SetMainWindowLink(this);
    CreatePictures();
    CreateMenus();

    // Tab positions 0 .. 14, in creation order.
    qvSkinMainMenuBar1 = Place<TqvSkinMainMenuBar>(this, this, "qvSkinMainMenuBar1", 0, 0, 800, 22, qvSkinData1);
    qvSkinMainMenuBar1->SetVelmora(qvVelmora1);
    qvSkinMainMenuBar1->SetMainMenu(qvSkinMainMenu1);
    CreateToolBar();
    Panel1 = Place<TPanel>(this, this, "Panel1", 1273, 0, 600, 400, nullptr);
    CreateJobPanel();     // qvSkinPanel1
    CreateOutputPanel();  // qvSkinPanel2
    qvSkinPanel3 = Place<TqvSkinPanel>(this, this, "qvSkinPanel3", 572, 296, 219, 226, qvSkinData1);
    Panel3 = Place<TPanel>(this, this, "Panel3", 1276, 420, 300, 60, nullptr);
    qvSkinPanel5 = Place<TqvSkinPanel>(this, this, "qvSkinPanel5", 8, 88, 558, 259, qvSkinData1);
    qvSkinPanel4 = Place<TqvSkinPanel>(this, this, "qvSkinPanel4", 572, 87, 219, 206, qvSkinData1);
    Button19 = Place<TButton>(this, this, "Button19", 700, 560, 75, 25, nullptr);
    Button19->SetCaption(QStringLiteral("Button19"));
    Button19->SetVisible(false);
    Button27 = Place<TButton>(this, this, "Button27", 1000, 30, 75, 25, nullptr);
    Button27->SetCaption(QStringLiteral("Button27"));
    edt = Place<TEdit>(this, this, "edt", 20, 120, 200, 21, nullptr);
    edt->SetVisible(false);
    Panel4 = Place<TPanel>(this, this, "Panel4", 1273, 500, 100, 40, nullptr);
    Panel5 = Place<TPanel>(this, this, "Panel5", 1276, 560, 400, 300, nullptr);
    Panel6 = Place<TPanel>(this, this, "Panel6", 581, 323, 200, 124, nullptr);
    Panel6->SetBevelOuter(TBevelCut::bvNone);
    Panel6->SetColor(clBlack);

    // Their contents.
    Image1 = Place<TImage>(this, qvSkinPanel5, "Image1", -8, -1, 619, 260, nullptr);
    Image1->SetPicture(mainwindow::LogoPicture());
    Images[1] = Image1;
    qvSkinPanel5->SetBorderStyle(bvNone);
    CreateOptionPanel();
    CreatePreviewPanel();
    CreateHiddenPanels();
    CreateCommands();
    BindHandlers();
    SetClientSize(800, 541);

    const TWinControl* order[] = {qvSkinMainMenuBar1, qvSkinToolBar2, Panel1, qvSkinPanel1, qvSkinPanel2,
                                  qvSkinPanel3, Panel3, qvSkinPanel5, qvSkinPanel4, Button19, Button27,
                                  edt, Panel4, Panel5, Panel6};
    for (int i = 0; i < int(std::size(order)); ++i) const_cast<TWinControl*>(order[i])->SetTabOrder(i);
}

void TForm1::CreateEngine() {
    Trevalon = new TTrevalon(this);
    Trevalon->setObjectName(QStringLiteral("Trevalon"));
    FFLogger = new TFFLogger(this);
    FFLogger->setObjectName(QStringLiteral("FFLogger"));
    DUDuvuvu = new TDUDuvuvu(this);
    DUDuvuvu->setObjectName(QStringLiteral("DUDuvuvu"));
}

void TForm1::CreateSkin() {
    qvCompressedSkinList1 = new TqvCompressedSkinList(this);
    qvCompressedSkinList1->SetName(QStringLiteral("qvCompressedSkinList1"));
    LoadStoredSkins(*qvCompressedSkinList1);
    qvSkinData1 = new TqvSkinData(this);
    qvSkinData1->SetName(QStringLiteral("qvSkinData1"));
    // The skin the start-up applies (Button3) is the one loaded here, before
    // the list: attaching the list loads the index the model holds, and each
    // load parses a skin and announces it to every form.
    const int stored = settings::PeekSkinIndex(GetApplicationPath());
    qvSkinData1->SetSkinIndex(stored >= 0 && stored < qvCompressedSkinList1->Skins().Count() ? stored : 1);
    qvSkinData1->SetSkinList(qvCompressedSkinList1);
    qvSkinHint1 = new TqvSkinHint(this);
    qvSkinHint1->SetName(QStringLiteral("qvSkinHint1"));
    qvSkinMessage1 = new TqvSkinMessage(this);
    qvSkinMessage1->SetName(QStringLiteral("qvSkinMessage1"));
    // Each box is built at its call from the model, so it shows the skin of the moment.
    qvSkinMessage1->SetSkinData(qvSkinData1);
    qvSkinMessage1->SetCtrlSkinData(qvSkinData1);
    // A prompt a caller installed stays (tests record boxes); the plain box
    // gives way, so failures and errors are skinned like the notices.
    if (dynamic_cast<TQtPrompt*>(&Application()->Prompt()) || dynamic_cast<TSkinnedPrompt*>(&Application()->Prompt())) {
        SkinnedPrompt = std::make_shared<TSkinnedPrompt>(qvSkinMessage1);
        Application()->SetPrompt(SkinnedPrompt);
    }
    qvVelmora1 = new TqvVelmora(this);
    qvVelmora1->SetName(QStringLiteral("qvVelmora1"));
    qvVelmora1->SetSkinData(qvSkinData1);
    qvVelmora1->SetMenusSkinData(qvSkinData1);
    // A fixed-size window: minimize and close only, in the caption and the system menu.
    qvVelmora1->SetBorderIcons(biMinimize);
    // Every skin frames the same 800 × 541 client.
    qvVelmora1->ClientWidth = 800;
    qvVelmora1->ClientHeight = 541;

    CreateDialogs();
}

void TForm1::CreatePictures() {
    ImageList1 = new TImageList(this);
    ImageList1->SetName(QStringLiteral("ImageList1"));
    ImageList1->SetSize(32, 32);
    for (int i = 0; i < 55; ++i) ImageList1->Add(mainwindow::CategoryPicture(i));
    ImageList2 = new TImageList(this);
    ImageList2->SetName(QStringLiteral("ImageList2"));
    ImageList2->SetSize(32, 32);
    for (int i = 0; i < 7; ++i) ImageList2->Add(mainwindow::ProfilePicture(i));
    ImageList3 = new TImageList(this);
    ImageList3->SetName(QStringLiteral("ImageList3"));
    ImageList3->SetSize(32, 32);
    ImageList3->Add(mainwindow::ToolPicture(3));
    ImageList3->Add(mainwindow::ToolPicture(2));
}

void TForm1::CreateMenus() {
    qvSkinMainMenu1 = new TMainMenu(this);
    qvSkinMainMenu1->SetName(QStringLiteral("qvSkinMainMenu1"));
    TMenuItem* root = qvSkinMainMenu1->Items();
    Item11 = Item(this, root, "Item11", "文件");
    Item111 = Item(this, Item11, "Item111", "添加一个文件");
    Item121 = Item(this, Item11, "Item121", "添加多个文件");
    N21 = Item(this, Item11, "N21", "添加整个目录");
    N3 = Item(this, Item11, "N3", "-");
    N4 = Item(this, Item11, "N4", "退出");
    N6 = Item(this, root, "N6", "编辑");
    N111 = Item(this, N6, "N111", "上移文件");
    N2221 = Item(this, N6, "N2221", "下移文件");
    N12 = Item(this, N6, "N12", "-");
    N13 = Item(this, N6, "N13", "删除选择");
    N14 = Item(this, N6, "N14", "清空文件");
    N25 = Item(this, N6, "N25", "-");
    N26 = Item(this, N6, "N26", "重新命名");
    N1 = Item(this, root, "N1", "动作");
    N7 = Item(this, N1, "N7", "开始转换");
    N8 = Item(this, N1, "N8", "停止转换");
    N9 = Item(this, N1, "N9", "-");
    N10 = Item(this, N1, "N10", "暂停转换");
    N11 = Item(this, N1, "N11", "继续继续");
    N22 = Item(this, root, "N22", "功能");
    N24 = Item(this, N22, "N24", "转换设置");
    N23 = Item(this, N22, "N23", "软件皮肤");
    N2 = Item(this, root, "N2", "帮助");
    N15 = Item(this, N2, "N15", "帮助系统");
    N15->SetShortCut(ShortCut(Qt::Key_F1, Qt::NoModifier));
    N16 = Item(this, N2, "N16", "-");
    N19 = Item(this, N2, "N19", "官方网站");
    N5 = Item(this, N2, "N5", "关于软件");

    qvSkinPopupMenu1 = new TqvSkinPopupMenu(this);
    qvSkinPopupMenu1->SetSkinData(qvSkinData1);
    qvSkinPopupMenu1->SetName(QStringLiteral("qvSkinPopupMenu1"));
    N11111 = Item(this, qvSkinPopupMenu1->Items(), "N11111", "添加一个文件");
    N2222 = Item(this, qvSkinPopupMenu1->Items(), "N2222", "添加多个文件");
    N3331 = Item(this, qvSkinPopupMenu1->Items(), "N3331", "添加整个目录");

    qvSkinPopupMenu2 = new TqvSkinPopupMenu(this);
    qvSkinPopupMenu2->SetSkinData(qvSkinData1);
    qvSkinPopupMenu2->SetName(QStringLiteral("qvSkinPopupMenu2"));
    MenuItem1 = Item(this, qvSkinPopupMenu2->Items(), "MenuItem1", "打开快照目录");
    MenuItem2 = Item(this, qvSkinPopupMenu2->Items(), "MenuItem2", "设置快照目录");
    MenuItem3 = Item(this, qvSkinPopupMenu2->Items(), "MenuItem3", "-");
    N27 = Item(this, qvSkinPopupMenu2->Items(), "N27", "快照保存类型");
    BMP1 = Item(this, N27, "BMP1", "BMP文件");
    JPG1 = Item(this, N27, "JPG1", "JPG文件");
    GIF1 = Item(this, N27, "GIF1", "GIF文件");
    PNG1 = Item(this, N27, "PNG1", "PNG文件");
    for (TMenuItem* m : {BMP1, JPG1, GIF1, PNG1}) m->SetRadioItem(true);
    BMP1->SetChecked(true);
}

void TForm1::CreateToolBar() {
    qvSkinToolBar2 = Place<TqvSkinToolBar>(this, this, "qvSkinToolBar2", 0, 22, 800, 59, qvSkinData1);
    qvSkinToolBar2->SetSkinDataName(QStringLiteral("resizetoolpanel"));
    qvSkinMenuSpeedButton1 =
        Place<TqvSkinMenuSpeedButton>(this, qvSkinToolBar2, "qvSkinMenuSpeedButton1", 15, 6, 74, 46, qvSkinData1);
    qvSkinMenuSpeedButton1->SetSkinDataName(QStringLiteral("resizetoolbutton"));
    qvSkinMenuSpeedButton1->SetCaption(QStringLiteral("添加"));
    qvSkinMenuSpeedButton1->SetLayout(blGlyphTop);
    qvSkinMenuSpeedButton1->SetUseSkinSize(false);
    qvSkinMenuSpeedButton1->SetBounds(15, 6, 74, 46);
    qvSkinMenuSpeedButton1->SetSkinPopupMenu(qvSkinPopupMenu1);
    qvSkinMenuSpeedButton1->SetGlyph(Images[3] ? Images[3]->Picture() : TBitmap(mainwindow::ToolPicture(3)));
    struct TTool { TqvSkinButton** Field; const char* Name; const char* Caption; int Left; int Picture; };
    const TTool tools[] = {
        {&qvSkinButton7, "qvSkinButton7", "删除", 99, 14},  {&qvSkinButton8, "qvSkinButton8", "清空", 175, 12},
        {&qvSkinButton2, "qvSkinButton2", "开始", 255, 4},  {&qvSkinButton10, "qvSkinButton10", "停止", 335, 10},
        {&qvSkinButton11, "qvSkinButton11", "暂停", 415, 6}, {&qvSkinButton12, "qvSkinButton12", "继续", 415, 8},
        {&qvSkinButton19, "qvSkinButton19", "选项", 495, -1}, {&qvSkinButton9, "qvSkinButton9", "皮肤", 575, -2},
    };
    for (const TTool& t : tools) {
        auto* b = Place<TqvSkinButton>(this, qvSkinToolBar2, t.Name, t.Left, 6, 74, 46, qvSkinData1);
        b->SetSkinDataName(QStringLiteral("resizetoolbutton"));
        b->SetCaption(QString::fromUtf8(t.Caption));
        b->SetLayout(blGlyphTop);
        b->SetCanFocused(false);
        if (t.Picture >= 0) {
            b->SetGlyph(TBitmap(mainwindow::ToolPicture(t.Picture)));
            b->SetEnabled(false);
        } else {
            b->SetGlyph(TBitmap(mainwindow::OnAnyFace(mainwindow::CategoryPicture(t.Picture == -1 ? 20 : 21))));
        }
        *t.Field = b;
    }
    qvSkinButton12->SetVisible(false);  // shares its place with 暂停 until a pause
}

void TForm1::CreateJobPanel() {
    qvSkinPanel1 = Place<TqvSkinPanel>(this, this, "qvSkinPanel1", 8, 87, 558, 260, qvSkinData1);
    lvFiles = Place<TqvSkinListView>(this, qvSkinPanel1, "lvFiles", 7, 10, 521, 202, qvSkinData1);
    lvFiles->SetViewStyle(vsReport);
    lvFiles->SetGridLines(true);
    lvFiles->SetRowSelect(true);
    lvFiles->SetReadOnly(true);
    lvFiles->SetMultiSelect(false);
    lvFiles->SetHeaderSkinDataName(QStringLiteral("resizetoolbutton"));
    for (const jobs::TJobColumn& c : jobs::JobColumns()) {
        TListColumn* column = lvFiles->Columns().Add();
        column->SetCaption(QString::fromUtf8(c.Title));
        column->SetWidth(c.Width);
    }
    // A vertical bar takes the vertical record and width before its skin is
    // bound, or the horizontal record sizes it as a horizontal bar.
    qvSkinScrollBar1 = Place<TqvSkinScrollBar>(this, qvSkinPanel1, "qvSkinScrollBar1", 530, 10, 19, 202, nullptr);
    qvSkinScrollBar1->SetKind(sbVertical);
    qvSkinScrollBar1->SetDefaultHeight(0);
    qvSkinScrollBar1->SetDefaultWidth(19);
    qvSkinScrollBar1->SetSkinDataName(QStringLiteral("vscrollbar"));
    qvSkinScrollBar1->SetSkinData(qvSkinData1);
    qvSkinScrollBar1->SetVisible(false);
    qvSkinScrollBar2 = Place<TqvSkinScrollBar>(this, qvSkinPanel1, "qvSkinScrollBar2", 7, 226, 453, 19, qvSkinData1);
    qvSkinScrollBar2->SetKind(sbHorizontal);
    qvSkinScrollBar2->SetMin(0);
    qvSkinScrollBar2->SetMax(529);
    lvFiles->SetVScrollBar(qvSkinScrollBar1);
    lvFiles->SetHScrollBar(qvSkinScrollBar2);
    struct TSmall { TqvSkinButton** Field; const char* Name; const char* Hint; int Left; int Picture; };
    const TSmall buttons[] = {{&qvSkinButton4, "qvSkinButton4", "下移", 466, -1},
                              {&qvSkinButton3, "qvSkinButton3", "上移", 497, -1},
                              {&qvSkinButton21, "qvSkinButton21", "重命名", 528, 17}};
    for (const TSmall& s : buttons) {
        auto* b = Place<TqvSkinButton>(this, qvSkinPanel1, s.Name, s.Left, 226, 25, 25, qvSkinData1);
        b->SetHint(QString::fromUtf8(s.Hint));
        b->SetShowHint(true);
        b->SetCanFocused(false);
        *s.Field = b;
    }
    // Arrows drawn as the play mark turned up and down.
    QImage down = mainwindow::ToolPicture(5, 16);
    QTransform turn;
    turn.rotate(90);
    qvSkinButton4->SetGlyph(TBitmap(down.transformed(turn)));
    turn.rotate(180);
    qvSkinButton3->SetGlyph(TBitmap(down.transformed(turn)));
    qvSkinButton21->SetGlyph(TBitmap(mainwindow::ToolPicture(17, 16)));
    qvSkinButton21->SetEnabled(false);
}

void TForm1::CreateOutputPanel() {
    qvSkinPanel2 = Place<TqvSkinPanel>(this, this, "qvSkinPanel2", 8, 356, 558, 166, qvSkinData1);
    auto label = [&](const char* name, const char* caption, int x, int y) {
        auto* l = Place<TqvSkinStdLabel>(this, qvSkinPanel2, name, x, y, 64, 14, qvSkinData1);
        l->SetCaption(QString::fromUtf8(caption));
        return l;
    };
    label("Label1", "输出格式：", 13, 32);
    qvSkinOfficeComboBox2 =
        Place<TqvSkinOfficeComboBox>(this, qvSkinPanel2, "qvSkinOfficeComboBox2", 79, 17, 119, 51, qvSkinData1);
    qvSkinOfficeComboBox2->SetImages(ImageList1);
    qvSkinOfficeComboBox2->SetListBoxShowItemTitles(false);
    qvSkinOfficeComboBox2->SetListBoxShowLines(false);
    qvSkinOfficeComboBox2->SetListBoxItemHeight(50);
    qvSkinOfficeComboBox2->SetListBoxWidth(119);
    qvSkinOfficeComboBox2->SetListBoxSkinDataName(QStringLiteral("resizetoolpanel"));
    qvSkinOfficeComboBox2->SetDropDownCount(4);
    for (const profiles::TCategoryRow& row : profiles::CategoryRows()) {
        TqvSkinOfficeItem* item = qvSkinOfficeComboBox2->Items().Add();
        item->SetCaption(QString::fromUtf8(row.Caption));
        item->SetImageIndex(row.ImageIndex);
    }
    qvSkinOfficeComboBox2->SetItemIndex(0);

    qvSkinOfficeComboBox1 =
        Place<TqvSkinOfficeComboBox>(this, qvSkinPanel2, "qvSkinOfficeComboBox1", 204, 17, 341, 51, qvSkinData1);
    qvSkinOfficeComboBox1->SetImages(ImageList2);
    qvSkinOfficeComboBox1->SetShowItemTitle(true);
    qvSkinOfficeComboBox1->SetShowItemImage(true);
    qvSkinOfficeComboBox1->SetShowItemText(true);
    qvSkinOfficeComboBox1->SetListBoxShowItemTitles(true);
    qvSkinOfficeComboBox1->SetListBoxShowLines(true);
    qvSkinOfficeComboBox1->SetListBoxItemHeight(60);
    qvSkinOfficeComboBox1->SetListBoxSkinDataName(QStringLiteral("listbox"));
    qvSkinOfficeComboBox1->SetDropDownCount(4);
    // The placeholder the form keeps until start-up fills the list.
    TqvSkinOfficeItem* placeholder = qvSkinOfficeComboBox1->Items().Add();
    placeholder->SetTitle(QStringLiteral("输出格式"));
    qvSkinOfficeComboBox1->SetItemIndex(0);

    label("", "输出目录：", 13, 94);
    Video_OutPut_Folder_Edit = Place<TqvSkinEdit>(this, qvSkinPanel2, "Video_OutPut_Folder_Edit", 79, 90, 350, 18,
                                                  qvSkinData1);
    Video_OutPut_Folder_Edit->SetReadOnly(true);
    qvSkinButton5 = Place<TqvSkinButton>(this, qvSkinPanel2, "qvSkinButton5", 435, 86, 51, 25, qvSkinData1);
    qvSkinButton5->SetCaption(QStringLiteral("浏览"));
    qvSkinButton6 = Place<TqvSkinButton>(this, qvSkinPanel2, "qvSkinButton6", 492, 86, 55, 25, qvSkinData1);
    qvSkinButton6->SetCaption(QStringLiteral("打开"));
    qvSkinStdLabel1 = label("qvSkinStdLabel1", "软件网站：", 13, 132);
    qvSkinLinkLabel1 = Place<TqvSkinLinkLabel>(this, qvSkinPanel2, "qvSkinLinkLabel1", 79, 132, 300, 14, qvSkinData1);
    qvSkinLinkLabel1->SetCaption(QString::fromLatin1(about::kWebAddress));
    qvSkinLinkLabel1->SetURL(QString::fromLatin1(about::kWebAddress));
    qvSkinButton1 = Place<TqvSkinButton>(this, qvSkinPanel2, "qvSkinButton1", 492, 128, 55, 25, qvSkinData1);
    qvSkinButton1->SetCaption(QStringLiteral("设置"));
    qvSkinButton1->SetVisible(false);
}

void TForm1::CreateOptionPanel() {
    qvSkinPanel4->SetSkinDataName(QStringLiteral("groupbox"));
    qvSkinPanel4->SetCaptionMode(true);
    qvSkinPanel4->SetCaption(QStringLiteral("预置选项"));
    struct TList { TqvSkinComboBox** Field; const char* Name; const char* Label; int X; int Y; int W; };
    const TList lists[] = {
        {&qvSkinComboBox1, "qvSkinComboBox1", "视频分辨率：", 10, 43, 203},
        {&qvSkinComboBox2, "qvSkinComboBox2", "视频比特率：", 10, 85, 99},
        {&qvSkinComboBox9, "qvSkinComboBox9", "视频帧率：", 120, 85, 89},
        {&qvSkinComboBox3, "qvSkinComboBox3", "音频比特率：", 10, 130, 97},
        {&qvSkinComboBox10, "qvSkinComboBox10", "音频采样率：", 120, 127, 89},
        {&qvSkinComboBox4, "qvSkinComboBox4", "视频缩放：", 12, 173, 199},
    };
    for (const TList& l : lists) {
        auto* label = Place<TqvSkinStdLabel>(this, qvSkinPanel4, "", l.X, l.Y - 16, l.W, 14, qvSkinData1);
        label->SetCaption(QString::fromUtf8(l.Label));
        *l.Field = Place<TqvSkinComboBox>(this, qvSkinPanel4, l.Name, l.X, l.Y, l.W, 20, qvSkinData1);
    }
}

void TForm1::CreatePreviewPanel() {
    qvSkinPanel3->SetSkinDataName(QStringLiteral("groupbox"));
    qvSkinPanel3->SetCaptionMode(true);
    qvSkinPanel3->SetCaption(QStringLiteral("视频预览"));
    qvSkinSlider1 = Place<TqvSkinSlider>(this, qvSkinPanel3, "qvSkinSlider1", 7, 154, 200, 31, qvSkinData1);
    struct TPlay { TqvSkinButton** Field; const char* Name; const char* Hint; int Left; };
    const TPlay buttons[] = {
        {&qvSkinButton13, "qvSkinButton13", "播放", 5},   {&qvSkinButton14, "qvSkinButton14", "暂停", 39},
        {&qvSkinButton15, "qvSkinButton15", "停止", 73},  {&qvSkinButton16, "qvSkinButton16", "静音", 109},
        {&qvSkinButton20, "qvSkinButton20", "静音", 109}, {&qvSkinButton22, "qvSkinButton22", "快照", 145},
        {&qvSkinButton23, "qvSkinButton23", "设置", 181}, {&qvSkinButton17, "qvSkinButton17", "全屏", 181},
    };
    using namespace mainwindow;
    const TPreviewPicture pictures[] = {ppPlay, ppPause, ppStop, ppSound, ppMuted, ppSnapshot, ppSettings,
                                        ppFullScreen};
    int i = 0;
    for (const TPlay& p : buttons) {
        auto* b = Place<TqvSkinButton>(this, qvSkinPanel3, p.Name, p.Left, 186, 30, 30, qvSkinData1);
        b->SetHint(QString::fromUtf8(p.Hint));
        b->SetShowHint(true);
        b->SetCanFocused(false);
        b->SetGlyph(TBitmap(PreviewPicture(pictures[i++])));
        *p.Field = b;
    }
    qvSkinButton20->SetVisible(false);
    qvSkinButton17->SetVisible(false);
}

TButton* TForm1::HiddenButton(TWinControl* parent, const QString& name, const QString& caption, int index) {
    auto* b = new TButton(this);
    b->SetName(name);
    b->SetParent(parent);
    b->SetBounds(8 + (index % 5) * 110, 8 + (index / 5) * 30, 105, 25);
    b->SetCaption(caption);
    return b;
}

void TForm1::CreateHiddenPanels() {
    struct THidden { TButton** Field; const char* Name; const char* Caption; };
    const THidden buttons[] = {
        {&btnAdd, "btnAdd", "Open添加一个文件"}, {&btnStart, "btnStart", "Start"}, {&btnStop, "btnStop", "Stop"},
        {&btnPause, "btnPause", "Pause"}, {&btnResume, "btnResume", "Resume"}, {&btnRemove, "btnRemove", "Remove"},
        {&btnClear, "btnClear", "Clear"}, {&btnWebSite, "btnWebSite", "Web Site"}, {&Button1, "Button1", "help"},
        {&Button2, "Button2", "添加combox"}, {&Button3, "Button3", "读入皮肤ini"},
        {&Button4, "Button4", "写入皮肤ini"}, {&Button5, "Button5", "根据combox添加数据"},
        {&Button6, "Button6", "初始化数据"}, {&Button7, "Button7", "确认oo数据"},
        {&Button8, "Button8", "打开多个文件"}, {&Button11, "Button11", "onchange用"},
        {&Button12, "Button12", "添加整个目录"}, {&Button13, "Button13", "确认预置选项数据"},
        {&Button14, "Button14", "添加"}, {&Button15, "Button15", "初始化数值"},
        {&Button16, "Button16", "写ini文件"}, {&Button17, "Button17", "读ini文件"},
        {&Button18, "Button18", "根据combox添加预设选项"}, {&Button20, "Button20", "转换后打开文件夹"},
        {&Button21, "Button21", "OpenDialog1"}, {&Button22, "Button22", "工作中设置为不能"},
        {&Button23, "Button23", "工作完成设置为能"}, {&Button24, "Button24", "刷新皮肤"},
        {&Button25, "Button25", "关机"}, {&Button26, "Button26", "Button26"}, {&button28, "button28", "新添加"},
        {&Button29, "Button29", " 播放提示音"}, {&Button31, "Button31", "打开播放视频"},
    };
    int i = 0;
    for (const THidden& h : buttons)
        *h.Field = HiddenButton(Panel1, QString::fromLatin1(h.Name), QString::fromUtf8(h.Caption), i++);
    for (int n = 2; n <= 17; ++n) {
        auto* image = Place<TImage>(this, Panel1, "", 8 + (n - 2) * 34, 250, 32, 32, nullptr);
        image->SetName(QStringLiteral("Image%1").arg(n));
        image->SetPicture(mainwindow::ToolPicture(n));
        Images[n] = image;
    }
    ProgressBar1 = Place<TProgressBar>(this, Panel1, "ProgressBar1", 8, 290, 200, 17, nullptr);
    ListBox1 = Place<TListBox>(this, Panel1, "ListBox1", 220, 290, 120, 60, nullptr);
    chkThreadMode = Place<TCheckBox>(this, Panel1, "chkThreadMode", 350, 290, 120, 17, nullptr);
    chkThreadMode->SetChecked(true);
    chkPreview = Place<TCheckBox>(this, Panel1, "chkPreview", 350, 310, 120, 17, nullptr);

    Button9 = HiddenButton(Panel3, QStringLiteral("Button9"), QStringLiteral("播放视频"), 0);
    Button34 = HiddenButton(Panel3, QStringLiteral("Button34"), QStringLiteral("设置trackbar"), 1);
    Button40 = HiddenButton(Panel3, QStringLiteral("Button40"), QStringLiteral("设置视频尺寸的"), 2);
    Button10 = HiddenButton(Panel3, QStringLiteral("Button10"), QStringLiteral("Button10"), 3);

    cboScreens = Place<TComboBox>(this, Panel5, "cboScreens", 8, 8, 145, 21, nullptr);
    cboVideoDriver = Place<TComboBox>(this, Panel5, "cboVideoDriver", 8, 36, 145, 21, nullptr);
    cboAudioDriver = Place<TComboBox>(this, Panel5, "cboAudioDriver", 8, 64, 145, 21, nullptr);
    cboAspectRatio = Place<TComboBox>(this, Panel5, "cboAspectRatio", 8, 92, 145, 21, nullptr);
    chkOpenPaused = Place<TCheckBox>(this, Panel5, "chkOpenPaused", 160, 8, 120, 17, nullptr);
    chkOpenPaused->SetChecked(true);
    btnCapture = HiddenButton(Panel5, QStringLiteral("btnCapture"), QStringLiteral("Capture"), 20);
    mmoLog = Place<TMemo>(this, Panel5, "mmoLog", 8, 200, 380, 90, nullptr);
    CreatePreviewControls();
}

void TForm1::CreateCommands() {
    CmdAdd = {btnAdd, qvSkinMenuSpeedButton1, Images[3], Images[2], {Item111, Item121, N21, N11111, N2222, N3331}};
    CmdRemove = {btnRemove, qvSkinButton7, Images[15], Images[14], {N13}};
    CmdClear = {btnClear, qvSkinButton8, Images[13], Images[12], {N14}};
    CmdStart = {btnStart, qvSkinButton2, Images[5], Images[4], {N7}};
    CmdStop = {btnStop, qvSkinButton10, Images[11], Images[10], {N8}};
    CmdPause = {btnPause, qvSkinButton11, Images[7], Images[6], {N10}};
    CmdResume = {btnResume, qvSkinButton12, Images[9], Images[8], {N11}};
    CmdRename = {nullptr, qvSkinButton21, Images[16], Images[17], {N26}};
    CmdAdd.SetEnabled(true);
    for (const TCommandState* c : {&CmdRemove, &CmdClear, &CmdStart, &CmdStop, &CmdPause, &CmdResume, &CmdRename})
        c->SetEnabled(false);
}
