// The program's dialogs as the user sees them: options, about box and the
// settings dialog, skinned from the sheet's model.
#include "tools/gallery/GalleryHost.h"

#include "app/about/AboutForm.h"
#include "app/legacy/LegacySettingsForm.h"
#include "app/link/MainWindowLink.h"
#include "app/options/OptionsForm.h"
#include "engine/FFBase.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

namespace {

class TGalleryLink : public TMainWindowLink {
public:
    explicit TGalleryLink(TqvSkinData* skin) : FSkin(skin) {}
    TqvSkinData* SkinData() override { return FSkin; }
    jobs::TJobFields& JobFields() override { return FFields; }
    QString OutputFolderText() override { return {}; }
    TCustomTrevalon* Converter() override { return nullptr; }

private:
    TqvSkinData* FSkin;
    jobs::TJobFields FFields;
};

template <class T>
QImage Shot(TqvSkinData* model) {
    TGalleryLink link(model);
    SetMainWindowLink(&link);
    std::unique_ptr<T> form(NewForm<T>());
    SetMainWindowLink(nullptr);
    form->Show();
    QApplication::setActiveWindow(form.get());
    QCoreApplication::processEvents();
    gallery::MarkTexts(form->Client(), form->Client()->geometry().topLeft());
    return form->grab().toImage();
}

}  // namespace

void DrawDialogsSection(TGallerySheet& sheet) {
    // The options dialog reads and repairs option.ini in the program folder:
    // a temporary one keeps the build tree clean.
    QTemporaryDir program;
    SetApplicationPathOverride(program.path() + "/");
    auto* model = const_cast<TqvSkinData*>(&sheet.Skin());
    sheet.Place(Shot<TForm5>(model), QStringLiteral("options dialog"));
    sheet.Place(Shot<TForm2>(model), QStringLiteral("about box"));
    sheet.NewRow();
    sheet.Place(Shot<TForm6>(model), QStringLiteral("settings dialog"));
    SetApplicationPathOverride(QString());
}
