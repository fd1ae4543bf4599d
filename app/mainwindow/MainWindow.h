// The main window: job list, profile panel, option lists, preview panel,
// toolbar and menus. Operations live in the OnClick handlers of hidden
// buttons on Panel1, which the toolbar, the menus and the window's own code
// run by clicking them; each concern's handlers sit in their own file.
#pragma once

#include "app/jobs/JobFields.h"
#include "app/jobs/JobRecords.h"
#include "app/jobs/JobRow.h"
#include "app/jobs/ProfileParameters.h"
#include "app/link/MainWindowLink.h"
#include "app/mainwindow/AppDialogs.h"
#include "app/mainwindow/CommandStates.h"
#include "engine/Player.h"
#include "platform/Form.h"

#include <QString>

#include <array>
#include <memory>

class TButton;
class TCheckBox;
class TComboBox;
class TCustomLabel;
class TEdit;
class TFFLogger;
class TDUDuvuvu;
class TImage;
class TImageList;
class TListBox;
class TListItem;
class TMainMenu;
class TMemo;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TProgressBar;
class TTrackBar;
class TTrevalon;
class TqvCompressedSkinList;
class TqvSkinButton;
class TqvSkinComboBox;
class TqvSkinData;
class TqvSkinEdit;
class TqvSkinHint;
class TqvSkinLinkLabel;
class TqvSkinListView;
class TqvSkinMainMenuBar;
class TqvSkinMenuSpeedButton;
class TqvSkinMessage;
class TqvSkinOfficeComboBox;
class TqvSkinPopupMenu;
class TqvSkinPanel;
class TqvSkinScrollBar;
class TqvSkinSlider;
class TqvSkinStdLabel;
class TqvSkinToolBar;
class TqvVelmora;

namespace settings { class TSettingsErrors; }

class TForm1 : public TForm, public TMainWindowLink {
    Q_OBJECT
public:
    explicit TForm1(QObject* AOwner = nullptr);
    ~TForm1() override;

    // What the dialogs use of the window.
    TqvSkinData* SkinData() override { return qvSkinData1; }
    jobs::TJobFields& JobFields() override { return VideoFields; }
    QString OutputFolderText() override;
    TCustomTrevalon* Converter() override;

    // --- engine
    TTrevalon* Trevalon = nullptr;
    TFFLogger* FFLogger = nullptr;
    TDUDuvuvu* DUDuvuvu = nullptr;

    // --- skin
    TqvCompressedSkinList* qvCompressedSkinList1 = nullptr;
    TqvSkinData* qvSkinData1 = nullptr;
    TqvVelmora* qvVelmora1 = nullptr;
    TqvSkinHint* qvSkinHint1 = nullptr;
    TqvSkinMessage* qvSkinMessage1 = nullptr;

    // --- dialogs (their settings; TAppDialogs shows them)
    TFileDialogSettings OpenDialog1, OpenDialog2, SavePictureDialog1;
    QString qvSkinSelectDirectoryDialog1Title, qvSkinSelectDirectoryDialog2Title;

    // --- pictures
    TImageList* ImageList1 = nullptr;  // categories
    TImageList* ImageList2 = nullptr;  // profiles
    TImageList* ImageList3 = nullptr;  // the add button
    std::array<TImage*, 18> Images{};  // Image1 .. Image17 at their numbers

