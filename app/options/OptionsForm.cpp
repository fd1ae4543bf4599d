#include "app/options/OptionsForm.h"

#include "app/link/FormBuild.h"
#include "app/link/MainWindowLink.h"
#include "engine/FFBase.h"
#include "engine/Trevalon.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/forms/Velmora.h"

using settings::TAfterRunAction;
using settings::TOptionsSettings;

TForm5* Form5 = nullptr;

TForm5::TForm5(QObject* AOwner) : TForm(AOwner) {}

TForm5::~TForm5() {
    if (Form5 == this) Form5 = nullptr;
}

void TForm5::Layout() {
    TqvSkinData* skin = MainWindowLink().SkinData();
    SetCaption(QStringLiteral("选项"));
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    SetPosition(poMainFormCenter);
    SetFont(TFont(QStringLiteral("Tahoma"), -11));
    SetClientSize(561, 537);

    qvVelmora1 = PlaceComponent<TqvVelmora>(this, QStringLiteral("qvVelmora1"));
    qvVelmora1->SetBorderIcons(0);
    qvVelmora1->ClientWidth = 561;
    qvVelmora1->ClientHeight = 537;

    auto groupBox = [&](const char* name, const char* caption, int l, int t, int w, int h) {
        auto* p = PlaceControl<TqvSkinPanel>(this, this, QString::fromLatin1(name), l, t, w, h);
        p->SetSkinDataName(QStringLiteral("groupbox"));
        p->SetCaptionMode(true);
        p->SetCaption(QString::fromUtf8(caption));
        p->SetSkinData(skin);
        return p;
    };
    // The radio boxes name their record but have no model: they draw the
    // built-in look whatever the skin, in the dialog's own font (the boxes'
    // larger default cuts the longer captions off).
    auto radio = [&](TqvSkinPanel* parent, const char* name, const char* caption, int l, int t, int w, int h) {
        auto* r = PlaceControl<TqvSkinCheckRadioBox>(this, parent, QString::fromLatin1(name), l, t, w, h);
        r->SetDefaultFont(Font());
        r->SetRadio(true);
        r->SetGroupIndex(1);
        r->SetSkinDataName(QStringLiteral("radiobox"));
        r->SetCaption(QString::fromUtf8(caption));
        return r;
    };

    qvSkinPanel3 = groupBox("qvSkinPanel3", "转换工作完成后", 43, 25, 235, 176);
    qvSkinCheckRadioBox1 = radio(qvSkinPanel3, "qvSkinCheckRadioBox1", "自动打开输出文件夹", 26, 37, 135, 25);
    qvSkinCheckRadioBox2 = radio(qvSkinPanel3, "qvSkinCheckRadioBox2", "自动关闭计算机", 26, 68, 111, 25);
    qvSkinCheckRadioBox4 = radio(qvSkinPanel3, "qvSkinCheckRadioBox4", " 播放提示音乐", 26, 99, 111, 25);
    qvSkinCheckRadioBox5 = radio(qvSkinPanel3, "qvSkinCheckRadioBox5", "不进行任何操作", 26, 130, 111, 25);

    qvSkinPanel1 = groupBox("qvSkinPanel1", "如果输出文件存在时", 297, 25, 225, 175);
    qvSkinCheckRadioBox3 = radio(qvSkinPanel1, "qvSkinCheckRadioBox3", "直接覆盖输出文件", 26, 46, 135, 25);
    qvSkinCheckRadioBox6 = radio(qvSkinPanel1, "qvSkinCheckRadioBox6", "自动重命名输出文件", 26, 93, 143, 25);

    qvSkinPanel2 = groupBox("qvSkinPanel2", "转换参数", 43, 207, 479, 116);
    qvSkinStdLabel1 = PlaceControl<TqvSkinStdLabel>(this, qvSkinPanel2, QStringLiteral("qvSkinStdLabel1"), 26, 40, 272, 13);
    qvSkinStdLabel1->SetCaption(QStringLiteral("程序最大运行线程数--（同时进行转换的文件个数）"));
    qvSkinStdLabel1->SetSkinData(skin);
    qvSkinComboBox2 = PlaceControl<TqvSkinComboBox>(this, qvSkinPanel2, QStringLiteral("qvSkinComboBox2"), 315, 37, 128, 20);
    qvSkinComboBox2->SetStyle(qvcbFixedStyle);
    for (int i = 1; i <= 19; ++i) qvSkinComboBox2->Items().Add(QString::number(i));
    qvSkinComboBox2->SetSkinData(skin);
    qvSkinComboBox2->SetItemIndex(0);
    qvSkinCheckRadioBox7 =
        PlaceControl<TqvSkinCheckRadioBox>(this, qvSkinPanel2, QStringLiteral("qvSkinCheckRadioBox7"), 462, 88, 138, 55);
    qvSkinCheckRadioBox7->SetSkinDataName(QStringLiteral("checkbox"));
    qvSkinCheckRadioBox7->SetCaption(QStringLiteral("启用多线程模式   （同时进行转换的视频个数）"));
    qvSkinCheckRadioBox7->SetVisible(false);
    qvSkinCheckRadioBox8 =
        PlaceControl<TqvSkinCheckRadioBox>(this, qvSkinPanel2, QStringLiteral("qvSkinCheckRadioBox8"), 138, 77, 194, 25);
    qvSkinCheckRadioBox8->SetSkinDataName(QStringLiteral("checkbox"));
    qvSkinCheckRadioBox8->SetCaption(QStringLiteral("转换时进行实时视频预览"));
    qvSkinCheckRadioBox8->SetSkinData(skin);

    qvSkinPanel4 = groupBox("qvSkinPanel4", "转换时CPU利用方式", 43, 329, 479, 116);
    qvSkinCheckRadioBox9 = radio(qvSkinPanel4, "qvSkinCheckRadioBox9", "系统空闲时进行", 55, 38, 122, 25);
    qvSkinCheckRadioBox10 = radio(qvSkinPanel4, "qvSkinCheckRadioBox10", "最低优先级进行", 293, 38, 122, 25);
    qvSkinCheckRadioBox11 = radio(qvSkinPanel4, "qvSkinCheckRadioBox11", "较低优先级进行", 55, 69, 122, 25);
    qvSkinCheckRadioBox12 = radio(qvSkinPanel4, "qvSkinCheckRadioBox12", "正常优先级进行", 293, 69, 122, 25);

    auto button = [&](const char* name, const char* caption, int l) {
        auto* b = PlaceControl<TqvSkinButton>(this, this, QString::fromLatin1(name), l, 481, 75, 25);
        b->SetSkinDataName(QStringLiteral("resizebutton"));
        b->SetCaption(QString::fromUtf8(caption));
        b->SetSkinData(skin);
        return b;
    };
    qvSkinButton6 = button("qvSkinButton6", "确定", 336);
    qvSkinButton1 = button("qvSkinButton1", "取消", 431);
    qvSkinButton1->SetCancel(true);  // Escape closes the dialog as Cancel does

    Panel1 = PlaceControl<TPanel>(this, this, QStringLiteral("Panel1"), 0, 0, 185, 41);
    Panel1->SetVisible(false);
    Button1 = PlaceControl<TButton>(this, Panel1, QStringLiteral("Button1"), 8, 8, 75, 25);
    Button1->SetCaption(QStringLiteral("读取ini"));
    Button2 = PlaceControl<TButton>(this, Panel1, QStringLiteral("Button2"), 96, 8, 75, 25);
    Button2->SetCaption(QStringLiteral("写ini"));

    // The form's own state, before any handler is bound.
    qvSkinCheckRadioBox1->SetChecked(true);
    qvSkinCheckRadioBox6->SetChecked(true);
    qvSkinCheckRadioBox12->SetChecked(true);
    qvSkinCheckRadioBox7->SetChecked(true);

    qvVelmora1->SetSkinData(skin);

    Button1->OnClick = [this](QObject* s) { Button1Click(s); };
    Button2->OnClick = [this](QObject* s) { Button2Click(s); };
    qvSkinButton6->OnClick = [this](QObject* s) { qvSkinButton6Click(s); };
    qvSkinButton1->OnClick = [this](QObject* s) { qvSkinButton1Click(s); };
    qvSkinCheckRadioBox7->OnClick = [this](QObject* s) { qvSkinCheckRadioBox7Click(s); };
    qvSkinCheckRadioBox8->OnClick = [this](QObject* s) { qvSkinCheckRadioBox8Click(s); };
    OnCreate = [this](QObject* s) { FormCreate(s); };
    OnShow = [this](QObject* s) { FormShow(s); };
    OnClose = [this](QObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TForm5::FormCreate(QObject*) { Button1->Click(); }

void TForm5::Button1Click(QObject*) {
    const settings::TOptionsRead read = settings::LoadOptions(GetApplicationPath());
    FLoadError = read.Error;
    ApplySettings(read.Options);
}

void TForm5::ApplySettings(const TOptionsSettings& o) {
    qvSkinComboBox2->SetItemIndex(o.ThreadCount - 1);
    switch (o.AfterRun) {
    case TAfterRunAction::OpenOutputFolder: qvSkinCheckRadioBox1->SetChecked(true); break;
    case TAfterRunAction::ShutDown: qvSkinCheckRadioBox2->SetChecked(true); break;
    case TAfterRunAction::PlaySound: qvSkinCheckRadioBox4->SetChecked(true); break;
    case TAfterRunAction::Nothing: qvSkinCheckRadioBox5->SetChecked(true); break;
    }
    switch (o.Priority) {
    case tpIdle: qvSkinCheckRadioBox9->SetChecked(true); break;
    case tpLowest: qvSkinCheckRadioBox10->SetChecked(true); break;
    case tpLower: qvSkinCheckRadioBox11->SetChecked(true); break;
    default: qvSkinCheckRadioBox12->SetChecked(true); break;
    }
    (o.OverwriteExisting ? qvSkinCheckRadioBox3 : qvSkinCheckRadioBox6)->SetChecked(true);
    // Cleared too, so the converter's Preview follows the box from creation on.
    qvSkinCheckRadioBox8->SetChecked(o.ShowPreview);
}

TOptionsSettings TForm5::Settings() const {
    TOptionsSettings o;
    if (qvSkinCheckRadioBox1->Checked()) o.AfterRun = TAfterRunAction::OpenOutputFolder;
    else if (qvSkinCheckRadioBox2->Checked()) o.AfterRun = TAfterRunAction::ShutDown;
    else if (qvSkinCheckRadioBox4->Checked()) o.AfterRun = TAfterRunAction::PlaySound;
    else o.AfterRun = TAfterRunAction::Nothing;
    o.OverwriteExisting = qvSkinCheckRadioBox3->Checked();
    o.MultiThread = qvSkinCheckRadioBox7->Checked();
    bool ok = false;
    const int count = qvSkinComboBox2->Text().toInt(&ok);
    o.ThreadCount = ok ? count : 1;
    o.ShowPreview = qvSkinCheckRadioBox8->Checked();
    if (qvSkinCheckRadioBox9->Checked()) o.Priority = tpIdle;
    else if (qvSkinCheckRadioBox10->Checked()) o.Priority = tpLowest;
    else if (qvSkinCheckRadioBox11->Checked()) o.Priority = tpLower;
    else o.Priority = tpNormal;
    return o;
}

void TForm5::Button2Click(QObject*) { settings::SaveOptions(GetApplicationPath(), Settings()); }

// The main window reads the controls, so a choice the user did not confirm
// must not outlive the dialog: it could overwrite files or power the
// computer off at the end of the next run.
void TForm5::FormShow(QObject*) { FInForce = Settings(); }

void TForm5::FormClose(QObject*, TCloseAction&) {
    if (Settings() != FInForce) ApplySettings(FInForce);
}

// A failed write raises out of Button2 before Close: the dialog stays open
// with the user's choices, and a later Cancel still puts the old ones back.
void TForm5::qvSkinButton6Click(QObject*) {
    Button2->Click();
    FInForce = Settings();
    Close();
}

void TForm5::qvSkinButton1Click(QObject*) { Close(); }

void TForm5::qvSkinCheckRadioBox7Click(QObject*) { qvSkinComboBox2->SetEnabled(qvSkinCheckRadioBox7->Checked()); }

void TForm5::qvSkinCheckRadioBox8Click(QObject*) {
    if (TCustomTrevalon* converter = MainWindowLink().Converter())
        converter->SetPreview(qvSkinCheckRadioBox8->Checked());
}
