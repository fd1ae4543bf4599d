// One table per record class (key and member, in writing order) drives
// reading, writing and comparing, so a key is spelled in exactly one place.
// Defaults for integers and texts come from a record built by the class's
// constructor: its member initialisers are the documented defaults.
#pragma once

#include "skin/model/SkinCodecs.h"

#include <span>
#include <typeinfo>
#include <variant>

template <class C>
using TqvFieldMember = std::variant<int C::*, bool C::*, QString C::*, TRect C::*, TPoint C::*, TFontStyles C::*,
                                    TqvMorphKind C::*, TqvStretchType C::*, TAlignment C::*, TqvStdCommand C::*,
                                    TqvInActiveEffect C::*>;

template <class C>
struct TqvField {
    const char* Key;
    TqvFieldMember<C> Member;
};

template <class... F>
struct TqvOverloaded : F... {
    using F::operator()...;
};
template <class... F>
TqvOverloaded(F...) -> TqvOverloaded<F...>;

template <class C>
void ReadSkinFields(const TqvSkinIni& ini, const QString& section, C& rec, const C& defaults,
                    std::span<const TqvField<C>> fields)
{
    for (const TqvField<C>& f : fields) {
        const QString key = QLatin1String(f.Key);
        std::visit(TqvOverloaded{
                       [&](int C::*m) { rec.*m = ini.ReadInteger(section, key, defaults.*m); },
                       [&](bool C::*m) { rec.*m = ReadSkinBoolean(ini, section, key); },
                       [&](QString C::*m) { rec.*m = ini.ReadString(section, key, defaults.*m); },
                       [&](TRect C::*m) { rec.*m = ReadSkinRect(ini, section, key); },
                       [&](TPoint C::*m) { rec.*m = ReadSkinPoint(ini, section, key); },
                       [&](TFontStyles C::*m) { rec.*m = ReadSkinFontStyles(ini, section, key); },
                       [&](TqvMorphKind C::*m) { rec.*m = ReadMorphKind(ini, section, key); },
                       [&](TqvStretchType C::*m) { rec.*m = ReadStretchType(ini, section, key); },
                       [&](TAlignment C::*m) { rec.*m = ReadSkinAlignment(ini, section, key); },
                       [&](TqvStdCommand C::*m) {
                           rec.*m = StdCommandFromWord(ini.ReadString(section, key, QStringLiteral("cmdefault")));
                       },
                       [&](TqvInActiveEffect C::*m) { rec.*m = ReadInActiveEffect(ini, section, key); },
                   },
                   f.Member);
    }
}

template <class C>
void WriteSkinFields(TqvSkinIni& ini, const QString& section, const C& rec, std::span<const TqvField<C>> fields)
{
    for (const TqvField<C>& f : fields) {
        const QString key = QLatin1String(f.Key);
        std::visit(TqvOverloaded{
                       [&](int C::*m) { ini.WriteInteger(section, key, rec.*m); },
                       [&](bool C::*m) { WriteSkinBoolean(ini, section, key, rec.*m); },
                       [&](QString C::*m) { ini.WriteString(section, key, rec.*m); },
                       [&](TRect C::*m) { WriteSkinRect(ini, section, key, rec.*m); },
                       [&](TPoint C::*m) { WriteSkinPoint(ini, section, key, rec.*m); },
                       [&](TFontStyles C::*m) { WriteSkinFontStyles(ini, section, key, rec.*m); },
                       [&](TqvMorphKind C::*m) { WriteMorphKind(ini, section, key, rec.*m); },
                       [&](TqvStretchType C::*m) { WriteStretchType(ini, section, key, rec.*m); },
                       [&](TAlignment C::*m) { WriteSkinAlignment(ini, section, key, rec.*m); },
                       [&](TqvStdCommand C::*m) { ini.WriteString(section, key, StdCommandWord(rec.*m)); },
                       [&](TqvInActiveEffect C::*m) { WriteInActiveEffect(ini, section, key, rec.*m); },
                   },
                   f.Member);
    }
}

template <class C>
bool SkinFieldsEqual(const C& a, const C& b, std::span<const TqvField<C>> fields)
{
    for (const TqvField<C>& f : fields)
        if (!std::visit([&](auto m) { return a.*m == b.*m; }, f.Member))
            return false;
    return true;
}

// A record class whose own fields come from Self::Fields(), after Base's.
// Root is the class the model's list holds (control or form-object record).
template <class Self, class Base>
class TqvSkinRecord : public Base {
public:
    using Base::Base;
    using TRoot = typename Base::TRoot;

    void LoadFromFile(const TqvSkinIni& ini) override
    {
        Base::LoadFromFile(ini);
        ReadSkinFields<Self>(ini, this->IDName, self(), Defaults(), Self::Fields());
    }
    void SaveToFile(TqvSkinIni& ini) override
    {
        Base::SaveToFile(ini);
        WriteSkinFields<Self>(ini, this->IDName, self(), Self::Fields());
    }
    bool SameFields(const TRoot& other) const override
    {
        const Self* o = dynamic_cast<const Self*>(&other);
        return o && typeid(other) == typeid(*this) && Base::SameFields(other) &&
               SkinFieldsEqual<Self>(self(), *o, Self::Fields());
    }

protected:
    static const Self& Defaults()
    {
        static const Self defaults{QString()};
        return defaults;
    }

private:
    Self& self() { return static_cast<Self&>(*this); }
    const Self& self() const { return static_cast<const Self&>(*this); }
};
