#include "resources/skins/StoredSkins.h"

#include "skin/model/SkinIni.h"

#include <QBuffer>
#include <QFile>
#include <QString>

// Outside any namespace: the resource's registration function is global.
static void InitStoredSkinResources()
{
    // A static library's resources stay out of the program unless something names them.
    Q_INIT_RESOURCE(stored_skins);
}

namespace {

struct TStoredSkinEntry {
    const char* Name;
    const char* Description;
};

// Names and order the skin chooser shows; index 1 is the first-start skin.
constexpr TStoredSkinEntry kEntries[] = {
    {"OFFICE2007蓝色", "Light cool blue, soft gradients"},
    {"金属光泽", "Brushed steel with bevelled edges"},
    {"银色天地", "Flat silver-white with thin cool lines"},
    {"Mac风格", "Airy light grey, round corners, muted blue"},
    {"条纹色调", "Warm sand with pinstripes"},
    {"纹理风格", "Paper texture, earthy brown and green"},
    {"Sorvend效果", "Charcoal with a bright teal accent"},
    {"绿色世界", "Fresh greens on light faces"},
    {"深蓝色彩", "Dark navy with light text"},
    {"OFFICE2007", "Neutral grey with graphite accents"},
    {"Vista皮肤", "Deep dark gradients with a light sheen"},
};

}  // namespace

void LoadStoredSkins(TqvCompressedSkinList& list)
{
    InitStoredSkinResources();
    list.Skins().Clear();
    int index = 0;
    for (const TStoredSkinEntry& entry : kEntries) {
        const QString path = QStringLiteral(":/skins/%1.skn").arg(index, 2, 10, QLatin1Char('0'));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw EqvSkinError(QStringLiteral("The stored skin %1 is missing").arg(path).toStdString());
        QBuffer buffer;
        buffer.setData(file.readAll());
        buffer.open(QIODevice::ReadOnly);
        TqvSkinListItem* item = list.Skins().Add();
        item->Skin()->LoadFromCompressStream(&buffer);
        if (item->Skin()->Empty())
            throw EqvSkinError(QStringLiteral("The stored skin %1 is empty").arg(path).toStdString());
        item->SetName(QString::fromUtf8(entry.Name));
        // The list item keeps no description: the chooser shows an item's
        // description in place of its name.
        item->Skin()->SetDescription(QString::fromUtf8(entry.Description));
        item->SetCompressedFileName(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
        ++index;
    }
}
