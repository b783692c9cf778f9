#pragma once

#include "CUGDataSource.h"
#include "CUGMem.h"

#include <string>

// The demo's data: cell (c, r) reads as its column letters and row number
// ("C17" for column 2, row 16), column headings as the letters, row headings
// as the numbers. The texts are made when the grid asks for them, so a
// million rows cost neither memory nor start-up time. Cells the user changes
// are kept in a memory source layered over the computed ones; a stored cell
// is wholly the user's, so a cell that a cut emptied stays empty.
class DemoDataSource : public CUGDataSource {
public:
    // "A" .. "Z", "AA", "AB", ... as a spreadsheet names its columns.
    static std::wstring ColumnLetters(int col);

    int GetCell(int col, long row, CUGCell* cell) override;
    int SetCell(int col, long row, CUGCell* cell) override;
    int DeleteCell(int col, long row) override;
    // Searches the texts as the grid shows them, the computed and the
    // stored ones, in the memory source's order and with its flags.
    int FindFirst(CString* text, int* col, long* row, int flags) override;
    int FindNext(CString* text, int* col, long* row, int flags) override;
    int GetPrevNonBlankCol(int* col, long row) override;

    // The cells of this column also carry their name as their label, for a
    // cell type that shows the label instead of the text (the check box).
    void SetNamedLabelColumn(int col) { m_namedLabelColumn = col; }

private:
    // The text that data cell (col, row) shows, into a buffer the search
    // reuses from cell to cell; false for a stored cell without a text (a
    // cut one), which no search finds, as in the memory source.
    bool ShownText(int col, long row, std::wstring& text);

    CUGMem m_edits;
    CUGCell m_scratch;
    int m_namedLabelColumn = -2;
};
