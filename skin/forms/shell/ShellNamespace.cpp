#include "skin/forms/shell/ShellNamespace.h"

#include "platform/Shell.h"
#include "skin/forms/shell/ShellIcons.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kRootNames[] = {
    "rfDesktop",        "rfMyComputer",       "rfNetwork",     "rfRecycleBin",
    "rfAppData",        "rfCommonDesktopDirectory", "rfCommonPrograms", "rfCommonStartMenu",
    "rfCommonStartup",  "rfControlPanel",     "rfDesktopDirectory", "rfFavorites",
    "rfFonts",          "rfInternet",         "rfPersonal",    "rfPrinters",
    "rfPrintHood",      "rfPrograms",         "rfRecent",      "rfSendTo",
    "rfStartMenu",      "rfStartup",          "rfTemplates"};

std::shared_ptr<TqvShellEnvironment>& EnvSlot() {
    static std::shared_ptr<TqvShellEnvironment> env;
    return env;
}

TqvShellFolder* gDesktop = nullptr;
bool gMakingDesktop = false;

QString VolumeDisplayName(const TqvShellVolume& v) {
    return v.Name.isEmpty() ? v.RootPath : QStringLiteral("%1 (%2)").arg(v.Name, v.RootPath);
}

bool FindVolume(const QString& root, TqvShellVolume& out) {
    for (const TqvShellVolume& v : ShellEnvironment().Volumes())
        if (v.RootPath == root) {
            out = v;
            return true;
        }
    return false;
}

bool IsDirPath(const QString& p) { return QFileInfo(p).isDir(); }

QString Capitalised(QString s) {
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
}

// ---- Mask pieces compiled to one-character tokens and stars ----

struct TMaskToken {
    enum { Literal, AnyOne, Star, Set } Kind;
    QChar Ch;
    bool Negate = false;
    std::vector<std::pair<QChar, QChar>> Ranges;
    bool Matches(QChar c) const {
        switch (Kind) {
        case Literal: return c == Ch;
        case AnyOne: return true;
        case Set: {
            bool in = false;
            for (const auto& [lo, hi] : Ranges)
                if (c >= lo && c <= hi) in = true;
            return in != Negate;
        }
        default: return false;
        }
    }
};

std::vector<TMaskToken> CompileMask(const QString& pattern) {
    std::vector<TMaskToken> t;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'*') {
            if (t.empty() || t.back().Kind != TMaskToken::Star) t.push_back({TMaskToken::Star, {}, false, {}});
        } else if (c == u'?') {
            t.push_back({TMaskToken::AnyOne, {}, false, {}});
        } else if (c == u'[') {
            const int close = pattern.indexOf(u']', i + 2);
            if (close < 0) {
                t.push_back({TMaskToken::Literal, c, false, {}});
                continue;
            }
            TMaskToken set{TMaskToken::Set, {}, false, {}};
            int k = i + 1;
            if (pattern[k] == u'!' || pattern[k] == u'^') {
                set.Negate = true;
                ++k;
            }
            for (; k < close; ++k) {
                if (k + 2 < close && pattern[k + 1] == u'-') {
                    set.Ranges.push_back({std::min(pattern[k], pattern[k + 2]), std::max(pattern[k], pattern[k + 2])});
                    k += 2;
                } else {
                    set.Ranges.push_back({pattern[k], pattern[k]});
                }
            }
            t.push_back(set);
            i = close;
        } else {
            t.push_back({TMaskToken::Literal, c, false, {}});
        }
    }
    return t;
}

}  // namespace

// ---- Root names ----

