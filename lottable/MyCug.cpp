// MyCug: the lot grid.
//
//   Setup ............ NotifySetup, BuildLayerChoices, AppendNewRow
//   Reactions ........ NotifyCellLeftButton, NotifyCurrentCellChanged,
//                      NotifyCellStoring -> FillQuantity, ChangeRowLayer,
//                      ApplyStarRow; OnTimer; DeleteMarkedRow
//   Numbering ........ AskEditFinish -> Renumber
//   Results .......... ValidateAndReturn, MarkUsedLayers
#include "MyCug.h"

#include "ads_list_user.h"
#include "arx/acedads.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

#include <cstdio>
#include <vector>

namespace {

constexpr const wchar_t* kNumberMask = L"999999";

CString Decimal(int value)
{
    CString text;
    text.Format(L"%i", value);
    return text;
}

} // namespace

MyCug::MyCug() = default;

CString MyCug::CellText(int col, long row)
{
    const wchar_t* text = QuickGetTextPtr(col, row);
    return text ? CString(text) : CString();
}

int MyCug::IntAt(int col, long row)
{
    return _wtoi(CellText(col, row));
}

void MyCug::EnableButton(LotDialogHost::Button button, BOOL enable)
{
    if (m_host)
        m_host->EnableButton(button, enable);
}

// --- Setup -------------------------------------------------------------------

void MyCug::NotifySetup()
{
    SkipNextLoad = 0;
    // Nothing is painted until the rows are back: a repaint for each
    // removed row would cost a long table most of a second.
    EnableUpdate(0);
    for (long r = GetRowCount(); r >= -1; --r)
        DeleteRow(r);
    WindowColor = ::GetSysColor(COLOR_WINDOW);
    EnableButton(LotDialogHost::Button::DeleteRow, FALSE);

    TotalCount = 0;
    for (const CString& count : Counts)
        TotalCount += _wtoi(count);
    BuildLayerChoices();

    // An empty table starts as one "*" row that holds every lot, numbered
    // from 1.
    LotRows = Results.GetSize();
    if (LotRows == 0) {
        Results.Add(RecordResult{L"*", Decimal(TotalCount), L"", L"1"});
        LotRows = 1;
    }
    GridReady = 0;

    SetRowHeadingWidth(0);
    if (SavedColumnWidths[0] == -1) {
        CRect client(0, 0, 0, 0);
        if (GetSafeHwnd())
            GetClientRect(&client);
        const int w = (client.Width() - GridInfo->RowHeadingWidth) / 8;
        const int widths[4] = {3 * w, w, 3 * w, w};
        for (int c = 0; c < 4; ++c)
            SavedColumnWidths[c] = widths[c];
    }
    // A setup after a Load finds the edit window there already.
    if (GetSafeHwnd() && !NumberEdit.GetSafeHwnd())
        NumberEdit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kNumberEditId);

    EnableUpdate(1);
    SetRowCount(LotRows);
    SetColumnCount(LotColumns);

    // The rows are all gone, so the raw reads give empty cells.
    GetCellRaw(kColumnLayer, 0, &HeadingCell);
    HeadingCell.SetReadOnly(1);
    GetCellRaw(kColumnLayer, 0, &LayerCell);
    LayerCell.SetCellType(1);
    GetCellRaw(kColumnQuantity, 0, &QuantityCell);
    QuantityCell.SetReadOnly(1);
    GetCellRaw(kColumnNumbering, 0, &NumberCell);
    GetCellRaw(kColumnType, 0, &TypeCell);
    TypeCell.SetReadOnly(1);
    TypeCell.SetCellType(1);

    TypeChoices += L"\n";

    for (int r = 0; r < LotRows; ++r) {
        const RecordResult& record = Results[r];
        LayerCell.SetLabel(LayerChoices);
        LayerCell.SetText(record.Layer);
        QuantityCell.SetText(record.Quantity);
        SetCell(kColumnQuantity, r, &QuantityCell);
        SetCell(kColumnLayer, r, &LayerCell);
        TypeCell.SetLabel(TypeChoices);
        SetCell(kColumnType, r, &TypeCell);
        NumberCell.SetText(record.Numbering);
        SetCell(kColumnNumbering, r, &NumberCell);
        QuickSetMask(kColumnNumbering, r, kNumberMask);
    }
    if (Results[LotRows - 1].Layer != L"*")
        AppendNewRow();

    const wchar_t* headings[4] = {L"Layer", L"Quantity", L"Type", L"Numbering"};
    for (int c = 0; c < 4; ++c) {
        HeadingCell.SetText(headings[c]);
        SetCell(c, -1, &HeadingCell);
    }
    for (int c = 0; c < 4; ++c)
        SetColumnWidth(c, SavedColumnWidths[c]);
    for (int i = 0; i < Results.GetSize(); ++i) {
        QuickSetText(kColumnType, i, Results[i].Type);
        QuickSetText(kColumnNumbering, i, Results[i].Numbering);
    }
    RedrawAll();
    GridReady = 1;
}

