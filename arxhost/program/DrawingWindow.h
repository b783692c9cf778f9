#pragma once

#include <string>

#include "CWnd.h"

class ArxHost;

// The drawing area of the main window, the window a module knows as the
// active drawing window: the host's drawing on the dark background of model
// space, with the CAD programs' mouse conventions: the wheel zooms at the
// pointer, dragging with the middle button pans, a middle-button double
// click zooms to the drawing's extents.
class DrawingWindow : public CWnd {
public:
    explicit DrawingWindow(ArxHost& host) : m_host(host) {}

    // Creates the window as a child of `parent`, named after the drawing.
    bool Create(CWnd* parent, const std::wstring& drawingName);
    // Another drawing: its name, and the view fitted to it.
    void DrawingOpened(const std::wstring& drawingName);
    // Fits the drawing's extents into the window (ZOOM E).
    void ZoomExtents();
    // Repaints when the drawing changed since the last paint.
    void RefreshIfChanged();

    // The view, for scripts and tests: the drawing point at the window's
    // middle and pixels per drawing unit.
    double CentreX() const { return m_centreX; }
    double CentreY() const { return m_centreY; }
    double Scale() const { return m_scale; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnMButtonDown(UINT flags, CPoint point) override;
    void OnMButtonUp(UINT flags, CPoint point) override;
    void OnMButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;

private:
    static LPCWSTR RegisterClassOnce();
    void PaintInto(HDC dc, const RECT& client);

    ArxHost& m_host;
    std::wstring m_drawingName;
    double m_centreX = 0, m_centreY = 0, m_scale = 1;
    bool m_fitted = false;          // the view was fitted once the window had a size
    bool m_panning = false;
    CPoint m_panFrom;
    double m_panCentreX = 0, m_panCentreY = 0;
    unsigned m_paintedRevision = 0;
};
