#include "CUGCell.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

CUGCell::CUGCell() = default;

CUGCell::~CUGCell() = default;

CUGCell::CUGCell(const CUGCell& other) : CObject(other)
{
    CopyInfoFrom(&other);
}

CUGCell& CUGCell::operator=(const CUGCell& other)
{
    CopyInfoFrom(&other);
    return *this;
}

// Leaves the values of the numeric properties at -1 so that a cell whose flags
// are later set wholesale (SetPropertyFlags) shows they were never written.
void CUGCell::ClearAll()
{
    PropertyFlags = 0;
    Text.Empty();
    Label.Empty();
    ExtraData.reset();
    ExtraDataSize = 0;
    Param = -1;
    CellType = -1;
    CellTypeEx = -1;
    JoinRowOffset = -1;
    JoinColOffset = -1;
}

int CUGCell::ClearProperty(uint32_t mask)
{
    PropertyFlags &= ~mask;
    return 0;
}

// --- Text, mask, label ---------------------------------------------------

int CUGCell::SetText(const wchar_t* text)
{
    Text = text ? text : L"";
    DataType = DataTypeText;
    PropertyFlags |= PropText | PropDataType;
    return 0;
}

int CUGCell::AppendText(const wchar_t* text)
{
    if (!(PropertyFlags & PropText))
        return 1;
    if (text)
        Text += text;
    DataType = DataTypeText;
    PropertyFlags |= PropDataType;
    return 0;
}

const wchar_t* CUGCell::GetText() const
{
    return (PropertyFlags & PropText) ? Text.GetString() : nullptr;
}

int CUGCell::GetText(CString* text) const
{
    if (!(PropertyFlags & PropText) || !text)
        return 1;
    *text = Text;
    return 0;
}

int CUGCell::GetTextLength() const
{
    return (PropertyFlags & PropText) ? Text.GetLength() : 0;
}

int CUGCell::SetMask(const wchar_t* mask)
{
    Mask = mask ? mask : L"";
    PropertyFlags |= PropMask;
    return 0;
}

const wchar_t* CUGCell::GetMask() const
{
    return (PropertyFlags & PropMask) ? Mask.GetString() : nullptr;
}

int CUGCell::GetMask(CString* mask) const
{
    if (!(PropertyFlags & PropMask) || !mask)
        return 1;
    *mask = Mask;
    return 0;
}

int CUGCell::SetLabel(const wchar_t* label)
{
    Label = label ? label : L"";
    PropertyFlags |= PropLabel;
    return 0;
}

const wchar_t* CUGCell::GetLabel() const
{
    return (PropertyFlags & PropLabel) ? Label.GetString() : nullptr;
}

int CUGCell::GetLabel(CString* label) const
{
    if (!(PropertyFlags & PropLabel) || !label)
        return 1;
    *label = Label;
    return 0;
}

// --- Typed values ----------------------------------------------------------

int CUGCell::SetNumber(double number)
{
    CString format(L"%lf");
    if (PropertyFlags & PropDecimals)
        format.Format(L"%%1.%dlf", static_cast<int>(Decimals));
    Text.Format(format, number);
    DataType = DataTypeNumber;
    PropertyFlags |= PropText | PropDataType;
    return 0;
}

int CUGCell::SetBool(int state)
{
    Text = state ? L"1" : L"0";
    DataType = DataTypeBool;
    PropertyFlags |= PropText | PropDataType;
    return 0;
}

int CUGCell::GetNumber(int* number) const
{
    if (!(PropertyFlags & PropText) || !number)
        return 1;
    *number = _wtoi(Text);
    return 0;
}

int CUGCell::GetNumber(long* number) const
{
    if (!(PropertyFlags & PropText) || !number)
        return 1;
    *number = _wtol(Text);
    return 0;
}

int CUGCell::GetNumber(float* number) const
{
    if (!(PropertyFlags & PropText) || !number)
        return 1;
    *number = static_cast<float>(wcstod(Text, nullptr));
    return 0;
}

int CUGCell::GetNumber(double* number) const
{
    if (!(PropertyFlags & PropText) || !number)
        return 1;
    *number = wcstod(Text, nullptr);
    return 0;
}

double CUGCell::GetNumber() const
{
    return (PropertyFlags & PropText) ? wcstod(Text, nullptr) : 0.0;
}

int CUGCell::GetBool() const
{
    if (!(PropertyFlags & PropText) || Text.IsEmpty())
        return 0;
    if (Text[0] == L'T' || Text[0] == L't')
        return 1;
    return _wtol(Text) != 0;
}

// --- Plain properties --------------------------------------------------------

int CUGCell::SetDataType(unsigned short type)
{
    DataType = type;
    PropertyFlags |= PropDataType;
    return 0;
}

unsigned short CUGCell::GetDataType() const
{
    return (PropertyFlags & PropDataType) ? DataType : DataTypeText;
}

