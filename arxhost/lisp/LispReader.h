#pragma once

#include <string>

#include "LispValue.h"

// Reads AutoLISP forms from text: integers, reals, strings with their escapes,
// symbols, lists, dotted pairs, 'quote, and comments (";" to the end of the
// line, ";|" to "|;").
class LispReader {
public:
    explicit LispReader(std::wstring text);

    // Reads the next form into `form`; false when only blanks and comments are
    // left. A malformed form throws LispReadError after the reader has moved
    // past it, so the next call reads the form behind it.
    bool Read(LispRef& form);

private:
    // `nesting` counts the open lists and quotes around the form, `parens`
    // the open lists only (what must be skipped after an error).
    LispRef ReadForm(int nesting, int parens);
    LispRef ReadList(int nesting, int parens);
    LispRef ReadString();
    LispRef ReadAtom();
    void SkipBlanks();
    void SkipToEndOfForm(int parens);
    bool AtEnd() const { return m_pos >= m_text.size(); }
    wchar_t Peek() const { return m_text[m_pos]; }

    std::wstring m_text;
    size_t m_pos = 0;
};
