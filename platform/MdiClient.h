// The client window of an MDI frame: a plain widget inside the frame form's
// client widget, over the rectangle its aligned controls leave, holding the
// child forms as embedded widgets. Embedded widgets get no window
// activation, so the client runs the children's activation itself.
#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

class TForm;

// Sent to a child form whose activation changes: wParam 1 active, 0 inactive.
constexpr unsigned WM_MDI_NCACTIVATE = 1134;
// Sent to a child form before a press inside it activates it.
constexpr unsigned WM_MDI_MOUSEACTIVATE = 1133;

class TMDIClient : public QWidget {
    Q_OBJECT
public:
    explicit TMDIClient(TForm* frame);
    ~TMDIClient() override;
    TForm* Frame() const { return FFrame; }

    // Children in activation order: index 0 is the active one (or the last active).
    int Count() const { return int(FChildren.size()); }
    TForm* Child(int i) const;
    // The front child while it is shown; nullptr otherwise.
    TForm* Active() const;

    void AddChild(TForm* child);
    void RemoveChild(TForm* child);
    // Brings the child to the front of the order and the stack and tells the
    // old and the new active child.
    void Activate(TForm* child);
    // A child was shown or hidden.
    void ChildShown(TForm* child);
    void ChildHidden(TForm* child);
    // Follows the frame's MDI client rectangle.
    void Place();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void TellActive(TForm* child, bool active);
    TForm* FFrame;
    // The child last told it is active: the first child shown is at the front already.
    QPointer<TForm> FToldActive;
    std::vector<QPointer<TForm>> FChildren;
};
