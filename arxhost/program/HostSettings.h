#pragma once

#include <string>

// The settings file arxhost.ini beside the program: what the host opens when
// it is started without options, as a double click on arxhost.exe starts it.
// It is an ordinary Windows settings file:
//
//   [arxhost]
//   Drawing=site\Site plan.dxf
//
// A relative drawing path is taken from the settings file's folder, so that
// a copy of the program unpacked anywhere finds the drawing beside it.
class HostSettings {
public:
    static constexpr const wchar_t* FileName = L"arxhost.ini";

    // Reads the settings file in `folder` (ending in a separator). A missing
    // file or value leaves the setting empty.
    static HostSettings Read(const std::wstring& folder);

    std::wstring drawing;   // the drawing to open without --drawing, or empty
};
