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

    explicit ModalAnswerer(std::vector<int> answers);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    std::vector<Seen> seen;
    bool AllAnswered() const { return m_answers.empty(); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Activated(HWND window);

    HHOOK m_hook;
    std::vector<int> m_answers;
    std::set<HWND> m_known;
};
