#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Drawing.h"
#include "DrawingScene.h"

// A drawing command that cannot be carried out; the message is what the
// user reads after "; error: ".
class HostCommandError : public std::runtime_error {
public:
    explicit HostCommandError(std::wstring message)
        : std::runtime_error("command failed"), m_message(std::move(message)) {}
    const std::wstring& Message() const { return m_message; }

private:
    std::wstring m_message;
};

// The one drawing of the host's session: its file name (DWGPREFIX and
// DWGNAME), its contents, and the picture of it that the drawing window
// paints, made anew when the contents changed.
//
// A DXF file is read whole; a .dwg name (a closed format) or a file that
// could not be read gives an empty drawing of that name. A drawing that
// could not be read is not saved over its file by QSAVE.
class HostDrawing {
public:
    HostDrawing();

    // An empty drawing named after `path` (not read).
    void SetEmpty(const std::wstring& path);
    // Reads the DXF file `path`; throws DxfReadError, after which the
    // drawing is empty and named after `path`.
    void Open(const std::wstring& path);
    // QSAVE: the drawing to its own file, the previous file kept as NAME.bak.
    void Save();
    // SAVEAS: the drawing to `path`, which it is named after from now on.
    void SaveAs(const std::wstring& path);

    const std::wstring& Prefix() const { return m_prefix; }
    const std::wstring& Name() const { return m_name; }
    std::wstring Path() const { return m_prefix + m_name; }

    Drawing& Contents() { return *m_drawing; }
    const DrawingScene& Scene();
    // Changes whenever the contents change or another drawing is opened.
    unsigned Revision() const { return m_base + m_drawing->Revision(); }

private:
    void Name(const std::wstring& path);
    void Write(const std::wstring& path, const std::wstring& backup);

    std::unique_ptr<Drawing> m_drawing;
    std::unique_ptr<DrawingScene> m_scene;
    unsigned m_sceneRevision = 0;
    unsigned m_base = 0;   // raised for every drawing opened, so that Revision never repeats
    std::wstring m_prefix;
    std::wstring m_name;
    bool m_readFailed = false;
};