void MyCug::BuildLayerChoices()
{
    LayerChoices.Empty();
    for (int i = 0; i < Layers.GetSize(); ++i) {
        if (i < LayerUsed.GetSize() && LayerUsed[i] == 0)
            LayerChoices += Layers[i] + L"\n";
    }
    // "*" is always the first choice.
    if (LayerChoices.Left(1) != L"*")
        LayerChoices = CString(L"*\n") + LayerChoices;
}

// The blank row at the bottom: no layer, no type, and greyed the number the
// next row would start at.
void MyCug::AppendNewRow()
{
    if (AppendGuard == 0)
        return;
    AppendGuard = 0;
    const long r = GetRowCount();
    const int next = r > 0 ? IntAt(kColumnNumbering, r - 1) + IntAt(kColumnQuantity, r - 1) : 1;
    AppendRow();
    LayerCell.SetText(L"");
    LayerCell.SetLabel(r == Layers.GetSize() - 1 ? L"" : static_cast<const wchar_t*>(LayerChoices));
    SetCell(kColumnLayer, r, &LayerCell);
    SetCell(kColumnType, r, &BlankTypeCell);
    NumberCell.SetText(Decimal(next));
    NumberCell.SetReadOnly(1);
    NumberCell.SetTextColor(kPreviewTextColor);
    SetCell(kColumnNumbering, r, &NumberCell);
    QuickSetMask(kColumnNumbering, r, kNumberMask);
    RedrawRow(r);
    AppendGuard = 1;
}

// --- Plain notifications -------------------------------------------------------

int MyCug::AskResizeColumnHeading()
{
    return 0;
}

int MyCug::AskEditStart(int col, long, CWnd** edit)
{
    if (col == kColumnNumbering && edit && NumberEdit.GetSafeHwnd())
        *edit = &NumberEdit;
    return 1;
}

void MyCug::NotifyKeyDown(UINT* key, int handled)
{
    if (key && *key == VK_ESCAPE) {
        if (m_host)
            m_host->AskToCancel();
        return;
    }
    CUGCtrl::NotifyKeyDown(key, handled);
}

// --- Reactions -----------------------------------------------------------------

void MyCug::NotifyCellLeftButton(int col, long row, int pressed, RECT*, POINT*, int)
{
    if (m_host)
        m_host->ClearStatusMessage();
    if (pressed != 1 || row < 0)
        return;
    MarkedRow = row;
    if (col == kColumnLayer)
        PreviousLayer = CellText(kColumnLayer, row);
    if (col == kColumnNumbering)
        StartEditCurrent();
    NotifyCurrentCellChanged(0, col, GetRowCount() - 1, row);
}

void MyCug::SetCellColors(int col, long row, COLORREF back, COLORREF text)
{
    QuickSetBackColor(col, row, back);
    QuickSetTextColor(col, row, text);
}

