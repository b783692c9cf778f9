#include "FileTestSupport.h"
#include "ModalAnswerer.h"
#include "ScriptedHostCall.h"
#include "ScriptedLotDialog.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

CString Text(HWND hwnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(hwnd, text, 256);
    return text;
}

} // namespace

// A screen that leaves 10 pixels or less either way shrinks the dialog: its
// window rectangle taken as dialog units and scaled by 0.4, 5 wider and 30
// taller; then each control's screen rectangle the same way, the buttons 5
// wider and taller.
TEST(LotTableDialog, TemplateLayoutAndItsShrinkingOnAScreenTooSmallForIt)
{
    const struct {
        int id;
        const wchar_t* text;
        CRect units;
    } layout[] = {
        {IDOK, L"&OK", CRect(63, 261, 113, 275)},          {IDCANCEL, L"&Cancel", CRect(8, 261, 53, 275)},
        {IDC_LOT_GRID, L"Static", CRect(7, 7, 425, 235)},  {IDC_STATUS, L"", CRect(10, 242, 248, 255)},
        {IDC_SAVE, L"&Save", CRect(123, 261, 173, 275)},   {IDC_LOAD, L"&Load", CRect(183, 261, 233, 275)},
        {IDC_DELETE_ROW, L"&Delete Row ", CRect(243, 261, 293, 275)},
    };
    auto scaled = [](const CRect& r, int addRight, int addBottom) {
        auto t = [](LONG v) { return static_cast<LONG>(0.4 * v); };
        return CRect(t(r.left), t(r.top), addRight + t(r.right), addBottom + t(r.bottom));
    };
    CSize size(0, 0);   // the dialog's, which the first run on the real screen tells
    for (const CSize spare : {CSize(0, 0), CSize(11, 11), CSize(10, 200), CSize(200, 10)}) {
        const bool shrinks = spare.cx == 10 || spare.cy == 10;
        ScriptedLotDialog dialog;
        dialog.screen = CSize(size.cx + spare.cx, size.cy + spare.cy);
        dialog.Run({}, {}, [&](ScriptedLotDialog& d) {
            CRect before = d.windowBeforeShrink, window, client, units(0, 0, 432, 282);
            size = before.Size();
            d.GetWindowRect(&window);
            d.GetClientRect(&client);
            d.MapDialogRect(&units);
            d.MapDialogRect(&before);
            if (shrinks) {
                EXPECT_EQ(window, scaled(before, 5, 30));
            } else {
                EXPECT_EQ(client.Size(), units.Size());
            }
            CPoint origin(0, 0);
            d.ClientToScreen(&origin);
            HWND child = ::GetWindow(d.m_hWnd, GW_CHILD);
            for (const auto& control : layout) {
                ASSERT_EQ(::GetDlgCtrlID(child), control.id) << "tab order";
                EXPECT_EQ(Text(child), control.text);
                EXPECT_EQ(::GetWindowLongW(child, GWL_STYLE) & (WS_VISIBLE | WS_TABSTOP), WS_VISIBLE | WS_TABSTOP);
                CRect expected = control.units, rect;
                d.MapDialogRect(&expected);
                if (shrinks) {
                    expected.OffsetRect(origin.x, origin.y);
                    d.MapDialogRect(&expected);
                    const int add = control.id == IDC_LOT_GRID || control.id == IDC_STATUS ? 0 : 5;
                    expected = scaled(expected, add, add);
                }
                ::GetWindowRect(child, &rect);
                d.ScreenToClient(&rect);
                EXPECT_EQ(rect, expected) << "control " << control.id << ", spare " << spare.cx << "x" << spare.cy;
                child = ::GetWindow(child, GW_HWNDNEXT);
            }
            EXPECT_EQ(Text(d.m_hWnd), L"Lot area rapid");
            EXPECT_EQ(d.GetStyle() & (WS_CAPTION | WS_SYSMENU), WS_CAPTION) << "no system menu, no close box";
            HWND status = ::GetDlgItem(d.m_hWnd, IDC_STATUS);
            EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(d.m_hWnd, IDC_LOT_GRID), GWL_EXSTYLE) & WS_EX_STATICEDGE);
            EXPECT_TRUE(::GetWindowLongW(status, GWL_STYLE) & WS_GROUP);
            EXPECT_EQ(LOWORD(d.SendMessage(DM_GETDEFID)), IDOK);
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_DELETE_ROW)));
            HDC dc = ::CreateCompatibleDC(nullptr);
            d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(status));
            EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
            ::DeleteDC(dc);
            d.EndDialog(IDABORT);
        });
    }
}

