#pragma once

#include "CArray.h"
#include "CString.h"
#include "CStringArray.h"

#include <windows.h>

class CWnd;

// The lot grid of the lot table dialog: the lot table's input (layer names,
// a count per layer, the type names, the rows passed in), the rows the table
// shows, and the final check that turns them into the LISP result.
//
// The table's rows are the records of `Results` as the setup lays them out:
// an empty table becomes one "*" row holding every lot, and a blank row
// follows unless the last row is the "*" row. The grid control shows and
// edits those rows in the dialog; until it is attached, the rows are read
// from that layout (RowCount, RowText).
class MyCug {
public:
    // One lot table row.
    struct RecordResult {
        CString Layer;
        CString Quantity;
        CString Type;
        CString Numbering;
    };

    static constexpr int kColumnLayer = 0;
    static constexpr int kColumnQuantity = 1;
    static constexpr int kColumnType = 2;
    static constexpr int kColumnNumbering = 3;

    MyCug();
    virtual ~MyCug() = default;

    MyCug(const MyCug&) = delete;
    MyCug& operator=(const MyCug&) = delete;

    // Takes the place of the dialog's placeholder control and sets the table
    // up from the members.
    void AttachToDialogItem(CWnd* dialog, UINT id);
    // Lays the table out from Layers, Counts, LayerUsed, TypeChoices and
    // Results; run again after a table file was loaded.
    virtual void NotifySetup();

    // Derives LayerUsed from Results: a layer is used when some row names it
    // exactly (case counts).
    void MarkUsedLayers();
    // Checks the rows top to bottom, rebuilds Results from them and hands
    // the host the LISP list of the rows. 1 on success; 0 with the first
    // fault blinking in the dialog's status line.
    int ValidateAndReturn();

    // The table as laid out.
    int GetNumberRows() const;
    CString QuickGetText(int col, long row) const;
    int GetColumnWidth(int col) const;

    // Members filled by the command and the table file ---------------------
    int LotColumns = 4;
    int LotRows = 1;
    CStringArray Layers;
    CStringArray Counts;
    CArray<int, int> LayerUsed;
    int TotalCount = 0;
    CString TypeChoices;
    CString LayerChoices;
    CArray<RecordResult, const RecordResult&> Results;
    int GridReady = 0;
    int SkipNextLoad = 0;
    int SavedColumnWidths[4] = {-1, -1, -1, -1};
    int MarkedRow = 0;

protected:
    // The beep of a validation message; the tests listen here.
    virtual void SoundBeep(DWORD frequency, DWORD duration);

private:
    void BuildLayerChoices();
    void ShowStatus(const wchar_t* message);

    // The rows the table shows: Results as laid out by the setup.
    CArray<RecordResult, const RecordResult&> m_rows;
};
