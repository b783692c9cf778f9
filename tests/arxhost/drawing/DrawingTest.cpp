// The drawing's edits and its picture: new, changed and deleted entities
// touch only their own records, get fresh handles and layers, and move the
// handle seed; the scene paints what is visible where the view puts it.
#include "Drawing.h"
#include "DrawingScene.h"
#include "DrawingTextFormat.h"
#include "DxfFile.h"
#include "DxfGroupCode.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string ReadSample(const std::string& name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    std::ifstream file(folder.substr(0, folder.find_last_of("\\/") + 1) + "drawing-samples\\" + name,
                       std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

DrawingGroup Text(int code, const wchar_t* text) { return DrawingGroup{code, std::wstring(text)}; }
DrawingGroup Real(int code, double value)
{
    DrawingGroup group;
    group.code = code;
    group.value.emplace<double>(value);
    return group;
}
DrawingGroup Integer(int code, std::int64_t value)
{
    DrawingGroup group;
    group.code = code;
    group.value.emplace<std::int64_t>(value);
    return group;
}

std::uint64_t Hex(const std::wstring& text) { return std::stoull(text, nullptr, 16); }

}  // namespace

TEST(Drawing, EditsTouchOnlyTheirRecordsAndMoveTheHandleSeed)
{
    for (const char* version : {"R12", "R2000", "R2018"}) {
        SCOPED_TRACE(version);
        const std::string original = ReadSample(std::string("sample_") + version + ".dxf");
        std::unique_ptr<Drawing> drawing = Drawing::FromBytes(original);
        const bool subclassed = drawing->Version() >= L"AC1012";
        std::vector<Drawing::Id> before = drawing->ModelSpace();
        const std::uint64_t seed = Hex(*drawing->HeaderText("$HANDSEED"));

        Drawing::Id line = drawing->AddEntity({Text(0, L"LINE"), Text(8, L"LOT-NEW"),
                                               Real(10, 1), Real(20, 2), Real(11, 3), Real(21, 4)});
        Drawing::Id polyline = drawing->AddEntity({Text(0, L"LWPOLYLINE"), Integer(70, 1), Real(10, 0),
                                                   Real(20, 0), Real(42, 1), Real(10, 5), Real(20, 0)});
        drawing->ModifyEntity(before[0], [&] {
            std::vector<DrawingGroup> groups = drawing->Groups(before[0]);
            for (DrawingGroup& group : groups)
                if (group.code == 8)
                    group.value = std::wstring(L"LOT-B");
            return groups;
        }());
        drawing->DeleteEntity(before[1]);
        ASSERT_NE(drawing->FindLayer(L"lot-new"), nullptr);

        // What was written reads back with the edits and everything else.
        std::unique_ptr<Drawing> saved = Drawing::FromBytes(drawing->Contents());
        std::vector<Drawing::Id> after = saved->ModelSpace();
        ASSERT_EQ(after.size(), before.size() + 1);
        EXPECT_EQ(saved->LayerOf(after[0]), L"LOT-B");
        EXPECT_EQ(saved->TypeName(after[after.size() - 2]), L"LINE");
        EXPECT_EQ(saved->Real(after[after.size() - 2], 21), 4.0);
        EXPECT_EQ(saved->Integer(after.back(), 90), 2);   // the vertex count, filled in
        ASSERT_NE(saved->FindLayer(L"LOT-NEW"), nullptr);
        std::uint64_t newSeed = Hex(*saved->HeaderText("$HANDSEED"));
        for (Drawing::Id id : {after[after.size() - 2], after.back(), saved->FindLayer(L"LOT-NEW")->record}) {
            ASSERT_TRUE(saved->HandleOf(id).has_value());
            EXPECT_GE(*saved->HandleOf(id), seed);
            EXPECT_LT(*saved->HandleOf(id), newSeed);
        }
        std::vector<DrawingGroup> groups = saved->Groups(after.back());
        EXPECT_EQ(std::count_if(groups.begin(), groups.end(),
                                [](const DrawingGroup& g) { return g.code == 100; }),
                  subclassed ? 2 : 0);

        // Every record the edits did not touch is in the new file as it was.
        const DxfFile& file = drawing->File();
        std::string written = drawing->Contents();
        size_t at = 0;
        for (Drawing::Id r = file.First(); r != DxfFile::kNone; r = file.Next(r)) {
            if (file.IsEdited(r) || file.IsRemoved(r))
                continue;
            std::string record;
            for (const DxfTag& tag : file.Tags(r))
                record += DxfGroupCode::FormatCode(tag.code) + "\n" + std::string(file.Value(tag)) + "\n";
            size_t found = written.find(record, at);
            ASSERT_NE(found, std::string::npos) << "record " << r << " lost: " << record.substr(0, 60);
            at = found + record.size();
        }
        (void)line;
        (void)polyline;
    }
}

