// The rows of the office list and the office combo box: an optional bold
// title, a caption, an image of the list's image list, and a header flag.
// The collection belongs to one office list and makes it repaint and
// re-measure whenever an item changes (once per begin/end-update bracket).
#pragma once

#include "platform/Component.h"
#include "platform/Types.h"

#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>

class TqvSkinOfficeItems;
class TqvSkinOfficeListBox;

class TqvSkinOfficeItem {
public:
    // Use TqvSkinOfficeItems::Add: the item joins the collection at its end.
    explicit TqvSkinOfficeItem(TqvSkinOfficeItems* Collection);
    virtual ~TqvSkinOfficeItem() = default;
    TqvSkinOfficeItem(const TqvSkinOfficeItem&) = delete;
    TqvSkinOfficeItem& operator=(const TqvSkinOfficeItem&) = delete;

    TqvSkinOfficeItems* Collection() const { return FCollection; }
    int Index() const;
    // Copies image, caption, title, enabled and header without notifying.
    virtual void Assign(const TqvSkinOfficeItem& Source);

    int ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(int Value);
    QString Title() const { return FTitle; }
    virtual void SetTitle(const QString& Value);
    QString Caption() const { return FCaption; }
    virtual void SetCaption(const QString& Value);
    void* Data() const { return FData; }
    virtual void SetData(void* Value) { FData = Value; }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    bool Header() const { return FHeader; }
    virtual void SetHeader(bool Value);

    // Raised with the list as sender when the row becomes the chosen one.
    TNotifyEvent OnClick;

    // Kept by the list: the row in list coordinates (scrolled), whether it
    // shows, whether it is the marked row.
    TRect ItemRect{};
    bool IsVisible = false;
    bool Active = false;

protected:
    void Changed();

private:
    TqvSkinOfficeItems* FCollection;
    int FImageIndex = -1;
    QString FTitle, FCaption;
    bool FEnabled = true;
    void* FData = nullptr;
    bool FHeader = false;
};

class TqvSkinOfficeItems {
public:
    explicit TqvSkinOfficeItems(TqvSkinOfficeListBox* AListBox);
    virtual ~TqvSkinOfficeItems();
    TqvSkinOfficeItems(const TqvSkinOfficeItems&) = delete;
    TqvSkinOfficeItems& operator=(const TqvSkinOfficeItems&) = delete;

    // The list the collection belongs to (it owns the collection).
    TqvSkinOfficeListBox* OfficeListBox() const { return FListBox; }
    QObject* Owner() const;

    int Count() const { return int(FItems.size()); }
    // "List index out of bounds (%d)" outside 0 .. Count - 1.
    TqvSkinOfficeItem* Items(int Index) const;
    TqvSkinOfficeItem* operator[](int Index) const { return Items(Index); }
    TqvSkinOfficeItem* Add();
    void Delete(int Index);
    // Frees every item; the list keeps its ItemIndex.
    void Clear();
    // Same number of items with the source's values (Assign of each).
    void Assign(const TqvSkinOfficeItems& Source);
    int IndexOf(const TqvSkinOfficeItem* Item) const;

    // Changes inside a bracket notify once, at the end.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    // One item changed (Item) or the whole collection (nullptr).
    virtual void Update(TqvSkinOfficeItem* Item);

private:
    friend class TqvSkinOfficeItem;
    void Changed(TqvSkinOfficeItem* Item);

    TqvSkinOfficeListBox* FListBox;
    std::vector<std::unique_ptr<TqvSkinOfficeItem>> FItems;
    int FUpdateCount = 0;
    bool FPending = false;
};
