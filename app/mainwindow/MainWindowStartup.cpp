// What the window does while it is created and while it closes, and the
// handlers its layout binds.
#include "app/mainwindow/MainWindow.h"

#include "engine/FFLogger.h"
#include "engine/Player.h"
#include "engine/Trevalon.h"
#include "platform/Dialogs.h"
#include "platform/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/shell/OpenDialog.h"

namespace {

// Pieces 2 and 3 make one pair: piece 2 ends without "|".
const char* const kFilterPieces[] = {
    "所有文件格式 (*.*)|*.*|",
    "支持的视频/音频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;*.MPEG;*.DAT;*.OGM;"
    "*.VOB;*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;*.SWF;",
    "*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;*.MPC;*.APE;*.OFR;*.OGG;*.RA;*.WV;*.TTA;*.AC3;*.DTS;*.DV;*.m4v;*.3g2;"
    "*.mkv;*.dv;*.yuv;*.h261;*.h264;*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|",
    "支持的视频文件格式|*.AVI;*.ASF;*.asx;*.WMV;*.AVS;*.FLV;*.MKV;*.MOV;*.3GP;*.MP4;*.MPG;*.MPEG;*.DAT;*.OGM;*.VOB;"
    "*.RM;*.RMVB;*.TS;*.TP;*.IFO;*.NSV;*.SWF;*.WV;*.TTA;*.AC3;*.DTS;*.DV;*.m4v;*.3g2;*.mkv;*.dv;*.yuv;*.h261;*.h264;"
    "*.mjpeg;*.dif;*.m4v;*.3gpp;*.3gp2;*.qt|",
    "支持的音频文件格式|*.MP3;*.AAC;*.WAV;*.WMA;*.CDA;*.FLAC;*.M4A;*.MID;*.MKA;*.MP2;*.MPA;*.MPC;*.APE;*.OFR;*.OGG;"
    "*.RA;*.WV;*.TTA;*.AC3|",
    "AVI文件 (*.avi)|*.avi|",
    "Real视频文件格式 (*.rm;*.rmvb)|*.rm;*.rmvb|",
    "MP4视频格式 (*.mp4;*.m4v)|*.mp4;*.m4v|",
    "MPEG视频格式 (*.mpg;*.mpeg)|*.mpg;*.mpeg|",
    "DVD视频格式 (*.vob)|*.vob|",
    "VCD/SVCD视频格式 (*.dat;*.mpg)|*.dat;*.mpg|",
    "ASF微软视频格式 (*.asf)|*.asf|",
    "WMV微软视频格式 (*.wmv)|*.wmv|",
    "手机3GPP文件格式 (*.3gp;*.3gpp)|*.3gp;*.3gpp|",
    "手机3GPP2文件格式 (*.3g2;*.3gp2)|*.3g2;*.3gp2|",
    "Flash动画格式 (*.swf)|*.swf|",
    "Flash视频格式 (*.flv)|*.flv|",
    "MKV视频媒体格式 (*.mkv)|*.mkv|",
    "Quick Time视频文件格式 (*.mov;*.qt)|*.mov;*.qt|",
    "DV数字视频文件格式 (*.dv;*.dif)|*.dv;*.dif|",
    "Raw h261类型文件 (*.h261)|*.h261|",
    "Raw h264类型文件 (*.h264)|*.h264|",
    "YUV类型文件 (*.yuv)|*.yuv|",
    "GIF图片动画格式 (*.gif)|*.gif|",
    "MJPEG视频格式(*.mjpg;*.mjpeg)|*.mjpg;*.mjpeg|",
    "TS视频格式 (*.ts)|*.ts|",
    "WMV高清HD视频格式 (*.xwmv)|*.xwmv|",
    "微软数字视频格式( *.dvr-ms)|*.dvr-ms|",
    "iTunes视频格式 (*.m4v)|*.m4v|",
    "MP3音频格式 (*.mp3)|*.mp3|",
    "CD音频格式 (*.cda)|*.cda|",
    "WMA微软音频格式 (*.wma)|*.wma|",
    "WAVE音频格式 (*.wav)|*.wav|",
    "REAL音频格式 (*.ra;*.ram)|*.ra;*.ram|",
    "MP4音频格式 (*.m4a;*.mp4)|*.m4a;*.mp4|",
    "AAC高级音频格式 (*.aac)|*.aac|",
    "AC3音频格式 (*.ac3)|*.ac3|",
    "Monkey音频格式 (*.ape;*.cue)|*.ape;*.cue|",
    "Flac无损压缩音频格式\u3000(*.flac)|*.flac|",
    "MPEG音频编码格式(*.mpa)|*.mpa|",
    "MPEG 2音频编码格式(*.mp2)|*.mp2|",
    "OGG音频编码格式(*.ogg)|*.ogg|",
    "AIFF音频编码格式(*.aif; *.aiff)|*.aif; *.aiff|",
};

}  // namespace

