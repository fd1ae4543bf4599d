#include "app/legacy/LegacySettingsForm.h"

#include "app/legacy/LegacyParameters.h"
#include "app/legacy/LegacyPictures.h"
#include "app/legacy/LegacyTables.h"
#include "app/link/FormBuild.h"
#include "app/link/MainWindowLink.h"
#include "app/options/OptionsForm.h"
#include "app/profiles/OptionValues.h"
#include "engine/Trevalon.h"
#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/checks/SkinCheckRadioBox.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/labels/SkinLabels.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/pages/SkinPageControl.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/forms/Velmora.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QObject* AOwner) : TForm(AOwner) {}

TForm6::~TForm6() {
    if (Form6 == this) Form6 = nullptr;
}

void TForm6::Layout() {
    TqvSkinData* skin = MainWindowLink().SkinData();
    SetCaption(QStringLiteral("设置选项"));
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    SetPosition(poMainFormCenter);
    SetFont(TFont(QStringLiteral("Tahoma"), -11));
    SetClientSize(958, 474);

    qvVelmora1 = PlaceComponent<TqvVelmora>(this, QStringLiteral("qvVelmora1"));
    qvVelmora1->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    qvVelmora1->SetShowIcon(false);
    qvVelmora1->ClientWidth = 958;
    qvVelmora1->ClientHeight = 474;

    ImageList1 = PlaceComponent<TImageList>(this, QStringLiteral("ImageList1"));
    ImageList1->SetSize(32, 32);
    for (int row = 0; row < 12; ++row) ImageList1->Add(legacy::CategoryIcon(row));
    ImageList2 = PlaceComponent<TImageList>(this, QStringLiteral("ImageList2"));
    ImageList2->SetSize(32, 32);
    Trevalon = PlaceComponent<TTrevalon>(this, QStringLiteral("Trevalon"));

    qvSkinPanel2 = PlaceControl<TqvSkinPanel>(this, this, QStringLiteral("qvSkinPanel2"), 39, 36, 625, 109);
    qvSkinPanel2->SetSkinDataName(QStringLiteral("panel"));
    qvSkinPanel2->SetCaptionMode(false);
    qvSkinPanel2->SetSkinData(skin);

    auto textLabel = [&](TWinControl* parent, const char* name, const char* caption, int l, int t, int w) {
        auto* c = PlaceControl<TqvSkinTextLabel>(this, parent, QString::fromLatin1(name), l, t, w, 13);
        c->SetSkinDataName(QStringLiteral("stdlabel"));
        c->Lines().Add(QString::fromUtf8(caption));
        c->SetSkinData(skin);
        return c;
    };
    qvSkinTextLabel5 = textLabel(qvSkinPanel2, "qvSkinTextLabel5", "输出格式：", 17, 48, 60);

    const TFont listFont(QStringLiteral("宋体"), -12);
    qvSkinOfficeComboBox2 =
        PlaceControl<TqvSkinOfficeComboBox>(this, qvSkinPanel2, QStringLiteral("qvSkinOfficeComboBox2"), 83, 33, 126, 51);
    {
        TqvSkinOfficeComboBox* c = qvSkinOfficeComboBox2;
        c->SetImages(ImageList1);
        c->SetListBoxShowItemTitles(false);
        c->SetListBoxItemHeight(50);
        c->SetListBoxHeaderHeight(20);
        c->SetListBoxWidth(119);
        c->SetListBoxHeight(0);
        c->SetDropDownCount(4);
        c->SetListBoxSkinDataName(QStringLiteral("resizetoolpanel"));
        c->SetListBoxShowLines(false);
        c->SetToolButtonStyle(true);
        c->SetShowItemTitle(true);
        c->SetShowItemImage(true);
        c->SetShowItemText(true);
        c->SetUseSkinFont(false);
        c->SetListBoxUseSkinFont(false);
        c->SetDefaultFont(listFont);
        c->ListBoxDefaultFont().Assign(listFont);
        c->SetHideSelection(true);
        for (const legacy::Category& category : legacy::Categories()) {
            TqvSkinOfficeItem* item = c->Items().Add();
            item->SetCaption(QString::fromUtf8(category.caption));
            item->SetImageIndex(category.imageIndex);
        }
        c->SetSkinData(skin);
    }

    qvSkinOfficeComboBox1 =
        PlaceControl<TqvSkinOfficeComboBox>(this, qvSkinPanel2, QStringLiteral("qvSkinOfficeComboBox1"), 215, 33, 400, 51);
    {
        TqvSkinOfficeComboBox* c = qvSkinOfficeComboBox1;
        c->SetListBoxShowItemTitles(true);
        c->SetListBoxItemHeight(60);
        c->SetListBoxHeaderHeight(20);
        c->SetListBoxWidth(0);
        c->SetListBoxHeight(0);
        c->SetDropDownCount(4);
        c->SetListBoxSkinDataName(QStringLiteral("listbox"));
        c->SetListBoxShowLines(true);
        c->SetToolButtonStyle(true);
        c->SetShowItemTitle(true);
        c->SetShowItemImage(true);
        c->SetShowItemText(true);
        c->SetUseSkinFont(true);
        c->SetListBoxUseSkinFont(true);
        c->SetDefaultFont(listFont);
        c->ListBoxDefaultFont().Assign(listFont);
        c->SetHideSelection(true);
        // Replaced by the catalogue at creation.
        TqvSkinOfficeItem* item = c->Items().Add();
        item->SetTitle(QStringLiteral("dfdfs"));
        item->SetCaption(QStringLiteral("fddf"));
        c->SetSkinData(skin);
    }
    // While the form loads these raise no event.
    qvSkinOfficeComboBox2->SetItemIndex(0);
    qvSkinOfficeComboBox1->SetItemIndex(0);

    qvSkinButton1 = PlaceControl<TqvSkinButton>(this, qvSkinPanel2, QStringLiteral("qvSkinButton1"), 621, 139, 55, 51);
    qvSkinButton1->SetSkinDataName(QStringLiteral("resizebutton"));
    qvSkinButton1->SetCaption(QStringLiteral("设置"));
    qvSkinButton1->SetVisible(false);

    qvSkinPageControl1 =
        PlaceControl<TqvSkinPageControl>(this, this, QStringLiteral("qvSkinPageControl1"), 39, 171, 625, 222);
    qvSkinPageControl1->SetSkinDataName(QStringLiteral("tab"));
    qvSkinPageControl1->SetDefaultItemHeight(20);
    qvSkinPageControl1->SetSkinData(skin);
    auto sheet = [&](const QString& name, const char* caption) {
        auto* s = PlaceComponent<TqvSkinTabSheet>(this, name);
        s->SetPageControl(qvSkinPageControl1);
        s->SetCaption(QString::fromUtf8(caption));
        return s;
    };
    qvSkinTabSheet1 = sheet(QStringLiteral("qvSkinTabSheet1"), "标准参数设置");
    qvSkinTabSheet2 = sheet(QStringLiteral("qvSkinTabSheet2"), "剪辑设置");
    FilterSheet = sheet(QStringLiteral("滤镜设置"), "滤镜设置");
    qvSkinTabSheet3 = sheet(QStringLiteral("qvSkinTabSheet3"), "文字水印");
    qvSkinPageControl1->SetActivePage(qvSkinTabSheet1);

    // Tab order follows creation: the order the lists are filled in.
    auto optionList = [&](const char* name, int l, int t, int w) {
        auto* c = PlaceControl<TqvSkinComboBox>(this, qvSkinTabSheet1, QString::fromLatin1(name), l, t, w, 20);
        c->SetStyle(qvcbFixedStyle);
        c->SetDropDownCount(8);
        c->SetAutoComplete(true);
        c->SetSorted(false);
        c->SetSkinDataName(QStringLiteral("combobox"));
        c->SetSkinData(skin);
        return c;
    };
    qvSkinComboBox1 = optionList("qvSkinComboBox1", 16, 43, 289);
    qvSkinComboBox2 = optionList("qvSkinComboBox2", 342, 43, 251);
    qvSkinComboBox9 = optionList("qvSkinComboBox9", 14, 88, 291);
    qvSkinComboBox3 = optionList("qvSkinComboBox3", 16, 133, 289);
    qvSkinComboBox10 = optionList("qvSkinComboBox10", 342, 133, 251);
    qvSkinComboBox4 = optionList("qvSkinComboBox4", 342, 88, 251);
    qvSkinTextLabel3 = textLabel(qvSkinTabSheet1, "qvSkinTextLabel3", "视频分辨率：", 19, 24, 80);
    qvSkinTextLabel2 = textLabel(qvSkinTabSheet1, "qvSkinTextLabel2", "视频比特率：", 342, 24, 80);
    qvSkinTextLabel6 = textLabel(qvSkinTabSheet1, "qvSkinTextLabel6", "视频帧率：", 16, 69, 80);
    qvSkinTextLabel4 = textLabel(qvSkinTabSheet1, "qvSkinTextLabel4", "音频比特率：", 16, 114, 80);
    qvSkinTextLabel7 = textLabel(qvSkinTabSheet1, "qvSkinTextLabel7", "音频采样率：", 342, 114, 80);
    qvSkinTextLabel9 = textLabel(qvSkinTabSheet1, "qvSkinTextLabel9", "视频缩放：", 342, 69, 80);

    auto skinButton = [&](const char* name, const char* caption, int l) {
        auto* b = PlaceControl<TqvSkinButton>(this, this, QString::fromLatin1(name), l, 416, 69, 25);
        b->SetCaption(QString::fromUtf8(caption));
        b->SetSkinData(skin);
        return b;
    };
    qvSkinButton2 = skinButton("qvSkinButton2", "确定", 480);
    qvSkinButton3 = skinButton("qvSkinButton3", "取消", 594);
    qvSkinButton3->SetCancel(true);  // Escape closes the dialog as Cancel does

    // Reaches past the client area's right edge.
    Panel1 = PlaceControl<TPanel>(this, this, QStringLiteral("Panel1"), 690, 161, 305, 305);
    Panel1->SetCaption(QStringLiteral("Panel1"));
    Image1 = PlaceControl<TImage>(this, Panel1, QStringLiteral("Image1"), 46, 158, 171, 103);
    Image1->SetPicture(legacy::FolderPicture());
    auto button = [&](const char* name, const char* caption, int l, int t, int w) {
        auto* b = PlaceControl<TButton>(this, Panel1, QString::fromLatin1(name), l, t, w, 25);
        b->SetCaption(QString::fromUtf8(caption));
        return b;
    };
    Button6 = button("Button6", "初始化数据", 32, 47, 75);
    Button5 = button("Button5", "根据combox添加数据", 113, 47, 126);
    Button7 = button("Button7", "确认oo数据", 230, 47, 75);
    Button2 = button("Button2", "添加combox", 32, 78, 104);
    Button13 = button("Button13", "确认预置选项数据", 32, 109, 113);
    Button11 = button("Button11", "onchange用", 151, 78, 95);
    Button18 = button("Button18", "根据combox添加预设选项", 42, 163, 143);

    qvVelmora1->SetSkinData(skin);

    Button6->OnClick = [this](QObject* s) { Button6Click(s); };
    Button5->OnClick = [this](QObject* s) { Button5Click(s); };
    Button2->OnClick = [this](QObject* s) { Button2Click(s); };
    Button13->OnClick = [this](QObject* s) { Button13Click(s); };
    Button18->OnClick = [this](QObject* s) { Button18Click(s); };
    qvSkinOfficeComboBox2->OnChange = [this](QObject* s) { qvSkinOfficeComboBox2Change(s); };
    qvSkinOfficeComboBox1->OnClick = [this](QObject* s) { qvSkinOfficeComboBox1Click(s); };
    qvSkinButton2->OnClick = [this](QObject* s) { qvSkinButton2Click(s); };
    qvSkinButton3->OnClick = [this](QObject* s) { qvSkinButton3Click(s); };
    OnCreate = [this](QObject* s) { FormCreate(s); };
}