int CUGCell::SetReadOnly(int state)
{
    ReadOnly = state ? 1 : 0;
    PropertyFlags |= PropReadOnly;
    return 0;
}

int CUGCell::GetReadOnly() const
{
    return (PropertyFlags & PropReadOnly) ? ReadOnly : 0;
}

int CUGCell::SetParam(long param)
{
    Param = param;
    PropertyFlags |= PropParam;
    return 0;
}

long CUGCell::GetParam() const
{
    return (PropertyFlags & PropParam) ? Param : 0;
}

int CUGCell::SetDecimals(short decimals)
{
    Decimals = decimals;
    PropertyFlags |= PropDecimals;
    return 0;
}

short CUGCell::GetDecimals() const
{
    return (PropertyFlags & PropDecimals) ? Decimals : 0;
}

int CUGCell::SetCellType(int index)
{
    CellType = index;
    PropertyFlags |= PropCellType;
    return 0;
}

int CUGCell::GetCellType() const
{
    return (PropertyFlags & PropCellType) ? CellType : 0;
}

int CUGCell::SetCellTypeEx(long style)
{
    CellTypeEx = style;
    PropertyFlags |= PropCellTypeEx;
    return 0;
}

long CUGCell::GetCellTypeEx() const
{
    return (PropertyFlags & PropCellTypeEx) ? CellTypeEx : 0;
}

// Unset colours follow the system's current scheme, so they are read at the
// time of the call rather than kept.
int CUGCell::SetTextColor(COLORREF color)
{
    TextColor = color;
    PropertyFlags |= PropTextColor;
    return 0;
}

COLORREF CUGCell::GetTextColor() const
{
    return (PropertyFlags & PropTextColor) ? TextColor : GetSysColor(COLOR_WINDOWTEXT);
}

int CUGCell::SetBackColor(COLORREF color)
{
    BackColor = color;
    PropertyFlags |= PropBackColor;
    return 0;
}

COLORREF CUGCell::GetBackColor() const
{
    return (PropertyFlags & PropBackColor) ? BackColor : GetSysColor(COLOR_WINDOW);
}

int CUGCell::SetHighlightTextColor(COLORREF color)
{
    HighlightTextColor = color;
    PropertyFlags |= PropHighlightTextColor;
    return 0;
}

COLORREF CUGCell::GetHighlightTextColor() const
{
    return (PropertyFlags & PropHighlightTextColor) ? HighlightTextColor
                                                    : GetSysColor(COLOR_HIGHLIGHTTEXT);
}

int CUGCell::SetHighlightBackColor(COLORREF color)
{
    HighlightBackColor = color;
    PropertyFlags |= PropHighlightBackColor;
    return 0;
}

COLORREF CUGCell::GetHighlightBackColor() const
{
    return (PropertyFlags & PropHighlightBackColor) ? HighlightBackColor
                                                    : GetSysColor(COLOR_HIGHLIGHT);
}

int CUGCell::SetBorder(unsigned short border)
{
    Border = border;
    PropertyFlags |= PropBorder;
    return 0;
}

unsigned short CUGCell::GetBorder() const
{
    return (PropertyFlags & PropBorder) ? Border : 0;
}

int CUGCell::SetBorderColor(CPen* pen)
{
    BorderPen = pen;
    PropertyFlags |= PropBorderPen;
    return 0;
}

CPen* CUGCell::GetBorderColor() const
{
    return (PropertyFlags & PropBorderPen) ? BorderPen : nullptr;
}

int CUGCell::SetFont(CFont* font)
{
    Font = font;
    PropertyFlags |= PropFont;
    return 0;
}

CFont* CUGCell::GetFont() const
{
    return (PropertyFlags & PropFont) ? Font : nullptr;
}

// A null bitmap means "no bitmap": the property is dropped rather than set
// to a null that would hide a bitmap of a lower layer.
int CUGCell::SetBitmap(CBitmap* bitmap)
{
    Bitmap = bitmap;
    if (bitmap)
        PropertyFlags |= PropBitmap;
    else
        PropertyFlags &= ~PropBitmap;
    return 0;
}

CBitmap* CUGCell::GetBitmap() const
{
    return (PropertyFlags & PropBitmap) ? Bitmap : nullptr;
}

int CUGCell::SetAlignment(unsigned short alignment)
{
    Alignment = alignment;
    PropertyFlags |= PropAlignment;
    return 0;
}

unsigned short CUGCell::GetAlignment() const
{
    return (PropertyFlags & PropAlignment) ? Alignment : 0;
}

int CUGCell::SetFormat(CUGCellFormat* format)
{
    if (!format)
        return 1;
    Format = format;
    PropertyFlags |= PropFormat;
    return 0;
}

CUGCellFormat* CUGCell::GetFormat() const
{
    return (PropertyFlags & PropFormat) ? Format : nullptr;
}

int CUGCell::SetStyleCell(CUGCell* style)
{
    StyleCell = style;
    PropertyFlags |= PropStyleCell;
    return 0;
}

