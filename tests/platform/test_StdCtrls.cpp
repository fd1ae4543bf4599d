#include "tests/platform/Printers.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"
#include "platform/StdCtrls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ControlsTest : ::testing::Test {
    TForm* Form = nullptr;
    QStringList Log;
    void SetUp() override {
        Form = new TForm;
        Form->SetBounds(0, 0, 300, 200);
    }
    void TearDown() override { delete Form; }
    template <class T> T* Make() {
        auto* c = new T(Form);
        c->SetParent(Form);
        return c;
    }
    TNotifyEvent Note(const QString& what) {
        return [this, what](QObject*) { Log << what; };
    }
};

TEST_F(ControlsTest, ComboSelectsNothingUntilToldAndReportsOnlyUserChoices) {
    auto* c = Make<TComboBox>();
    c->SetStyle(csDropDownList);
    c->OnClick = Note("click");
    c->OnChange = Note("change");
    c->Items().AddStrings(QStringList{"MP3", "WAV", "AAC"});
    EXPECT_EQ(c->ItemIndex(), -1);
    c->SetItemIndex(1);
    EXPECT_EQ(c->Text(), "WAV");
    c->Items().Insert(0, "FLAC");
    EXPECT_EQ(c->ItemIndex(), 2);  // still on WAV
    EXPECT_TRUE(Log.isEmpty());
    c->Widget()->setCurrentIndex(3);
    emit c->Widget()->activated(3);  // as the user picks from the list
    EXPECT_EQ(Log, QStringList({"click", "change"}));
    EXPECT_EQ(c->Text(), "AAC");
    c->OnSelect = Note("select");
    emit c->Widget()->activated(3);
    EXPECT_EQ(Log.last(), "select");
    c->SetText("MP3");  // a list-only box shows the item of that text
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SetSorted(true);
    EXPECT_EQ(c->Items().ToStringList(), QStringList({"AAC", "FLAC", "MP3", "WAV"}));
    EXPECT_EQ(c->ItemIndex(), 2);
}

TEST_F(ControlsTest, ListBoxKeepsObjectsAndClicksOnlyForTheUser) {
    auto* l = Make<TListBox>();
    l->OnClick = Note("click");
    int a = 1, b = 2;
    l->Items().AddObject("Panel6", &a);
    l->Items().AddObject("Panel1", &b);
    l->SetItemIndex(1);
    EXPECT_TRUE(Log.isEmpty());
    EXPECT_EQ(l->Items().Objects(l->ItemIndex()), &b);
    l->Widget()->setCurrentRow(0);  // the user's selection
    EXPECT_EQ(Log, QStringList({"click"}));
    l->Items().Delete(0);
    EXPECT_EQ(l->Count(), 1);
    EXPECT_THROW(l->Selected(5), EStringListError);
}

TEST_F(ControlsTest, MemoLinesEditTheText) {
    auto* m = Make<TMemo>();
    int changes = 0;
    m->OnChange = [&](QObject*) { ++changes; };
    EXPECT_EQ(m->Lines().Count(), 0);
    m->Lines().Add("first");
    m->Lines().Add(QString::fromUtf8("第二行"));
    m->Lines().Insert(0, "zero");
    m->Lines().SetStrings(1, "one");
    EXPECT_EQ(m->Text(), QString::fromUtf8("zero\none\n第二行"));
    m->Lines().Delete(2);
    m->Lines().Delete(0);
    EXPECT_EQ(m->Lines().ToStringList(), QStringList({"one"}));
    EXPECT_GE(changes, 6);
    m->Clear();
    EXPECT_EQ(m->Lines().Count(), 0);
}

TEST_F(ControlsTest, EditTextFollowsTypingAndEnterReachesOnKeyPress) {
    auto* e = Make<TEdit>();
    int changes = 0;
    QList<QChar> pressed;
    e->OnChange = [&](QObject*) { ++changes; };
    e->OnKeyPress = [&](QObject*, QChar& k) {
        pressed << k;
        if (k == QChar(13)) k = QChar();  // consumed
    };
    e->SetText("ab");
    EXPECT_EQ(changes, 1);
    e->SetText("ab");
    EXPECT_EQ(changes, 1);
    QTest::keyClicks(e->Widget(), "c");
    QTest::keyClick(e->Widget(), Qt::Key_Return);
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(pressed, QList<QChar>({QChar('c'), QChar(13)}));
}

TEST_F(ControlsTest, CheckBoxClicksOnChangesFromCodeExceptWhileLoading) {
    auto* c = Make<TCheckBox>();
    c->OnClick = Note("click");
    c->SetChecked(true);
    c->SetChecked(true);
    EXPECT_EQ(Log, QStringList({"click"}));
    c->SetLoading(true);
    c->SetChecked(false);
    c->SetLoading(false);
    EXPECT_EQ(Log.size(), 1);
    c->Widget()->click();  // the user
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(Log.size(), 2);
}

TEST_F(ControlsTest, BarsClampTheirPositions) {
    auto* t = Make<TTrackBar>();
    int changes = 0;
    t->OnChange = [&](QObject*) { ++changes; };
    t->SetMax(100);
    t->SetPosition(150);
    EXPECT_EQ(t->Position(), 100);
    EXPECT_EQ(changes, 1);
    auto* p = Make<TProgressBar>();
    p->SetPosition(-5);
    EXPECT_EQ(p->Position(), 0);
    p->SetPosition(95);
    p->StepIt();
    EXPECT_EQ(p->Position(), 5);  // past the end it starts over
}

