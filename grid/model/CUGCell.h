#pragma once

#include "CObject.h"
#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class CUGCellFormat;
class CPen;
class CFont;
class CBitmap;

// One cell's content and appearance as it travels between the grid control,
// its data sources and its cell types. The record is sparse: each property
// has one bit in PropertyFlags, and a property whose bit is clear answers its
// default. Cells are built by layering records (column default, stored cell,
// format, style cell), so CopyInfoFrom/AddInfoFrom are the core operations.
//
// A cell owns its three strings and its extra-data buffer. The format, style
// cell, pen, font and bitmap it points to belong to others and must outlive it.
class CUGCell : public CObject {
public:
    // Property bits. Bits 18, 19, 20, 22 and 26 to 31 carry no property.
    static constexpr uint32_t PropText = 1u << 0;
    static constexpr uint32_t PropMask = 1u << 1;
    static constexpr uint32_t PropLabel = 1u << 2;
    static constexpr uint32_t PropDataType = 1u << 3;
    static constexpr uint32_t PropParam = 1u << 4;
    static constexpr uint32_t PropCellType = 1u << 5;
    static constexpr uint32_t PropCellTypeEx = 1u << 6;
    static constexpr uint32_t PropTextColor = 1u << 7;
    static constexpr uint32_t PropBackColor = 1u << 8;
    static constexpr uint32_t PropHighlightTextColor = 1u << 9;
    static constexpr uint32_t PropHighlightBackColor = 1u << 10;
    static constexpr uint32_t PropBorder = 1u << 11;
    static constexpr uint32_t PropBorderPen = 1u << 12;
    static constexpr uint32_t PropFont = 1u << 13;
    static constexpr uint32_t PropBitmap = 1u << 14;
    static constexpr uint32_t PropAlignment = 1u << 15;
    static constexpr uint32_t PropExtraData = 1u << 16;
    static constexpr uint32_t PropJoinInfo = 1u << 17;
    static constexpr uint32_t PropFormat = 1u << 21;
    static constexpr uint32_t PropStyleCell = 1u << 23;
    static constexpr uint32_t PropReadOnly = 1u << 24;
    static constexpr uint32_t PropDecimals = 1u << 25;

    // Values of DataType.
    static constexpr unsigned short DataTypeText = 1;
    static constexpr unsigned short DataTypeNumber = 2;
    static constexpr unsigned short DataTypeBool = 3;

    CUGCell();
    ~CUGCell() override;
    // Copies carry exactly the properties set in the source (CopyInfoFrom).
    CUGCell(const CUGCell& other);
    CUGCell& operator=(const CUGCell& other);

    void ClearAll();

    uint32_t GetPropertyFlags() const { return PropertyFlags; }
    void SetPropertyFlags(uint32_t flags) { PropertyFlags = flags; }
    int IsPropertySet(uint32_t mask) const { return (PropertyFlags & mask) != 0; }
    int ClearProperty(uint32_t mask);

    // Text, mask and label: the pointer getters answer null when the property
    // is not set; the copying getters then answer 1 and leave the string alone.
    int SetText(const wchar_t* text);
    int AppendText(const wchar_t* text);
    const wchar_t* GetText() const;
    int GetText(CString* text) const;
    int GetTextLength() const;

    int SetMask(const wchar_t* mask);
    const wchar_t* GetMask() const;
    int GetMask(CString* mask) const;

    int SetLabel(const wchar_t* label);
    const wchar_t* GetLabel() const;
    int GetLabel(CString* label) const;

    // Typed values written as text.
    int SetNumber(double number);
    int SetBool(int state);

    // Numeric views of the text: 1 (output untouched) when no text is set.
    int GetNumber(int* number) const;
    int GetNumber(long* number) const;
    int GetNumber(float* number) const;
    int GetNumber(double* number) const;
    double GetNumber() const;
    int GetBool() const;

    int SetDataType(unsigned short type);
    unsigned short GetDataType() const;
    int SetReadOnly(int state);
    int GetReadOnly() const;
    int SetParam(long param);
    long GetParam() const;
    int SetDecimals(short decimals);
    short GetDecimals() const;
    int SetCellType(int index);
    int GetCellType() const;
    int SetCellTypeEx(long style);
    long GetCellTypeEx() const;

    int SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    int SetBackColor(COLORREF color);
    COLORREF GetBackColor() const;
    int SetHighlightTextColor(COLORREF color);
    COLORREF GetHighlightTextColor() const;
    int SetHighlightBackColor(COLORREF color);
    COLORREF GetHighlightBackColor() const;

    int SetBorder(unsigned short border);
    unsigned short GetBorder() const;
    int SetBorderColor(CPen* pen);
    CPen* GetBorderColor() const;
    int SetFont(CFont* font);
    CFont* GetFont() const;
    int SetBitmap(CBitmap* bitmap);
    CBitmap* GetBitmap() const;
    int SetAlignment(unsigned short alignment);
    unsigned short GetAlignment() const;

    int SetFormat(CUGCellFormat* format);
    CUGCellFormat* GetFormat() const;
    int SetStyleCell(CUGCell* style);
    CUGCell* GetStyleCell() const;

    int SetJoinInfo(short origin, int colOffset, long rowOffset);
    int GetJoinInfo(short* origin, int* colOffset, long* rowOffset) const;

    void* AllocExtraData(long size);
    int ClearExtraData();
    void* GetExtraData() const;
    long GetExtraDataSize() const;

    // Copy: the target's property set becomes the source's. Add (overlay):
    // the target keeps what only it has and takes everything the source sets.
    int CopyInfoFrom(const CUGCell* source);
    int CopyInfoTo(CUGCell* target) const;
    int AddInfoFrom(const CUGCell* source);
    int AddInfoTo(CUGCell* target) const;

private:
    // Copies the value of every property whose bit is set in source.
    void CopyValuesFrom(const CUGCell& source);

    uint32_t PropertyFlags = 0;
    CUGCellFormat* Format = nullptr;
    CUGCell* StyleCell = nullptr;
    CString Text;
    CString Mask;
    CString Label;
    unsigned short DataType = DataTypeText;
    int ReadOnly = 0;
    long Param = -1;
    short Decimals = 0;
    int CellType = -1;
    long CellTypeEx = -1;
    COLORREF TextColor = 0;
    COLORREF BackColor = 0;
    COLORREF HighlightTextColor = 0;
    COLORREF HighlightBackColor = 0;
    unsigned short Border = 0;
    CPen* BorderPen = nullptr;
    CFont* Font = nullptr;
    CBitmap* Bitmap = nullptr;
    unsigned short Alignment = 0;
    std::unique_ptr<BYTE[]> ExtraData;
    long ExtraDataSize = 0;
    short JoinOrigin = 0;
    long JoinRowOffset = -1;
    int JoinColOffset = -1;
};
