#pragma once

#include <windows.h>

#include <map>
#include <string_view>
#include <unordered_map>
#include <string>
#include <vector>

#include "Drawing.h"

// The picture of a drawing's model space: every entity the window shows,
// turned into polylines, texts and points in drawing units, grouped by colour
// so that a repaint draws each colour's polylines with one GDI call.
//
// Shown: LINE, LWPOLYLINE (bulges as arcs), POLYLINE with its VERTEXes,
// CIRCLE, ARC, POINT, TEXT, MTEXT, and INSERTs (and DIMENSIONs) through their
// blocks; colours by entity, by layer and by block, true colours; entities on
// layers that are off or frozen are left out.
class DrawingScene {
public:
    struct Box {
        double minX = 0, minY = 0, maxX = 0, maxY = 0;
        bool empty = true;
        void Add(double x, double y);
    };
    // Where the drawing is on the screen: the drawing point at the middle of
    // the area and the pixels per drawing unit.
    struct View {
        double centreX = 0, centreY = 0;
        double scale = 1;
    };

    // Builds the picture of `drawing` as it is now; the scene keeps nothing
    // of the drawing, so a changed drawing needs a new scene.
    explicit DrawingScene(const Drawing& drawing);

    // What is drawn; empty for a drawing without visible entities.
    const Box& Extents() const { return m_extents; }
    // Paints the entities over whatever `dc` holds in `area`.
    void Paint(HDC dc, const RECT& area, const View& view) const;

    size_t PolylineCount() const;
    size_t TextCount() const { return m_texts.size(); }

private:
    struct Stroke {
        std::vector<double> xy;              // every polyline's points, one after another
        std::vector<std::uint32_t> counts;   // points per polyline
        std::vector<Box> boxes;              // each polyline's extent
    };
    struct Text {
        std::wstring text;
        double x = 0, y = 0;     // the reference point
        double height = 1;
        double angle = 0;        // radians
        int horizontal = 0;      // 0 left, 1 centre, 2 right
        int vertical = 0;        // 0 baseline, 1 bottom, 2 middle, 3 top
        COLORREF colour = 0;
    };
    // An affine map from block to drawing coordinates, and what the block's
    // entities inherit from the insert that shows them.
    struct Placement {
        double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;   // x' = a x + c y + e, y' = b x + d y + f
        COLORREF blockColour = RGB(255, 255, 255);
        std::string blockLayer;   // the insert's layer, as the file writes it
        int depth = 0;
        void Map(double x, double y, double& outX, double& outY) const;
        double Rotation() const;
        double Scale() const;
    };

    struct LayerLook {
        bool visible = true;
        COLORREF colour = RGB(255, 255, 255);
    };
    // What an entity's common groups say about how it looks; the layer as
    // the file writes it.
    struct Look {
        std::string_view layer;
        int colour = 256;          // ACI, 0 by block, 256 by layer
        long trueColour = -1;
        bool paperSpace = false;
    };

    void AddEntity(Drawing::Id id, const Placement& place);
    Look LookOf(Drawing::Id id) const;
    const LayerLook& LayerOf(std::string_view name);
    COLORREF ColourOf(const Look& look, const Placement& place);
    void AddPolyline(COLORREF colour, const double* xy, size_t count, const Placement& place);
    static void AddArc(std::vector<double>& xy, double cx, double cy, double r, double start,
                       double sweep);
    static void AddBulge(std::vector<double>& xy, double x1, double y1, double x2, double y2,
                         double bulge);
    void AddPolylineEntity(Drawing::Id id, COLORREF colour, const Placement& place);
    void AddText(Drawing::Id id, COLORREF colour, const Placement& place);
    void AddMText(Drawing::Id id, COLORREF colour, const Placement& place);
    void AddInsert(Drawing::Id id, COLORREF colour, std::string_view layer,
                   const Placement& place);
    void AddBlock(const std::wstring& name, const Placement& place);

    const Drawing& m_drawing;   // only while the scene is built
    std::map<std::wstring, LayerLook> m_layers;   // by upper-case name
    // The same by the name's bytes in the file, filled as entities name them:
    // a hundred thousand entities look up a few hundred names.
    std::unordered_map<std::string, const LayerLook*> m_layersByBytes;
    LayerLook m_unknownLayer;
    std::map<COLORREF, Stroke> m_strokes;
    std::vector<Text> m_texts;
    std::vector<std::pair<double, double>> m_dots;   // POINT entities
    std::vector<COLORREF> m_dotColours;
    // Reused while the scene is built, so that a polyline costs no allocation.
    struct Vertex {
        double x = 0, y = 0, bulge = 0;
    };
    std::vector<Vertex> m_vertices;
    std::vector<double> m_points;
    Box m_extents;
};
