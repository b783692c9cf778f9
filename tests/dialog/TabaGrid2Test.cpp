#include "CDC.h"
#include "CBitmap.h"
#include "DialogScript.h"
#include "MessageLog.h"
#include "ModalAnswerer.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

struct ControlLayout {
    int id;
    const wchar_t* text;
    CRect units;   // x, y, x + w, y + h in dialog units
};

// The template as the lot table dialog must show it, in tab order.
const ControlLayout kLayout[] = {
    {IDOK, L"&OK", CRect(63, 261, 113, 275)},
    {IDCANCEL, L"&Cancel", CRect(8, 261, 53, 275)},
    {IDC_LOT_GRID, L"Static", CRect(7, 7, 425, 235)},
    {IDC_STATUS, L"", CRect(10, 242, 248, 255)},
    {IDC_SAVE, L"&Save", CRect(123, 261, 173, 275)},
    {IDC_LOAD, L"&Load", CRect(183, 261, 233, 275)},
    {IDC_DELETE_ROW, L"&Delete Row ", CRect(243, 261, 293, 275)},
};

CRect ChildRect(CWnd& dialog, int id)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, id), &rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

CString WindowText(HWND hwnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(hwnd, text, 256);
    return text;
}

// Ends the dialog through its own OK path without the grid's check.
void Finish(ScriptedLotDialog& dialog)
{
    dialog.EndDialog(IDABORT);
}

} // namespace

TEST(LotTableDialog, TemplateLayoutCaptionStylesAndTabOrder)
{
    ScriptedLotDialog dialog;
    ActiveLotDialog = &dialog;
    dialog.script = [](ScriptedLotDialog& d) {
        EXPECT_EQ(WindowText(d.m_hWnd), L"Lot area rapid");
        DWORD style = d.GetStyle();
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & WS_SYSMENU) << "no system menu and so no close box";

        CRect client, size(0, 0, 432, 282);
        d.GetClientRect(&client);
        d.MapDialogRect(&size);
        EXPECT_EQ(client.Size(), size.Size());

        LOGFONTW font{};
        HFONT dialogFont = reinterpret_cast<HFONT>(d.SendMessage(WM_GETFONT));
        ::GetObjectW(dialogFont, sizeof(font), &font);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");

        HWND child = ::GetWindow(d.m_hWnd, GW_CHILD);
        for (const ControlLayout& control : kLayout) {
            ASSERT_NE(child, nullptr);
            EXPECT_EQ(::GetDlgCtrlID(child), control.id) << "tab order";
            EXPECT_EQ(WindowText(child), control.text);
            CRect expected = control.units;
            d.MapDialogRect(&expected);
            EXPECT_EQ(ChildRect(d, control.id), expected) << "control " << control.id;
            LONG childStyle = ::GetWindowLongW(child, GWL_STYLE);
            EXPECT_TRUE(childStyle & WS_VISIBLE);
            EXPECT_TRUE(childStyle & WS_TABSTOP);
            child = ::GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(d.m_hWnd, IDC_LOT_GRID), GWL_EXSTYLE)
                    & WS_EX_STATICEDGE);
        EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(d.m_hWnd, IDC_STATUS), GWL_STYLE) & WS_GROUP);
        EXPECT_EQ(LOWORD(d.SendMessage(DM_GETDEFID)), IDOK);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_DELETE_ROW)))
            << "Delete Row starts disabled";
        Finish(d);
    };
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    ActiveLotDialog = nullptr;
}

TEST(LotTableDialog, ShrinksOnlyOnAScreenTooSmallForIt)
{
    // Runs the dialog on a screen of the given size: did it shrink, and how
    // big was it before?
    auto shrank = [](CSize screen, CRect& before) {
        ScriptedLotDialog dialog;
        dialog.screen = screen;
        CRect after;
        dialog.script = [&after](ScriptedLotDialog& d) {
            d.GetWindowRect(&after);
            Finish(d);
        };
        dialog.DoModal();
        before = dialog.windowBeforeShrink;
        return after.Size() != before.Size();
    };
    CRect window;
    EXPECT_FALSE(shrank(CSize(1280, 1024), window));
    // It must leave more than 10 pixels of the screen free either way.
    CSize size = window.Size();
    EXPECT_FALSE(shrank(CSize(size.cx + 11, size.cy + 11), window));
    EXPECT_TRUE(shrank(CSize(size.cx + 10, size.cy + 200), window));
    EXPECT_TRUE(shrank(CSize(size.cx + 200, size.cy + 10), window));
}

