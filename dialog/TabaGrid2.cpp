// TabaGrid2: the lot table dialog.
//
//   Creation ........ DoDataExchange, OnSetFont, OnInitDialog (shrinking)
//   Leaving ......... OnOK, OnCancel
//   Buttons ......... OnCommand -> OnSave / OnLoad (LotTableFile.cpp),
//                     OnDeleteRow
//   Colours ......... OnCtlColor
#include "TabaGrid2.h"

#include "AfxMessageBox.h"
#include "CClientDC.h"
#include "LotTableFile.h"
#include "arx/acedads.h"
#include "arx/adscodes.h"
#include "resource.h"

#include <cstdlib>

TabaGrid2* ActiveLotDialog = nullptr;
int DialogCancelling = 0;

// Each run of the dialog starts with no cancel under way.
TabaGrid2::TabaGrid2(CWnd* parent) : CDialog(IDD_LOT_TABLE, parent)
{
    DialogCancelling = 0;
    Grid.SetDialogHost(this);
}

// --- Creation ----------------------------------------------------------------

void TabaGrid2::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_STATUS, Status);
    DDX_Control(dx, IDCANCEL, CancelButton);
}

void TabaGrid2::OnSetFont(CFont* font)
{
    LOGFONTW description{};
    if (font && font->GetObject(sizeof(description), &description)) {
        lstrcpynW(description.lfFaceName, L"Courier", LF_FACESIZE);
        m_courierFont.DeleteObject();
        if (m_courierFont.CreateFontIndirect(&description))
            font = &m_courierFont;
    }
    CDialog::OnSetFont(font);
}

BOOL TabaGrid2::OnInitDialog()
{
    CDialog::OnInitDialog();
    CSize screen = GetScreenSize();
    CRect window;
    GetWindowRect(&window);
    if (window.Height() >= screen.cy - 10 || window.Width() >= screen.cx - 10)
        ShrinkToScreen();
    Grid.AttachToDialogItem(this, IDC_LOT_GRID);
    return TRUE;
}