int RootFolderOf(const QString& text) {
    for (int i = 0; i <= int(rfTemplates); ++i)
        if (text.compare(QLatin1String(kRootNames[i]), Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString RootFolderName(TRootFolder f) { return QString::fromLatin1(kRootNames[int(f)]); }

QString ErrorSettingPathText(const QString& text) { return QStringLiteral("Error setting path: \"%1\"").arg(text); }

// ---- Ids ----

TqvShellID TqvShellID::FromPath(const QString& absolutePath) {
    return TqvShellID(TqvShellKind::Path, QDir::cleanPath(absolutePath));
}

// ---- Environment ----

QString TqvShellEnvironment::SpecialFolderPath(TRootFolder f) const {
    const QString home = HomePath();
    switch (f) {
    case rfDesktopDirectory: return DesktopPath();
    case rfPersonal: return home + QStringLiteral("/Documents");
    case rfAppData: return home + QStringLiteral("/.config");
    case rfTemplates: return home + QStringLiteral("/Templates");
    case rfFonts: return home + QStringLiteral("/.local/share/fonts");
    case rfPrograms:
    case rfStartMenu: return home + QStringLiteral("/.local/share/applications");
    case rfStartup: return home + QStringLiteral("/.config/autostart");
    case rfRecycleBin: return home + QStringLiteral("/.local/share/Trash/files");
    default: return {};
    }
}

QString TqvSystemShellEnvironment::HomePath() const { return QDir::homePath(); }

QString TqvSystemShellEnvironment::DesktopPath() const {
    const QString d = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return !d.isEmpty() && IsDirPath(d) ? QDir::cleanPath(d) : HomePath();
}

std::vector<TqvShellVolume> TqvSystemShellEnvironment::Volumes() const {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    if (FReadAt >= 0 && clock.elapsed() - FReadAt < 2000) return FVolumes;
    std::vector<TqvShellVolume> all;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid() || !s.isReady()) continue;
        all.push_back({QDir::cleanPath(s.rootPath()), s.name(), QString::fromLatin1(s.fileSystemType()),
                       QString::fromLocal8Bit(s.device())});
    }
    FVolumes = UsableVolumes(all);
    FReadAt = clock.elapsed();
    return FVolumes;
}

QString TqvSystemShellEnvironment::SpecialFolderPath(TRootFolder f) const {
    QString p;
    if (f == rfPersonal) p = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    else if (f == rfAppData) p = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return p.isEmpty() ? TqvShellEnvironment::SpecialFolderPath(f) : p;
}

TqvShellEnvironment& ShellEnvironment() {
    auto& env = EnvSlot();
    if (!env) env = std::make_shared<TqvSystemShellEnvironment>();
    return *env;
}

void SetShellEnvironment(std::shared_ptr<TqvShellEnvironment> env) { EnvSlot() = std::move(env); }

bool IsPseudoFileSystem(const QString& type) {
    static const std::set<QString> pseudo = {
        "proc",     "sysfs",       "devtmpfs",   "devpts",       "cgroup",  "cgroup2", "securityfs",
        "pstore",   "bpf",         "debugfs",    "tracefs",      "configfs", "fusectl", "mqueue",
        "hugetlbfs", "autofs",     "binfmt_misc", "efivarfs",    "overlay", "squashfs", "tmpfs",
        "ramfs",    "nsfs",        "rpc_pipefs", "selinuxfs",    "fuse.gvfsd-fuse", "fuse.portal", "nfsd"};
    return pseudo.count(type.toLower()) > 0;
}

std::vector<TqvShellVolume> UsableVolumes(const std::vector<TqvShellVolume>& all) {
    std::vector<TqvShellVolume> out;
    std::set<QString> seen;
    // "/" is always there, whatever file system a container gives it.
    for (const TqvShellVolume& v : all)
        if (v.RootPath == QLatin1String("/")) {
            out.push_back(v);
            seen.insert(v.RootPath);
            break;
        }
    if (out.empty()) {
        out.push_back({QStringLiteral("/"), {}, {}, {}});
        seen.insert(QStringLiteral("/"));
    }
    for (const TqvShellVolume& v : all) {
        if (seen.count(v.RootPath) || IsPseudoFileSystem(v.FileSystemType)) continue;
        seen.insert(v.RootPath);
        out.push_back(v);
    }
    return out;
}

// ---- The chain ----

QString VolumeRootOf(const QString& path) {
    QString best = QStringLiteral("/");
    for (const TqvShellVolume& v : ShellEnvironment().Volumes()) {
        const QString& r = v.RootPath;
        if (r.size() <= best.size()) continue;
        if (path == r || path.startsWith(r + u'/')) best = r;
    }
    return best;
}

bool ParentID(const TqvShellID& id, TqvShellID& parent) {
    switch (id.Kind()) {
    case TqvShellKind::Desktop: return false;
    case TqvShellKind::Computer: parent = TqvShellID::Desktop(); return true;
    case TqvShellKind::Path: break;
    }
    const QString& p = id.Path();
    if (p == VolumeRootOf(p)) parent = TqvShellID::Computer();
    else parent = TqvShellID::FromPath(QFileInfo(p).path());
    return true;
}

std::vector<TqvShellID> SplitItemIDList(const TqvShellID& id) {
    std::vector<TqvShellID> chain;
    TqvShellID cur = id, up;
    while (ParentID(cur, up)) {
        chain.push_back(up);
        cur = up;
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// ---- Order and masks ----

int NaturalCompare(const QString& a, const QString& b) {
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int si = i, sj = j;
            while (si < a.size() && a[si] == u'0') ++si;
            while (sj < b.size() && b[sj] == u'0') ++sj;
            int ei = si, ej = sj;
            while (ei < a.size() && a[ei].isDigit()) ++ei;
            while (ej < b.size() && b[ej].isDigit()) ++ej;
            if (ei - si != ej - sj) return ei - si < ej - sj ? -1 : 1;
            const int c = QStringView(a).mid(si, ei - si).compare(QStringView(b).mid(sj, ej - sj));
            if (c != 0) return c < 0 ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb) {
            const int c = QString::localeAwareCompare(QString(ca), QString(cb));
            if (c != 0) return c < 0 ? -1 : 1;
            return ca < cb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool MatchesMaskPiece(const QString& name, const QString& piece) {
    if (piece == QLatin1String("*") || piece == QLatin1String("*.*")) return true;
    const std::vector<TMaskToken> t = CompileMask(piece.toCaseFolded());
    const QString s = name.toCaseFolded();
    size_t ti = 0;
    int si = 0;
    size_t starT = size_t(-1);
    int starS = 0;
    while (si < s.size()) {
        if (ti < t.size() && t[ti].Kind == TMaskToken::Star) {
            starT = ti++;
            starS = si;
        } else if (ti < t.size() && t[ti].Matches(s[si])) {
            ++ti;
            ++si;
        } else if (starT != size_t(-1)) {
            ti = starT + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (ti < t.size() && t[ti].Kind == TMaskToken::Star) ++ti;
    return ti == t.size();
}

bool MatchesFileMask(const QString& name, const QString& mask) {
    for (const QString& raw : mask.split(QRegularExpression(QStringLiteral("[;|]")))) {
        const QString piece = raw.trimmed();
        if (piece.isEmpty()) continue;
        if (piece == QLatin1String("*") || (piece.contains(u'.') && MatchesMaskPiece(name, piece))) return true;
    }
    return false;
}

// ---- Items ----

TqvShellFolder* DesktopShellFolder() {
    if (!gDesktop) {
        gMakingDesktop = true;
        gDesktop = new TqvShellFolder(nullptr, TqvShellID::Desktop());
        gMakingDesktop = false;
    }
    return gDesktop;
}

TqvShellFolder::TqvShellFolder(TqvShellFolder* AParent, const TqvShellID& ID, const QString& InFolderName)
    : FParent(AParent ? AParent : gMakingDesktop ? nullptr : DesktopShellFolder()), FID(ID), FName(InFolderName) {
    for (TqvShellFolder* p = AParent; p && p->FParent; p = p->FParent) ++FLevel;
}

QString TqvShellFolder::DisplayName() const {
    if (!FName.isEmpty()) return FName;
    switch (FID.Kind()) {
    case TqvShellKind::Desktop: return QStringLiteral("Desktop");
    case TqvShellKind::Computer: return QStringLiteral("Computer");
    case TqvShellKind::Path: break;
    }
    TqvShellVolume v;
    if (FindVolume(FID.Path(), v)) return VolumeDisplayName(v);
    const QString n = QFileInfo(FID.Path()).fileName();
    return n.isEmpty() ? FID.Path() : n;
}

QString TqvShellFolder::PathName() const {
    switch (FID.Kind()) {
    case TqvShellKind::Desktop: return ShellEnvironment().DesktopPath();
    case TqvShellKind::Computer: return {};
    case TqvShellKind::Path: return FID.Path();
    }
    return {};
}

QString TqvShellFolder::FullObjectName() const { return FID.Path(); }

bool TqvShellFolder::IsFolder() const {
    if (FIsFolder < 0) FIsFolder = FID.IsVirtual() || IsDirPath(FID.Path());
    return FIsFolder > 0;
}

bool TqvShellFolder::SubFolders() const {
    if (FID.IsVirtual()) return true;
    if (FSubFolders < 0) {
        const QFileInfo fi(FID.Path());
        FSubFolders = fi.isDir() && ::access(QFile::encodeName(FID.Path()).constData(), R_OK | X_OK) == 0;
    }
    return FSubFolders > 0;
}

bool TqvShellFolder::Hidden() const {
    return !FID.IsVirtual() && QFileInfo(FID.Path()).fileName().startsWith(u'.');
}

TqvShellFolderCapabilities TqvShellFolder::Capabilities() const {
    TqvShellFolderCapabilities c;
    if (FID.IsVirtual()) return c;
    c.Include(fcCanCopy).Include(fcCanLink);
    const QString p = FID.Path();
    const QFileInfo fi(p);
    // Entries the namespace names itself (Home, volumes) and mount points keep their names.
    if (FRank < 0 && p != VolumeRootOf(p) &&
        ::access(QFile::encodeName(fi.path()).constData(), W_OK | X_OK) == 0)
        c.Include(fcCanRename).Include(fcCanDelete).Include(fcCanMove);
    if (fi.isDir() && fi.isWritable()) c.Include(fcDropTarget);
    return c;
}

TqvShellFolderProperties TqvShellFolder::Properties() const {
    TqvShellFolderProperties p;
    if (IsFolder()) p.Include(fpFileSystemAncestor);
    if (FID.IsVirtual()) return p;
    p.Include(fpFileSystem);
    const QFileInfo fi(FID.Path());
    if (fi.isSymLink()) p.Include(fpIsLink);
    if (::access(QFile::encodeName(FID.Path()).constData(), W_OK) != 0) p.Include(fpReadOnly);
    return p;
}

int TqvShellFolder::ImageIndex(bool LargeIcon, bool Open) const {
    (void)LargeIcon;  // one index serves both lists
    TqvShellIcons& icons = TqvShellIcons::Instance();
    switch (FID.Kind()) {
    case TqvShellKind::Desktop: return icons.IndexOf(QStringLiteral("desktop"));
    case TqvShellKind::Computer: return icons.IndexOf(QStringLiteral("computer"));
    case TqvShellKind::Path: break;
    }
    const QString& p = FID.Path();
    if (p == VolumeRootOf(p)) return icons.IndexOf(QStringLiteral("drive"));
    if (p == QDir::cleanPath(ShellEnvironment().HomePath())) return icons.IndexOf(QStringLiteral("home"));
    if (IsDirPath(p)) return icons.IndexOf(Open ? QStringLiteral("folder-open") : QStringLiteral("folder"));
    return icons.IndexOfFile(QFileInfo(p).fileName());
}

bool TqvShellFolder::Rename(const QString& NewName) {
    if (!Capabilities().Contains(fcCanRename)) return false;
    const auto refuse = [&] { throw std::runtime_error(QStringLiteral("Rename to %1 failed").arg(NewName).toStdString()); };
    if (NewName.isEmpty() || NewName == QLatin1String(".") || NewName == QLatin1String("..") ||
        NewName.contains(u'/') || NewName.contains(QChar(0)))
        refuse();
    const QString dir = QFileInfo(FID.Path()).path();
    const QString target = QDir::cleanPath(dir + u'/' + NewName);
    if (target == FID.Path()) return true;
    const QByteArray from = QFile::encodeName(FID.Path()), to = QFile::encodeName(target);
    // Never over another item: a rename that would replace one is refused.
    int rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        struct stat st;
        rc = ::lstat(to.constData(), &st) == 0 ? -1 : ::rename(from.constData(), to.constData());
    }
    if (rc != 0) refuse();
    FID = TqvShellID::FromPath(target);
    FName.clear();
    FDetails.clear();
    FDetailsLoaded = false;
    return true;
}

bool TqvShellFolder::ExecuteDefault() const {
    const QString p = PathName();
    return !p.isEmpty() && ShellActions().Open(p);
}

TqvShellFindData TqvShellFolder::GetFindData() const {
    TqvShellFindData d;
    const QString p = PathName();
    struct stat st;
    const QByteArray enc = QFile::encodeName(p);
    if (p.isEmpty() || ::stat(enc.constData(), &st) != 0) {
        const int err = p.isEmpty() ? ENOENT : errno;
        throw EInvalidPath(QStringLiteral("Unable to retrieve folder details for \"%1\". Error code $%2")
                               .arg(DisplayName())
                               .arg(err, 0, 16)
                               .toStdString());
    }
    struct stat lst;
    d.Exists = true;
    d.IsDir = S_ISDIR(st.st_mode);
    d.IsLink = ::lstat(enc.constData(), &lst) == 0 && S_ISLNK(lst.st_mode);
    d.Hidden = Hidden();
    d.ReadOnly = ::access(enc.constData(), W_OK) != 0;
    d.Size = d.IsDir ? -1 : qint64(st.st_size);
    d.Modified = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec).addMSecs(st.st_mtim.tv_nsec / 1000000);
    return d;
}

void TqvShellFolder::LoadColumnDetails(int ColumnCount) {
    if (FDetailsLoaded && FDetails.size() >= ColumnCount) return;
    FDetails.clear();
    FDetailsLoaded = true;
    TqvShellFindData d;
    if (!FID.IsVirtual()) {
        // An item gone since it was listed shows empty details rather than an error on every paint.
        try {
            d = GetFindData();
        } catch (const EInvalidPath&) {
        }
    }
    const QLocale loc;
    for (int c = 1; c <= ColumnCount; ++c) {
        QString text;
        switch (c) {
        case 1:
            if (d.Exists && !d.IsDir) text = loc.toString(qlonglong((d.Size + 1023) / 1024)) + QStringLiteral(" KB");
            break;
        case 2:
            if (FID.IsVirtual()) {
                text = QStringLiteral("System Folder");
            } else if (d.Exists && d.IsDir) {
                text = FID.Path() == VolumeRootOf(FID.Path())
                           ? QStringLiteral("Volume")
                           : Capitalised(QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment());
            } else {
                const QString name = QFileInfo(FID.Path()).fileName();
                const QMimeType m = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
                const QString suffix = QFileInfo(name).suffix();
                if (m.isValid() && !m.isDefault()) text = Capitalised(m.comment());
                else text = suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
            }
            break;
        case 3:
            if (d.Exists && d.Modified.isValid()) text = loc.toString(d.Modified.toLocalTime(), QLocale::ShortFormat);
            break;
        case 4:
            if (d.Exists) {
                if (d.ReadOnly) text += u'R';
                if (d.Hidden) text += u'H';
                if (d.IsLink) text += u'L';
            }
            break;
        default: break;
        }
        FDetails << text;
    }
}

QString TqvShellFolder::DetailText(int N) const {
    if (!FDetailsLoaded)
        throw std::runtime_error(QStringLiteral("%1: Missing call to LoadColumnDetails").arg(DisplayName()).toStdString());
    return N >= 1 && N <= FDetails.size() ? FDetails[N - 1] : QString();
}

bool TqvShellFolder::Enumerate(TShellObjectTypes Types, std::vector<std::unique_ptr<TqvShellFolder>>& Items) {
    Items.clear();
    const bool folders = Types.Contains(otFolders), files = Types.Contains(otNonFolders),
               hidden = Types.Contains(otHidden);
    QString dirPath;
    switch (FID.Kind()) {
    case TqvShellKind::Computer: {
        if (!folders) return true;
        int rank = 0;
        for (const TqvShellVolume& v : ShellEnvironment().Volumes()) {
            if (!IsDirPath(v.RootPath)) continue;
            auto item = std::make_unique<TqvShellFolder>(this, TqvShellID::FromPath(v.RootPath), VolumeDisplayName(v));
            item->FRank = rank++;
            Items.push_back(std::move(item));
        }
        FSubFolders = !Items.empty();
        return true;
    }
    case TqvShellKind::Desktop:
        if (folders) {
            auto home = std::make_unique<TqvShellFolder>(this, TqvShellID::FromPath(ShellEnvironment().HomePath()),
                                                         QStringLiteral("Home"));
            home->FRank = 0;
            auto computer = std::make_unique<TqvShellFolder>(this, TqvShellID::Computer(), QStringLiteral("Computer"));
            computer->FRank = 1;
            Items.push_back(std::move(home));
            Items.push_back(std::move(computer));
        }
        dirPath = ShellEnvironment().DesktopPath();
        break;
    case TqvShellKind::Path: dirPath = FID.Path(); break;
    }
    const QByteArray enc = QFile::encodeName(dirPath);
    if (::access(enc.constData(), R_OK | X_OK) != 0 || !IsDirPath(dirPath)) return FID.IsDesktop();
    QDir::Filters filters = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System;
    if (hidden) filters |= QDir::Hidden;
    bool anyFolder = false;
    std::vector<std::unique_ptr<TqvShellFolder>> plain;
    for (const QFileInfo& fi : QDir(dirPath).entryInfoList(filters, QDir::NoSort)) {
        if (!hidden && fi.fileName().startsWith(u'.')) continue;
        const bool isDir = fi.isDir();
        anyFolder = anyFolder || isDir;
        if (isDir ? !folders : !files) continue;
        plain.push_back(std::make_unique<TqvShellFolder>(this, TqvShellID::FromPath(fi.absoluteFilePath()),
                                                         fi.fileName()));
        plain.back()->FIsFolder = isDir;
    }
    std::stable_sort(plain.begin(), plain.end(),
                     [](const auto& a, const auto& b) { return CompareIDs(a.get(), b.get()) < 0; });
    for (auto& p : plain) Items.push_back(std::move(p));
    if (!FID.IsDesktop()) FSubFolders = anyFolder;
    return true;
}

bool TqvShellFolder::HasSubItems(TShellObjectTypes Types) {
    if (FID.IsVirtual()) return true;
    const QByteArray enc = QFile::encodeName(FID.Path());
    if (::access(enc.constData(), R_OK | X_OK) != 0) return false;
    QDir::Filters filters = QDir::NoDotAndDotDot | QDir::System;
    if (Types.Contains(otFolders)) filters |= QDir::Dirs;
    if (Types.Contains(otNonFolders)) filters |= QDir::Files;
    if (Types.Contains(otHidden)) filters |= QDir::Hidden;
    QDirIterator it(FID.Path(), filters);
    return it.hasNext();
}

std::unique_ptr<TqvShellFolder> TqvShellFolder::Clone(TqvShellFolder* AParent) const {
    auto c = std::make_unique<TqvShellFolder>(AParent, FID, FName);
    c->FRank = FRank;
    return c;
}

int TqvShellFolder::CompareIDs(const TqvShellFolder* a, const TqvShellFolder* b) {
    if (a->FRank >= 0 || b->FRank >= 0) {
        if (a->FRank < 0) return 1;
        if (b->FRank < 0) return -1;
        return a->FRank < b->FRank ? -1 : a->FRank > b->FRank ? 1 : 0;
    }
    const bool fa = a->IsFolder(), fb = b->IsFolder();
    if (fa != fb) return fa ? -1 : 1;
    return NaturalCompare(a->DisplayName(), b->DisplayName());
}

// ---- Look-ups ----

std::unique_ptr<TqvShellFolder> FolderFromItemID(const TqvShellID& id) {
    return std::make_unique<TqvShellFolder>(DesktopShellFolder(), id);
}

TqvShellID ParseDisplayName(const QString& text, const TqvShellFolder* Base) {
    const auto fail = [&] { throw EInvalidPath(ErrorSettingPathText(text).toStdString()); };
    if (text.isEmpty()) fail();
    QString path;
    if (QDir::isAbsolutePath(text)) {
        path = text;
    } else {
        // Relative texts go with the control's folder, never the process's current one.
        const QString base = Base ? Base->PathName() : QString();
        if (base.isEmpty()) fail();
        path = base + u'/' + text;
    }
    path = QDir::cleanPath(path);
    const QFileInfo fi(path);
    if (!fi.exists() && !fi.isSymLink()) fail();
    return TqvShellID::FromPath(path);
}

std::unique_ptr<TqvShellFolder> FolderFromRoot(const TRoot& OldRoot, TRoot& Root, const TqvShellFolder* Base) {
    const QString rejected = Root;
    const auto fail = [&] {
        Root = OldRoot;
        throw std::runtime_error(ErrorSettingPathText(rejected).toStdString());
    };
    TqvShellID id;
    const int rf = RootFolderOf(Root);
    if (rf == rfDesktop) {
        id = TqvShellID::Desktop();
    } else if (rf == rfMyComputer) {
        id = TqvShellID::Computer();
    } else if (rf >= 0) {
        const QString p = ShellEnvironment().SpecialFolderPath(TRootFolder(rf));
        if (p.isEmpty() || !IsDirPath(p)) fail();
        id = TqvShellID::FromPath(p);
    } else {
        try {
            id = ParseDisplayName(Root, Base);
        } catch (const EInvalidPath&) {
            fail();
        }
        if (!IsDirPath(id.Path())) fail();
    }
    return FolderFromItemID(id);
}