    // --- menus
    TMainMenu* qvSkinMainMenu1 = nullptr;
    TqvSkinPopupMenu* qvSkinPopupMenu1 = nullptr;
    TqvSkinPopupMenu* qvSkinPopupMenu2 = nullptr;
    TMenuItem* Item11 = nullptr; TMenuItem* Item111 = nullptr; TMenuItem* Item121 = nullptr;
    TMenuItem* N21 = nullptr; TMenuItem* N3 = nullptr; TMenuItem* N4 = nullptr;
    TMenuItem* N6 = nullptr; TMenuItem* N111 = nullptr; TMenuItem* N2221 = nullptr; TMenuItem* N12 = nullptr;
    TMenuItem* N13 = nullptr; TMenuItem* N14 = nullptr; TMenuItem* N25 = nullptr; TMenuItem* N26 = nullptr;
    TMenuItem* N1 = nullptr; TMenuItem* N7 = nullptr; TMenuItem* N8 = nullptr; TMenuItem* N9 = nullptr;
    TMenuItem* N10 = nullptr; TMenuItem* N11 = nullptr;
    TMenuItem* N22 = nullptr; TMenuItem* N24 = nullptr; TMenuItem* N23 = nullptr;
    TMenuItem* N2 = nullptr; TMenuItem* N15 = nullptr; TMenuItem* N16 = nullptr; TMenuItem* N19 = nullptr;
    TMenuItem* N5 = nullptr;
    TMenuItem* N11111 = nullptr; TMenuItem* N2222 = nullptr; TMenuItem* N3331 = nullptr;
    TMenuItem* MenuItem1 = nullptr; TMenuItem* MenuItem2 = nullptr; TMenuItem* MenuItem3 = nullptr;
    TMenuItem* N27 = nullptr; TMenuItem* BMP1 = nullptr; TMenuItem* JPG1 = nullptr; TMenuItem* GIF1 = nullptr;
    TMenuItem* PNG1 = nullptr;

    // --- visible controls
    TqvSkinMainMenuBar* qvSkinMainMenuBar1 = nullptr;
    TqvSkinToolBar* qvSkinToolBar2 = nullptr;
    TqvSkinMenuSpeedButton* qvSkinMenuSpeedButton1 = nullptr;
    TqvSkinButton* qvSkinButton7 = nullptr;   // 删除
    TqvSkinButton* qvSkinButton8 = nullptr;   // 清空
    TqvSkinButton* qvSkinButton2 = nullptr;   // 开始
    TqvSkinButton* qvSkinButton10 = nullptr;  // 停止
    TqvSkinButton* qvSkinButton11 = nullptr;  // 暂停
    TqvSkinButton* qvSkinButton12 = nullptr;  // 继续
    TqvSkinButton* qvSkinButton19 = nullptr;  // 选项
    TqvSkinButton* qvSkinButton9 = nullptr;   // 皮肤

    TqvSkinPanel* qvSkinPanel1 = nullptr;  // job panel
    TqvSkinListView* lvFiles = nullptr;
    TqvSkinScrollBar* qvSkinScrollBar1 = nullptr;
    TqvSkinScrollBar* qvSkinScrollBar2 = nullptr;
    TqvSkinButton* qvSkinButton3 = nullptr;   // up
    TqvSkinButton* qvSkinButton4 = nullptr;   // down
    TqvSkinButton* qvSkinButton21 = nullptr;  // rename
    TqvSkinPanel* qvSkinPanel5 = nullptr;  // logo
    TImage* Image1 = nullptr;

    TqvSkinPanel* qvSkinPanel2 = nullptr;  // output panel
    TqvSkinOfficeComboBox* qvSkinOfficeComboBox2 = nullptr;  // categories
    TqvSkinOfficeComboBox* qvSkinOfficeComboBox1 = nullptr;  // profiles
    TqvSkinEdit* Video_OutPut_Folder_Edit = nullptr;
    TqvSkinButton* qvSkinButton5 = nullptr;  // 浏览
    TqvSkinButton* qvSkinButton6 = nullptr;  // 打开
    TqvSkinButton* qvSkinButton1 = nullptr;  // 设置 (hidden)
    TqvSkinStdLabel* qvSkinStdLabel1 = nullptr;
    TqvSkinLinkLabel* qvSkinLinkLabel1 = nullptr;

    TqvSkinPanel* qvSkinPanel4 = nullptr;  // option lists
    TqvSkinComboBox* qvSkinComboBox1 = nullptr;   // frame size
    TqvSkinComboBox* qvSkinComboBox2 = nullptr;   // video bitrate
    TqvSkinComboBox* qvSkinComboBox3 = nullptr;   // audio bitrate
    TqvSkinComboBox* qvSkinComboBox4 = nullptr;   // aspect mode
    TqvSkinComboBox* qvSkinComboBox9 = nullptr;   // frame rate
    TqvSkinComboBox* qvSkinComboBox10 = nullptr;  // sample rate

