#pragma once

#include "LotGridDriver.h"
#include "TabaGrid2.h"

#include <windows.h>

#include <functional>

// The lot table dialog run on a table with a script that starts once its
// modal loop runs, on a screen of the size the test gives ({0, 0}: the real
// one), answering its cancel question with `confirmation` (0: the real
// message box) and recording the cancel flag at each question.
class ScriptedLotDialog : public TabaGrid2 {
public:
    CSize screen{0, 0};
    CRect windowBeforeShrink;
    int confirmation = 0;
    std::vector<int> cancellingWhenAsked;

    // The script ends the dialog.
    int Run(const LayerCounts& layers, const std::vector<MyCug::RecordResult>& rows,
            std::function<void(ScriptedLotDialog&)> script)
    {
        FillLotTable(Grid, layers, rows);
        m_script = std::move(script);
        ActiveLotDialog = this;
        const int result = static_cast<int>(DoModal());
        ActiveLotDialog = nullptr;
        return result;
    }
    void Click(int id)
    {
        SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, id)));
    }

protected:
    static constexpr UINT kRunScript = WM_APP + 1;

    BOOL OnInitDialog() override
    {
        const BOOL result = TabaGrid2::OnInitDialog();
        PostMessage(kRunScript);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kRunScript)
            return TabaGrid2::WindowProc(message, wParam, lParam);
        m_script(*this);
        return 0;
    }
    CSize GetScreenSize() override
    {
        GetWindowRect(&windowBeforeShrink);
        return screen.cx ? screen : TabaGrid2::GetScreenSize();
    }
    int AskCancelConfirmation() override
    {
        cancellingWhenAsked.push_back(DialogCancelling);
        return confirmation ? confirmation : TabaGrid2::AskCancelConfirmation();
    }

private:
    std::function<void(ScriptedLotDialog&)> m_script;
};
