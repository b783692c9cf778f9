#include "HostDrawing.h"

#include <windows.h>

#include <cwctype>

#include "DxfReadError.h"

namespace {

std::wstring Extension(const std::wstring& name)
{
    size_t dot = name.find_last_of(L'.');
    std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot);
    for (wchar_t& ch : extension)
        ch = static_cast<wchar_t>(std::towlower(ch));
    return extension;
}

}  // namespace

HostDrawing::HostDrawing() : m_drawing(std::make_unique<Drawing>())
{
    Name(L"Drawing1.dwg");
}

void HostDrawing::Name(const std::wstring& path)
{
    // The folder is absolute and ends in a separator, as DWGPREFIX does.
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    if (size) {
        DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
        full.resize(length);
    } else {
        full = path;
    }
    size_t slash = full.find_last_of(L"\\/");
    m_prefix = slash == std::wstring::npos ? L"" : full.substr(0, slash + 1);
    m_name = slash == std::wstring::npos ? full : full.substr(slash + 1);
}

void HostDrawing::SetEmpty(const std::wstring& path)
{
    Name(path);
    m_base = Revision() + 1;
    m_drawing = std::make_unique<Drawing>();
    m_scene.reset();
    m_readFailed = false;
}

void HostDrawing::Open(const std::wstring& path)
{
    SetEmpty(path);
    try {
        m_drawing = Drawing::Open(path);
    } catch (const DxfReadError&) {
        m_readFailed = true;
        throw;
    }
}

void HostDrawing::Write(const std::wstring& path, const std::wstring& backup)
{
    const DrawingScene::Box& box = Scene().Extents();
    if (!box.empty)
        m_drawing->SetExtents(box.minX, box.minY, box.maxX, box.maxY);
    try {
        m_drawing->Save(path, backup);
    } catch (const DxfWriteError& failure) {
        throw HostCommandError(L"the drawing could not be saved as \"" + path + L"\": "
                               + failure.Message());
    }
}

void HostDrawing::Save()
{
    if (m_readFailed)
        throw HostCommandError(L"\"" + Path() + L"\" was not read, so it is not saved over; "
                               L"save the drawing under another name with SAVEAS");
    if (Extension(m_name) != L".dxf")
        throw HostCommandError(L"drawings are saved as DXF: give a .dxf name with SAVEAS");
    std::wstring base = m_name.substr(0, m_name.find_last_of(L'.'));
    Write(Path(), m_prefix + base + L".bak");
}

void HostDrawing::SaveAs(const std::wstring& path)
{
    std::wstring target = path;
    if (Extension(target) != L".dxf")
        target += L".dxf";
    Write(target, {});
    Name(target);
    m_readFailed = false;
}

const DrawingScene& HostDrawing::Scene()
{
    if (!m_scene || m_sceneRevision != Revision()) {
        m_scene = std::make_unique<DrawingScene>(*m_drawing);
        m_sceneRevision = Revision();
    }
    return *m_scene;
}