// Nothing in the chain checks or catches: an error ends every handler that
// led to it and reaches whoever started the chain (OnCreate's report, or the
// error box of the user's click).
void TForm6::FormCreate(QObject*) { Button2->Click(); }

void TForm6::qvSkinOfficeComboBox2Change(QObject*) { Button2->Click(); }

void TForm6::qvSkinOfficeComboBox1Click(QObject*) { Button18->Click(); }

void TForm6::qvSkinButton2Click(QObject*) {
    Button5->Click();
    Button13->Click();
    Close();
}

void TForm6::qvSkinButton3Click(QObject*) { Close(); }

int TForm6::ProfileCode() const {
    return legacy::ProfileCode(qvSkinOfficeComboBox2->ItemIndex(), qvSkinOfficeComboBox1->ItemIndex());
}

void TForm6::Button2Click(QObject*) {
    TqvSkinOfficeComboBox* list = qvSkinOfficeComboBox1;
    list->Items().Clear();
    list->Repaint();
    const std::span<const legacy::Profile> profiles = legacy::ProfilesOf(qvSkinOfficeComboBox2->ItemIndex());
    for (int k = 0; k < int(profiles.size()); ++k) {
        list->Items().Add();
        TqvSkinOfficeItem* item = list->Items()[k];
        item->SetTitle(QString::fromUtf8(profiles[k].title));
        item->SetCaption(QString::fromUtf8(profiles[k].description));
        item->SetImageIndex(profiles[k].imageIndex);
    }
    list->Repaint();
    // An empty list fails here with the list's index error, before OnClick.
    list->SetItemIndex(0);
}

