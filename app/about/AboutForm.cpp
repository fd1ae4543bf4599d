#include "app/about/AboutForm.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QObject* AOwner) : TForm(AOwner) {}

void TForm2::Layout() {}
