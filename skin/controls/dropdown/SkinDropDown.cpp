#include "skin/controls/dropdown/SkinDropDown.h"

#include "platform/Application.h"
#include "platform/Sources.h"
#include "skin/controls/base/DropDownKind.h"
#include "skin/model/draw/LayerManager.h"

#include <QApplication>
#include <QMouseEvent>


namespace {

// The fade steps when more than 5 ms have passed.
constexpr int kFadeInterval = 6;

}  // namespace

TqvDropDownWindow::TqvDropDownWindow(QObject* AOwner) : TWinControl(AOwner) {
    MakeDropDownWindow(this);
    setVisible(false);
}

TqvDropDownWindow::~TqvDropDownWindow() {
    Watch(false);
    // The content belongs to its owner, not to this window.
    if (FContent) FContent->QWidget::setParent(nullptr);
}

void TqvDropDownWindow::SetContent(TControl* Content) {
    FContent = Content;
    if (!Content) return;
    Content->SetParent(this);
    Content->SetBounds(0, 0, Content->Width(), Content->Height());
}

bool TqvDropDownWindow::IsInside(const QWidget* W) const {
    for (const QWidget* w = W; w; w = w->parentWidget()) {
        if (w == this || w == FOpener.data()) return true;
        if (w->isWindow()) break;
    }
    return false;
}

void TqvDropDownWindow::Popup(QWidget* Opener, TPoint Origin, const TqvPopupAlpha* Alpha) {
    FFade.Stop();
    if (Alpha) {
        if (!Alpha->AlphaBlend && FOldAlphaBlend) SetAlpha(255);
        FOldAlphaBlend = Alpha->AlphaBlend;
        if (Alpha->AlphaBlend && FOldAlphaBlendValue != Alpha->AlphaBlendValue) {
            if (Alpha->AlphaBlendAnimation) {
                SetAlpha(0);
                FOldAlphaBlendValue = 0;
            } else {
                SetAlpha(Alpha->AlphaBlendValue);
                FOldAlphaBlendValue = Alpha->AlphaBlendValue;
            }
        }
    }
    FOpener = Opener;
    QWidget* host = Opener ? Opener->window() : nullptr;
    if (parentWidget() != host) Reparenting([&] { QWidget::setParent(host, windowFlags()); });
    const QSize size = FContent ? FContent->size() : this->size();
    setGeometry(QRect(Origin.ToQPoint(), size));
    if (FContent) FContent->SetBounds(0, 0, size.width(), size.height());
    FOpen = true;
    setVisible(true);
    raise();
    Watch(true);
    if (Alpha && Alpha->AlphaBlend && Alpha->AlphaBlendAnimation) FadeIn(Alpha->AlphaBlendValue);
}

void TqvDropDownWindow::CloseUp() {
    FFade.Stop();
    Watch(false);
    FOpen = false;
    setVisible(false);
}

void TqvDropDownWindow::Watch(bool on) {
    if (on == FWatching || !qApp) return;
    FWatching = on;
    if (on) qApp->installEventFilter(this);
    else qApp->removeEventFilter(this);
}

void TqvDropDownWindow::Cancel() {
    if (!FOpen) return;
    Application()->Guard([this] {
        if (OnCancelMode) OnCancelMode();
    });
}

bool TqvDropDownWindow::eventFilter(QObject* watched, QEvent* e) {
    if (!FOpen || watched == qApp) {
        if (e->type() == QEvent::ApplicationStateChange && qApp->applicationState() != Qt::ApplicationActive)
            Cancel();
        return false;
    }
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        if (auto* w = qobject_cast<QWidget*>(watched); w && !IsInside(w)) Cancel();
        break;
    case QEvent::WindowDeactivate:
        if (FOpener && watched == FOpener->window()) Cancel();
        break;
    default: break;
    }
    return false;
}

void TqvDropDownWindow::SetAlpha(int Alpha) {
    FAlpha = std::clamp(Alpha, 0, 255);
    SetWindowAlpha(this, FAlpha);
}

void TqvDropDownWindow::FadeIn(int Target) {
    FFadeTarget = std::clamp(Target, 0, 255);
    FFadeStep = std::max(1, FFadeTarget / 15);
    SetAlpha(0);
    FFade.Stop();
    FadeStep();
    if (FAlpha < FFadeTarget) FFade.Start(kFadeInterval, [this] { FadeStep(); });
}

void TqvDropDownWindow::FadeStep() {
    const int a = std::min(FAlpha + FFadeStep, FFadeTarget);
    SetAlpha(a);
    if (OnFadeStep) OnFadeStep(a);
    if (a >= FFadeTarget) FFade.Stop();
}
