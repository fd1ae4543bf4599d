// The program's eleven stored skins, embedded in the executable.
#pragma once

#include "skin/model/StoredSkin.h"

// Fills the list with the eleven skins in their order, each item with its
// name (what the skin chooser shows) and its stored skin with a description.
// Items already in the list are replaced. Throws when an embedded skin cannot be read.
void LoadStoredSkins(TqvCompressedSkinList& list);
// The index the program starts with.
constexpr int kFirstStartSkinIndex = 1;
