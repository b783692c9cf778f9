#pragma once

#include "CString.h"

class CArchive;
class CFile;
class MyCug;

// The lot table file: the grid's Results, its layer entries (Layers, Counts,
// LayerUsed) and its TypeChoices, in the framework's archive encoding with
// no header and no trailer:
//   R (64-bit), R rows of four strings (Layer, Quantity, Type, Numbering),
//   L (64-bit), L entries of (layer name, count text, 32-bit used flag),
//   the type choices text.
class LotTableFile {
public:
    // Writes the table of `grid` to `path` through a new file beside it, of
    // a name no other file has, that replaces the old one only once it is
    // complete, so a failed save never destroys an earlier table. Answers an
    // empty text on success, else the message for the user: "could  not be
    // opened" when `path` cannot be written at all, another one when the
    // writing failed.
    static CString Save(const CString& path, const MyCug& grid);
    // Reads `path` into `grid`'s members; they change only when the whole
    // file was read. Answers an empty text on success, else the message.
    static CString Load(const CString& path, MyCug& grid);
    // The same for a file already open for reading; its path names it in
    // the message.
    static CString Load(CFile& file, MyCug& grid);

    static void Write(CArchive& ar, const MyCug& grid);
    // Takes strings with and without the Unicode tag. Throws
    // CArchiveException for data that ends early or cannot be a lot table.
    static void Read(CArchive& ar, MyCug& grid);

    // The drawing's path without its extension: "DWGPREFIX" followed by
    // "DWGNAME" less its last four characters, at most 259 characters.
    static CString DefaultPath(const CString& drawingFolder, const CString& drawingName);
};
