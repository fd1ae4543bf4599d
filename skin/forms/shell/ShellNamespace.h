// The shell namespace the file and folder controls browse: a virtual Desktop
// holding "Home", "Computer" and the desktop folder's entries; a virtual
// Computer holding the mounted volumes; below them the file system. An item
// is named by a TqvShellID, a cleaned absolute path or one of the two virtual
// ids, and every folder has exactly one id, whose chain of ancestors runs
// Desktop, Computer, the volume holding it, then each folder below that.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <vector>

// A parse or look-up failure of a path ("Error setting path: ...").
class EInvalidPath : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A small set of enumeration values.
template <class E> class TqvSet {
public:
    constexpr TqvSet() = default;
    constexpr TqvSet(std::initializer_list<E> l) {
        for (E e : l) FBits |= 1u << unsigned(e);
    }
    constexpr bool Contains(E e) const { return FBits & (1u << unsigned(e)); }
    TqvSet& Include(E e) {
        FBits |= 1u << unsigned(e);
        return *this;
    }
    TqvSet& Exclude(E e) {
        FBits &= ~(1u << unsigned(e));
        return *this;
    }
    constexpr unsigned Bits() const { return FBits; }
    constexpr bool Empty() const { return FBits == 0; }
    friend constexpr bool operator==(TqvSet a, TqvSet b) { return a.FBits == b.FBits; }

private:
    unsigned FBits = 0;
};

enum TqvShellFolderCapability { fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet };
using TqvShellFolderCapabilities = TqvSet<TqvShellFolderCapability>;

enum TqvShellFolderProperty {
    fpCut,
    fpIsLink,
    fpReadOnly,
    fpShared,
    fpFileSystem,
    fpFileSystemAncestor,
    fpRemovable,
    fpValidate
};
using TqvShellFolderProperties = TqvSet<TqvShellFolderProperty>;

enum TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = TqvSet<TShellObjectType>;
// The enumeration flags of a set: its bits shifted left by five (32, 64, 128).
inline unsigned ObjectTypeFlags(TShellObjectTypes t) { return t.Bits() << 5; }

// The special folders a root text may name, in declaration order.
enum TRootFolder {
    rfDesktop,
    rfMyComputer,
    rfNetwork,
    rfRecycleBin,
    rfAppData,
    rfCommonDesktopDirectory,
    rfCommonPrograms,
    rfCommonStartMenu,
    rfCommonStartup,
    rfControlPanel,
    rfDesktopDirectory,
    rfFavorites,
    rfFonts,
    rfInternet,
    rfPersonal,
    rfPrinters,
    rfPrintHood,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};
// A root: the name of a TRootFolder value ("rfDesktop") or a folder path.
using TRoot = QString;
// The TRootFolder of that name (any case), else -1.
int RootFolderOf(const QString& text);
QString RootFolderName(TRootFolder f);

enum class TqvShellKind { Desktop, Computer, Path };

class TqvShellID {
public:
    TqvShellID() = default;  // the Desktop
    static TqvShellID Desktop() { return {}; }
    static TqvShellID Computer() { return TqvShellID(TqvShellKind::Computer, {}); }
    // An absolute path, cleaned ("/a/./b/" is "/a/b").
    static TqvShellID FromPath(const QString& absolutePath);

    TqvShellKind Kind() const { return FKind; }
    bool IsVirtual() const { return FKind != TqvShellKind::Path; }
    bool IsDesktop() const { return FKind == TqvShellKind::Desktop; }
    // The path of a file-system item; empty for the virtual ones.
    const QString& Path() const { return FPath; }
    friend bool operator==(const TqvShellID& a, const TqvShellID& b) = default;

private:
    TqvShellID(TqvShellKind k, QString p) : FKind(k), FPath(std::move(p)) {}
    TqvShellKind FKind = TqvShellKind::Desktop;
    QString FPath;
};

// One mounted volume: where it is mounted, its label, file-system type and device.
struct TqvShellVolume {
    QString RootPath;
    QString Name;
    QString FileSystemType;
    QString Device;
};

// Where the namespace takes the home and desktop folders and the volumes
// from; tests install one over a temporary tree.
class TqvShellEnvironment {
public:
    virtual ~TqvShellEnvironment() = default;
    virtual QString HomePath() const = 0;
    // The desktop folder; the home folder when there is none.
    virtual QString DesktopPath() const = 0;
    // "/" first, then the other volumes.
    virtual std::vector<TqvShellVolume> Volumes() const = 0;
    // The folder a special root names; empty when it has no meaning here.
    virtual QString SpecialFolderPath(TRootFolder f) const;
};

// The desktop's folders (XDG) and QStorageInfo's volumes, pseudo file systems left out.
class TqvSystemShellEnvironment : public TqvShellEnvironment {
public:
    QString HomePath() const override;
    QString DesktopPath() const override;
    // Read again at most every two seconds: every item's chain asks for it.
    std::vector<TqvShellVolume> Volumes() const override;
    QString SpecialFolderPath(TRootFolder f) const override;

private:
    mutable std::vector<TqvShellVolume> FVolumes;
    mutable qint64 FReadAt = -1;
};

TqvShellEnvironment& ShellEnvironment();
// nullptr restores the system's environment.
void SetShellEnvironment(std::shared_ptr<TqvShellEnvironment> env);

// True for file systems that hold no user files (proc, sysfs, cgroup, ...).
bool IsPseudoFileSystem(const QString& type);
// Drops pseudo file systems and duplicates and puts "/" first, the rest in order.
std::vector<TqvShellVolume> UsableVolumes(const std::vector<TqvShellVolume>& all);

