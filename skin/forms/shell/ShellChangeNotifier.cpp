#include "skin/forms/shell/ShellChangeNotifier.h"

#include "platform/Application.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <climits>

unsigned NotifyFlags(TNotifyFilters f) {
    static const unsigned flags[] = {1, 2, 4, 8, 16, 256};
    unsigned r = 0;
    for (int i = 0; i <= int(nfSecurityChange); ++i)
        if (f.Contains(TNotifyFilter(i))) r |= flags[i];
    return r;
}

unsigned NotifyEventMask(TNotifyFilters f) {
    unsigned m = 0;
    if (f.Contains(nfFileNameChange) || f.Contains(nfDirNameChange))
        m |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    if (f.Contains(nfAttributeChange) || f.Contains(nfSecurityChange)) m |= IN_ATTRIB;
    if (f.Contains(nfSizeChange) || f.Contains(nfWriteChange)) m |= IN_MODIFY | IN_CLOSE_WRITE;
    return m;
}

TqvCustomShellChangeNotifier::TqvCustomShellChangeNotifier(QObject* AOwner) : TComponent(AOwner) {}

TqvCustomShellChangeNotifier::~TqvCustomShellChangeNotifier() { Stop(); }

void TqvCustomShellChangeNotifier::SetRoot(const TRoot& v) {
    if (v.compare(FRoot, Qt::CaseInsensitive) == 0) return;
    FRoot = v;
    ApplyOptions();
}

void TqvCustomShellChangeNotifier::SetWatchSubTree(bool v) {
    FWatchSubTree = v;
    ApplyOptions();
}

void TqvCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters v) {
    FFilters = v;
    ApplyOptions();
}

void TqvCustomShellChangeNotifier::SetOnChange(std::function<void()> v) {
    const bool wasSet = bool(FOnChange);
    FOnChange = std::move(v);
    // A running watch only swaps the method.
    if (bool(FOnChange) != wasSet || (FOnChange && FFd < 0)) ApplyOptions();
}

void TqvCustomShellChangeNotifier::Stop() {
    // Stopping may come from inside OnChange, while the notifier is signalling.
    if (FNotifier) {
        FNotifier->setEnabled(false);
        FNotifier->deleteLater();
    }
    FNotifier = nullptr;
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
    FWatches.clear();
}

// Options take effect at once: the watch is reopened on the new folder.
void TqvCustomShellChangeNotifier::ApplyOptions() {
    Stop();
    if (!FOnChange) return;
    FFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (FFd < 0) return;
    FNotifier = new QSocketNotifier(FFd, QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { ReadEvents(); });
    // A folder that cannot be watched reports nothing and raises nothing.
    if (!FRoot.isEmpty() && QDir::isAbsolutePath(FRoot)) AddWatch(QDir::cleanPath(FRoot), FWatchSubTree);
}

void TqvCustomShellChangeNotifier::AddWatch(const QString& dir, bool recurse) {
    if (FFd < 0 || FWatches.size() >= MaxWatches) return;
    unsigned mask = NotifyEventMask(FFilters) | IN_ONLYDIR | IN_DONT_FOLLOW;
    if (recurse) mask |= IN_CREATE | IN_MOVED_TO;  // new subfolders get their own watch
    const int wd = ::inotify_add_watch(FFd, QFile::encodeName(dir).constData(), mask);
    if (wd < 0) return;
    FWatches.insert(wd, dir);
    if (!recurse) return;
    QDirIterator it(dir, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks);
    while (it.hasNext() && FWatches.size() < MaxWatches) AddWatch(it.next(), true);
}

void TqvCustomShellChangeNotifier::ReadEvents() {
    alignas(inotify_event) char buf[8192];
    bool changed = false;
    const bool files = FFilters.Contains(nfFileNameChange), dirs = FFilters.Contains(nfDirNameChange);
    const unsigned other = NotifyEventMask(FFilters) & ~unsigned(IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO);
    for (;;) {
        const ssize_t n = ::read(FFd, buf, sizeof buf);
        if (n <= 0) break;
        for (char* p = buf; p < buf + n;) {
            const auto* ev = reinterpret_cast<const inotify_event*>(p);
            p += sizeof(inotify_event) + ev->len;
            const bool isDir = ev->mask & IN_ISDIR;
            const bool nameEvent = ev->mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO);
            if (nameEvent && isDir && FWatchSubTree && (ev->mask & (IN_CREATE | IN_MOVED_TO)) && ev->len > 0)
                AddWatch(FWatches.value(ev->wd) + u'/' + QFile::decodeName(ev->name), true);
            if (ev->mask & IN_IGNORED) FWatches.remove(ev->wd);
            if ((nameEvent && (isDir ? dirs : files)) || (ev->mask & other)) changed = true;
        }
    }
    if (changed && FOnChange) {
        auto onChange = FOnChange;  // the handler may replace or free it
        Application()->Guard([&] { onChange(); });
    }
}
