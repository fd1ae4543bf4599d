// Actions: one command with the caption, enabled and checked states, hint,
// visibility and image that every control linked to it shows. A control
// links through a TControlActionLink (TControl::SetAction); each change of
// the action reaches the linked controls' ActionChange.
#pragma once

#include "platform/Component.h"
#include "platform/ImgList.h"

#include <QList>
#include <QPointer>

class TControl;
class TControlActionLink;

class TCustomAction : public TComponent {
    Q_OBJECT
public:
    explicit TCustomAction(QObject* AOwner = nullptr);
    ~TCustomAction() override;

    // Each setter tells the linked controls only when the value changes.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    QString Hint() const { return FHint; }
    void SetHint(const QString& v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    // The images of the list the action belongs to; not owned, forgotten when freed.
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v);

    // Runs OnExecute (Sender: the action) while the action is enabled; false
    // when nothing ran.
    virtual bool Execute();
    TNotifyEvent OnExecute;

private:
    friend class TControlActionLink;
    void Change();
    template <class T> void Store(T& field, const T& v);

    QString FCaption, FHint;
    bool FChecked = false, FEnabled = true, FVisible = true;
    int FImageIndex = -1;
    QPointer<TCustomImageList> FImages;
    QList<TControlActionLink*> FLinks;  // UI thread only, like every component
};

// The link of one control to its action. The action outlives neither: a
// freed action leaves the link empty, a freed link leaves the action's list.
class TControlActionLink {
public:
    explicit TControlActionLink(TControl* Client) : FClient(Client) {}
    ~TControlActionLink();
    TControlActionLink(const TControlActionLink&) = delete;
    TControlActionLink& operator=(const TControlActionLink&) = delete;

    TControl* Client() const { return FClient; }
    TCustomAction* Action() const { return FAction; }
    void SetAction(TCustomAction* a);
    // Executes the action; false without one or when it ran nothing.
    bool Execute();

private:
    friend class TCustomAction;
    TControl* FClient;
    TCustomAction* FAction = nullptr;
};