TqvSkinComboBox* TForm6::OptionList(int option) const {
    switch (legacy::Option(option)) {
    case legacy::Option::FrameSize: return qvSkinComboBox1;
    case legacy::Option::VideoBitrate: return qvSkinComboBox2;
    case legacy::Option::FrameRate: return qvSkinComboBox9;
    case legacy::Option::AudioBitrate: return qvSkinComboBox3;
    case legacy::Option::SampleRate: return qvSkinComboBox10;
    case legacy::Option::AspectMode: return qvSkinComboBox4;
    }
    return nullptr;
}

void TForm6::Button18Click(QObject*) {
    // Component order, which is not the filling order.
    TqvSkinComboBox* const lists[] = {qvSkinComboBox1, qvSkinComboBox2, qvSkinComboBox3,
                                      qvSkinComboBox4, qvSkinComboBox9, qvSkinComboBox10};
    for (TqvSkinComboBox* list : lists) list->Items().Clear();
    for (TqvSkinComboBox* list : lists) list->SetEnabled(true);

    const int code = ProfileCode();
    jobs::TJobFields& fields = MainWindowLink().JobFields();
    fields.All_Trant_Number = code;
    fields.Video_DisableVideo = false;

    const legacy::Preset* preset = legacy::FindPreset(code);
    if (!preset) return;
    for (legacy::Option option : legacy::kOptions) {
        TqvSkinComboBox* list = OptionList(int(option));
        const legacy::OptionPreset& entry = (*preset)[option];
        for (const char* text : entry.items) list->Items().Add(QString::fromUtf8(text));
        list->SetItemIndex(entry.defaultIndex);
    }
    if (preset->audioOnly)
        for (TqvSkinComboBox* list : {qvSkinComboBox1, qvSkinComboBox2, qvSkinComboBox4, qvSkinComboBox9})
            list->SetEnabled(false);
}

