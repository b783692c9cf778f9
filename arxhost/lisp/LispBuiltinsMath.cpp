// Reals and points: sqrt sin cos atan rtos distance angle polar inters.
// Points are lists of two or three numbers; a 2D point with a 3D one is
// measured in the plane.
#include "LispBuiltins.h"

#include <cmath>
#include <cstdio>

#include "LispBuiltinArgs.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"

namespace {

using Args = LispBuiltinArgs;

constexpr double kPi = 3.14159265358979323846;

LispRef Point(const std::vector<double>& coordinates)
{
    std::vector<LispRef> items;
    for (double value : coordinates)
        items.push_back(LispValue::Real(value));
    return LispValue::List(items);
}

// rtos's units: 1 scientific, 2 decimal, both with `precision` decimals.
std::wstring Format(double value, int mode, int precision)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, mode == 1 ? "%.*E" : "%.*f", precision, value);
    std::string text = buffer;
    return std::wstring(text.begin(), text.end());
}

}  // namespace

void LispBuiltins::InstallMath(LispEvaluator& e)
{
    Args::Def(e, L"SQRT", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        double value = Args::Num(a[0]);
        if (value < 0)
            throw LispEvalError(L"function undefined for argument: " + LispPrinter::Prin1(a[0]));
        return LispValue::Real(std::sqrt(value));
    });
    Args::Def(e, L"SIN", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return LispValue::Real(std::sin(Args::Num(a[0])));
    });
    Args::Def(e, L"COS", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return LispValue::Real(std::cos(Args::Num(a[0])));
    });
    Args::Def(e, L"ATAN", 1, 2, [](LispEvaluator&, const LispArgs& a) {
        double y = Args::Num(a[0]);
        return LispValue::Real(a.size() == 2 ? std::atan2(y, Args::Num(a[1])) : std::atan(y));
    });
    Args::Def(e, L"RTOS", 1, 3, [](LispEvaluator&, const LispArgs& a) {
        double value = Args::Num(a[0]);
        int mode = a.size() > 1 ? Args::Int(a[1]) : 2;
        int precision = a.size() > 2 ? Args::Int(a[2]) : 4;
        if (mode != 1 && mode != 2)
            throw LispEvalError(L"bad argument value: " + std::to_wstring(mode)
                                + L": rtos knows units 1 (scientific) and 2 (decimal)");
        if (precision < 0 || precision > 16)
            throw LispEvalError(L"bad argument value: " + std::to_wstring(precision));
        return LispValue::String(Format(value, mode, precision));
    });
    Args::Def(e, L"DISTANCE", 2, 2, [](LispEvaluator&, const LispArgs& a) {
        std::vector<double> p = Args::Point(a[0]);
        std::vector<double> q = Args::Point(a[1]);
        double dz = p.size() == 3 && q.size() == 3 ? q[2] - p[2] : 0;
        return LispValue::Real(std::sqrt((q[0] - p[0]) * (q[0] - p[0])
                                         + (q[1] - p[1]) * (q[1] - p[1]) + dz * dz));
    });
    Args::Def(e, L"ANGLE", 2, 2, [](LispEvaluator&, const LispArgs& a) {
        std::vector<double> p = Args::Point(a[0]);
        std::vector<double> q = Args::Point(a[1]);
        double angle = std::atan2(q[1] - p[1], q[0] - p[0]);
        return LispValue::Real(angle < 0 ? angle + 2 * kPi : angle);
    });
    Args::Def(e, L"POLAR", 3, 3, [](LispEvaluator&, const LispArgs& a) {
        std::vector<double> p = Args::Point(a[0]);
        double angle = Args::Num(a[1]);
        double distance = Args::Num(a[2]);
        p[0] += distance * std::cos(angle);
        p[1] += distance * std::sin(angle);
        return Point(p);
    });
    Args::Def(e, L"INTERS", 4, 5, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        std::vector<double> p1 = Args::Point(a[0]), p2 = Args::Point(a[1]);
        std::vector<double> p3 = Args::Point(a[2]), p4 = Args::Point(a[3]);
        bool segments = a.size() < 5 || a[4];
        double dx1 = p2[0] - p1[0], dy1 = p2[1] - p1[1];
        double dx2 = p4[0] - p3[0], dy2 = p4[1] - p3[1];
        double denominator = dx1 * dy2 - dy1 * dx2;
        if (denominator == 0)
            return nullptr;   // parallel
        double t = ((p3[0] - p1[0]) * dy2 - (p3[1] - p1[1]) * dx2) / denominator;
        double u = ((p3[0] - p1[0]) * dy1 - (p3[1] - p1[1]) * dx1) / denominator;
        constexpr double kSlack = 1e-10;
        if (segments && (t < -kSlack || t > 1 + kSlack || u < -kSlack || u > 1 + kSlack))
            return nullptr;
        std::vector<double> at{p1[0] + t * dx1, p1[1] + t * dy1};
        if (p1.size() == 3 && p2.size() == 3)
            at.push_back(p1[2] + t * (p2[2] - p1[2]));
        return Point(at);
    });
}
