// Gives the skinned controls their menus: the popup-menu service and the
// form's skin lookup, both through the skinned forms. Called once at start-up
// (the program, the gallery, the tests); a static initializer would be
// dropped by the linker from a static library.
#pragma once

void RegisterSkinMenuServices();
