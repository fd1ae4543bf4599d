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
#include "engine/FFLogger.h"
#include "engine/FFTypes.h"
#include "engine/Player.h"
#include "platform/Form.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TButton;
class TCheckBox;
class TComboBox;
class TCustomLabel;
class TEdit;
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
class TSavePictureDialog;
class TTrackBar;
class TTrevalon;
class TqvCompressedSkinList;
class TqvSelectSkinDialog;
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
class TqvSkinOpenDialog;
class TqvSkinPopupMenu;
class TqvSkinPanel;
class TqvSkinSavePictureDialog;
class TqvSkinScrollBar;
class TqvSkinSelectDirectoryDialog;
class TqvSkinSlider;
class TqvSkinStdLabel;
class TqvSkinToolBar;
class TqvVelmora;

namespace settings { class TSettingsErrors; }
namespace jobs { class TProfilePanel; }
namespace snapshots { enum class TSnapshotType; }

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

    // --- dialogs (MainWindowDialogs.cpp; `Dialogs` runs them)
    TqvSkinOpenDialog* OpenDialog1 = nullptr;   // add a file
    TqvSkinOpenDialog* OpenDialog2 = nullptr;   // add several files
    TqvSkinSelectDirectoryDialog* qvSkinSelectDirectoryDialog1 = nullptr;  // add a folder
    TqvSkinSelectDirectoryDialog* qvSkinSelectDirectoryDialog2 = nullptr;  // output and snapshot folders
    TqvSelectSkinDialog* qvSelectSkinDialog1 = nullptr;
    TSavePictureDialog* SavePictureDialog1 = nullptr;  // capture
    TqvSkinOpenDialog* qvSkinOpenDialog1 = nullptr;               // unused
    TqvSkinSavePictureDialog* qvSkinSavePictureDialog1 = nullptr;  // unused

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
    // The application's boxes in the window's skin, while the window lives.
    std::shared_ptr<TPrompt> SkinnedPrompt;
    // Write failures of the window's start-up reading, for the start-up's error box.
    settings::TSettingsErrors* StartupErrors = nullptr;

    // The selected job row as data, and back (only the changed cells are written).
    static jobs::TJobRow RowOf(const TListItem* item);
    static void StoreRow(TListItem* item, const jobs::TJobRow& row);
    // Appends a job row with its 24 texts.
    TListItem* AppendRow(const jobs::TJobRow& row);
    // The output-name rule with the options dialog's overwrite choice and the other rows' names.
    jobs::TFreeOutputName OutputNameRule();
    jobs::TFreeOutputName ListOutputNameRule();
    // The path the output-name rule gives row `item` for `name` in `folder`;
    // the row's own current name does not count as taken.
    QString FreeOutputPathOfRow(TListItem* item, const QString& folder, const QString& name);
    // The options dialog's "overwrite existing output" choice.
    bool OverwriteOutput() const;
    // Every job row's input, in row order.
    QStringList RowInputs() const;
    // The clock (milliseconds) that spaces the repaints of a long add; null: a
    // steady clock.
    std::function<qint64()> AddPaintClock;

    // Handlers (run through the hidden buttons, as the window does).
    void FormCreate(QObject* Sender);
    void FormCloseQuery(QObject* Sender, bool& CanClose);
    void EndRunsAndPlayback();
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

    // --- adds, selection and editing (MainWindowAdds.cpp, MainWindowSelection.cpp, MainWindowEditing.cpp)
    void btnAddClick(QObject* Sender);
    void Button8Click(QObject* Sender);
    void Button12Click(QObject* Sender);
    // The full path of every file (not folder) directly inside FilePath whose
    // name matches ExtMask ("*.*" matches every name), hidden files too, in
    // name order; none when FilePath is not an existing folder.
    static std::optional<QStringList> GetFilenames(const QString& FilePath, const QString& ExtMask);
    void lvFilesSelectItem(QObject* Sender, TListItem* Item, bool Selected);
    void lvFilesClick(QObject* Sender);
    void btnRemoveClick(QObject* Sender);
    void btnClearClick(QObject* Sender);
    void qvSkinButton3Click(QObject* Sender);
    void qvSkinButton4Click(QObject* Sender);
    void qvSkinButton21Click(QObject* Sender);
    void N26Click(QObject* Sender);
    void lvFilesDblClick(QObject* Sender);
    void edtExit(QObject* Sender);
    void BindAddsHandlers();
    // --- snapshots (MainWindowSnapshots.cpp)
    void qvSkinButton22Click(QObject* Sender);
    void qvSkinButton23MouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void qvSkinButton23Click(QObject* Sender);
    void BMP1Click(QObject* Sender);
    void JPG1Click(QObject* Sender);
    void GIF1Click(QObject* Sender);
    void PNG1Click(QObject* Sender);
    void MenuItem1Click(QObject* Sender);
    void MenuItem2Click(QObject* Sender);
    void btnCaptureClick(QObject* Sender);

    // --- commands (MainWindowCommands.cpp)
    void qvSkinButton6Click(QObject* Sender);
    void qvSkinButton19Click(QObject* Sender);
    void N15Click(QObject* Sender);
    void N19Click(QObject* Sender);
    void N5Click(QObject* Sender);
    void N4Click(QObject* Sender);

    // --- run (MainWindowRun.cpp)
    void btnStartClick(QObject* Sender);
    void button28Click(QObject* Sender);
    void Button22Click(QObject* Sender);
    void Button23Click(QObject* Sender);
    void btnPauseClick(QObject* Sender);
    void btnResumeClick(QObject* Sender);
    void btnStopClick(QObject* Sender);
    void qvSkinButton11Click(QObject* Sender);
    void qvSkinButton12Click(QObject* Sender);
    void chkPreviewClick(QObject* Sender);

    // --- progress (MainWindowProgress.cpp)
    void TrevalonProgress(QObject* Sender, PProgressInfo AProgressInfo);
    void TrevalonTerminate(QObject* Sender, const TTerminateInfo& ATerminateInfo);
    void FFLoggerLog(QObject* Sender, TThreadID AThreadID, TLogLevel ALogLevel, const QString& ALogMsg);
    void Button20Click(QObject* Sender);
    void Button25Click(QObject* Sender);
    void Button29Click(QObject* Sender);
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
    // --- the profile panel (MainWindowProfiles.cpp): the one chain, shown in the widgets
    void CreateProfilePanel();
    void RunPanel(const std::function<void()>& step);
    void ShowPanel();
    void FocusJobsAfterChoice();
    std::unique_ptr<jobs::TProfilePanel> FPanel;
    bool FInPanel = false;       // the panel holds the selected row and the job fields
    bool FShowingPanel = false;  // the widgets' own change events are the panel's echo
    int FShownProfileFills = 0;
    int FShownOptionFills = 0;

    TListItem* FNamingItem = nullptr;  // the row whose name the output-name rule is choosing
    // The list's names and inputs while an add names its files (see TTakenIndex).
    std::optional<jobs::TTakenIndex> FAddIndex;

    // --- adds, selection and editing (MainWindowAdds.cpp, MainWindowSelection.cpp, MainWindowEditing.cpp)
    enum class TAddOutcome { Added, Skipped, Ended };
    bool PrepareAdd();
    TAddOutcome AddFile(const QString& path, bool singleAdd);
    bool AddFiles(const QStringList& paths);
    // The window repaints between the files of a long add; the user's input
    // waits until the add is done (see MainWindowAdds.cpp).
    void PaintDuringAdd();
    qint64 FAddPaintedAt = 0;
    bool FAdding = false;
    // Files an add could not open, with the reason; told in one notice.
    QStringList FUnopened;
    // notTried: the files a failure ended the add before.
    void TellUnopened(const QStringList& notTried);
    void SelectLastRow();
    void LogLine(const QString& line);
    // A copy of the panel for the job being added: no row selected, the
    // window's job fields and output folder.
    jobs::TProfilePanel PanelModel();
    void SetListCommands(bool enabled);
    // A message box that only tells the user something ("提示", OK).
    void Notice(const QString& text);
    void MoveSelected(int step);
    void StartRename(bool fromDoubleClick);
    void FinishRename(bool beforeCommand);
    void FinishRenameBeforeMenuCommands();
    TListItem* FRenameItem = nullptr;  // the row the rename editor was opened on
    // --- dialogs (MainWindowDialogs.cpp)
    void CreateDialogs();
    // --- snapshots and commands (MainWindowSnapshots.cpp, MainWindowCommands.cpp)
    void BindSnapshotHandlers();
    void BindCommandHandlers();
    void CheckSnapshotType(snapshots::TSnapshotType type);
    void ChooseSnapshotType(snapshots::TSnapshotType type);

    // --- run (MainWindowRun.cpp)
    void BindRunHandlers();
    bool RebuildTasks();  // false: an input could not be opened, nothing starts
    // Every row's name checked again where it will be written; per row whether
    // the engine must create its file new (no overwrite).
    std::vector<bool> CheckOutputNames();
    void SetProfilePanelEnabled(bool enabled);
    void ResetRunControls();  // Stop, Pause and Resume as a run's end leaves them

    // --- progress (MainWindowProgress.cpp)
    void BindProgressHandlers();
    int RowOfTask(int task) const;  // -1 when no row holds that task's job
    void QueueWarning(const QString& text);
    void ShowWarnings();
    QStringList FWarnings;  // task failures not yet shown, oldest first
    bool FWarningsPosted = false;
    bool FShowingWarnings = false;
    // --- preview (MainWindowPreview.cpp)
    void CreatePreviewControls();
    void ShowStreamChoices();
};

extern TForm1* Form1;
