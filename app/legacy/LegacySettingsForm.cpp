#include "app/legacy/LegacySettingsForm.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QObject* AOwner) : TForm(AOwner) {}

void TForm6::Layout() {}
