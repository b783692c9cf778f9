#include "DialogScript.h"
#include "FileTestSupport.h"
#include "ScriptedHostCall.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

void Click(ScriptedLotDialog& dialog, int id)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, id)));
}

CString StatusText(ScriptedLotDialog& dialog)
{
    CString text;
    dialog.Status.GetWindowText(text);
    return text;
}

// Runs `script` in a running lot table dialog on `rows`.
void RunDialog(std::initializer_list<MyCug::RecordResult> rows,
               std::function<void(ScriptedLotDialog&)> script)
{
    ScriptedLotDialog dialog;
    for (const MyCug::RecordResult& row : rows)
        dialog.Grid.Results.Add(row);
    dialog.Grid.Layers.Add(L"*");
    dialog.Grid.Counts.Add(L"");
    dialog.Grid.LayerUsed.Add(0);
    dialog.Grid.TypeChoices = L"T1\n";
    ActiveLotDialog = &dialog;
    dialog.script = [&script](ScriptedLotDialog& d) {
        script(d);
        d.EndDialog(IDABORT);
    };
    dialog.DoModal();
    ActiveLotDialog = nullptr;
}

} // namespace

TEST(LotTableDialogFile, SaveChecksTheTableFirstAndAsksBesideTheDrawing)
{
    ScriptedHostCall call;
    call.host.SetDrawing(L"D:\\proj\\site.dwg");
    TemporaryPath path(L"lotgrid-dialog-save.tab");
    call.host.Script().fileAnswers.push_back(std::wstring(path));

    // A row without a type: the check fails, nothing is asked or written.
    RunDialog({{L"A", L"3", L"", L"1"}}, [](ScriptedLotDialog& d) {
        Click(d, IDC_SAVE);
        EXPECT_EQ(StatusText(d), L"Type is absent");
    });
    EXPECT_TRUE(call.host.Script().fileRequests.empty());

    RunDialog({{L"A", L"3", L"T1", L"1"}, {L"*", L"4", L"T1", L"4"}},
              [](ScriptedLotDialog& d) { Click(d, IDC_SAVE); });
    ASSERT_EQ(call.host.Script().fileRequests.size(), 1u);
    const ArxFileRequest& request = call.host.Script().fileRequests[0];
    EXPECT_EQ(request.title, L"Rapid lot area");
    EXPECT_EQ(request.defaultPath, L"D:\\proj\\site");
    EXPECT_EQ(request.extension, L"tab");
    EXPECT_EQ(request.flags, 3);
    EXPECT_NE(GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES) << "the file was written";
    EXPECT_EQ(call.Value(), L"((\"A\" \"3\" \"T1\" \"1\") (\"*\" \"4\" \"T1\" \"4\"))")
        << "the checked rows were handed to the host";

    // Load: the first press after a rejected entry does nothing; the next
    // one reads the file and lays the table out again.
    call.host.Script().fileAnswers.push_back(std::wstring(path));
    RunDialog({{L"Z", L"1", L"T1", L"9"}}, [&call](ScriptedLotDialog& d) {
        d.Grid.SkipNextLoad = 1;
        Click(d, IDC_LOAD);
        EXPECT_EQ(d.Grid.SkipNextLoad, 0);
        EXPECT_EQ(call.host.Script().fileRequests.size(), 1u) << "no file dialog";
        Click(d, IDC_LOAD);
        ASSERT_EQ(call.host.Script().fileRequests.size(), 2u);
        EXPECT_EQ(call.host.Script().fileRequests[1].flags, 0);
        EXPECT_EQ(d.Grid.GetRowCount(), 2);
        EXPECT_EQ(d.Grid.CellText(0, 0), L"A");
        EXPECT_EQ(d.Grid.CellText(0, 1), L"*");
    });
    EXPECT_TRUE(call.Alerts().empty());
}

TEST(LotTableDialogFile, CancelledFileDialogDoesNothingAndADamagedFileIsReported)
{
    ScriptedHostCall call;
    TemporaryPath path(L"lotgrid-dialog-damaged.tab");
    WriteAllBytes(path, {0x05, 0, 0, 0, 0, 0, 0, 0, 0xFF});

    call.host.Script().fileAnswers.push_back(std::nullopt);   // Cancel
    call.host.Script().fileAnswers.push_back(std::wstring(path));
    RunDialog({{L"Z", L"1", L"T1", L"9"}}, [](ScriptedLotDialog& d) {
        Click(d, IDC_LOAD);
        Click(d, IDC_LOAD);
        EXPECT_EQ(d.Grid.CellText(0, 0), L"Z") << "the table stays as it was";
        EXPECT_EQ(d.Grid.Results.GetSize(), 1);
    });
    ASSERT_EQ(call.Alerts().size(), 1u);
    EXPECT_EQ(call.Alerts()[0], std::wstring(L"File ") + static_cast<const wchar_t*>(path)
                                    + L" is damaged or is not a lot table file");
}
