// DrawingScene, painted: each colour's polylines that reach the area in one
// PolyPolyline, then points, then texts tall enough to read.
#include "DrawingScene.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Text lower than this many pixels is left out: it could not be read, and
// thousands of tiny texts would cost more than everything else.
constexpr double kSmallestText = 4.0;
// Pixel coordinates stay well inside what GDI takes.
constexpr double kFarAway = 1.0e7;

int Pixel(double value)
{
    return static_cast<int>(std::lround(std::clamp(value, -kFarAway, kFarAway)));
}

}  // namespace

void DrawingScene::Paint(HDC dc, const RECT& area, const View& view) const
{
    const double width = area.right - area.left, height = area.bottom - area.top;
    const double midX = area.left + width / 2, midY = area.top + height / 2;
    auto toX = [&](double x) { return Pixel(midX + (x - view.centreX) * view.scale); };
    auto toY = [&](double y) { return Pixel(midY - (y - view.centreY) * view.scale); };
    // The area in drawing units, to pass over what lies outside.
    Box seen;
    seen.Add(view.centreX - width / 2 / view.scale, view.centreY - height / 2 / view.scale);
    seen.Add(view.centreX + width / 2 / view.scale, view.centreY + height / 2 / view.scale);
    auto reaches = [&](const Box& box) {
        return box.maxX >= seen.minX && box.minX <= seen.maxX && box.maxY >= seen.minY
               && box.minY <= seen.maxY;
    };

    std::vector<POINT> points;
    std::vector<DWORD> counts;
    HGDIOBJ oldPen = nullptr;
    for (const auto& [colour, stroke] : m_strokes) {
        points.clear();
        counts.clear();
        size_t at = 0;
        for (size_t i = 0; i < stroke.counts.size(); ++i) {
            std::uint32_t n = stroke.counts[i];
            if (reaches(stroke.boxes[i])) {
                for (std::uint32_t k = 0; k < n; ++k)
                    points.push_back(POINT{toX(stroke.xy[2 * (at + k)]), toY(stroke.xy[2 * (at + k) + 1])});
                counts.push_back(n);
            }
            at += n;
        }
        if (counts.empty())
            continue;
        HPEN pen = CreatePen(PS_SOLID, 1, colour);
        HGDIOBJ previous = SelectObject(dc, pen);
        if (!oldPen)
            oldPen = previous;
        PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }

    for (size_t i = 0; i < m_dots.size(); ++i) {
        int x = toX(m_dots[i].first), y = toY(m_dots[i].second);
        if (x >= area.left && x < area.right && y >= area.top && y < area.bottom)
            SetPixelV(dc, x, y, m_dotColours[i]);
    }

    // One font per size and direction, made as the texts need them.
    std::map<std::pair<int, int>, HFONT> fonts;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    UINT oldAlign = GetTextAlign(dc);
    COLORREF oldColour = GetTextColor(dc);
    HGDIOBJ oldFont = nullptr;
    for (const Text& text : m_texts) {
        double pixels = text.height * view.scale;
        if (pixels < kSmallestText || pixels > 4000)
            continue;
        double reach = pixels * static_cast<double>(text.text.size()) / view.scale;
        Box box;
        box.Add(text.x - reach, text.y - reach);
        box.Add(text.x + reach, text.y + reach);
        if (!reaches(box))
            continue;
        int tenths = static_cast<int>(std::lround(text.angle * 1800 / kPi)) % 3600;
        if (tenths < 0)
            tenths += 3600;
        // The font's cell is taller than its capitals: a cap height of
        // `pixels` wants a character height of about 4/3 of it.
        int size = std::max(1, static_cast<int>(std::lround(pixels * 4 / 3)));
        HFONT& font = fonts[{size, tenths}];
        if (!font)
            font = CreateFontW(-size, 0, tenths, tenths, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                               ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial");
        HGDIOBJ previous = SelectObject(dc, font);
        if (!oldFont)
            oldFont = previous;
        UINT align = text.horizontal == 1 ? TA_CENTER : text.horizontal == 2 ? TA_RIGHT : TA_LEFT;
        double x = text.x, y = text.y;
        if (text.vertical == 3 || text.vertical == 2) {
            // Top and middle: move the reference down along the text's own
            // vertical, so that the baseline stays the alignment.
            double down = text.vertical == 3 ? text.height : text.height / 2;
            x += down * std::sin(text.angle);
            y -= down * std::cos(text.angle);
        }
        SetTextAlign(dc, align | (text.vertical == 1 ? TA_BOTTOM : TA_BASELINE));
        SetTextColor(dc, text.colour);
        TextOutW(dc, toX(x), toY(y), text.text.c_str(), static_cast<int>(text.text.size()));
    }
    if (oldFont)
        SelectObject(dc, oldFont);
    for (const auto& [key, font] : fonts)
        DeleteObject(font);
    SetTextColor(dc, oldColour);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
}
