// What the skin-change walk needs of a control: its model and the two
// change operations. Every skinned widget implements it, whatever class it
// derives from, so the walk needs no list of classes.
#pragma once

#include <QWidget>

class TqvSkinData;

class TqvSkinClient {
public:
    virtual ~TqvSkinClient() = default;
    virtual TqvSkinData* SkinData() const = 0;
    // Re-reads the record, resizes and repaints after the model changed.
    virtual void ChangeSkinData() = 0;
    // Forgets the record before the model is reloaded. The walk runs it only
    // on windowed bases; other controls re-read at ChangeSkinData anyway.
    virtual void BeforeChangeSkinData() {}
    virtual bool TakesBeforeChangeSkinData() const { return false; }
};

// The walk: Root, then its child controls in order, windowed children with
// their own children (depth first). Model nullptr reaches every client.
void BroadcastBeforeChangeSkinData(TqvSkinData* Model, QWidget* Root);
void BroadcastChangeSkinData(TqvSkinData* Model, QWidget* Root);
