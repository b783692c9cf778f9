#include "CDialog.h"
#include "CDynLinkLibrary.h"
#include "CEdit.h"
#include "CFont.h"
#include "TestDialogs.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The tests' resource module, loaded once.
HMODULE TestResources()
{
    static HMODULE module = LoadLibraryW(L"platform_test_resources.dll");
    return module;
}

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_DIALOG) {}

    CEdit edit;
    std::wstring fontFace;
    bool initialized = false;
    bool editBoundAtInit = false;
    CRect mappedTemplate;
    CRect client;
    std::vector<std::string> calls;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_TEST_EDIT, edit);
    }
    void OnSetFont(CFont* font) override
    {
        LOGFONTW lf{};
        if (font && ::GetObjectW(font->m_hObject, sizeof(lf), &lf))
            fontFace = lf.lfFaceName;
        CDialog::OnSetFont(font);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        initialized = true;
        editBoundAtInit = edit.m_hWnd == ::GetDlgItem(m_hWnd, IDC_TEST_EDIT);
        mappedTemplate = CRect(0, 0, 200, 100);
        MapDialogRect(&mappedTemplate);
        GetClientRect(&client);
        PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_FINISH, BN_CLICKED),
                    reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDC_TEST_FINISH)));
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_TEST_FINISH) {
            calls.push_back("finish");
            EndDialog(42);
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
    void OnCancel() override
    {
        calls.push_back("cancel");
        CDialog::OnCancel();
    }
};

} // namespace

TEST(CDialogModal, TemplateFromResourceModuleEndsWithPostedCommandsValue)
{
    ASSERT_NE(TestResources(), nullptr);
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(TestResources());

    TestDialog dialog;
    INT_PTR result = dialog.DoModal();
    AfxSetResourceHandle(previous);

    EXPECT_EQ(result, 42);
    EXPECT_TRUE(dialog.initialized);
    EXPECT_TRUE(dialog.editBoundAtInit) << "DoDataExchange binds controls in OnInitDialog";
    EXPECT_EQ(dialog.fontFace, L"MS Sans Serif");
    EXPECT_EQ(dialog.calls, std::vector<std::string>({"finish"}));
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the ended dialog is detached";
    EXPECT_EQ(dialog.edit.m_hWnd, nullptr);

    // The template's size in dialog units is the client area.
    EXPECT_GT(dialog.mappedTemplate.Width(), 200);
    EXPECT_EQ(dialog.mappedTemplate.Width(), dialog.client.Width());
    EXPECT_EQ(dialog.mappedTemplate.Height(), dialog.client.Height());
}

TEST(CDialogModal, TemplateIsFoundThroughTheExtensionChain)
{
    ASSERT_NE(TestResources(), nullptr);
    ASSERT_EQ(FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_TEST_DIALOG),
                            MAKEINTRESOURCEW(5)),
              nullptr) << "the program itself has no such template";

    AFX_EXTENSION_MODULE extension;
    ASSERT_TRUE(AfxInitExtensionModule(extension, TestResources()));
    EXPECT_TRUE(AfxInitExtensionModule(extension, TestResources())) << "once is enough";
    {
        CDynLinkLibrary library(extension);
        TestDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 42);
    }
    AfxTermExtensionModule(extension);
    EXPECT_FALSE(extension.bInitialized);

    TestDialog dialog;
    EXPECT_EQ(dialog.DoModal(), -1) << "without the chain the template is not found";
}

TEST(CDialogModal, CancelCommandReachesOnCancelAndEndsWithIdCancel)
{
    AfxSetResourceHandle(TestResources());
    struct CancelledDialog : TestDialog {
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDCANCEL)));
            return TRUE;
        }
    } dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.calls, std::vector<std::string>({"cancel"}));
    AfxSetResourceHandle(nullptr);
}
