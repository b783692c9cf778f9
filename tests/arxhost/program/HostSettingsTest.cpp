// arxhost.ini: the drawing that a start without options opens, a relative
// path taken from the settings file's folder wherever the host runs.
#include <gtest/gtest.h>

#include "HostProcess.h"
#include "HostSettings.h"

namespace {

TEST(HostSettings, TheDrawingIsTakenFromTheSettingsFolderUnlessItNamesItsOwn)
{
    struct Case {
        const char* content;
        const wchar_t* drawing;
        bool fromFolder;
    };
    const Case cases[] = {
        {"[arxhost]\r\nDrawing=site\\Site plan.dxf\r\n", L"site\\Site plan.dxf", true},
        {"; notes\n[arxhost]\nDrawing = site/Site plan.dwg \n", L"site/Site plan.dwg", true},
        {"[arxhost]\r\nDrawing=C:\\proj\\site.dxf\r\n", L"C:\\proj\\site.dxf", false},
        {"[arxhost]\r\nDrawing=D:/proj/site.dxf\r\n", L"D:/proj/site.dxf", false},
        {"[arxhost]\r\nDrawing=\\\\server\\proj\\site.dxf\r\n", L"\\\\server\\proj\\site.dxf", false},
        {"[arxhost]\r\nDrawing=\\proj\\site.dxf\r\n", L"\\proj\\site.dxf", false},
        {"[other]\r\nDrawing=site.dxf\r\n", L"", false},
        {"[arxhost]\r\nDrawing=\r\n", L"", false},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        folder.Write(HostSettings::FileName, c.content);
        std::wstring expected = c.fromFolder ? folder.Path() + c.drawing : c.drawing;
        EXPECT_EQ(HostSettings::Read(folder.Path()).drawing, expected) << c.content;
    }
    ScratchFolder none;
    EXPECT_EQ(HostSettings::Read(none.Path()).drawing, L"");
}

}  // namespace
