// Watches a folder (and, with WatchSubTree, the folders below it) and runs
// OnChange on the user-interface thread when the system reports a change.
// The kernel's notifications are read on the UI thread as they arrive, so no
// thread is started and OnChange needs no lock.
#pragma once

#include "platform/Component.h"
#include "skin/forms/shell/ShellNamespace.h"

#include <QHash>

#include <functional>

class QSocketNotifier;

enum TNotifyFilter { nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange, nfWriteChange, nfSecurityChange };
using TNotifyFilters = TqvSet<TNotifyFilter>;

// The change-notification flags of a filter set (1, 2, 4, 8, 16, 256).
unsigned NotifyFlags(TNotifyFilters f);
// The inotify events that serve a filter set.
unsigned NotifyEventMask(TNotifyFilters f);

class TqvCustomShellChangeNotifier : public TComponent {
    Q_OBJECT
public:
    explicit TqvCustomShellChangeNotifier(QObject* AOwner = nullptr);
    ~TqvCustomShellChangeNotifier() override;

    TRoot Root() const { return FRoot; }
    void SetRoot(const TRoot& v);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool v);
    TNotifyFilters NotifyFilters() const { return FFilters; }
    void SetNotifyFilters(TNotifyFilters v);
    const std::function<void()>& OnChange() const { return FOnChange; }
    // Setting a method starts watching; an empty one stops it.
    void SetOnChange(std::function<void()> v);

    // Whether a watch is open (tests look at this instead of threads).
    bool Watching() const { return FFd >= 0; }
    int WatchCount() const { return int(FWatches.size()); }
    // Folders below the root are watched up to this many, so a root of "/"
    // with WatchSubTree does not walk the whole machine.
    static constexpr int MaxWatches = 4096;

private:
    void ApplyOptions();
    void Stop();
    void AddWatch(const QString& dir, bool recurse);
    void ReadEvents();

    TNotifyFilters FFilters{nfFileNameChange, nfDirNameChange};
    bool FWatchSubTree = true;
    TRoot FRoot = QStringLiteral("/");
    std::function<void()> FOnChange;
    int FFd = -1;
    QSocketNotifier* FNotifier = nullptr;
    QHash<int, QString> FWatches;  // watch descriptor to folder
};

class TqvShellChangeNotifier : public TqvCustomShellChangeNotifier {
    Q_OBJECT
public:
    using TqvCustomShellChangeNotifier::TqvCustomShellChangeNotifier;
};