CUGCell* CUGCell::GetStyleCell() const
{
    return (PropertyFlags & PropStyleCell) ? StyleCell : nullptr;
}

// --- Join information ---------------------------------------------------------

int CUGCell::SetJoinInfo(short origin, int colOffset, long rowOffset)
{
    JoinOrigin = origin;
    JoinColOffset = colOffset;
    JoinRowOffset = rowOffset;
    PropertyFlags |= PropJoinInfo;
    return 0;
}

int CUGCell::GetJoinInfo(short* origin, int* colOffset, long* rowOffset) const
{
    if (!(PropertyFlags & PropJoinInfo))
        return 1;
    if (origin)
        *origin = JoinOrigin;
    if (colOffset)
        *colOffset = JoinColOffset;
    if (rowOffset)
        *rowOffset = JoinRowOffset;
    return 0;
}

// --- Extra data -------------------------------------------------------------------

void* CUGCell::AllocExtraData(long size)
{
    ExtraData.reset();
    ExtraDataSize = 0;
    PropertyFlags &= ~PropExtraData;
    if (size < 0)
        return nullptr;
    ExtraData.reset(new (std::nothrow) BYTE[static_cast<size_t>(size)]);
    if (!ExtraData)
        return nullptr;
    ExtraDataSize = size;
    PropertyFlags |= PropExtraData;
    return ExtraData.get();
}

int CUGCell::ClearExtraData()
{
    PropertyFlags &= ~PropExtraData;
    ExtraData.reset();
    ExtraDataSize = 0;
    return 0;
}

void* CUGCell::GetExtraData() const
{
    return (PropertyFlags & PropExtraData) ? ExtraData.get() : nullptr;
}

long CUGCell::GetExtraDataSize() const
{
    return (PropertyFlags & PropExtraData) ? ExtraDataSize : 0;
}

// --- Copy and overlay -----------------------------------------------------------

int CUGCell::CopyInfoFrom(const CUGCell* source)
{
    if (!source)
        return 1;
    if (source == this)
        return 0;
    PropertyFlags = source->PropertyFlags;
    CopyValuesFrom(*source);
    return 0;
}

int CUGCell::CopyInfoTo(CUGCell* target) const
{
    return target ? target->CopyInfoFrom(this) : 1;
}

int CUGCell::AddInfoFrom(const CUGCell* source)
{
    if (!source)
        return 1;
    if (source == this)
        return 0;
    PropertyFlags |= source->PropertyFlags;
    CopyValuesFrom(*source);
    return 0;
}

int CUGCell::AddInfoTo(CUGCell* target) const
{
    return target ? target->AddInfoFrom(this) : 1;
}

void CUGCell::CopyValuesFrom(const CUGCell& source)
{
    const uint32_t set = source.PropertyFlags;
    if (set & PropText)
        Text = source.Text;
    if (set & PropMask)
        Mask = source.Mask;
    if (set & PropLabel)
        Label = source.Label;
    if (set & PropFormat)
        Format = source.Format;
    if (set & PropStyleCell)
        StyleCell = source.StyleCell;
    if (set & PropDataType)
        DataType = source.DataType;
    if (set & PropParam)
        Param = source.Param;
    if (set & PropCellType)
        CellType = source.CellType;
    if (set & PropCellTypeEx)
        CellTypeEx = source.CellTypeEx;
    if (set & PropTextColor)
        TextColor = source.TextColor;
    if (set & PropBackColor)
        BackColor = source.BackColor;
    if (set & PropHighlightTextColor)
        HighlightTextColor = source.HighlightTextColor;
    if (set & PropHighlightBackColor)
        HighlightBackColor = source.HighlightBackColor;
    if (set & PropBorder)
        Border = source.Border;
    if (set & PropBorderPen)
        BorderPen = source.BorderPen;
    if (set & PropFont)
        Font = source.Font;
    if (set & PropBitmap)
        Bitmap = source.Bitmap;
    if (set & PropAlignment)
        Alignment = source.Alignment;
    if (set & PropJoinInfo) {
        JoinOrigin = source.JoinOrigin;
        JoinRowOffset = source.JoinRowOffset;
        JoinColOffset = source.JoinColOffset;
    }
    if (set & PropDecimals)
        Decimals = source.Decimals;
    if (set & PropReadOnly)
        ReadOnly = source.ReadOnly;
    if (set & PropExtraData) {
        // A deep copy: each cell frees its own buffer. When the allocation
        // fails the target simply has no buffer and the rest is still copied.
        ExtraData.reset();
        ExtraDataSize = 0;
        if (source.ExtraData && source.ExtraDataSize >= 0) {
            const size_t size = static_cast<size_t>(source.ExtraDataSize);
            ExtraData.reset(new (std::nothrow) BYTE[size]);
            if (ExtraData) {
                std::memcpy(ExtraData.get(), source.ExtraData.get(), size);
                ExtraDataSize = source.ExtraDataSize;
            }
        }
    }
}