// Only the current cell is highlighted, and only in a row with a layer;
// Delete Row is enabled exactly then.
void MyCug::NotifyCurrentCellChanged(int oldCol, int newCol, long oldRow, long newRow)
{
    if (GridReady != 1)
        return;
    StoringGuard = 0;
    EnableButton(LotDialogHost::Button::Ok, TRUE);
    EnableButton(LotDialogHost::Button::Save, TRUE);
    EnableButton(LotDialogHost::Button::Load, TRUE);
    if (newCol >= 0 && newRow >= 0) {
        if (GetRowCount() > 1 && !CellText(kColumnLayer, newRow).IsEmpty()) {
            SetCellColors(newCol, newRow, kCurrentBackColor, kCurrentTextColor);
            EnableButton(LotDialogHost::Button::DeleteRow, TRUE);
            MarkedRow = newRow;
        } else {
            SetCellColors(newCol, newRow, WindowColor, RGB(0, 0, 0));
            EnableButton(LotDialogHost::Button::DeleteRow, FALSE);
        }
    }
    if (newRow >= 0)
        RedrawRow(newRow);
    if ((oldCol != newCol || oldRow != newRow) && oldRow >= 0) {
        if (oldCol >= 0 && !CellText(kColumnLayer, oldRow).IsEmpty())
            SetCellColors(oldCol, oldRow, WindowColor, RGB(0, 0, 0));
        else if (oldCol >= 0)
            QuickSetTextColor(oldCol, oldRow, kPreviewTextColor);
        RedrawRow(oldRow);
    }
    StoringGuard = 1;
}

// A layer chosen in a row: its quantity, the choices of every row, a new
// blank row when the blank row got it, the "*" remainder, the numbering.
void MyCug::NotifyCellStoring(int col, long row, CUGCell* cell)
{
    if (GridReady != 1 || StoringGuard != 1 || TimerBusy == 1)
        return;
    if (col != kColumnLayer || row < 0 || !cell)
        return;
    StoringGuard = 0;
    const CString layer = cell->GetText();
    // The row's layer until this store: a choice made from the keyboard
    // comes without the press that would have remembered it.
    PreviousLayer = CellText(kColumnLayer, row);
    FillQuantity(layer, row);
    ChangeRowLayer(layer);
    UpdateStarQuantity(row);
    if (row == GetRowCount() - 1) {
        AppendNewRow();
        SetCell(kColumnType, row, &TypeCell);
        RedrawCell(kColumnType, row);
        CUGCell number;
        GetCellRaw(kColumnNumbering, row, &number);
        number.SetReadOnly(0);
        number.SetTextColor(RGB(0, 0, 0));
        SetCell(kColumnNumbering, row, &number);
        RedrawCell(kColumnNumbering, row);
    }
    if (layer == L"*")
        ApplyStarRow(row);
    Renumber(0, CellText(kColumnNumbering, 0));
    StoringGuard = 1;
}

// A layer row above the "*" row changed its layer, and with it what "*"
// leaves.
void MyCug::UpdateStarQuantity(long changedRow)
{
    const long last = GetRowCount() - 1;
    if (changedRow >= last)
        return;
    int used = 0;
    for (int i = 0; i < Layers.GetSize() && i < LayerUsed.GetSize(); ++i) {
        if (LayerUsed[i] == 1)
            used += _wtoi(Counts[i]);
    }
    SetStarQuantity(TotalCount - used);
}

void MyCug::SetStarQuantity(int quantity)
{
    const long last = GetRowCount() - 1;
    if (last >= 0 && CellText(kColumnLayer, last) == L"*") {
        QuickSetText(kColumnQuantity, last, Decimal(quantity));
        RedrawCell(kColumnQuantity, last);
    }
}

void MyCug::FillQuantity(const CString& layer, long row)
{
    for (int i = 0; i < Layers.GetSize(); ++i) {
        if (Layers[i] == layer)
            QuickSetText(kColumnQuantity, row, Counts[i]);
    }
    RedrawCell(kColumnQuantity, row);
}

void MyCug::ChangeRowLayer(const CString& layer)
{
    if (PreviousLayer == layer)
        return;
    for (int i = 0; i < Layers.GetSize() && i < LayerUsed.GetSize(); ++i) {
        if (Layers[i] == PreviousLayer)
            LayerUsed[i] = 0;
        if (Layers[i] == layer)
            LayerUsed[i] = 1;
    }
    BuildLayerChoices();
    RelabelRows(true);
}

