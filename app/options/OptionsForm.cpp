#include "app/options/OptionsForm.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(QObject* AOwner) : TForm(AOwner) {}

void TForm5::Layout() {}