// A mouse press on the Cancel button marks the cancel before asking and
// never clicks it; the keyboard's does not; a refusal takes the mark back.
TEST(LotTableDialog, CancelAsksAndEndsOnlyWhenConfirmed)
{
    struct Counting : ScriptedLotDialog {
        int clicks = 0;
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            clicks += LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED;
            return ScriptedLotDialog::OnCommand(wParam, lParam);
        }
    } dialog;
    ModalAnswerer answerer({IDCANCEL, IDCANCEL, IDOK}, ModalAnswerer::MessageBoxesOnly);
    std::vector<int> cancellingAfter;
    auto pressWithMouse = [](ScriptedLotDialog& d) {
        d.CancelButton.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        d.CancelButton.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    EXPECT_EQ(dialog.Run({}, {}, [&](ScriptedLotDialog& d) {
        d.Click(IDCANCEL);
        cancellingAfter.push_back(DialogCancelling);
        pressWithMouse(d);
        cancellingAfter.push_back(DialogCancelling);
        pressWithMouse(d);
    }), IDCANCEL);
    EXPECT_EQ(dialog.cancellingWhenAsked, (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(cancellingAfter, (std::vector<int>{0, 0}));
    EXPECT_EQ(DialogCancelling, 1);
    EXPECT_EQ(dialog.clicks, 1) << "only the keyboard's press reaches the button";
    ASSERT_EQ(answerer.seen.size(), 3u);
    EXPECT_EQ(answerer.seen[0].text, L"Do your really want to cancel dialog?");
    EXPECT_EQ(answerer.seen[0].defaultButton, IDCANCEL) << "Cancel is the default";
}

// Load ignores its first press after a rejected entry, and a cancelled file
// dialog; a damaged file is reported and changes nothing.
TEST(LotTableDialog, SaveChecksTheTableFirstAndLoadRebuildsTheGrid)
{
    ScriptedHostCall call;
    ArxScript& script = call.host.Script();
    call.host.SetDrawing(L"D:\\proj\\site.dwg");
    TemporaryPath path(L"lotgrid-dialog-save.tab"), damaged(L"lotgrid-dialog-damaged.tab");
    WriteAllBytes(damaged, {0x05, 0, 0, 0, 0, 0, 0, 0, 0xFF});
    script.fileAnswers = {std::wstring(path)};
    const LayerCounts layers{{L"A", L"3"}};
    const std::vector<MyCug::RecordResult> rows{{L"A", L"3", L"", L"1"}, {L"*", L"4", L"T1", L"4"}};
    ScriptedLotDialog().Run(layers, rows, [&script](ScriptedLotDialog& d) {
        d.Click(IDC_SAVE);
        EXPECT_EQ(Text(d.Status.m_hWnd), L"Type is absent");
        EXPECT_TRUE(script.fileRequests.empty());
        d.Grid.QuickSetText(2, 0, L"T1");
        d.Click(IDC_SAVE);
        d.EndDialog(IDABORT);
    });
    ASSERT_EQ(script.fileRequests.size(), 1u);
    const ArxFileRequest& request = script.fileRequests[0];
    EXPECT_EQ(request.title + L"|" + request.defaultPath + L"|" + request.extension + L"|" + std::to_wstring(request.flags),
              L"Rapid lot area|D:\\proj\\site|tab|3");
    EXPECT_EQ(call.Value(), LR"((("A" "3" "T1" "1") ("*" "4" "T1" "4")))") << "the checked rows went to the host";
    script.fileAnswers = {std::nullopt, std::wstring(path), std::wstring(damaged)};
    ScriptedLotDialog().Run(layers, {{L"Z", L"1", L"T1", L"9"}}, [&script](ScriptedLotDialog& d) {
        d.Grid.SkipNextLoad = 1;
        d.Click(IDC_LOAD);
        EXPECT_EQ(d.Grid.SkipNextLoad, 0);
        EXPECT_EQ(script.fileRequests.size(), 1u) << "no file dialog";
        d.Click(IDC_LOAD);
        EXPECT_EQ(d.Grid.CellText(0, 0), L"Z");
        d.Click(IDC_LOAD);
        d.Click(IDC_LOAD);
        ASSERT_EQ(script.fileRequests.size(), 4u);
        EXPECT_EQ(script.fileRequests[2].flags, 0);
        LotGridDriver drive(d.Grid);
        EXPECT_EQ(drive.Row(0) + L" " + drive.Row(1), L"A|3|T1|1 *|4|T1|4");
        EXPECT_EQ(d.Grid.GetRowCount(), 2);
        d.EndDialog(IDABORT);
    });
    EXPECT_EQ(call.Alerts(),
              std::vector<std::wstring>{L"File " + std::wstring(damaged) + L" is damaged or is not a lot table file"});
}
