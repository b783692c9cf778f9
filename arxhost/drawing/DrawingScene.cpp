// DrawingScene, built: every visible model space entity becomes polylines
// (by colour), texts or points; INSERTs add their block's entities through a
// Placement, nested up to a depth that stops self-referring blocks.
#include "DrawingScene.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "AciPalette.h"
#include "DrawingNames.h"
#include "DrawingTextFormat.h"
#include "DxfGroupCode.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxInsertDepth = 16;
// Segments of a whole circle; arcs get their share, at least two.
constexpr int kCircleSegments = 72;

COLORREF FromRgb(long rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

double Number(std::string_view text)
{
    return DxfGroupCode::ParseReal(text).value_or(0.0);
}

}  // namespace

void DrawingScene::Box::Add(double x, double y)
{
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

void DrawingScene::Placement::Map(double x, double y, double& outX, double& outY) const
{
    outX = a * x + c * y + e;
    outY = b * x + d * y + f;
}

double DrawingScene::Placement::Rotation() const
{
    return std::atan2(b, a);
}

double DrawingScene::Placement::Scale() const
{
    return std::sqrt(std::fabs(a * d - b * c));
}

DrawingScene::DrawingScene(const Drawing& drawing) : m_drawing(drawing)
{
    for (const Drawing::Layer& layer : drawing.Layers()) {
        if (drawing.IsDeleted(layer.record))
            continue;
        LayerLook look;
        look.visible = layer.Visible();
        look.colour = layer.trueColour >= 0 ? FromRgb(layer.trueColour)
                                            : AciPalette::Colour(std::abs(layer.colour));
        m_layers[DrawingNames::Upper(layer.name)] = look;
    }
    Placement identity;
    for (Drawing::Id id : drawing.ModelSpace())
        AddEntity(id, identity);
}

size_t DrawingScene::PolylineCount() const
{
    size_t count = 0;
    for (const auto& [colour, stroke] : m_strokes)
        count += stroke.counts.size();
    return count;
}

const DrawingScene::LayerLook& DrawingScene::LayerOf(std::string_view name)
{
    std::string key(name);
    auto known = m_layersByBytes.find(key);
    if (known != m_layersByBytes.end())
        return *known->second;
    auto found = m_layers.find(DrawingNames::Upper(m_drawing.Codec().Decode(name)));
    const LayerLook* look = found == m_layers.end() ? &m_unknownLayer : &found->second;
    m_layersByBytes.emplace(std::move(key), look);
    return *look;
}

DrawingScene::Look DrawingScene::LookOf(Drawing::Id id) const
{
    Look look;
    const DxfFile& file = m_drawing.File();
    for (const DxfTag& tag : file.Tags(id)) {
        switch (tag.code) {
        case 8: look.layer = file.Value(tag); break;
        case 62: look.colour = static_cast<int>(DxfGroupCode::ParseInteger(file.Value(tag)).value_or(256)); break;
        case 420: look.trueColour = static_cast<long>(DxfGroupCode::ParseInteger(file.Value(tag)).value_or(-1)); break;
        case 67: look.paperSpace = DxfGroupCode::ParseInteger(file.Value(tag)).value_or(0) == 1; break;
        default: break;
        }
    }
    if (look.layer.empty())
        look.layer = "0";
    return look;
}

COLORREF DrawingScene::ColourOf(const Look& look, const Placement& place)
{
    if (look.trueColour >= 0)
        return FromRgb(look.trueColour);
    if (look.colour == 0)
        return place.blockColour;
    if (look.colour == 256 || look.colour < 0 || look.colour > 256)
        return LayerOf(look.layer).colour;
    return AciPalette::Colour(look.colour);
}

void DrawingScene::AddEntity(Drawing::Id id, const Placement& place)
{
    Look look = LookOf(id);
    // Entities of layer 0 inside a block take the layer of the insert.
    if (place.depth > 0 && look.layer == "0")
        look.layer = place.blockLayer;
    if (!LayerOf(look.layer).visible)
        return;
    COLORREF colour = ColourOf(look, place);
    std::string_view type = m_drawing.Type(id);
    const DxfFile& file = m_drawing.File();
    auto real = [&](int code) { return Number(file.Find(id, code, "0")); };

    if (type == "LINE") {
        const double xy[] = {real(10), real(20), real(11), real(21)};
        AddPolyline(colour, xy, 4, place);
    } else if (type == "LWPOLYLINE" || type == "POLYLINE") {
        AddPolylineEntity(id, colour, place);
    } else if (type == "CIRCLE" || type == "ARC") {
        std::vector<double> xy;
        double start = 0, sweep = 2 * kPi;
        if (type == "ARC") {
            start = real(50) * kPi / 180;
            sweep = std::fmod(real(51) * kPi / 180 - start, 2 * kPi);
            if (sweep <= 0)
                sweep += 2 * kPi;
        }
        AddArc(xy, real(10), real(20), std::fabs(real(40)), start, sweep);
        AddPolyline(colour, xy.data(), xy.size(), place);
    } else if (type == "POINT") {
        double x = 0, y = 0;
        place.Map(real(10), real(20), x, y);
        m_dots.emplace_back(x, y);
        m_dotColours.push_back(colour);
        m_extents.Add(x, y);
    } else if (type == "TEXT" || type == "ATTRIB") {
        AddText(id, colour, place);
    } else if (type == "MTEXT") {
        AddMText(id, colour, place);
    } else if (type == "INSERT") {
        AddInsert(id, colour, look.layer, place);
    } else if (type == "DIMENSION" && place.depth < kMaxInsertDepth) {
        // A dimension's picture is an anonymous block in drawing coordinates.
        Placement inner = place;
        inner.depth = place.depth + 1;
        inner.blockColour = colour;
        inner.blockLayer = look.layer;
        AddBlock(m_drawing.Codec().Decode(file.Find(id, 2)), inner);
    }
}

void DrawingScene::AddPolyline(COLORREF colour, const double* xy, size_t count,
                               const Placement& place)
{
    if (count < 4)
        return;
    Stroke& stroke = m_strokes[colour];
    Box box;
    for (size_t i = 0; i + 1 < count; i += 2) {
        double x = 0, y = 0;
        place.Map(xy[i], xy[i + 1], x, y);
        stroke.xy.push_back(x);
        stroke.xy.push_back(y);
        box.Add(x, y);
    }
    stroke.counts.push_back(static_cast<std::uint32_t>(count / 2));
    stroke.boxes.push_back(box);
    m_extents.Add(box.minX, box.minY);
    m_extents.Add(box.maxX, box.maxY);
}

void DrawingScene::AddArc(std::vector<double>& xy, double cx, double cy, double r, double start,
                          double sweep)
{
    int segments = std::max(2, static_cast<int>(std::ceil(std::fabs(sweep) / (2 * kPi)
                                                          * kCircleSegments)));
    for (int i = 0; i <= segments; ++i) {
        double angle = start + sweep * i / segments;
        xy.push_back(cx + r * std::cos(angle));
        xy.push_back(cy + r * std::sin(angle));
    }
}

// The arc from (x1, y1) to (x2, y2) whose bulge is the tangent of a quarter
// of its angle (negative: clockwise); the start point is already in `xy`.
void DrawingScene::AddBulge(std::vector<double>& xy, double x1, double y1, double x2, double y2,
                            double bulge)
{
    double chord = std::hypot(x2 - x1, y2 - y1);
    if (bulge == 0 || chord == 0) {
        xy.push_back(x2);
        xy.push_back(y2);
        return;
    }
    double sweep = 4 * std::atan(bulge);
    double radius = chord / (2 * std::sin(std::fabs(sweep) / 2));
    // The centre lies on the chord's perpendicular bisector.
    double mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
    double toCentre = radius * std::cos(std::fabs(sweep) / 2);
    double nx = -(y2 - y1) / chord, ny = (x2 - x1) / chord;
    double side = bulge > 0 ? 1 : -1;
    if (std::fabs(sweep) > kPi)
        side = -side;
    double cx = mx + side * nx * toCentre, cy = my + side * ny * toCentre;
    double start = std::atan2(y1 - cy, x1 - cx);
    std::vector<double> arc;
    AddArc(arc, cx, cy, radius, start, sweep);
    xy.insert(xy.end(), arc.begin() + 2, arc.end() - 2);   // inner points only
    xy.push_back(x2);
    xy.push_back(y2);
}

void DrawingScene::AddPolylineEntity(Drawing::Id id, COLORREF colour, const Placement& place)
{
    const DxfFile& file = m_drawing.File();
    std::vector<Vertex>& vertices = m_vertices;
    vertices.clear();
    long long flags = 0;
    if (m_drawing.Type(id) == "LWPOLYLINE") {
        for (const DxfTag& tag : file.Tags(id)) {
            if (tag.code == 10) {
                vertices.push_back(Vertex{Number(file.Value(tag)), 0, 0});
            } else if (!vertices.empty() && tag.code == 20) {
                vertices.back().y = Number(file.Value(tag));
            } else if (!vertices.empty() && tag.code == 42) {
                vertices.back().bulge = Number(file.Value(tag));
            } else if (tag.code == 70) {
                flags = DxfGroupCode::ParseInteger(file.Value(tag)).value_or(0);
            }
        }
    } else {
        flags = DxfGroupCode::ParseInteger(file.Find(id, 70, "0")).value_or(0);
        if (flags & (16 | 64))
            return;   // meshes and polyface meshes are not shown
        for (Drawing::Id v = m_drawing.SubEntityAfter(id); v != Drawing::kNoId;
             v = m_drawing.SubEntityAfter(v)) {
            if (m_drawing.Type(v) != "VERTEX")
                break;
            if (DxfGroupCode::ParseInteger(file.Find(v, 70, "0")).value_or(0) & 16)
                continue;   // a spline's frame point
            vertices.push_back(Vertex{Number(file.Find(v, 10, "0")), Number(file.Find(v, 20, "0")),
                                      Number(file.Find(v, 42, "0"))});
        }
    }
    if (vertices.empty())
        return;
    bool closed = (flags & 1) != 0;
    std::vector<double>& xy = m_points;
    xy.assign({vertices[0].x, vertices[0].y});
    size_t segments = closed ? vertices.size() : vertices.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        const Vertex& from = vertices[i];
        const Vertex& to = vertices[(i + 1) % vertices.size()];
        AddBulge(xy, from.x, from.y, to.x, to.y, from.bulge);
    }
    if (xy.size() == 2) {
        xy.push_back(xy[0]);   // a single vertex: a dot
        xy.push_back(xy[1]);
    }
    AddPolyline(colour, xy.data(), xy.size(), place);
}