QString TForm1::InputFileFilter() {
    QString filter;
    for (const char* piece : kFilterPieces) filter += QString::fromUtf8(piece);
    return filter;
}

void TForm1::Button21Click(QObject*) {
    OpenDialog1->Filter = InputFileFilter();
    OpenDialog2->Filter = InputFileFilter();
}

void TForm1::BindHandlers() {
    OnCreate = [this](QObject* s) { FormCreate(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    Button2->OnClick = [this](QObject* s) { Button2Click(s); };
    Button3->OnClick = [this](QObject* s) { Button3Click(s); };
    Button4->OnClick = [this](QObject* s) { Button4Click(s); };
    Button5->OnClick = [this](QObject* s) { Button5Click(s); };
    Button6->OnClick = [this](QObject* s) { Button6Click(s); };
    Button13->OnClick = [this](QObject* s) { Button13Click(s); };
    Button15->OnClick = [this](QObject* s) { Button15Click(s); };
    Button16->OnClick = [this](QObject* s) { Button16Click(s); };
    Button17->OnClick = [this](QObject* s) { Button17Click(s); };
    Button18->OnClick = [this](QObject* s) { Button18Click(s); };
    Button21->OnClick = [this](QObject* s) { Button21Click(s); };
    qvSkinOfficeComboBox1->OnChange = [this](QObject* s) { qvSkinOfficeComboBox1Change(s); };
    qvSkinOfficeComboBox2->OnChange = [this](QObject* s) { qvSkinOfficeComboBox2Change(s); };
    for (TqvSkinComboBox* list :
         {qvSkinComboBox1, qvSkinComboBox2, qvSkinComboBox3, qvSkinComboBox4, qvSkinComboBox9, qvSkinComboBox10})
        list->OnChange = [this, list](QObject*) { OptionListChange(list); };
    qvSkinButton5->OnClick = [this](QObject* s) { qvSkinButton5Click(s); };
    qvSkinButton9->OnClick = [this](QObject* s) { qvSkinButton9Click(s); };
    N23->OnClick = [this](QObject* s) { qvSkinButton9Click(s); };
    Video_OutPut_Folder_Edit->OnClick = [this](QObject* s) { Video_OutPut_Folder_EditClick(s); };
    // The toolbar buttons and menu items run their command through its hidden button.
    qvSkinButton7->OnClick = N13->OnClick = [this](QObject*) { btnRemove->Click(); };
    qvSkinButton8->OnClick = N14->OnClick = [this](QObject*) { btnClear->Click(); };
    qvSkinButton2->OnClick = N7->OnClick = [this](QObject*) { btnStart->Click(); };
    qvSkinButton10->OnClick = N8->OnClick = [this](QObject*) { btnStop->Click(); };
    BindAddsHandlers();
    BindSnapshotHandlers();
    BindCommandHandlers();
    BindRunHandlers();
    BindProgressHandlers();
    BindPreviewHandlers();
    FinishRenameBeforeMenuCommands();
}

void TForm1::FormCreate(QObject*) {
    Button15->Click();
    Button17->Click();
    Button21->Click();
    Button3->Click();
    Button2->Click();
    FillScreenList();
    SavePictureDialog1->Options =
        ofOverwritePrompt | ofHideReadOnly | ofExtensionDifferent | ofPathMustExist | ofEnableSizing;
    SavePictureDialog1->Filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg");
    SavePictureDialog1->DefaultExt = QStringLiteral("bmp");
    qvSkinSlider1_down_UP = QStringLiteral("UP");
}

// "Panel6", then the direct windowed children by tab position until a
// position no child holds.
void TForm1::FillScreenList() {
    cboScreens->Items().Clear();
    cboScreens->Items().Add(QStringLiteral("Panel6"));
    const QList<TControl*> children = Controls();
    for (int position = 0;; ++position) {
        TWinControl* found = nullptr;
        for (TControl* c : children) {
            auto* w = dynamic_cast<TWinControl*>(c);
            if (w && w->TabOrder() == position) {
                found = w;
                break;
            }
        }
        if (!found) break;
        cboScreens->Items().Add(found->Name());
    }
    cboScreens->SetItemIndex(0);
}

void TForm1::FormCloseQuery(QObject*, bool&) { EndRunsAndPlayback(); }

void TForm1::EndRunsAndPlayback() {
    DUDuvuvu->OnPosition = nullptr;
    DUDuvuvu->OnState = nullptr;
    DUDuvuvu->OnHook = nullptr;
    Trevalon->OnCustomHook = nullptr;
    Trevalon->OnProgress = nullptr;
    Trevalon->OnTerminate = nullptr;
    Trevalon->Stop(true);
    // The end of the run no longer reaches the window; its run controls end as any run's do.
    ResetRunControls();
    FFLogger->OnLog = nullptr;
    // The player's threads draw into Panel6: they end before the window's
    // controls go.
    DUDuvuvu->Stop(true);
}
