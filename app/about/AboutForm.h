// The about box: the program's name, logo, version and the maker's links.
// The start-up creates it through Application()->CreateForm; the About
// command shows it modally and OK closes it.
#pragma once

#include "platform/Form.h"

#include <QImage>

class TImage;
class TqvSkinButton;
class TqvSkinLinkLabel;
class TqvSkinStdLabel;
class TqvVelmora;

class TForm2 : public TForm {
    Q_OBJECT
public:
    explicit TForm2(QObject* AOwner = nullptr);
    ~TForm2() override;

    TqvVelmora* qvVelmora1 = nullptr;
    TqvSkinStdLabel* qvSkinStdLabel3 = nullptr;  // the program's name
    TImage* Image1 = nullptr;                    // logo
    TqvSkinStdLabel* qvSkinStdLabel4 = nullptr;  // version
    TqvSkinStdLabel* qvSkinStdLabel1 = nullptr;
    TqvSkinLinkLabel* qvSkinLinkLabel1 = nullptr;  // web address
    TqvSkinStdLabel* qvSkinStdLabel2 = nullptr;
    TqvSkinLinkLabel* qvSkinLinkLabel2 = nullptr;  // support mail
    TqvSkinButton* qvSkinButton1 = nullptr;        // OK

    void qvSkinButton1Click(QObject* Sender);

    // The logo, 53 x 57 with a transparent background.
    static QImage LogoPicture();

protected:
    void Layout() override;
};

extern TForm2* Form2;
