// drawing_bench.exe FILE.dxf: what the host spends on a large drawing. Run
// by drawing_bench.py, which makes the drawing and times ezdxf beside it;
// prints one "name value" line per figure for it:
//   open_ms      reading the file into the drawing (median of 3)
//   scene_ms     making the picture of it (median of 3)
//   repaint_ms   painting the picture at the extents into a 1000 x 700
//                window's memory bitmap, as the drawing window does (median of 10)
//   ssget_ms     (ssget "X" '((8 . "LOT-01*"))) through the LISP evaluator: one
//                layer pattern, ten layers of the 200 (median of 5)
//   ssget_all_ms the same for "LOT-*", every lot (median of 5)
//   save_ms      saving it with one entity added (median of 3)
//   memory_mb    the process's peak working set over the one before opening
//   file_mb      the file's size
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "Drawing.h"
#include "DrawingScene.h"
#include "DxfReadError.h"
#include "LispEvaluator.h"
#include "LispHost.h"
#include "LispPrinter.h"
#include "LispReader.h"

namespace {

double PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// A host that has nothing but the drawing.
class BenchHost : public LispHost {
public:
    explicit BenchHost(Drawing& drawing) : m_drawing(drawing) {}
    void Write(const std::wstring&) override {}
    LispRef GetVar(const std::wstring&) override { return nullptr; }
    Drawing* CurrentDrawing() override { return &m_drawing; }

private:
    Drawing& m_drawing;
};

// The median time of evaluating `text`, and its value.
double TimeLisp(Drawing& drawing, const wchar_t* text, std::wstring& value)
{
    BenchHost host(drawing);
    LispEvaluator evaluator(host);
    LispRef form;
    LispReader reader(text);
    reader.Read(form);
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        double start = NowMs();
        value = LispPrinter::Prin1(evaluator.Eval(form));
        times.push_back(NowMs() - start);
    }
    return MedianOf(times);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawing_bench.exe FILE.dxf\n");
        return 2;
    }
    const std::wstring path = argv[1];
    try {
        const double before = PeakWorkingSetMb();
        std::unique_ptr<Drawing> drawing;
        std::unique_ptr<DrawingScene> scene;
        std::vector<double> opens, scenes;
        for (int i = 0; i < 3; ++i) {
            scene.reset();
            drawing.reset();
            double start = NowMs();
            drawing = Drawing::Open(path);
            double opened = NowMs();
            scene = std::make_unique<DrawingScene>(*drawing);
            opens.push_back(opened - start);
            scenes.push_back(NowMs() - opened);
        }
        const double memory = PeakWorkingSetMb() - before;

        HDC dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 1000;
        info.bmiHeader.biHeight = -700;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const DrawingScene::Box& box = scene->Extents();
        DrawingScene::View view;
        view.centreX = (box.minX + box.maxX) / 2;
        view.centreY = (box.minY + box.maxY) / 2;
        view.scale = 0.95 * std::min(1000 / (box.maxX - box.minX), 700 / (box.maxY - box.minY));
        RECT area{0, 0, 1000, 700};
        std::vector<double> repaints;
        for (int i = 0; i < 10; ++i) {
            double start = NowMs();
            FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            scene->Paint(dc, area, view);
            GdiFlush();
            repaints.push_back(NowMs() - start);
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);

        std::wstring some, all;
        double ssget = TimeLisp(*drawing, L"(sslength (ssget \"X\" '((8 . \"LOT-01*\"))))", some);
        double ssgetAll = TimeLisp(*drawing, L"(sslength (ssget \"X\" '((8 . \"LOT-*\"))))", all);
        std::printf("ssget_count %ls\nssget_all_count %ls\n", some.c_str(), all.c_str());

        DrawingGroup type{0, std::wstring(L"LINE")};
        drawing->AddEntity({type});
        std::wstring target = path + L".bench-save.dxf";
        std::vector<double> saves;
        for (int i = 0; i < 3; ++i) {
            double start = NowMs();
            drawing->Save(target);
            saves.push_back(NowMs() - start);
        }
        DeleteFileW(target.c_str());

        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes);
        double fileMb = static_cast<double>(attributes.nFileSizeLow) / (1024.0 * 1024.0)
                        + static_cast<double>(attributes.nFileSizeHigh) * 4096.0;

        std::printf("open_ms %.1f\nscene_ms %.1f\nrepaint_ms %.1f\nsave_ms %.1f\n"
                    "memory_mb %.1f\nfile_mb %.1f\npolylines %zu\nssget_ms %.1f\nssget_all_ms %.1f\n",
                    MedianOf(opens), MedianOf(scenes), MedianOf(repaints), MedianOf(saves),
                    memory, fileMb, scene->PolylineCount(), ssget, ssgetAll);
    } catch (const DxfReadError& error) {
        std::fprintf(stderr, "drawing_bench: line %lld: %ls\n", error.Line(), error.Message().c_str());
        return 1;
    } catch (const DxfWriteError& error) {
        std::fprintf(stderr, "drawing_bench: %ls\n", error.Message().c_str());
        return 1;
    }
    return 0;
}