CSize TabaGrid2::GetScreenSize()
{
    CClientDC dc(this);
    return CSize(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
}

namespace {
// Truncates toward zero, as the conversion of the scaled value to int does.
int Scaled(LONG value)
{
    return static_cast<int>(0.4 * value);
}
} // namespace

// Scales the dialog and its controls by 0.4 of their converted rectangles.
// The window rectangle is taken as if its pixels were dialog units, which
// undoes the growth of the conversion for the usual dialog fonts.
void TabaGrid2::ShrinkToScreen()
{
    CRect window;
    GetWindowRect(&window);
    MapDialogRect(&window);
    int left = Scaled(window.left), top = Scaled(window.top);
    int right = 5 + Scaled(window.right), bottom = 30 + Scaled(window.bottom);
    MoveWindow(left, top, right - left, bottom - top, TRUE);

    ShrinkControl(IDC_LOT_GRID, 0, 0);
    ShrinkControl(IDCANCEL, 5, 5);
    ShrinkControl(IDC_STATUS, 0, 0);
    ShrinkControl(IDOK, 5, 5);
    ShrinkControl(IDC_SAVE, 5, 5);
    ShrinkControl(IDC_LOAD, 5, 5);
    ShrinkControl(IDC_DELETE_ROW, 5, 5);
}

void TabaGrid2::ShrinkControl(int id, int addBottom, int addRight)
{
    CWnd* control = GetDlgItem(id);
    if (!control)
        return;
    CRect rect;
    control->GetWindowRect(&rect);
    MapDialogRect(&rect);
    int left = Scaled(rect.left), top = Scaled(rect.top);
    int right = addRight + Scaled(rect.right), bottom = addBottom + Scaled(rect.bottom);
    control->MoveWindow(left, top, right - left, bottom - top, TRUE);
}

// --- Leaving -----------------------------------------------------------------

void TabaGrid2::OnOK()
{
    if (Grid.ValidateAndReturn())
        CDialog::OnOK();
}

void TabaGrid2::OnCancel()
{
    if (AskCancelConfirmation() == IDOK) {
        DialogCancelling = 1;
        CDialog::OnCancel();
    } else {
        DialogCancelling = 0;
    }
}

int TabaGrid2::AskCancelConfirmation()
{
    return AfxMessageBox(L"Do your really want to cancel dialog?", MB_OKCANCEL | MB_DEFBUTTON2);
}

// --- Buttons -----------------------------------------------------------------

BOOL TabaGrid2::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_SAVE:
            OnSave();
            return TRUE;
        case IDC_LOAD:
            OnLoad();
            return TRUE;
        case IDC_DELETE_ROW:
            OnDeleteRow();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

namespace {

// The string value of a host variable ("" when it has none).
CString HostVariable(const wchar_t* name)
{
    resbuf value{};
    CString text;
    if (acedGetVar(name, &value) == RTNORM && value.restype == RTSTR && value.resval.rstring) {
        text = value.resval.rstring;
        free(value.resval.rstring);
    }
    return text;
}

// The path the user chose in the host's file dialog, or "" when cancelled.
CString AskLotTablePath(int flags)
{
    CString defaultPath = LotTableFile::DefaultPath(HostVariable(L"DWGPREFIX"),
                                                    HostVariable(L"DWGNAME"));
    resbuf chosen{};
    CString path;
    if (acedGetFileD(L"Rapid lot area", defaultPath, L"tab", flags, &chosen) == RTNORM
        && chosen.restype == RTSTR && chosen.resval.rstring) {
        path = chosen.resval.rstring;
        free(chosen.resval.rstring);
    }
    return path;
}

} // namespace

// Saves what passes the final check; the check has then also handed the
// rows to the host as the LISP result.
void TabaGrid2::OnSave()
{
    if (!Grid.ValidateAndReturn())
        return;
    CString path = AskLotTablePath(3);
    if (path.IsEmpty())
        return;
    CString failure = LotTableFile::Save(path, Grid);
    if (!failure.IsEmpty())
        acedAlert(failure);
}

void TabaGrid2::OnLoad()
{
    // The press that follows a rejected Numbering entry only ends that entry.
    if (Grid.SkipNextLoad) {
        Grid.SkipNextLoad = 0;
        return;
    }
    CString path = AskLotTablePath(0);
    if (path.IsEmpty())
        return;
    ::SetFocus(m_hWnd);
    CString failure = LotTableFile::Load(path, Grid);
    if (!failure.IsEmpty()) {
        acedAlert(failure);
        return;
    }
    Grid.NotifySetup();
}

void TabaGrid2::OnDeleteRow()
{
    Grid.RedrawAll();
    Grid.DeleteMarkedRow(1);
    EnableDlgItem(IDC_DELETE_ROW, FALSE);
}

void TabaGrid2::EnableDlgItem(int id, BOOL enable)
{
    if (CWnd* item = GetDlgItem(id))
        item->EnableWindow(enable);
}

// --- What the grid asks --------------------------------------------------------

void TabaGrid2::EnableButton(Button button, BOOL enable)
{
    switch (button) {
    case Button::Ok: EnableDlgItem(IDOK, enable); break;
    case Button::Save: EnableDlgItem(IDC_SAVE, enable); break;
    case Button::Load: EnableDlgItem(IDC_LOAD, enable); break;
    case Button::DeleteRow: EnableDlgItem(IDC_DELETE_ROW, enable); break;
    }
}

void TabaGrid2::ShowStatusMessage(const wchar_t* text)
{
    if (Status.GetSafeHwnd())
        Status.ShowMessage(0, 200, text);
}

void TabaGrid2::ClearStatusMessage()
{
    if (Status.GetSafeHwnd())
        Status.ClearMessage();
}

void TabaGrid2::AskToCancel()
{
    OnCancel();
}

int TabaGrid2::IsCancelling() const
{
    return DialogCancelling;
}

// --- Colours -----------------------------------------------------------------

HBRUSH TabaGrid2::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (ctlColor == CTLCOLOR_STATIC && dc)
        dc->SetTextColor(RGB(255, 0, 0));
    return brush;
}