    TqvSkinPanel* qvSkinPanel3 = nullptr;  // preview
    TPanel* Panel6 = nullptr;
    TqvSkinSlider* qvSkinSlider1 = nullptr;
    TqvSkinButton* qvSkinButton13 = nullptr; TqvSkinButton* qvSkinButton14 = nullptr;
    TqvSkinButton* qvSkinButton15 = nullptr; TqvSkinButton* qvSkinButton16 = nullptr;
    TqvSkinButton* qvSkinButton20 = nullptr; TqvSkinButton* qvSkinButton22 = nullptr;
    TqvSkinButton* qvSkinButton23 = nullptr; TqvSkinButton* qvSkinButton17 = nullptr;

    // --- hidden panels and controls
    TPanel* Panel1 = nullptr;
    TPanel* Panel3 = nullptr;
    TPanel* Panel4 = nullptr;
    TPanel* Panel5 = nullptr;
    TButton* btnAdd = nullptr; TButton* btnStart = nullptr; TButton* btnStop = nullptr;
    TButton* btnPause = nullptr; TButton* btnResume = nullptr; TButton* btnRemove = nullptr;
    TButton* btnClear = nullptr; TButton* btnWebSite = nullptr; TButton* btnCapture = nullptr;
    TButton* Button1 = nullptr; TButton* Button2 = nullptr; TButton* Button3 = nullptr;
    TButton* Button4 = nullptr; TButton* Button5 = nullptr; TButton* Button6 = nullptr;
    TButton* Button7 = nullptr; TButton* Button8 = nullptr; TButton* Button9 = nullptr;
    TButton* Button10 = nullptr; TButton* Button11 = nullptr; TButton* Button12 = nullptr;
    TButton* Button13 = nullptr; TButton* Button14 = nullptr; TButton* Button15 = nullptr;
    TButton* Button16 = nullptr; TButton* Button17 = nullptr; TButton* Button18 = nullptr;
    TButton* Button19 = nullptr; TButton* Button20 = nullptr; TButton* Button21 = nullptr;
    TButton* Button22 = nullptr; TButton* Button23 = nullptr; TButton* Button24 = nullptr;
    TButton* Button25 = nullptr; TButton* Button26 = nullptr; TButton* Button27 = nullptr;
    TButton* button28 = nullptr; TButton* Button29 = nullptr; TButton* Button31 = nullptr;
    TButton* Button34 = nullptr; TButton* Button40 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TCheckBox* chkThreadMode = nullptr;
    TCheckBox* chkPreview = nullptr;
    TComboBox* cboScreens = nullptr;
    TComboBox* cboVideoDriver = nullptr;
    TComboBox* cboAudioDriver = nullptr;
    TComboBox* cboAspectRatio = nullptr;
    TCheckBox* chkOpenPaused = nullptr;
    TMemo* mmoLog = nullptr;
    TEdit* edt = nullptr;

    // --- public fields
    QString FileOutPutPath;
    QString T_Movie_PLayer_FileName;
    QString qvSkinSlider1_down_UP;
    jobs::TJobFields VideoFields;  // All_Trant_Number and the Video_ fields
    jobs::TJobRecords JobRecords;  // the records each job row was created with

    // The commands whose controls change together.
    TCommandState CmdAdd, CmdRemove, CmdClear, CmdStart, CmdStop, CmdPause, CmdResume, CmdRename;

    // Where the window shows its dialogs; the start-up sets it.
    std::shared_ptr<TAppDialogs> Dialogs;
    // Write failures of the window's start-up reading, for the start-up's error box.
    settings::TSettingsErrors* StartupErrors = nullptr;

