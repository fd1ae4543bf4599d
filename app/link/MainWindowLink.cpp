#include "app/link/MainWindowLink.h"

namespace {

class TDetachedLink : public TMainWindowLink {
public:
    TqvSkinData* SkinData() override { return nullptr; }
    jobs::TJobFields& JobFields() override { return FFields; }
    QString OutputFolderText() override { return {}; }
    TCustomTrevalon* Converter() override { return nullptr; }

private:
    jobs::TJobFields FFields;
};

TMainWindowLink* gLink = nullptr;

}  // namespace

void SetMainWindowLink(TMainWindowLink* link) { gLink = link; }

TMainWindowLink& MainWindowLink() {
    static TDetachedLink detached;
    return gLink ? *gLink : detached;
}