void DrawingScene::AddText(Drawing::Id id, COLORREF colour, const Placement& place)
{
    const DxfFile& file = m_drawing.File();
    Text text;
    text.text = DrawingTextFormat::PlainText(m_drawing.Codec().Decode(file.Find(id, 1)));
    if (text.text.empty())
        return;
    text.horizontal = static_cast<int>(DxfGroupCode::ParseInteger(file.Find(id, 72, "0")).value_or(0));
    text.vertical = static_cast<int>(DxfGroupCode::ParseInteger(file.Find(id, 73, "0")).value_or(0));
    // "Aligned", "middle" and "fit" are shown centred; "middle" also in height.
    if (text.horizontal == 3 || text.horizontal == 5)
        text.horizontal = 1;
    if (text.horizontal == 4) {
        text.horizontal = 1;
        text.vertical = 2;
    }
    bool aligned = text.horizontal != 0 || text.vertical != 0;
    double x = Number(file.Find(id, aligned ? 11 : 10, "0"));
    double y = Number(file.Find(id, aligned ? 21 : 20, "0"));
    place.Map(x, y, text.x, text.y);
    text.height = std::fabs(Number(file.Find(id, 40, "1"))) * place.Scale();
    text.angle = Number(file.Find(id, 50, "0")) * kPi / 180 + place.Rotation();
    text.colour = colour;
    m_extents.Add(text.x, text.y);
    double width = text.height * 0.6 * static_cast<double>(text.text.size());
    m_extents.Add(text.x + width * std::cos(text.angle), text.y + width * std::sin(text.angle));
    m_texts.push_back(std::move(text));
}

