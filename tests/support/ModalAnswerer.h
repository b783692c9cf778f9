#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

// Answers the next modal dialogs and message boxes of this thread, in the
// order they first become active, by posting them the command of the given
// button; records what each one showed.
class ModalAnswerer {
public:
    struct Seen {
        std::wstring caption;
        std::wstring text;        // a message box's text, else ""
        int defaultButton = 0;
    };

    enum Which { AnyDialog, MessageBoxesOnly };

    explicit ModalAnswerer(std::vector<int> answers, Which which = AnyDialog);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    std::vector<Seen> seen;
    bool AllAnswered() const { return m_answers.empty(); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK AnswerPending(HWND, UINT, UINT_PTR timer, DWORD);
    void Activated(HWND window);

    HHOOK m_hook;
    std::vector<int> m_answers;
    Which m_which;
    std::set<HWND> m_known;
    std::vector<HWND> m_pending;
};
