// What the skinned-form component tells an MDI frame's tabs bar.
#pragma once

class TForm;

class TqvMDITabsFeed {
public:
    virtual ~TqvMDITabsFeed() = default;
    virtual void AddTab(TForm* Child) = 0;
    virtual void DeleteTab(TForm* Child) = 0;
    // The child's caption changed.
    virtual void RefreshTab(TForm* Child) = 0;
    // The frame's active child changed.
    virtual void UpdateActiveTab() = 0;
};
