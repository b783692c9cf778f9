#include "AfxResource.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CFont.h"
#include "TestDialogs.h"

#include <gtest/gtest.h>

namespace {
// Clicks `post` once set up (Finish ends it with 42), recording what it saw.
struct TestDialog : CDialog {
    UINT post = IDC_TEST_FINISH;
    CEdit edit;
    bool editBound = false;
    std::wstring calls;
    TestDialog() : CDialog(IDD_TEST_DIALOG) {}
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TEST_EDIT, edit); }
    void OnSetFont(CFont* font) override
    {
        LOGFONTW lf{};
        if (font && font->GetLogFont(&lf))
            calls += lf.lfFaceName + std::wstring(L" ");
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        editBound = edit.m_hWnd == ::GetDlgItem(m_hWnd, IDC_TEST_EDIT);
        PostMessage(WM_COMMAND, MAKEWPARAM(post, BN_CLICKED),
                    reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, post)));
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) != IDC_TEST_FINISH)
            return CDialog::OnCommand(wParam, lParam);
        calls += L"finish";
        EndDialog(42);
        return TRUE;
    }
    void OnCancel() override
    {
        calls += L"cancel";
        CDialog::OnCancel();
    }
};
} // namespace

// The template and its font come from the resource module; controls are
// bound in OnInitDialog; a posted command ends the dialog with its value.
TEST(CDialogModal, TemplateFromResourceModuleEndsWithPostedCommandsValue)
{
    HMODULE resources = LoadLibraryW(L"platform_test_resources.dll");
    ASSERT_NE(resources, nullptr);
    AfxSetResourceHandle(resources);
    TestDialog dialog, cancelled;
    cancelled.post = IDCANCEL;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(dialog.calls + L"|" + cancelled.calls, L"MS Sans Serif finish|MS Sans Serif cancel");
    EXPECT_TRUE(dialog.editBound && dialog.m_hWnd == nullptr && dialog.edit.m_hWnd == nullptr);
    EXPECT_EQ(TestDialog().DoModal(), -1) << "without the module the template is not found";
    FreeLibrary(resources);
}