TEST(LotTableDialog, ShrinkScalesTheConvertedRectanglesOfDialogAndControls)
{
    auto scaled = [](LONG v) { return static_cast<LONG>(0.4 * v); };
    ScriptedLotDialog dialog;
    dialog.screen = CSize(400, 300);
    dialog.script = [&scaled](ScriptedLotDialog& d) {
        // The dialog: its window rectangle taken as dialog units, scaled, 5
        // wider and 30 taller.
        CRect before = d.windowBeforeShrink;
        d.MapDialogRect(&before);
        CRect expected(scaled(before.left), scaled(before.top), 5 + scaled(before.right),
                       30 + scaled(before.bottom));
        CRect window;
        d.GetWindowRect(&window);
        EXPECT_EQ(window, expected);

        // Each control: its screen rectangle once the dialog had moved,
        // converted, scaled and used as the new position; buttons 5 wider
        // and taller, the grid placeholder and the status line not.
        CPoint origin(0, 0);
        d.ClientToScreen(&origin);
        struct { int id; CRect units; int add; } controls[] = {
            {IDC_LOT_GRID, CRect(7, 7, 425, 235), 0},
            {IDC_STATUS, CRect(10, 242, 248, 255), 0},
            {IDOK, CRect(63, 261, 113, 275), 5},
            {IDC_DELETE_ROW, CRect(243, 261, 293, 275), 5},
        };
        for (auto& control : controls) {
            CRect onScreen = control.units;
            d.MapDialogRect(&onScreen);
            onScreen.OffsetRect(origin.x, origin.y);
            d.MapDialogRect(&onScreen);
            CRect want(scaled(onScreen.left), scaled(onScreen.top),
                       control.add + scaled(onScreen.right),
                       control.add + scaled(onScreen.bottom));
            EXPECT_EQ(ChildRect(d, control.id), want) << "control " << control.id;
        }
        Finish(d);
    };
    dialog.DoModal();
}

TEST(LotTableDialog, CancelAsksAndEndsOnlyWhenConfirmed)
{
    ModalAnswerer answerer({IDCANCEL, IDOK}, ModalAnswerer::MessageBoxesOnly);
    ScriptedLotDialog dialog;
    int stage = 0;
    int cancellingAfterRefusal = -1;
    auto pressCancel = [](ScriptedLotDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, IDCANCEL)));
    };
    dialog.script = [&](ScriptedLotDialog& d) {
        if (++stage == 1) {
            pressCancel(d);   // refused
            cancellingAfterRefusal = DialogCancelling;
            // Runs only if the dialog is still running.
            d.PostMessage(ScriptedLotDialog::kRunScript);
        } else {
            pressCancel(d);   // confirmed
        }
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(stage, 2) << "the refused cancel left the dialog running";
    EXPECT_EQ(cancellingAfterRefusal, 0);
    EXPECT_EQ(DialogCancelling, 1);
    ASSERT_EQ(answerer.seen.size(), 2u);
    EXPECT_EQ(answerer.seen[0].text, L"Do your really want to cancel dialog?");
    EXPECT_EQ(answerer.seen[0].defaultButton, IDCANCEL) << "Cancel is the default";
}

TEST(LotTableDialog, MousePressOnCancelMarksTheCancelBeforeAskingAndNeverClicks)
{
    struct Recording : ScriptedLotDialog {
        int clicks = 0;
        int flagWhenAsked = -1;
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED)
                ++clicks;
            return ScriptedLotDialog::OnCommand(wParam, lParam);
        }
        int AskCancelConfirmation() override
        {
            flagWhenAsked = DialogCancelling;
            return ScriptedLotDialog::AskCancelConfirmation();
        }
    } dialog;
    ActiveLotDialog = &dialog;
    dialog.confirmationAnswers = {IDCANCEL, IDOK};
    dialog.script = [&dialog](ScriptedLotDialog& d) {
        d.PressCancelWithMouse();
        EXPECT_EQ(dialog.flagWhenAsked, 1);
        EXPECT_EQ(DialogCancelling, 0) << "a refusal takes the mark back";
        EXPECT_EQ(dialog.clicks, 0) << "the press never reaches the button";
        d.PressCancelWithMouse();
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.confirmationsAsked, 2);
    EXPECT_EQ(dialog.clicks, 0);
    ActiveLotDialog = nullptr;
}

TEST(LotTableDialog, StaticTextsArePaintedRed)
{
    ScriptedLotDialog dialog;
    dialog.script = [](ScriptedLotDialog& d) {
        HWND status = ::GetDlgItem(d.m_hWnd, IDC_STATUS);
        ::SetWindowTextW(status, L"XXXXXXXX");
        CRect rect;
        ::GetClientRect(status, &rect);

        // Let the static paint itself into a memory bitmap; it asks the
        // dialog for its colours as on the screen.
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, rect.Width(), rect.Height());
        CBitmap* old = memory.SelectObject(&bitmap);
        ::SendMessageW(status, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.m_hDC),
                       PRF_CLIENT | PRF_ERASEBKGND);
        int red = 0;
        for (int y = 0; y < rect.Height(); ++y)
            for (int x = 0; x < rect.Width(); ++x)
                if (::GetPixel(memory.m_hDC, x, y) == RGB(255, 0, 0))
                    ++red;
        memory.SelectObject(old);
        ::ReleaseDC(nullptr, screen.Detach());
        EXPECT_GT(red, 10) << "the status text is drawn in red";
        Finish(d);
    };
    dialog.DoModal();
}
