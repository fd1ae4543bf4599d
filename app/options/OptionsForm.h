// The options dialog. Its controls are the live conversion settings: the main
// window reads them whenever it needs one. "option.ini" only carries them
// between runs: read at creation, written by OK. Closing it any other way
// (Cancel, the frame, Escape) writes nothing and puts back the values that
// were in force when it was shown. The start-up creates it through
// Application()->CreateForm, after the main window has installed its link.
#pragma once

#include "app/settings/OptionsSettings.h"
#include "platform/Form.h"

class TButton;
class TPanel;
class TqvSkinButton;
class TqvSkinCheckRadioBox;
class TqvSkinComboBox;
class TqvSkinPanel;
class TqvSkinStdLabel;
class TqvVelmora;

class TForm5 : public TForm {
    Q_OBJECT
public:
    explicit TForm5(QObject* AOwner = nullptr);
    ~TForm5() override;

    // The controls as they stand, in the settings' terms.
    settings::TOptionsSettings Settings() const;
    // The first write-back that failed while the settings were read at
    // creation (the start-up shows it once with its own errors); empty when none.
    QString LoadError() const { return FLoadError; }

    TqvVelmora* qvVelmora1 = nullptr;
    TqvSkinPanel* qvSkinPanel3 = nullptr;  // after a run
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox1 = nullptr;
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox2 = nullptr;
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox4 = nullptr;
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox5 = nullptr;
    TqvSkinPanel* qvSkinPanel1 = nullptr;  // existing output file
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox3 = nullptr;  // overwrite
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox6 = nullptr;  // free name
    TqvSkinPanel* qvSkinPanel2 = nullptr;
    TqvSkinStdLabel* qvSkinStdLabel1 = nullptr;
    TqvSkinComboBox* qvSkinComboBox2 = nullptr;           // thread count
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox7 = nullptr;  // multi-thread, hidden
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox8 = nullptr;  // live preview
    TqvSkinPanel* qvSkinPanel4 = nullptr;  // thread priority
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox9 = nullptr;
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox10 = nullptr;
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox11 = nullptr;
    TqvSkinCheckRadioBox* qvSkinCheckRadioBox12 = nullptr;
    TqvSkinButton* qvSkinButton6 = nullptr;  // OK
    TqvSkinButton* qvSkinButton1 = nullptr;  // Cancel
    TPanel* Panel1 = nullptr;
    TButton* Button1 = nullptr;  // reads the settings
    TButton* Button2 = nullptr;  // writes the settings

    void FormCreate(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void qvSkinButton6Click(QObject* Sender);
    void qvSkinButton1Click(QObject* Sender);
    void qvSkinCheckRadioBox7Click(QObject* Sender);
    void qvSkinCheckRadioBox8Click(QObject* Sender);

protected:
    void Layout() override;

private:
    void ApplySettings(const settings::TOptionsSettings& o);
    void FormShow(QObject* Sender);
    void FormClose(QObject* Sender, TCloseAction& Action);

    QString FLoadError;
    // What was in force when the dialog was shown, or what OK last saved.
    settings::TOptionsSettings FInForce;
};

extern TForm5* Form5;
