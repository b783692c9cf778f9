#pragma once

#include "CArray.h"
#include "CString.h"
#include "CStringArray.h"
#include "CUGCell.h"
#include "CUGCtrl.h"
#include "CUGMaskedEdit.h"
#include "LotDialogHost.h"

#include <windows.h>

// The lot grid of the lot table dialog. It holds the lot table's input
// (layer names, a count per layer, the type names, the rows passed in),
// shows it in four columns "Layer", "Quantity", "Type" and "Numbering" with a
// blank row for the next entry, keeps the rows consistent while the user
// works (quantities, the "*" remainder, the layer choices, the numbering)
// and finally checks the rows and turns them into the LISP result.
//
//   Setup ............ NotifySetup, BuildLayerChoices, AppendNewRow
//   Reactions ........ NotifyCellLeftButton, NotifyCurrentCellChanged,
//                      NotifyCellStoring (a layer chosen), ApplyStarRow,
//                      OnTimer, DeleteMarkedRow, AskEditFinish -> Renumber
//   Results .......... ValidateAndReturn, MarkUsedLayers
class MyCug : public CUGCtrl {
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
    static constexpr UINT kNumberEditId = 125;
    static constexpr UINT_PTR kStarLabelTimer = 0;
    static constexpr COLORREF kCurrentBackColor = RGB(100, 100, 160);
    static constexpr COLORREF kCurrentTextColor = RGB(255, 255, 255);
    static constexpr COLORREF kPreviewTextColor = RGB(100, 100, 100);

    MyCug();
    ~MyCug() override = default;

    MyCug(const MyCug&) = delete;
    MyCug& operator=(const MyCug&) = delete;

    // The dialog the grid reports to; without one the grid works alone.
    void SetDialogHost(LotDialogHost* host) { m_host = host; }

    // Lays the table out from Layers, Counts, LayerUsed, TypeChoices and
    // Results; run again after a table file was loaded.
    void NotifySetup() override;

    // Derives LayerUsed from Results: a layer is used when some row names it
    // exactly (case counts).
    void MarkUsedLayers();
    // Checks the rows top to bottom, rebuilds Results from them and hands
    // the host the LISP list of the rows. 1 on success; 0 with the first
    // fault blinking in the dialog's status line and its cell current.
    int ValidateAndReturn();
    // Removes the row MarkedRow, frees its layer and renumbers; a removed
    // "*" row brings a blank row back when `appendIfStar` is nonzero.
    void DeleteMarkedRow(int appendIfStar);

    // The text of a cell, "" for none.
    CString CellText(int col, long row);

    // Members filled by the command and the table file ---------------------
    int LotColumns = 4;
    int LotRows = 1;
    CStringArray Layers;
    CStringArray Counts;
    CArray<int, int> LayerUsed;
    int TotalCount = 0;
    CString TypeChoices;
    CString LayerChoices;
    CUGMaskedEdit NumberEdit;
    CArray<RecordResult, const RecordResult&> Results;
    int GridReady = 0;
    int SkipNextLoad = 0;
    int SavedColumnWidths[4] = {-1, -1, -1, -1};
    int MarkedRow = 0;
    CString PreviousLayer;

    // Notifications ------------------------------------------------------------
    int AskResizeColumnHeading() override;
    int AskEditStart(int col, long row, CWnd** edit) override;
    void NotifyKeyDown(UINT* key, int handled) override;
    void NotifyCellLeftButton(int col, long row, int pressed, RECT* rect, POINT* point,
                              int handled) override;
    void NotifyCurrentCellChanged(int oldCol, int newCol, long oldRow, long newRow) override;
    void NotifyCellStoring(int col, long row, CUGCell* cell) override;
    int AskEditFinish(int col, long row, CWnd* edit, const wchar_t* text,
                      int cancelled) override;

protected:
    void OnTimer(UINT_PTR id) override;
    // The beep of a validation message; the tests listen here.
    virtual void SoundBeep(DWORD frequency, DWORD duration);

private:
    void BuildLayerChoices();
    void AppendNewRow();
    void FillQuantity(const CString& layer, long row);
    void ChangeRowLayer(const CString& layer);
    void UpdateStarQuantity(long changedRow);
    void SetStarQuantity(int quantity);
    // Every row's Layer choices: its own layer first, then the free ones.
    void RelabelRows(bool redraw);
    void ApplyStarRow(long row);
    // Rewrites the Numbering of startRow and every row below it from
    // `value`; 0 when the value is refused (with an alert, the editor open
    // again on the old number).
    int Renumber(long startRow, const CString& value);
    void RefuseNumber(long row, const CString& old, const CString& message);
    // The validation fault at (col, row): its message, its cell current.
    int Fault(const wchar_t* message, bool beep, int col, long row);
    void SetCellColors(int col, long row, COLORREF back, COLORREF text);
    int IntAt(int col, long row);
    void EnableButton(LotDialogHost::Button button, BOOL enable);

    LotDialogHost* m_host = nullptr;

    CUGCell HeadingCell;
    CUGCell LayerCell;
    CUGCell QuantityCell;
    CUGCell TypeCell;
    CUGCell NumberCell;
    CUGCell BlankTypeCell;

    // Re-entry guards: 1 free, 0 while the guarded step runs. The grid's own
    // cell stores raise its own notifications.
    int StoringGuard = 1;
    int AppendGuard = 1;
    int DeleteGuard = 1;
    int StarGuard = 1;
    int TimerBusy = 0;
    COLORREF WindowColor = RGB(255, 255, 255);
};
