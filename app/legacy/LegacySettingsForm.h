// The legacy settings dialog. The start-up creates it through Application()->CreateForm.
#pragma once

#include "platform/Form.h"

class TForm6 : public TForm {
    Q_OBJECT
public:
    explicit TForm6(QObject* AOwner = nullptr);

protected:
    void Layout() override;
};

extern TForm6* Form6;
