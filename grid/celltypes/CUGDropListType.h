#pragma once

#include "CBrush.h"
#include "CPen.h"
#include "CUGCellType.h"
#include "CUGLstBox.h"

#include <memory>

class CStringArray;

// The drop-list cell type: the cell shows its text with a button carrying a
// down arrow at its right edge. A press on the cell, Enter, or Ctrl+Down
// opens a list below the cell with the choices of the cell's Label (each
// choice ended by a line feed); choosing one writes it into the cell's Text.
// With the extended style 0x200 only the current cell shows the button.
//
// The owner hears of the list through NotifyCellTypeEvent: DropListOpening
// with the choices (a CStringArray* it may change before they are shown) and
// DropListChosen with the chosen text (a CString*; answering 0 refuses it,
// and a changed text is what gets written).
//
// DropCol and DropRow name the cell whose list is open or was opened last:
// -1 none, -2 the list just closed because the user clicked away, so that
// the press that closed it does not open it again.
class CUGDropListType : public CUGCellType {
public:
    enum Event : long {
        DropListOpening = 100,
        DropListChosen = 101,
    };
    static constexpr long StyleButtonOnCurrentOnly = 0x200;
    static constexpr UINT IdList = 123;

    CUGDropListType();
    ~CUGDropListType() override;

    const wchar_t* GetName() override;
    const GUID* GetTypeId() override;
    int GetEditArea(RECT* editRect) override;
    int OnLeftClick(int col, long row, int isDown, const RECT* cellRect,
                    const POINT* point) override;
    int OnDoubleClick(int col, long row, const RECT* cellRect, const POINT* point) override;
    int OnKeyDown(int col, long row, UINT* virtualKey) override;
    int OnCharDown(int col, long row, UINT* character) override;
    int OnMouseMove(int col, long row, POINT* point, UINT keyFlags) override;
    void OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selected,
                int current) override;
    void OnCellKillFocus(int col, long row, CUGCell* cell) override;

    // Opens the list of the current cell; 1 when a list was open already.
    int ShowDropList();

    // The choices of a label: each line feed ends one; text after the last
    // line feed is no choice.
    static void SplitChoices(const wchar_t* label, CStringArray& choices);
    // Where the list of `count` choices with items `itemHeight` high goes for
    // a cell at `cell`, kept inside `client` (both in cell area coordinates).
    static RECT DropListRect(const RECT& cell, const RECT& client, int itemHeight, int count);

    int GetDropCol() const { return DropCol; }
    int GetDropRow() const { return DropRow; }
    int IsButtonPressed() const { return ButtonPressed; }
    int GetButtonWidth() const { return ButtonWidth; }
    CUGLstBox* GetListBox() const { return ListBox.get(); }

protected:
    int ButtonWidth;
    int ButtonPressed = 0;
    RECT ButtonRect{};
    int DropCol = -1;
    int DropRow = -1;
    CPen ButtonPen;
    CBrush ButtonBrush;
    std::unique_ptr<CUGLstBox> ListBox;

private:
    void DestroyList();
};