// The column is repainted once: a repaint of each cell would cost a long
// table tens of milliseconds for every choice.
void MyCug::RelabelRows(bool redraw)
{
    for (long r = 0; r < GetRowCount(); ++r) {
        const CString own = CellText(kColumnLayer, r);
        if (own.IsEmpty())
            QuickSetLabel(kColumnLayer, r, LayerChoices);
        else
            QuickSetLabel(kColumnLayer, r, own + L"\n" + LayerChoices);
    }
    if (redraw)
        RedrawCol(kColumnLayer);
}

// A row chose "*": it takes every lot the rows above it leave, and nothing
// follows it.
void MyCug::ApplyStarRow(long row)
{
    if (StarGuard == 0)
        return;
    StarGuard = 0;
    int sum = 0;
    for (long r = 0; r < row; ++r) {
        if (!CellText(kColumnLayer, r).IsEmpty())
            sum += IntAt(kColumnQuantity, r);
    }
    QuickSetText(kColumnQuantity, row, Decimal(TotalCount - sum));
    if (GetRowCount() - 1 >= 1) {
        MarkedRow = GetRowCount() - 1;
        while (MarkedRow > row && MarkedRow > 0) {
            DeleteMarkedRow(0);
            --MarkedRow;
        }
        if (MarkedRow == 0)
            EnableButton(LotDialogHost::Button::DeleteRow, FALSE);
        // The store of "*" itself is still to come and brings the row's old
        // choices back; the timer puts the current ones in after it.
        if (GetSafeHwnd())
            SetTimer(kStarLabelTimer, 100);
    }
    StarGuard = 1;
}

void MyCug::OnTimer(UINT_PTR id)
{
    if (id != kStarLabelTimer)
        return;
    KillTimer(kStarLabelTimer);
    TimerBusy = 1;
    QuickSetLabel(kColumnLayer, MarkedRow, LayerChoices);
    if (GetRowCount() < 2) {
        SetCellColors(kColumnLayer, GetRowCount() - 1, WindowColor, RGB(0, 0, 0));
        EnableButton(LotDialogHost::Button::DeleteRow, FALSE);
    }
    TimerBusy = 0;
}

void MyCug::DeleteMarkedRow(int appendIfStar)
{
    if (DeleteGuard == 0)
        return;
    GridReady = 0;
    DeleteGuard = 0;
    const CString deleted = CellText(kColumnLayer, MarkedRow);
    DeleteRow(MarkedRow);
    int used = 0;
    for (int i = 0; i < Layers.GetSize() && i < LayerUsed.GetSize(); ++i) {
        if (Layers[i] == deleted)
            LayerUsed[i] = 0;
        if (LayerUsed[i] == 1)
            used += _wtoi(Counts[i]);
    }
    SetStarQuantity(TotalCount - used);
    BuildLayerChoices();
    RelabelRows(false);
    if (deleted == L"*" && appendIfStar)
        AppendNewRow();
    Renumber(0, CellText(kColumnNumbering, 0));
    DeleteGuard = 1;
    GridReady = 1;
}

// --- Numbering -----------------------------------------------------------------

int MyCug::AskEditFinish(int col, long row, CWnd*, const wchar_t* text, int cancelled)
{
    if (col != kColumnNumbering)
        return 1;
    SkipNextLoad = 0;
    if (m_host && m_host->IsCancelling())
        return 0;
    const CString value = text ? text : L"";
    if (cancelled || value.CompareNoCase(CellText(kColumnNumbering, row)) == 0)
        return 1;
    return Renumber(row, value);
}

