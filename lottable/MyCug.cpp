// MyCug: the lot table's members, its layout and its final check.
//
//   Setup ............ NotifySetup, BuildLayerChoices: the rows of the table
//   Used layers ...... MarkUsedLayers
//   Final check ...... ValidateAndReturn: rows -> Results and the LISP list
#include "MyCug.h"

#include "TabaGrid2.h"
#include "ads_list_user.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"
#include "resource.h"

#include <cstdio>

MyCug::MyCug()
{
    DialogCancelling = 0;
}

// --- Setup -------------------------------------------------------------------

void MyCug::AttachToDialogItem(CWnd*, UINT)
{
    NotifySetup();
}

void MyCug::NotifySetup()
{
    SkipNextLoad = 0;
    if (ActiveLotDialog)
        ActiveLotDialog->EnableDlgItem(IDC_DELETE_ROW, FALSE);

    TotalCount = 0;
    for (const CString& count : Counts)
        TotalCount += _wtoi(count);
    BuildLayerChoices();

    // An empty table starts as one "*" row that holds every lot, numbered
    // from 1.
    LotRows = Results.GetSize();
    if (LotRows == 0) {
        CString total;
        total.Format(L"%i", TotalCount);
        Results.Add(RecordResult{L"*", total, L"", L"1"});
        LotRows = 1;
    }
    GridReady = 0;

    m_rows.Copy(Results);
    // The blank row for the next entry, unless "*" already takes the rest.
    if (Results[LotRows - 1].Layer != L"*") {
        const RecordResult& last = Results[LotRows - 1];
        CString next;
        next.Format(L"%i", _wtoi(last.Numbering) + _wtoi(last.Quantity));
        m_rows.Add(RecordResult{L"", L"", L"", next});
    }
    TypeChoices += L"\n";
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

int MyCug::GetNumberRows() const
{
    return m_rows.GetSize();
}

CString MyCug::QuickGetText(int col, long row) const
{
    if (row < 0 || row >= m_rows.GetSize())
        return CString();
    const RecordResult& record = m_rows[static_cast<int>(row)];
    switch (col) {
    case kColumnLayer: return record.Layer;
    case kColumnQuantity: return record.Quantity;
    case kColumnType: return record.Type;
    case kColumnNumbering: return record.Numbering;
    default: return CString();
    }
}

int MyCug::GetColumnWidth(int col) const
{
    return col >= 0 && col < 4 ? SavedColumnWidths[col] : 0;
}

// --- Used layers -------------------------------------------------------------

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

// --- Final check -------------------------------------------------------------

int MyCug::ValidateAndReturn()
{
    ads_list_user list;
    Results.RemoveAll();
    // A table of fewer than three rows (blank row included) goes back
    // enclosed in one more list.
    const bool enclosed = GetNumberRows() < 3;
    if (enclosed)
        list + acutBuildList(RTLB, 0);

    for (long r = 0; r < GetNumberRows(); ++r) {
        CString layer = QuickGetText(kColumnLayer, r);
        CString quantity = QuickGetText(kColumnQuantity, r);
        CString type = QuickGetText(kColumnType, r);
        CString number = QuickGetText(kColumnNumbering, r);

        // The first row without a layer ends the table.
        if (layer.IsEmpty())
            break;
        if (type.IsEmpty() && quantity != L"0") {
            ShowStatus(L"Type is absent");
            SoundBeep(1000, 50);
            return 0;
        }
        if (number.IsEmpty()) {
            ShowStatus(L"Number is absent");
            SoundBeep(1000, 50);
            return 0;
        }
        double value = 0;
        swscanf(number, L"%lf", &value);
        if (value == 0) {
            ShowStatus(L"Number cannot to be '0'");
            return 0;
        }
        list + acutBuildList(RTLB, 0) + layer.GetString() + quantity.GetString()
            + type.GetString() + number.GetString() + acutBuildList(RTLE, 0);
        Results.Add(RecordResult{layer, quantity, type, number});
    }
    if (Results.IsEmpty()) {
        ShowStatus(L"Input is empty");
        return 0;
    }
    for (int c = 0; c < 4; ++c)
        SavedColumnWidths[c] = GetColumnWidth(c);
    if (enclosed)
        list + acutBuildList(RTLE, 0);
    list.ret_list();
    return 1;
}

void MyCug::ShowStatus(const wchar_t* message)
{
    if (ActiveLotDialog)
        ActiveLotDialog->Status.ShowMessage(0, 200, message);
}

void MyCug::SoundBeep(DWORD frequency, DWORD duration)
{
    ::Beep(frequency, duration);
}
