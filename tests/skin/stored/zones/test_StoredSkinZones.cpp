// Every stored skin, shaped or not, lets the form be resized from all four
// sides and corners: a mask must not swallow the side zones.
#include "platform/Form.h"
#include "platform/Messages.h"
#include "resources/skins/StoredSkins.h"
#include "skin/forms/Velmora.h"

#include <gtest/gtest.h>

#include <memory>

TEST(StoredSkinZones, EverySkinResizesFromEverySide) {
    TqvCompressedSkinList list;
    LoadStoredSkins(list);
    int masked = 0;
    for (int skin = 0; skin < list.Skins().Count(); ++skin) {
        SCOPED_TRACE(skin);
        auto form = std::make_unique<TForm>();
        form->SetBounds(50, 50, 480, 320);
        auto* comp = new TqvVelmora(form.get());
        auto* model = new TqvSkinData(form.get());
        model->SetSkinIndex(-1);
        model->SetSkinList(&list);
        model->SetSkinIndex(skin);
        comp->SetSkinData(model);
        ASSERT_TRUE(comp->SkinSupport());
        masked += comp->HasRegion() && !form->mask().isEmpty();
        const int w = form->Width(), h = form->Height();
        const struct {
            TPoint P;
            int Code;
        } cases[] = {
            {{1, h / 2}, HTLEFT},           {{w - 2, h / 2}, HTRIGHT},       {{w / 2, h - 2}, HTBOTTOM},
            {{w / 2, 1}, HTTOP},            {{1, h - 2}, HTBOTTOMLEFT},      {{w - 2, h - 2}, HTBOTTOMRIGHT},
            {{w / 2, h / 2}, HTCLIENT},
        };
        for (const auto& c : cases) EXPECT_EQ(comp->HitTest(c.P), c.Code) << c.P.X << "," << c.P.Y;
    }
    // The point of the table: some stored skins are shaped.
    EXPECT_GT(masked, 0);
}