int MyCug::Renumber(long startRow, const CString& value)
{
    if (startRow < 0)
        return 0;
    const CString old = CellText(kColumnNumbering, startRow);
    const int v = _wtoi(value);
    CString message;
    if (v <= 0) {
        message.Format(L"Value '%s' is not correct\nNumber can't be equal or less than '0'",
                       static_cast<const wchar_t*>(value));
        RefuseNumber(startRow, old, message);
        return 0;
    }
    if (startRow > 0) {
        const int minimum =
            IntAt(kColumnNumbering, startRow - 1) + IntAt(kColumnQuantity, startRow - 1);
        if (v < minimum) {
            message.Format(
                L"Value '%s' is not correct\nYou must enter Number great or equal than '%d'",
                static_cast<const wchar_t*>(value), minimum);
            RefuseNumber(startRow, old, message);
            return 0;
        }
    }
    std::vector<int> quantities;
    std::vector<int> numbers;
    for (long r = startRow; r < GetRowCount(); ++r) {
        const CString number = CellText(kColumnNumbering, r);
        if (number.IsEmpty())
            continue;
        quantities.push_back(IntAt(kColumnQuantity, r));
        numbers.push_back(r == startRow ? v : _wtoi(number));
    }
    for (size_t i = 0; i + 1 < numbers.size(); ++i)
        numbers[i + 1] = numbers[i] + quantities[i];
    for (size_t i = 0; i < numbers.size(); ++i)
        QuickSetText(kColumnNumbering, startRow + static_cast<long>(i), Decimal(numbers[i]));
    RedrawCol(kColumnNumbering);
    return 1;
}

// The old number stays and the editor opens on it again. The open edit is
// closed first without a question, so that the alert taking the focus from
// it, and the new edit, do not finish it a second time.
void MyCug::RefuseNumber(long row, const CString& old, const CString& message)
{
    SkipNextLoad = 1;
    QuickSetText(kColumnNumbering, row, old);
    CancelEdit();
    acedAlert(message);
    StartEdit(kColumnNumbering, row, 0);
}

// --- Results -------------------------------------------------------------------

void MyCug::MarkUsedLayers()
{
    for (int& used : LayerUsed)
        used = 0;
    for (const RecordResult& record : Results) {
        for (int j = 0; j < Layers.GetSize() && j < LayerUsed.GetSize(); ++j) {
            if (record.Layer == Layers[j])
                LayerUsed[j] = 1;
        }
    }
}

int MyCug::Fault(const wchar_t* message, bool beep, int col, long row)
{
    if (m_host)
        m_host->ShowStatusMessage(message);
    if (beep)
        SoundBeep(1000, 50);
    if (col >= 0)
        StartEdit(col, row, 0);
    return 0;
}

int MyCug::ValidateAndReturn()
{
    ads_list_user list;
    Results.RemoveAll();
    // A table of fewer than three rows (blank row included) goes back
    // enclosed in one more list.
    const bool enclosed = GetRowCount() < 3;
    if (enclosed)
        list + acutBuildList(RTLB, 0);

    CUGCell cell;
    auto text = [this, &cell](int col, long row) {
        GetCellRaw(col, row, &cell);
        const wchar_t* t = cell.GetText();
        return CString(t ? t : L"");
    };
    for (long r = 0; r < GetRowCount(); ++r) {
        const CString layer = text(kColumnLayer, r);
        const CString quantity = text(kColumnQuantity, r);
        const CString type = text(kColumnType, r);
        const CString number = text(kColumnNumbering, r);

        // The first row without a layer ends the table.
        if (layer.IsEmpty())
            break;
        if (type.IsEmpty() && quantity != L"0")
            return Fault(L"Type is absent", true, kColumnType, r);
        if (number.IsEmpty())
            return Fault(L"Number is absent", true, kColumnNumbering, r);
        double value = 0;
        swscanf(number, L"%lf", &value);
        if (value == 0)
            return Fault(L"Number cannot to be '0'", false, kColumnNumbering, r);
        list + acutBuildList(RTLB, 0) + layer.GetString() + quantity.GetString()
            + type.GetString() + number.GetString() + acutBuildList(RTLE, 0);
        Results.Add(RecordResult{layer, quantity, type, number});
    }
    if (Results.IsEmpty())
        return Fault(L"Input is empty", false, -1, -1);
    for (int c = 0; c < 4; ++c)
        SavedColumnWidths[c] = GetColumnWidth(c);
    if (enclosed)
        list + acutBuildList(RTLE, 0);
    list.ret_list();
    return 1;
}

void MyCug::SoundBeep(DWORD frequency, DWORD duration)
{
    ::Beep(frequency, duration);
}