// The extents a save of a changed drawing writes into the header: values
// equal to those the file holds keep their text (0.50 stays 0.50), the
// others are written anew.
TEST(Drawing, ExtentsKeepTheTextOfUnchangedValues)
{
    const std::string file = "  0\nSECTION\n  2\nHEADER\n"
                             "  9\n$EXTMIN\n 10\n0.50\n 20\n1.250\n 30\n0.0\n"
                             "  9\n$EXTMAX\n 10\n9.0\n 20\n8.00\n 30\n0.0\n"
                             "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n";
    std::unique_ptr<Drawing> drawing = Drawing::FromBytes(file);
    drawing->AddEntity({Text(0, L"LINE"), Real(10, 0.5), Real(20, 1.25), Real(11, 70), Real(21, 8)});
    drawing->SetExtents(0.5, 1.25, 70, 8);
    const std::string written = drawing->Contents();
    EXPECT_NE(written.find("$EXTMIN\n 10\n0.50\n 20\n1.250\n 30\n0.0\n"), std::string::npos) << written;
    std::unique_ptr<Drawing> saved = Drawing::FromBytes(written);
    EXPECT_EQ(std::tuple(saved->HeaderReal("$EXTMAX", 10), saved->HeaderReal("$EXTMAX", 20),
                         saved->HeaderReal("$EXTMAX", 30)),
              std::tuple(std::optional(70.0), std::optional(8.0), std::optional(0.0)));
    EXPECT_NE(written.find(" 20\n8.00\n"), std::string::npos);
}

namespace {

// A 200 by 100 pixel picture of a drawing, one unit a pixel, (0, 0) at the
// lower left corner.
class Picture {
public:
    explicit Picture(const std::string& entities, const std::string& tables = "")
    {
        std::string dxf = "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n" + tables
                          + "  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n"
                            "  0\nBLOCK\n  2\nMARK\n 10\n0\n 20\n0\n"
                            "  0\nLINE\n 62\n0\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n  0\nENDBLK\n"
                            "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
                          + entities + "  0\nENDSEC\n  0\nEOF\n";
        m_drawing = Drawing::FromBytes(dxf);
        m_dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 200;
        info.bmiHeader.biHeight = -100;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT area{0, 0, 200, 100};
        FillRect(m_dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawingScene scene(*m_drawing);
        m_extents = scene.Extents();
        scene.Paint(m_dc, area, DrawingScene::View{100, 50, 1});
    }
    ~Picture()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    // The colour at drawing point (x, y).
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, 100 - y); }
    const DrawingScene::Box& Extents() const { return m_extents; }

private:
    std::unique_ptr<Drawing> m_drawing;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DrawingScene::Box m_extents;
};

std::string Line(int x1, int y1, int x2, int y2, const std::string& more = "")
{
    return "  0\nLINE\n" + more + " 10\n" + std::to_string(x1) + "\n 20\n" + std::to_string(y1)
           + "\n 11\n" + std::to_string(x2) + "\n 21\n" + std::to_string(y2) + "\n";
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kWhite = RGB(255, 255, 255),
               kBlack = RGB(0, 0, 0), kBlue = RGB(0, 0, 255);

}  // namespace

TEST(DrawingScene, PaintsWhatIsVisibleInItsColour)
{
    const std::string layers =
        "  0\nLAYER\n  2\nRED\n 70\n0\n 62\n1\n"
        "  0\nLAYER\n  2\nOFF\n 70\n0\n 62\n-3\n"
        "  0\nLAYER\n  2\nFROZEN\n 70\n1\n 62\n3\n"
        "  0\nLAYER\n  2\nTRUE\n 70\n0\n 62\n1\n420\n255\n";
    Picture picture(Line(10, 10, 60, 10, "  8\nRED\n")             // by layer
                        + Line(10, 20, 60, 20, "  8\nRED\n 62\n3\n")   // by entity
                        + Line(10, 30, 60, 30, "  8\nOFF\n")
                        + Line(10, 40, 60, 40, "  8\nFROZEN\n")
                        + Line(10, 50, 60, 50, "  8\nTRUE\n")           // the layer's true colour
                        + Line(10, 60, 60, 60, "  8\nunknown\n")
                        // the block's line takes the insert's colour (by block)
                        + "  0\nINSERT\n  2\nMARK\n 10\n100\n 20\n70\n 41\n2\n 62\n1\n"
                        // rotated a quarter turn, from 100,80 up
                        + "  0\nINSERT\n  2\nMARK\n 10\n150\n 20\n60\n 50\n90\n 62\n3\n",
                    layers);
    EXPECT_EQ(picture.At(35, 10), kRed);
    EXPECT_EQ(picture.At(35, 20), kGreen);
    EXPECT_EQ(picture.At(35, 30), kBlack);
    EXPECT_EQ(picture.At(35, 40), kBlack);
    EXPECT_EQ(picture.At(35, 50), kBlue);
    EXPECT_EQ(picture.At(35, 60), kWhite);
    EXPECT_EQ(picture.At(115, 70), kRed);     // inside 100..120 (scaled by 2)
    EXPECT_EQ(picture.At(125, 70), kBlack);
    EXPECT_EQ(picture.At(150, 65), kGreen);   // 150,60 .. 150,70
    EXPECT_EQ(picture.At(155, 60), kBlack);
    EXPECT_DOUBLE_EQ(picture.Extents().minX, 10);
    EXPECT_DOUBLE_EQ(picture.Extents().maxX, 150);
}