// These properties are read back from the Qt widgets, whose own defaults must be the class library's.
TEST_F(ControlsTest, PropertiesKeptByTheWidgetsStartAtTheClassLibrarysDefaults) {
    auto* m = Make<TMemo>();
    auto* c = Make<TCheckBox>();
    auto* t = Make<TTrackBar>();
    auto* p = Make<TProgressBar>();
    EXPECT_TRUE(m->WordWrap());
    EXPECT_FALSE(c->AllowGrayed());
    EXPECT_EQ(t->Orientation(), trHorizontal);
    EXPECT_EQ(p->Orientation(), pbHorizontal);
    m->SetWordWrap(false);
    c->SetAllowGrayed(true);
    t->SetOrientation(trVertical);
    p->SetOrientation(pbVertical);
    EXPECT_FALSE(m->WordWrap());
    EXPECT_TRUE(c->AllowGrayed());
    EXPECT_EQ(t->Orientation(), trVertical);
    EXPECT_TRUE(t->Widget()->invertedAppearance());  // minimum at the top
    EXPECT_EQ(p->Orientation(), pbVertical);
}

TEST_F(ControlsTest, PanelBevelsAndClientArea) {
    auto* p = Make<TPanel>();
    p->SetBounds(0, 0, 40, 20);
    p->SetBevelWidth(2);
    p->SetBorderWidth(1);
    auto* inner = Make<TPanel>();
    inner->SetParent(p);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Rect(3, 3, 37, 17));
    const QImage img = p->PaintToImage();
    TCanvas c(const_cast<QImage*>(&img));
    EXPECT_EQ(c.Pixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c.Pixel(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c.Pixel(39, 19), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.Pixel(0, 19), ColorToRGB(clBtnShadow));  // both far corners take the bottom colour
    EXPECT_EQ(c.Pixel(39, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.Pixel(2, 2), ColorToRGB(clBtnFace));
    p->SetBevelOuter(TBevelCut::bvNone);
    EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, 39, 19));
}

TEST_F(ControlsTest, GraphicControlClicksOnReleaseInside) {
    auto* img = Make<TImage>();
    img->SetBounds(10, 10, 20, 20);
    img->OnClick = Note("click");
    auto press = [&](QPoint at, QEvent::Type type) {
        QMouseEvent e(type, at, img->mapToGlobal(at), Qt::LeftButton, type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(img, &e);
    };
    press({5, 5}, QEvent::MouseButtonPress);
    press({25, 5}, QEvent::MouseButtonRelease);  // released outside: no click
    press({5, 5}, QEvent::MouseButtonPress);
    press({6, 6}, QEvent::MouseButtonRelease);
    EXPECT_EQ(Log, QStringList({"click"}));
}

TEST_F(ControlsTest, ImagePlacesItsPicture) {
    auto* img = Make<TImage>();
    img->SetBounds(0, 0, 100, 50);
    QImage pic(20, 10, QImage::Format_RGB32);
    pic.fill(Qt::red);
    img->SetPicture(pic);
    const struct { bool stretch, proportional, center; TRect expected; } cases[] = {
        {false, false, false, Rect(0, 0, 20, 10)},
        {false, false, true, Rect(40, 20, 60, 30)},
        {true, false, false, Rect(0, 0, 100, 50)},
        {true, true, false, Rect(0, 0, 100, 50)},
        {true, true, true, Rect(0, 0, 100, 50)},
    };
    for (const auto& c : cases) {
        img->SetStretch(c.stretch);
        img->SetProportional(c.proportional);
        img->SetCenter(c.center);
        EXPECT_EQ(img->DestRect(), c.expected) << c.stretch << c.proportional << c.center;
    }
    img->SetBounds(0, 0, 100, 100);  // proportional: one side touches, centred on the other
    EXPECT_EQ(img->DestRect(), Rect(0, 25, 100, 75));
}

TEST(ImageList, StripsMasksAndGreyedDrawing) {
    TImageList list;
    list.SetSize(2, 2);
    QImage strip(6, 2, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    strip.setPixel(0, 0, qRgb(0, 0, 0));       // image 0: one black pixel
    strip.setPixel(3, 1, qRgb(255, 0, 0));     // image 1: one red pixel
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);
    QImage dst(4, 4, QImage::Format_RGB32);
    dst.fill(Qt::white);
    TCanvas c(&dst);
    list.Draw(c, 0, 0, 1);
    EXPECT_EQ(c.Pixel(1, 1), clRed);
    EXPECT_EQ(c.Pixel(0, 0), clWhite);  // masked out
    list.Draw(c, 2, 2, 0, false);
    EXPECT_EQ(c.Pixel(2, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.Pixel(3, 3), ColorToRGB(clBtnHighlight));
    list.Draw(c, 0, 0, 7);  // out of range: nothing
    list.SetSize(4, 4);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace

namespace {

TEST_F(ControlsTest, HintsFollowTheParentUntilSetAndSplitAtTheBar) {
    auto* panel = Make<TPanel>();
    auto* button = Make<TButton>();
    button->SetParent(panel);
    EXPECT_FALSE(button->ShowHint());
    Form->SetShowHint(true);
    EXPECT_TRUE(button->ShowHint());
    button->SetShowHint(false);
    EXPECT_FALSE(button->ShowHint());
    EXPECT_TRUE(panel->ShowHint());
    const std::tuple<QString, QString, QString> cases[] = {
        {"Start|Starts converting the list", "Start", "Starts converting the list"},
        {"Stop", "Stop", "Stop"},
        {"|only long", "", "only long"},
    };
    for (const auto& [hint, shortHint, longHint] : cases) {
        EXPECT_EQ(GetShortHint(hint), shortHint);
        EXPECT_EQ(GetLongHint(hint), longHint);
    }
}

}  // namespace