void TForm6::Button5Click(QObject*) {
    const bool overwrite = Form5 && Form5->qvSkinCheckRadioBox3->Checked();
    TMainWindowLink& link = MainWindowLink();
    legacy::ComputeParameters(ProfileCode(), link.OutputFolderText(), overwrite, link.JobFields());
}

void TForm6::Button6Click(QObject*) { legacy::ResetVideoFields(MainWindowLink().JobFields()); }

// Field by field, so a text that does not convert leaves the earlier fields
// written and the later ones as they were.
void TForm6::Button13Click(QObject*) {
    jobs::TJobFields& fields = MainWindowLink().JobFields();
    fields.Video_FrameSize = profiles::FrameSizeValue(qvSkinComboBox1->Text());
    fields.Video_FrameRate = profiles::FrameRateValue(qvSkinComboBox9->Text());
    fields.Video_VideoBitrate = profiles::VideoBitrateValue(qvSkinComboBox2->Text());
    fields.Video_AudioSampleRate = profiles::SampleRateValue(qvSkinComboBox10->Text(), true);
    fields.Video_AudioBitrate = profiles::AudioBitrateValue(qvSkinComboBox3->Text());
    if (const std::optional<QString> aspect = profiles::AspectModeValue(qvSkinComboBox4->Text()))
        fields.Video_FrameAspectRatio = *aspect;
}
