// The program's eleven stored skins, made from their themes: every picture
// drawn by the generator's primitives, every record filled through the
// model's record classes, everything written by the model's own writers.
#pragma once

#include "skin/model/SkinData.h"
#include "tools/skingen/SkinThemes.h"

#include <QString>

#include <memory>

constexpr int kStoredSkinCount = 11;

// A complete skin in a model, ready for the model's writers. Index 0..10.
std::unique_ptr<TqvSkinData> BuildStoredSkin(int index);
std::unique_ptr<TqvSkinData> BuildSkin(const TqvSkinTheme& theme);

// "NN.skn" and the folder "NN" of skin index.
QString StoredSkinFileName(int index);
QString StoredSkinFolderName(int index);

// Writes DIR/NN.skn for every skin and, when folders is set, DIR/NN/skin.ini
// with its pictures. Throws what the writers throw.
void WriteStoredSkins(const QString& dir, bool folders);