void DrawingScene::AddMText(Drawing::Id id, COLORREF colour, const Placement& place)
{
    const DxfFile& file = m_drawing.File();
    std::wstring whole;
    for (const DxfTag& tag : file.Tags(id))
        if (tag.code == 3 || tag.code == 1)
            whole += m_drawing.Codec().Decode(file.Value(tag));
    std::vector<std::wstring> lines = DrawingTextFormat::MTextLines(whole);
    int attachment = static_cast<int>(DxfGroupCode::ParseInteger(file.Find(id, 71, "1")).value_or(1));
    if (attachment < 1 || attachment > 9)
        attachment = 1;
    double height = std::fabs(Number(file.Find(id, 40, "1")));
    double angle = Number(file.Find(id, 50, "0")) * kPi / 180;
    if (!file.Find(id, 11).empty())
        angle = std::atan2(Number(file.Find(id, 21, "0")), Number(file.Find(id, 11, "1")));
    double x0 = Number(file.Find(id, 10, "0")), y0 = Number(file.Find(id, 20, "0"));
    // Lines are 5/3 of the text height apart; the attachment point says which
    // corner or middle of the block of lines lies at the insertion point.
    double step = height * 5.0 / 3.0;
    double blockHeight = step * static_cast<double>(lines.size() - 1) + height;
    int row = (attachment - 1) / 3;   // 0 top, 1 middle, 2 bottom
    double firstTop = row == 0 ? 0 : row == 1 ? blockHeight / 2 : blockHeight;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        double down = -firstTop + height + step * static_cast<double>(i);   // to the line's baseline
        double lx = x0 + down * std::sin(angle);
        double ly = y0 - down * std::cos(angle);
        Text text;
        text.text = lines[i];
        place.Map(lx, ly, text.x, text.y);
        text.height = height * place.Scale();
        text.angle = angle + place.Rotation();
        text.horizontal = (attachment - 1) % 3;
        text.vertical = 0;
        text.colour = colour;
        m_extents.Add(text.x, text.y);
        m_texts.push_back(std::move(text));
    }
}

