// The options dialog. The start-up creates it through Application()->CreateForm.
#pragma once

#include "platform/Form.h"

class TForm5 : public TForm {
    Q_OBJECT
public:
    explicit TForm5(QObject* AOwner = nullptr);

protected:
    void Layout() override;
};

extern TForm5* Form5;