TEST(DrawingScene, BulgesAreArcsThroughTheirMiddle)
{
    // From (50,20) to (150,20) with bulge 1: a half circle of radius 50 whose
    // middle is (100,-30) (clockwise below would be -1); the other way round
    // (bulge -1) passes (100,70).
    Picture picture("  0\nLWPOLYLINE\n 90\n2\n 70\n0\n 10\n50\n 20\n20\n 42\n-1\n 10\n150\n 20\n20\n"
                    "  0\nCIRCLE\n 10\n30\n 20\n50\n 40\n10\n"
                    "  0\nARC\n 10\n170\n 20\n50\n 40\n10\n 50\n0\n 51\n180\n");
    EXPECT_EQ(picture.At(100, 70), kWhite);
    EXPECT_EQ(picture.At(100, 20), kBlack);
    EXPECT_EQ(picture.At(40, 50), kWhite);    // the circle's right point
    EXPECT_EQ(picture.At(30, 60), kWhite);    // and top
    EXPECT_EQ(picture.At(170, 60), kWhite);   // the arc's middle
    EXPECT_EQ(picture.At(170, 40), kBlack);   // it does not go round
    EXPECT_NEAR(picture.Extents().maxY, 70, 0.01);
}

// A text's place on the screen: where its glyphs are lit and where nothing
// is (rows 1 to 99: row 0 lies just outside the picture). MTEXT hangs from its attachment point (top left, top centre, top right)
// and runs along its direction vector when it has one; TEXT aligned right
// ends at its alignment point. Each text is "WWW", 20 units high.
TEST(DrawingScene, TextsLieWhereTheirAttachmentAndDirectionPutThem)
{
    struct Box {
        int x0, y0, x1, y1;
    };
    // "WWW" hanging from (100, y) by its attachment point, with more groups.
    auto mtext = [](int attachment, int y = 60, const std::string& more = "") {
        return "  0\nMTEXT\n 10\n100\n 20\n" + std::to_string(y) + "\n 40\n20\n 71\n"
               + std::to_string(attachment) + "\n" + more + "  1\nWWW\n";
    };
    const struct {
        const char* what;
        std::string entity;
        std::vector<Box> lit, dark;
    } cases[] = {
        {"top left", mtext(1), {{102, 40, 199, 59}}, {{0, 1, 98, 99}}},
        {"top centre", mtext(2), {{60, 40, 98, 59}, {102, 40, 140, 59}},
         {{0, 62, 199, 99}, {0, 1, 199, 38}}},
        {"top right", mtext(3), {{0, 40, 98, 59}}, {{102, 1, 199, 99}}},
        {"up its direction", mtext(1, 10, " 11\n0\n 21\n1\n"), {{100, 14, 125, 99}},
         {{130, 1, 199, 99}}},
        {"TEXT aligned right", "  0\nTEXT\n 10\n0\n 20\n0\n 40\n20\n 72\n2\n 11\n100\n 21\n30\n  1\nWWW\n",
         {{20, 30, 98, 50}}, {{102, 1, 199, 99}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Picture picture(c.entity);
        auto lit = [&](const Box& b) {
            int count = 0;
            for (int y = b.y0; y <= b.y1; ++y)
                for (int x = b.x0; x <= b.x1; ++x)
                    count += picture.At(x, y) != kBlack;
            return count;
        };
        for (const Box& box : c.lit)
            EXPECT_GT(lit(box), 20);
        for (const Box& box : c.dark)
            EXPECT_EQ(lit(box), 0);
    }
}

// MTEXT's lines with the format codes taken out: paragraphs, hard spaces,
// escaped characters, fonts, heights and colours (with or without braces),
// stacked fractions and TEXT's %% codes inside.
TEST(DrawingTextFormat, MTextLinesDropTheFormatCodes)
{
    using Lines = std::vector<std::wstring>;
    const struct {
        std::wstring text;
        Lines lines;
    } cases[] = {
        {L"Lot 12", {L"Lot 12"}},
        {L"Lot\\P12\\PPark", {L"Lot", L"12", L"Park"}},
        {L"{\\fArial|b1|i0;Main} \\H2.5x;Street\\C1;", {L"Main Street"}},
        {L"a\\~b \\\\ \\{c\\}", {L"a\u00A0b \\ {c}"}},
        {L"\\S1^2; \\S3#4; \\S5/8;", {L"1/2 3/4 5/8"}},
        {L"\\Lunder\\l \\Oover\\o", {L"under over"}},
        {L"45%%d ends with \\", {L"45\u00B0 ends with \\"}},
        {L"\\fArial", {L""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DrawingTextFormat::MTextLines(c.text), c.lines);
}
