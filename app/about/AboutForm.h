// The about box. The start-up creates it through Application()->CreateForm.
#pragma once

#include "platform/Form.h"

class TForm2 : public TForm {
    Q_OBJECT
public:
    explicit TForm2(QObject* AOwner = nullptr);

protected:
    void Layout() override;
};

extern TForm2* Form2;
