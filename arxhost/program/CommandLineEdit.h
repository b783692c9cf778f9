#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CEdit.h"

// The command line: a one-line edit that hands its text to the owner's line
// handler on Enter (and empties itself first), and recalls the remembered
// lines with Up (earlier) and Down (later, then an empty line). Every other
// key is the edit control's.
class CommandLineEdit : public CEdit {
public:
    using LineHandler = std::function<void(const std::wstring&)>;

    // Creates the edit as a child of `parent`; its position comes later.
    bool Create(CWnd* parent);
    void SetLineHandler(LineHandler handler) { m_onLine = std::move(handler); }
    // Adds a line to those Up and Down recall; recalling starts after it.
    void Remember(const std::wstring& line);

protected:
    void OnKeyDown(UINT ch, UINT repeatCount, UINT flags) override;
    void OnChar(UINT ch, UINT repeatCount, UINT flags) override;

private:
    void Enter();
    void Recall(UINT key);

    LineHandler m_onLine;
    std::vector<std::wstring> m_lines;   // remembered lines, oldest first
    size_t m_recall = 0;                 // position while recalling
};
