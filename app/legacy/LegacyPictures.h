// The settings dialog's pictures, drawn in code: one 32 x 32 icon per
// category and the 128 x 128 picture beside the operation buttons.
#pragma once

#include <QImage>

namespace legacy {

// Category rows 0..11; a transparent picture for any other row.
QImage CategoryIcon(int categoryRow);
// A folder holding a clapperboard and a disc, with an alpha channel.
QImage FolderPicture();

}  // namespace legacy
