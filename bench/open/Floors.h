// The two floors the library's dialog is measured against, each a modal dialog that a
// plain dialog procedure fills with the same data, redraw off and list sizes set first:
// the library's own template 1000, and a dialog of stock controls with default styles.
#pragma once

#include <windows.h>

#include "BenchData.h"

// Runs the library's template 1000 (taken from the DLL's resources) until it is closed
// by IDOK or IDCANCEL. previewText: the statement goes into the template's word-wrapping
// preview; without it the preview stays empty, which makes a strictly cheaper floor.
INT_PTR RunSameTemplateFloor(HMODULE dll, const BenchData& data, bool previewText);

// Runs a dialog built in memory of a list box, a combo box, two report list views, an
// edit box and two buttons, all with default styles and the system font.
INT_PTR RunStockFloor(const BenchData& data);
