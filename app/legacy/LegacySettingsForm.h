// The settings dialog: a second, self-contained profile panel with its own
// catalogue, presets and parameters. Its operations sit in the OnClick
// handlers of the plain buttons on Panel1 and run by clicking them; they
// write into the main window's job fields through the main-window link.
// The start-up creates it last, and nothing shows it; the main window
// recomputes its fields before each job, so what it writes reaches none.
#pragma once

#include "platform/Form.h"

class TButton;
class TImage;
class TImageList;
class TPanel;
class TTrevalon;
class TqvSkinButton;
class TqvSkinComboBox;
class TqvSkinOfficeComboBox;
class TqvSkinPageControl;
class TqvSkinPanel;
class TqvSkinTabSheet;
class TqvSkinTextLabel;
class TqvVelmora;

class TForm6 : public TForm {
    Q_OBJECT
public:
    explicit TForm6(QObject* AOwner = nullptr);
    ~TForm6() override;

    TqvVelmora* qvVelmora1 = nullptr;
    TqvSkinPanel* qvSkinPanel2 = nullptr;
    TqvSkinTextLabel* qvSkinTextLabel5 = nullptr;
    TqvSkinOfficeComboBox* qvSkinOfficeComboBox2 = nullptr;  // categories
    TqvSkinOfficeComboBox* qvSkinOfficeComboBox1 = nullptr;  // profiles
    TqvSkinButton* qvSkinButton1 = nullptr;                  // hidden, no skin, no handler
    TqvSkinPageControl* qvSkinPageControl1 = nullptr;
    TqvSkinTabSheet* qvSkinTabSheet1 = nullptr;  // the six option lists
    TqvSkinTabSheet* qvSkinTabSheet2 = nullptr;
    TqvSkinTabSheet* FilterSheet = nullptr;  // the component named "滤镜设置"
    TqvSkinTabSheet* qvSkinTabSheet3 = nullptr;
    TqvSkinComboBox* qvSkinComboBox1 = nullptr;   // frame size
    TqvSkinComboBox* qvSkinComboBox2 = nullptr;   // video bitrate
    TqvSkinComboBox* qvSkinComboBox9 = nullptr;   // frame rate
    TqvSkinComboBox* qvSkinComboBox3 = nullptr;   // audio bitrate
    TqvSkinComboBox* qvSkinComboBox10 = nullptr;  // sample rate
    TqvSkinComboBox* qvSkinComboBox4 = nullptr;   // aspect mode
    TqvSkinTextLabel* qvSkinTextLabel3 = nullptr;
    TqvSkinTextLabel* qvSkinTextLabel2 = nullptr;
    TqvSkinTextLabel* qvSkinTextLabel6 = nullptr;
    TqvSkinTextLabel* qvSkinTextLabel4 = nullptr;
    TqvSkinTextLabel* qvSkinTextLabel7 = nullptr;
    TqvSkinTextLabel* qvSkinTextLabel9 = nullptr;
    TqvSkinButton* qvSkinButton2 = nullptr;  // OK
    TqvSkinButton* qvSkinButton3 = nullptr;  // Cancel
    TPanel* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TButton* Button6 = nullptr;   // reset the job fields
    TButton* Button5 = nullptr;   // conversion parameters
    TButton* Button7 = nullptr;   // no handler
    TButton* Button2 = nullptr;   // fill the profile list
    TButton* Button13 = nullptr;  // read the option lists back
    TButton* Button11 = nullptr;  // no handler
    TButton* Button18 = nullptr;  // fill the option lists
    TTrevalon* Trevalon = nullptr;  // never called
    TImageList* ImageList1 = nullptr;  // category icons
    TImageList* ImageList2 = nullptr;  // empty, unused

    void FormCreate(QObject* Sender);
    void qvSkinOfficeComboBox2Change(QObject* Sender);
    void qvSkinOfficeComboBox1Click(QObject* Sender);
    void qvSkinButton2Click(QObject* Sender);
    void qvSkinButton3Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button18Click(QObject* Sender);
    void Button5Click(QObject* Sender);
    void Button6Click(QObject* Sender);
    void Button13Click(QObject* Sender);

    // (category row + 1) * 100 + profile row, from the two lists as they stand.
    int ProfileCode() const;

protected:
    void Layout() override;

private:
    TqvSkinComboBox* OptionList(int option) const;
};

extern TForm6* Form6;
