#pragma once

#include "CArray.h"
#include "CString.h"
#include "CStringArray.h"
#include "MyCug.h"
#include "arx/adsdef.h"

// The handler of the LISP function LOTDIALOG: RTNORM after OK, RTERROR after
// Cancel, a count mismatch or arguments of another shape.
//
// (LOTDIALOG layers types counts rows) runs the lot table dialog on the
// given table; (LOTDIALOG) reopens the table kept from the last confirmed
// call. OK hands the rows to LISP and keeps the table; Cancel answers nil.
int LotDialogCommand();

// Fills the grid from the argument chain of a call: layers with "*" added
// and sorted, counts, type choices, rows and the used flags. RTERROR, after
// the user was told with an alert, when the chain is of another shape or the
// counts do not match the layers; the grid is then not to be used.
int TakeLotArguments(const resbuf* chain, MyCug& grid);

// The table kept from the last call confirmed with OK, for the module's
// lifetime.
extern CStringArray SavedLayers;
extern CStringArray SavedCounts;
extern CArray<int, int> SavedLayerUsed;
extern CString SavedTypeChoices;
extern CArray<MyCug::RecordResult, const MyCug::RecordResult&> SavedResults;
