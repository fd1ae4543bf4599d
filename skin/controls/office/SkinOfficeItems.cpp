#include "skin/controls/office/SkinOfficeItems.h"

#include "platform/Classes.h"
#include "skin/controls/office/SkinOfficeListBox.h"

// ---- TqvSkinOfficeItem ----

TqvSkinOfficeItem::TqvSkinOfficeItem(TqvSkinOfficeItems* Collection) : FCollection(Collection) {}

int TqvSkinOfficeItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TqvSkinOfficeItem::Assign(const TqvSkinOfficeItem& Source) {
    FImageIndex = Source.FImageIndex;
    FCaption = Source.FCaption;
    FTitle = Source.FTitle;
    FEnabled = Source.FEnabled;
    FHeader = Source.FHeader;
}

void TqvSkinOfficeItem::Changed() {
    if (FCollection) FCollection->Changed(this);
}

void TqvSkinOfficeItem::SetImageIndex(int Value) {
    FImageIndex = Value;
    Changed();
}

void TqvSkinOfficeItem::SetTitle(const QString& Value) {
    FTitle = Value;
    Changed();
}

void TqvSkinOfficeItem::SetCaption(const QString& Value) {
    FCaption = Value;
    Changed();
}

void TqvSkinOfficeItem::SetEnabled(bool Value) {
    FEnabled = Value;
    Changed();
}

void TqvSkinOfficeItem::SetHeader(bool Value) {
    FHeader = Value;
    Changed();
}

// ---- TqvSkinOfficeItems ----

TqvSkinOfficeItems::TqvSkinOfficeItems(TqvSkinOfficeListBox* AListBox) : FListBox(AListBox) {}

TqvSkinOfficeItems::~TqvSkinOfficeItems() = default;

QObject* TqvSkinOfficeItems::Owner() const { return FListBox; }

TqvSkinOfficeItem* TqvSkinOfficeItems::Items(int Index) const {
    TStrings::CheckIndex(Index, Count());
    return FItems[std::size_t(Index)].get();
}

int TqvSkinOfficeItems::IndexOf(const TqvSkinOfficeItem* Item) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Item) return int(i);
    return -1;
}

TqvSkinOfficeItem* TqvSkinOfficeItems::Add() {
    FItems.push_back(std::make_unique<TqvSkinOfficeItem>(this));
    TqvSkinOfficeItem* item = FItems.back().get();
    item->Active = FListBox && item->Index() == FListBox->ItemIndex();
    Changed(nullptr);
    return item;
}

void TqvSkinOfficeItems::Delete(int Index) {
    TStrings::CheckIndex(Index, Count());
    FItems.erase(FItems.begin() + Index);
    Changed(nullptr);
}

void TqvSkinOfficeItems::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed(nullptr);
}

void TqvSkinOfficeItems::Assign(const TqvSkinOfficeItems& Source) {
    if (&Source == this) return;
    BeginUpdate();
    FItems.clear();
    for (const auto& s : Source.FItems) {
        FItems.push_back(std::make_unique<TqvSkinOfficeItem>(this));
        FItems.back()->Assign(*s);
    }
    FPending = true;
    EndUpdate();
}

void TqvSkinOfficeItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FPending) {
        FPending = false;
        Update(nullptr);
    }
}

void TqvSkinOfficeItems::Changed(TqvSkinOfficeItem* Item) {
    if (FUpdateCount > 0) {
        FPending = true;
        return;
    }
    Update(Item);
}

void TqvSkinOfficeItems::Update(TqvSkinOfficeItem* Item) {
    (void)Item;
    if (FListBox) FListBox->ItemsChanged();
}
