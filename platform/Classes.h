// String lists: TStrings is the interface every list of lines shares (a
// string list, a memo's lines, a combo or list box's items); TStringList
// keeps its own.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

// File errors of the class library's streams.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EFCreateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// "List index out of bounds (%d)"
class EStringListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// The object kept beside each string (the class library's TObject reference).
using TObjectRef = void*;

class TStrings {
public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString& s);
    virtual TObjectRef GetObject(int index) const;
    virtual void PutObject(int index, TObjectRef object);
    virtual void Insert(int index, const QString& s) = 0;
    virtual void InsertObject(int index, const QString& s, TObjectRef object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const QString& s);
    int AddObject(const QString& s, TObjectRef object);

    QString operator[](int index) const { return Get(index); }
    QString Strings(int index) const { return Get(index); }
    void SetStrings(int index, const QString& s) { Put(index, s); }
    TObjectRef Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObjectRef o) { PutObject(index, o); }

    // Case-insensitive, as the class library compares list strings.
    virtual int IndexOf(const QString& s) const;
    int IndexOfObject(TObjectRef o) const;
    // name=value lines.
    int IndexOfName(const QString& name) const;
    QString Names(int index) const;
    QString ValueFromIndex(int index) const;
    QString Values(const QString& name) const;
    // An empty value deletes the line.
    void SetValues(const QString& name, const QString& value);

    // Lines joined with "\n"; reading splits at "\r\n", "\n" or "\r".
    QString Text() const;
    void SetText(const QString& text);
    QStringList ToStringList() const;
    void Assign(const TStrings& other);
    void AddStrings(const TStrings& other);
    void AddStrings(const QStringList& lines);
    void Exchange(int a, int b);
    void Move(int from, int to);

    // Batches changes: hooks run once at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // UTF-8 text files; a missing or unreadable file raises EFOpenError, an
    // unwritable one EFCreateError (the file on disk is left as it was).
    void LoadFromFile(const QString& file);
    void SaveToFile(const QString& file) const;

    // EStringListError unless 0 <= index < limit.
    static void CheckIndex(int index, int limit);

protected:
    virtual void SetUpdateState(bool updating) { (void)updating; }

private:
    int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(std::initializer_list<QString> lines);
    TStringList(const TStringList& o) : TStrings() { Assign(o); }
    TStringList& operator=(const TStringList& o) {
        Assign(o);
        return *this;
    }

    int Count() const override { return int(FItems.size()); }
    QString Get(int index) const override;
    void Put(int index, const QString& s) override;
    TObjectRef GetObject(int index) const override;
    void PutObject(int index, TObjectRef object) override;
    void Insert(int index, const QString& s) override { InsertObject(index, s, nullptr); }
    void InsertObject(int index, const QString& s, TObjectRef object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const QString& s) override;
    int IndexOf(const QString& s) const override;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates v) { FDuplicates = v; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v);
    void Sort();
    // Binary search of a sorted list: true and the index when found, else the insertion point.
    bool Find(const QString& s, int& index) const;

    std::function<void(TStringList* Sender)> OnChange;
    std::function<void(TStringList* Sender)> OnChanging;

protected:
    void SetUpdateState(bool updating) override;

private:
    int Compare(const QString& a, const QString& b) const;
    void Changing();
    void Changed();

    struct TItem {
        QString Text;
        TObjectRef Object = nullptr;
    };
    QList<TItem> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};