// The volume whose mount point holds path (the longest one), "/" when none does.
QString VolumeRootOf(const QString& path);
// The parent in the one chain: a volume root's parent is the Computer, the
// Computer's the Desktop. False for the Desktop.
bool ParentID(const TqvShellID& id, TqvShellID& parent);
// The proper leading parts of the chain, shortest first (the Desktop first);
// empty for the Desktop.
std::vector<TqvShellID> SplitItemIDList(const TqvShellID& id);
inline bool SameItemIDList(const TqvShellID& a, const TqvShellID& b) { return a == b; }

// Natural, case-insensitive order ("file2" before "File10"); ties go by case.
int NaturalCompare(const QString& a, const QString& b);

// One mask piece against a file name: case-insensitive, "*" any run, "?" one
// character, "[set]" with ranges and a leading "!" or "^" for "not"; "*" and
// "*.*" match every name, with or without a dot.
bool MatchesMaskPiece(const QString& name, const QString& piece);
// The mask is cut at ";" and "|" and each piece trimmed of blanks; a file is
// shown when a piece that holds a dot (or is "*") matches it.
bool MatchesFileMask(const QString& name, const QString& mask);

// What the file system says of an item.
struct TqvShellFindData {
    bool Exists = false;
    bool IsDir = false;
    bool IsLink = false;
    bool Hidden = false;
    bool ReadOnly = false;
    qint64 Size = -1;  // -1 for a folder
    QDateTime Modified;
};

class TqvShellFolder {
public:
    // An item listed by AParent (nullptr: the desktop instance) under the name
    // InFolderName (empty: the name that the id gives).
    TqvShellFolder(TqvShellFolder* AParent, const TqvShellID& ID, const QString& InFolderName = {});
    virtual ~TqvShellFolder() = default;
    TqvShellFolder(const TqvShellFolder&) = delete;
    TqvShellFolder& operator=(const TqvShellFolder&) = delete;

    const TqvShellID& AbsoluteID() const { return FID; }
    TqvShellFolder* Parent() const { return FParent; }
    int Level() const { return FLevel; }

    // The name inside the folder that lists it ("Home", "Computer", a volume's label).
    QString DisplayName() const;
    // The absolute path; the desktop folder for the Desktop, empty for the Computer.
    QString PathName() const;
    // The absolute path of a file-system item; empty for the virtual ones.
    QString FullObjectName() const;
    bool IsFolder() const;
    // Whether a folder may hold folders: true for readable ones, settled when listed.
    bool SubFolders() const;
    bool Hidden() const;
    TqvShellFolderCapabilities Capabilities() const;
    TqvShellFolderProperties Properties() const;
    // Place in the process-wide icon cache.
    int ImageIndex(bool LargeIcon, bool Open = false) const;

    // Renames a file-system item inside its folder. False without fcCanRename;
    // a refused name raises "Rename to %s failed" and the item stays as it was.
    bool Rename(const QString& NewName);
    // Opens the item with the desktop's default program (ShellActions).
    bool ExecuteDefault() const;

    // Fills the detail texts of columns 1..ColumnCount (size in KB, type,
    // modified, attributes) unless that many are held.
    void LoadColumnDetails(int ColumnCount);
    // Detail N (1-based); raises "%s: Missing call to LoadColumnDetails" before any load.
    QString DetailText(int N) const;
    int DetailCount() const { return int(FDetails.size()); }
    // Raises EInvalidPath "Unable to retrieve folder details for ..." when the item is gone.
    TqvShellFindData GetFindData() const;

    // The items of this folder, in shell order (virtual entries and volumes as
    // listed, then folders first in natural order). False (and nothing) when
    // the folder cannot be read.
    bool Enumerate(TShellObjectTypes Types, std::vector<std::unique_ptr<TqvShellFolder>>& Items);
    // Whether the folder lists at least one item of those types.
    bool HasSubItems(TShellObjectTypes Types);
    // Shell order of two items of one folder: -1, 0, 1.
    static int CompareIDs(const TqvShellFolder* a, const TqvShellFolder* b);
    // Place in the folder's own order (virtual entries, volumes); -1 for plain items.
    int ShellRank() const { return FRank; }
    // The same item (name, place in its folder's order) listed by AParent.
    std::unique_ptr<TqvShellFolder> Clone(TqvShellFolder* AParent) const;

private:
    TqvShellFolder* FParent;
    TqvShellID FID;
    QString FName;
    int FLevel = 0;
    int FRank = -1;
    QStringList FDetails;
    bool FDetailsLoaded = false;
    mutable int FSubFolders = -1;  // unknown, false, true
    mutable int FIsFolder = -1;    // unknown, false, true: sorting asks often
};

// The one Desktop item (parent of items made without one).
TqvShellFolder* DesktopShellFolder();
// A new item for an id, listed by the Desktop.
std::unique_ptr<TqvShellFolder> FolderFromItemID(const TqvShellID& id);
// A text typed or set as path: absolute, or relative to Base's folder; it
// must name an existing folder or file. Raises EInvalidPath "Error setting path: "%s"".
TqvShellID ParseDisplayName(const QString& text, const TqvShellFolder* Base = nullptr);
// The folder a root text names (a TRootFolder name or a folder path). On
// failure Root is set back to OldRoot and "Error setting path: "%s"" raised.
std::unique_ptr<TqvShellFolder> FolderFromRoot(const TRoot& OldRoot, TRoot& Root, const TqvShellFolder* Base = nullptr);

// The texts the system shows, as they stand.
QString ErrorSettingPathText(const QString& text);
