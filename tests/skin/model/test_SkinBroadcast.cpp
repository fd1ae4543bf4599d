#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/model/SkinData.h"
#include "tests/skin/support/TestSkin.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct TSeen {
    QString Form;
    unsigned Msg;
    bool Empty;
    bool InProcess;
    bool operator==(const TSeen&) const = default;
};

std::vector<TSeen>* gLog = nullptr;

// A form that notes every skin message with the model's state at that moment.
class TRecordingForm : public TForm {
public:
    TRecordingForm(const QString& name, TqvSkinData** model) : FModel(model) { SetName(name); }
    void WndProc(TMessage& m) override
    {
        TForm::WndProc(m);
        if (m.Msg < WM_SKIN_CHANGING || m.Msg > 1427 || !gLog)
            return;
        TqvSkinData* model = *FModel;
        EXPECT_EQ(m.WParam, reinterpret_cast<WPARAM>(model));
        EXPECT_EQ(m.LParam, 1000);
        gLog->push_back({Name(), m.Msg, model->Empty, model->ChangeSkinDataProcess});
    }

private:
    TqvSkinData** FModel;
};

class SkinBroadcast : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog = &Log;
        for (const char* name : {"First", "Second", "Third"})
            Forms.emplace_back(NewForm<TRecordingForm>(QLatin1String(name), &Model));
    }
    void TearDown() override
    {
        gLog = nullptr;
        delete Model;
        Forms.clear();
    }
    // The three messages of one change, each to the forms in the given order.
    std::vector<TSeen> Change(const QStringList& order, bool emptyAfter) const
    {
        std::vector<TSeen> expected;
        for (const QString& f : order)
            expected.push_back({f, WM_SKIN_CHANGING, true, true});
        for (const QString& f : order)
            expected.push_back({f, WM_SKIN_CHANGED, emptyAfter, true});
        for (const QString& f : order)
            expected.push_back({f, WM_SKIN_CHANGE_DONE, emptyAfter, false});
        return expected;
    }

    std::vector<TSeen> Log;
    std::vector<std::unique_ptr<TRecordingForm>> Forms;
    TqvSkinData* Model = nullptr;
};

TEST_F(SkinBroadcast, ReachesEveryFormInCreationOrder)
{
    Model = new TqvSkinData();
    TTestSkin().LoadInto(*Model);
    EXPECT_EQ(Log, Change({"First", "Second", "Third"}, false));
}

TEST_F(SkinBroadcast, OwnerFormFirstWithoutLayeredBorders)
{
    Model = new TqvSkinData(Forms[2].get());
    Model->SetShowLayeredBorders(false);
    Log.clear();
    TTestSkin().LoadInto(*Model);
    EXPECT_EQ(Log, Change({"Third", "First", "Second"}, false));
    Model = nullptr;  // owned by the form
}

TEST_F(SkinBroadcast, LastFormFirstWhenTheSkinHasALayeredBorder)
{
    Model = new TqvSkinData();
    TTestSkin().WithLayerFrame().LoadInto(*Model);
    // The order is decided by the skin in place when each message goes out:
    // the new skin's border is read between CHANGING and CHANGED.
    std::vector<TSeen> expected = Change({"Third", "Second", "First"}, false);
    expected[0].Form = QStringLiteral("First");
    expected[2].Form = QStringLiteral("Third");
    EXPECT_EQ(Log, expected);
}

TEST_F(SkinBroadcast, AFailedLoadStillEndsTheChange)
{
    Model = new TqvSkinData();
    TqvCompressedStoredSkin stored;
    TTestSkin().Set(QStringLiteral("button"), QStringLiteral("skinrect"), QStringLiteral("1,,3,4")).StoreInto(stored);
    EXPECT_THROW(Model->LoadCompressedStoredSkin(stored), EqvConvertError);
    EXPECT_EQ(Log, Change({"First", "Second", "Third"}, true));
}

TEST_F(SkinBroadcast, NoSkinFileSendsNothingAndClearSkinSendsAll)
{
    Model = new TqvSkinData();
    EXPECT_THROW(Model->LoadFromFile(QStringLiteral("/nonexistent/skin.ini")), EqvSkinError);
    EXPECT_TRUE(Log.empty());
    Model->ClearSkin();
    std::vector<TSeen> expected = Change({"First", "Second", "Third"}, true);
    for (TSeen& s : expected)
        s.InProcess = false;
    EXPECT_EQ(Log, expected);
}

TEST_F(SkinBroadcast, PropertyMessages)
{
    Model = new TqvSkinData();
    TqvResourceStrData strings;
    Model->SetResourceStrData(&strings);
    Model->SetResourceStrData(&strings);
    Model->SetSkinnableForm(true);
    Model->SetSkinnableForm(false);
    Model->SetShowLayeredBorders(false);
    std::vector<unsigned> messages;
    for (const TSeen& s : Log)
        if (s.Form == QLatin1String("First"))
            messages.push_back(s.Msg);
    EXPECT_EQ(messages, (std::vector<unsigned>{WM_SKIN_STRINGS_CHANGED, WM_SKIN_STRINGS_CHANGED,
                                               WM_SKIN_FORM_SKINNABLE_CHANGED, WM_SKIN_LAYERED_BORDERS_CHANGED}));
}

}  // namespace