    // The selected job row as data, and back (only the changed cells are written).
    static jobs::TJobRow RowOf(const TListItem* item);
    static void StoreRow(TListItem* item, const jobs::TJobRow& row);
    // Appends a job row with its 24 texts.
    TListItem* AppendRow(const jobs::TJobRow& row);
    // The output-name rule with the options dialog's overwrite choice and the other rows' names.
    jobs::TFreeOutputName OutputNameRule();
    // The options dialog's "overwrite existing output" choice.
    bool OverwriteOutput() const;

    // Handlers (run through the hidden buttons, as the window does).
    void FormCreate(QObject* Sender);
    void FormCloseQuery(QObject* Sender, bool& CanClose);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);
    void Button5Click(QObject* Sender);
    void Button6Click(QObject* Sender);
    void Button13Click(QObject* Sender);
    void Button15Click(QObject* Sender);
    void Button16Click(QObject* Sender);
    void Button17Click(QObject* Sender);
    void Button18Click(QObject* Sender);
    void Button21Click(QObject* Sender);
    void qvSkinOfficeComboBox1Change(QObject* Sender);
    void qvSkinOfficeComboBox2Change(QObject* Sender);
    void OptionListChange(TqvSkinComboBox* list);
    void qvSkinButton5Click(QObject* Sender);
    void qvSkinButton9Click(QObject* Sender);
    void Video_OutPut_Folder_EditClick(QObject* Sender);

    // The filter text of the two open dialogs.
    static QString InputFileFilter();

    // --- preview (MainWindowPreview.cpp)
    TCheckBox* chkStayOnTop = nullptr;
    TTrackBar* TrackBar2 = nullptr;  // volume
    TCustomLabel* Label2 = nullptr;  // duration
    TCustomLabel* Label3 = nullptr;  // position
    TComboBox* cboVideo = nullptr;
    TComboBox* cboAudio = nullptr;
    TComboBox* cboSubtitle = nullptr;
    TWinControl* FScreenControl = nullptr;
    std::int64_t FDuration = 0;  // microseconds; -1 unknown, 0 an image sequence
    void Button31Click(QObject* Sender);
    void DUDuvuvuFileOpen(QObject* Sender, std::int64_t ADuration, int AFrameWidth, int AFrameHeight,
                          int& AScreenWidth, int& AScreenHeight);
    void DUDuvuvuPosition(QObject* Sender, std::int64_t APTS);
    void DUDuvuvuState(QObject* Sender, TPlayState AState);
    void qvSkinButton13Click(QObject* Sender);
    void qvSkinButton14Click(QObject* Sender);
    void qvSkinButton15Click(QObject* Sender);
    void qvSkinButton16Click(QObject* Sender);
    void qvSkinButton20Click(QObject* Sender);
    void qvSkinSlider1MouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void qvSkinSlider1MouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void TrackBar2Change(QObject* Sender);
    void WMWindowPosChanged(QObject* Sender);
    // The first direct windowed child named exactly AName, nullptr when none.
    TWinControl* FindChildControl(const QString& AName) const;
    void BindPreviewHandlers();

protected:
    void Layout() override;

private:
    void CreateEngine();
    void CreateSkin();
    void CreatePictures();
    void CreateMenus();
    void CreateToolBar();
    void CreateJobPanel();
    void CreateOutputPanel();
    void CreateOptionPanel();
    void CreatePreviewPanel();
    void CreateHiddenPanels();
    void CreateCommands();
    void BindHandlers();
    void FillScreenList();
    void ShowError(const QString& message);
    TButton* HiddenButton(TWinControl* parent, const QString& name, const QString& caption, int index);
    TqvSkinComboBox* OptionList(int role) const;
    int OptionRole(const TqvSkinComboBox* list) const;
    void MirrorOptionPairs();
    void RenameSelected(const QString& extension);

    TListItem* FNamingItem = nullptr;  // the row whose name the output-name rule is choosing

    // --- preview (MainWindowPreview.cpp)
    void CreatePreviewControls();
    void ShowStreamChoices();
};

extern TForm1* Form1;
