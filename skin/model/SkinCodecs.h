// The text syntax of every typed value in a skin ini, both directions, and
// the test that tells a skin ini from any other ini file.
#pragma once

#include "platform/Types.h"
#include "skin/model/SkinIni.h"
#include "skin/model/SkinTypes.h"

#include <QString>
#include <QStringList>

// Cut at commas, digits kept, everything else dropped; a minus directly before
// a part's first digit is kept so that what the writers write reads back.
// A part without digits throws EqvConvertError "'' is not a valid integer value".
TPoint ParseSkinPoint(const QString& text);
TRect ParseSkinRect(const QString& text);

TPoint ReadSkinPoint(const TqvSkinIni& ini, const QString& section, const QString& key);
TRect ReadSkinRect(const TqvSkinIni& ini, const QString& section, const QString& key);
bool ReadSkinBoolean(const TqvSkinIni& ini, const QString& section, const QString& key);
TFontStyles ReadSkinFontStyles(const TqvSkinIni& ini, const QString& section, const QString& key);
// Appends; the list's keys are name + "count" and "0" .. "count-1".
void ReadSkinStrings(const TqvSkinIni& ini, const QString& section, const QString& name, QStringList& strings);
TAlignment ReadSkinAlignment(const TqvSkinIni& ini, const QString& section, const QString& key);
TqvStretchType ReadStretchType(const TqvSkinIni& ini, const QString& section, const QString& key);
TqvInActiveEffect ReadInActiveEffect(const TqvSkinIni& ini, const QString& section, const QString& key);
TqvMorphKind ReadMorphKind(const TqvSkinIni& ini, const QString& section, const QString& key);

void WriteSkinPoint(TqvSkinIni& ini, const QString& section, const QString& key, TPoint value);
void WriteSkinRect(TqvSkinIni& ini, const QString& section, const QString& key, const TRect& value);
void WriteSkinBoolean(TqvSkinIni& ini, const QString& section, const QString& key, bool value);
void WriteSkinFontStyles(TqvSkinIni& ini, const QString& section, const QString& key, TFontStyles value);
void WriteSkinStrings(TqvSkinIni& ini, const QString& section, const QString& name, const QStringList& strings);
void WriteSkinAlignment(TqvSkinIni& ini, const QString& section, const QString& key, TAlignment value);
void WriteStretchType(TqvSkinIni& ini, const QString& section, const QString& key, TqvStretchType value);
void WriteInActiveEffect(TqvSkinIni& ini, const QString& section, const QString& key, TqvInActiveEffect value);
void WriteMorphKind(TqvSkinIni& ini, const QString& section, const QString& key, TqvMorphKind value);

// The caption-button command words; unknown words give cmMinimizeToTray.
TqvStdCommand StdCommandFromWord(const QString& word);
QString StdCommandWord(TqvStdCommand command);

bool IsSkinIniFile(const TqvSkinIni& ini);
