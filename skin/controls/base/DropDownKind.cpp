#include "skin/controls/base/DropDownKind.h"

#include <QWidget>

void MakeDropDownWindow(QWidget* W) {
    // A plain tool window is activated by some platforms when it shows, which
    // takes the activation (and so the open drop-down) from the form.
    W->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                      Qt::BypassWindowManagerHint);
    W->setAttribute(Qt::WA_ShowWithoutActivating);
    W->setFocusPolicy(Qt::NoFocus);
}