void DrawingScene::AddInsert(Drawing::Id id, COLORREF colour, std::string_view layer,
                             const Placement& place)
{
    if (place.depth >= kMaxInsertDepth)
        return;
    const DxfFile& file = m_drawing.File();
    auto real = [&](int code, std::string_view fallback) {
        return Number(file.Find(id, code, fallback));
    };
    std::wstring name = m_drawing.Codec().Decode(file.Find(id, 2));
    const Drawing::Block* block = m_drawing.FindBlock(name);
    if (!block)
        return;
    double sx = real(41, "1"), sy = real(42, "1");
    double rotation = real(50, "0") * kPi / 180;
    long long columns = std::clamp<long long>(
        DxfGroupCode::ParseInteger(file.Find(id, 70, "1")).value_or(1), 1, 100);
    long long rows = std::clamp<long long>(
        DxfGroupCode::ParseInteger(file.Find(id, 71, "1")).value_or(1), 1, 100);
    double columnStep = real(44, "0"), rowStep = real(45, "0");
    double cosR = std::cos(rotation), sinR = std::sin(rotation);
    for (long long r = 0; r < rows; ++r) {
        for (long long c = 0; c < columns; ++c) {
            // Block point p: insertion + R (S (p - base) + array offset).
            Placement local;
            local.a = cosR * sx;
            local.b = sinR * sx;
            local.c = -sinR * sy;
            local.d = cosR * sy;
            double ox = static_cast<double>(c) * columnStep, oy = static_cast<double>(r) * rowStep;
            double tx = real(10, "0") + cosR * ox - sinR * oy - (local.a * block->baseX + local.c * block->baseY);
            double ty = real(20, "0") + sinR * ox + cosR * oy - (local.b * block->baseX + local.d * block->baseY);
            local.e = tx;
            local.f = ty;
            // Composed with the outer placement.
            Placement inner;
            inner.a = place.a * local.a + place.c * local.b;
            inner.b = place.b * local.a + place.d * local.b;
            inner.c = place.a * local.c + place.c * local.d;
            inner.d = place.b * local.c + place.d * local.d;
            inner.e = place.a * local.e + place.c * local.f + place.e;
            inner.f = place.b * local.e + place.d * local.f + place.f;
            inner.blockColour = colour;
            inner.blockLayer = layer;
            inner.depth = place.depth + 1;
            AddBlock(name, inner);
        }
    }
    // Attributes follow the insert; they are drawn where they stand.
    for (Drawing::Id sub = m_drawing.SubEntityAfter(id); sub != Drawing::kNoId;
         sub = m_drawing.SubEntityAfter(sub))
        if (m_drawing.Type(sub) == "ATTRIB")
            AddEntity(sub, place);
}

void DrawingScene::AddBlock(const std::wstring& name, const Placement& place)
{
    const Drawing::Block* block = m_drawing.FindBlock(name);
    if (!block)
        return;
    for (Drawing::Id id : block->entities)
        if (!m_drawing.IsDeleted(id))
            AddEntity(id, place);
}
