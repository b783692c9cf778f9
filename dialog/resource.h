#pragma once

// Identifiers of the lot table dialog's template (TabaGrid2.rc). They are
// macros because the resource compiler reads this header too.
#define IDD_LOT_TABLE 130
#define IDC_LOT_GRID 1000
#define IDC_STATUS 1001
#define IDC_SAVE 1002
#define IDC_LOAD 1003
#define IDC_DELETE_ROW 1004
