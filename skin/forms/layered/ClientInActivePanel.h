// The veil over the client area of an inactive form: a snapshot of the client,
// blurred or dimmed under the form's own background at 170 alpha, shown as a
// panel on top of the form's controls until the form is active again.
#pragma once

#include "skin/controls/statusbar/SkinStatusBar.h"
#include "skin/model/draw/QvBitmap.h"

#include <memory>

class TForm;

enum TqvClientInActiveEffect { qvieSemiTransparent, qvieBlur };

class TqvClientInActivePanel : public TqvSkinPaintPanel {
    Q_OBJECT
public:
    explicit TqvClientInActivePanel(QObject* AOwner = nullptr);
    ~TqvClientInActivePanel() override;

    // Nothing for no form, a hidden one or an empty client area.
    void ShowPanel(TForm* AForm, TqvClientInActiveEffect AEffect);
    void HidePanel();
    // The snapshot shown, or nullptr while hidden.
    const TqvBitmap* Buffer() const { return FBuffer.get(); }

protected:
    void PaintImage(QImage& B) override;

private:
    std::unique_ptr<TqvBitmap> FBuffer;
};
