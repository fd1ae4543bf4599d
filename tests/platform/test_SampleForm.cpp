// A form with every plain control, saved as a picture in the build tree so a
// person can look at it (run under Xvfb with QT_QPA_PLATFORM=xcb for the
// screen's own picture as well).
#include "tests/platform/Printers.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "platform/StdCtrls.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TSampleForm : public TForm {
public:
    using TForm::TForm;
    TImageList* Icons = nullptr;

protected:
    template <class T> T* Put(const char* name, TWinControl* parent, int l, int t, int w, int h) {
        auto* c = new T(this);
        c->SetName(name);
        c->SetParent(parent);
        c->SetBounds(l, t, w, h);
        return c;
    }

    void Layout() override {
        SetName("SampleForm");
        SetCaption(QString::fromUtf8("示例 Sample"));
        SetPosition(poScreenCenter);
        SetBounds(0, 0, 480, 400);
        auto* top = Put<TPanel>("Header", this, 0, 0, 480, 32);
        top->SetAlign(alTop);
        top->SetCaption(QString::fromUtf8("Plain controls 普通控件"));
        top->Font().SetName("Arial");
        top->Font().SetHeight(-14);
        top->Font().SetStyle(fsBold);
        auto* bottom = Put<TPanel>("Footer", this, 0, 0, 480, 40);
        bottom->SetAlign(alBottom);
        bottom->SetBevelOuter(TBevelCut::bvLowered);
        auto* ok = Put<TButton>("OkButton", bottom, 310, 8, 75, 25);
        ok->SetCaption("&OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetAnchors(akTop | akRight);
        auto* cancel = Put<TButton>("CancelButton", bottom, 395, 8, 75, 25);
        cancel->SetCaption(QString::fromUtf8("取消"));
        cancel->SetCancel(true);
        cancel->SetAnchors(akTop | akRight);
        auto* bar = Put<TProgressBar>("Progress", bottom, 10, 12, 200, 17);
        bar->SetPosition(60);

        auto* edit = Put<TEdit>("Edit1", this, 10, 42, 200, 21);
        edit->SetText(QString::fromUtf8("/home/用户/视频/clip.avi"));
        auto* check = Put<TCheckBox>("CheckBox1", this, 10, 72, 200, 17);
        check->SetCaption(QString::fromUtf8("多线程 Multi-thread"));
        check->SetChecked(true);
        auto* combo = Put<TComboBox>("ComboBox1", this, 10, 96, 200, 21);
        combo->SetStyle(csDropDownList);
        combo->Items().AddStrings(QStringList{"320x240", "640x480", "1280x720"});
        combo->SetItemIndex(1);
        auto* track = Put<TTrackBar>("TrackBar1", this, 10, 124, 200, 30);
        track->SetMax(20);
        track->SetPosition(7);
        auto* memo = Put<TMemo>("Memo1", this, 10, 160, 200, 90);
        memo->Lines().Add("Log line one");
        memo->Lines().Add(QString::fromUtf8("日志第二行"));
        auto* list = Put<TListBox>("ListBox1", this, 220, 42, 120, 100);
        list->Items().AddStrings(QStringList{"MP3", "WAV", "AAC", QString::fromUtf8("视频")});
        list->SetItemIndex(2);
        auto* image = Put<TImage>("Image1", this, 350, 42, 120, 100);
        image->SetStretch(true);
        image->SetProportional(true);
        image->SetCenter(true);
        QImage pic(8, 6, QImage::Format_RGB32);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) pic.setPixel(x, y, ((x + y) % 2) ? qRgb(40, 90, 200) : qRgb(250, 200, 40));
        image->SetPicture(pic);
        auto* side = Put<TPanel>("Side", this, 220, 152, 250, 160);
        side->SetBevelInner(TBevelCut::bvLowered);
        side->SetBevelWidth(2);
        side->SetCaption(QString::fromUtf8("面板 Panel"));
        side->SetAnchors(akLeft | akTop | akRight | akBottom);
        Icons = new TImageList(this);
        Icons->SetName("Icons");
    }
};

TEST(SampleForm, EveryPlainControlIsBuiltAndPainted) {
    auto* f = NewForm<TSampleForm>(nullptr);
    f->Show();
    QTest::qWait(200);
    for (const char* name : {"Header", "Footer", "OkButton", "CancelButton", "Progress", "Edit1", "CheckBox1",
                             "ComboBox1", "TrackBar1", "Memo1", "ListBox1", "Image1", "Side", "Icons"})
        EXPECT_NE(f->FindComponent(name), nullptr) << name;
    // Anchored to the right: the buttons follow a wider form.
    f->SetBounds(f->Left(), f->Top(), 560, 420);
    EXPECT_EQ(f->FindComponent<TButton>("CancelButton")->Left(), 475);
    EXPECT_EQ(f->FindComponent<TPanel>("Side")->BoundsRect(), Rect(220, 152, 550, 332));
    QTest::qWait(100);
    const QString dir = QStringLiteral(QV_SHOT_DIR);
    QDir().mkpath(dir);
    const QImage shot = f->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(560, 420));
    EXPECT_TRUE(shot.save(dir + "/sample-form-" + QGuiApplication::platformName() + ".png"));
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QGuiApplication::primaryScreen()->grabWindow(0).save(dir + "/sample-form-screen.png");
    delete f;
}

}  // namespace
