#include "platform/Classes.h"

#include <QFile>
#include "platform/SafeFile.h"

#include <algorithm>

void TStrings::CheckIndex(int index, int limit) {
    if (index < 0 || index >= limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const QString& s) {
    const TObjectRef o = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, o);
    EndUpdate();
}

TObjectRef TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObjectRef) {}

void TStrings::InsertObject(int index, const QString& s, TObjectRef object) {
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const QString& s) {
    const int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::AddObject(const QString& s, TObjectRef object) {
    const int i = Add(s);
    PutObject(i, object);
    return i;
}

int TStrings::IndexOf(const QString& s) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (Get(i).compare(s, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TStrings::IndexOfObject(TObjectRef o) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (GetObject(i) == o) return i;
    return -1;
}

QString TStrings::Names(int index) const {
    const QString s = Get(index);
    const int eq = s.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : s.left(eq);
}

QString TStrings::ValueFromIndex(int index) const {
    const QString s = Get(index);
    const int eq = s.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : s.mid(eq + 1);
}

int TStrings::IndexOfName(const QString& name) const {
    for (int i = 0, n = Count(); i < n; ++i) {
        const QString s = Get(i);
        const int eq = s.indexOf(QLatin1Char('='));
        if (eq >= 0 && QStringView(s).left(eq).compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString TStrings::Values(const QString& name) const {
    const int i = IndexOfName(name);
    return i < 0 ? QString() : ValueFromIndex(i);
}

void TStrings::SetValues(const QString& name, const QString& value) {
    const int i = IndexOfName(name);
    if (value.isEmpty()) {
        if (i >= 0) Delete(i);
        return;
    }
    if (i < 0) Add(name + QLatin1Char('=') + value);
    else Put(i, name + QLatin1Char('=') + value);
}

QString TStrings::Text() const {
    QString r;
    for (int i = 0, n = Count(); i < n; ++i) {
        r += Get(i);
        r += QLatin1Char('\n');
    }
    return r;
}

void TStrings::SetText(const QString& text) {
    BeginUpdate();
    Clear();
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = t.split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not start another.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    AddStrings(lines);
    EndUpdate();
}

QStringList TStrings::ToStringList() const {
    QStringList r;
    for (int i = 0, n = Count(); i < n; ++i) r << Get(i);
    return r;
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this) return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0, n = other.Count(); i < n; ++i) AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

void TStrings::AddStrings(const QStringList& lines) {
    BeginUpdate();
    for (const QString& s : lines) Add(s);
    EndUpdate();
}

void TStrings::Exchange(int a, int b) {
    CheckIndex(a, Count());
    CheckIndex(b, Count());
    if (a == b) return;
    BeginUpdate();
    const QString sa = Get(a), sb = Get(b);
    const TObjectRef oa = GetObject(a), ob = GetObject(b);
    Put(a, sb);
    PutObject(a, ob);
    Put(b, sa);
    PutObject(b, oa);
    EndUpdate();
}

void TStrings::Move(int from, int to) {
    if (from == to) return;
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    BeginUpdate();
    const QString s = Get(from);
    const TObjectRef o = GetObject(from);
    Delete(from);
    InsertObject(to, s, o);
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) throw EFOpenError("Cannot open file \"" + file.toStdString() + "\". " + f.errorString().toStdString());
    QByteArray data = f.readAll();
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    SetText(QString::fromUtf8(data));
}

void TStrings::SaveToFile(const QString& file) const {
    QString why;
    if (!ReplaceFileContent(file, Text().toUtf8(), &why))
        throw EFCreateError("Cannot create file \"" + file.toStdString() + "\". " + why.toStdString());
}

// ---- TStringList ----

TStringList::TStringList(std::initializer_list<QString> lines) {
    for (const QString& s : lines) Add(s);
}

int TStringList::Compare(const QString& a, const QString& b) const {
    return a.compare(b, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) Changing();
    else Changed();
}

QString TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return FItems[index].Text;
}

void TStringList::Put(int index, const QString& s) {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index, Count());
    Changing();
    FItems[index].Text = s;
    Changed();
}

TObjectRef TStringList::GetObject(int index) const {
    CheckIndex(index, Count());
    return FItems[index].Object;
}

void TStringList::PutObject(int index, TObjectRef object) {
    CheckIndex(index, Count());
    Changing();
    FItems[index].Object = object;
    Changed();
}

void TStringList::InsertObject(int index, const QString& s, TObjectRef object) {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index, Count() + 1);
    Changing();
    FItems.insert(index, TItem{s, object});
    Changed();
}

int TStringList::Add(const QString& s) {
    if (!FSorted) return TStrings::Add(s);
    int index = 0;
    if (Find(s, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) throw EStringListError("String list does not allow duplicates");
    }
    Changing();
    FItems.insert(index, TItem{s, nullptr});
    Changed();
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    FItems.removeAt(index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.isEmpty()) return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::IndexOf(const QString& s) const {
    if (!FSorted) {
        for (int i = 0; i < Count(); ++i)
            if (Compare(FItems[i].Text, s) == 0) return i;
        return -1;
    }
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::SetSorted(bool v) {
    if (v == FSorted) return;
    if (v) Sort();
    FSorted = v;
}

void TStringList::SetCaseSensitive(bool v) {
    if (v == FCaseSensitive) return;
    FCaseSensitive = v;
    if (FSorted) Sort();
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(), [this](const TItem& a, const TItem& b) { return Compare(a.Text, b.Text) < 0; });
    Changed();
}

bool TStringList::Find(const QString& s, int& index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = Compare(FItems[mid].Text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}
