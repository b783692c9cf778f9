#pragma once

#include <windows.h>

// The AutoCAD Color Index: 256 colours that entities and layers name by
// number. 0 is "by block" and 256 "by layer"; 7 is drawn white on the dark
// background of model space.
class AciPalette {
public:
    // The colour of index 1..255 (others: white).
    static COLORREF Colour(int index);
};
