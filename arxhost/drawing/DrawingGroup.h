#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

// One group of an entity or table entry as the drawing hands it out and takes
// it in: the group code and its value, typed by the code (see DxfGroupCode).
// Points are separate groups, as in the file: 10, 20 and 30 for one point.
struct DrawingGroup {
    using Value = std::variant<std::int64_t, double, std::wstring>;

    int code = 0;
    Value value;

    bool IsInteger() const { return std::holds_alternative<std::int64_t>(value); }
    bool IsReal() const { return std::holds_alternative<double>(value); }
    bool IsText() const { return std::holds_alternative<std::wstring>(value); }
    std::int64_t Integer() const { return std::get<std::int64_t>(value); }
    double Real() const { return std::get<double>(value); }
    const std::wstring& Text() const { return std::get<std::wstring>(value); }
};

// Groups of each kind of value, as edits make them.
inline DrawingGroup TextGroup(int code, std::wstring text)
{
    return DrawingGroup{code, std::move(text)};
}

inline DrawingGroup IntegerGroup(int code, std::int64_t value)
{
    return DrawingGroup{code, DrawingGroup::Value(std::in_place_type<std::int64_t>, value)};
}

inline DrawingGroup RealGroup(int code, double value)
{
    return DrawingGroup{code, DrawingGroup::Value(std::in_place_type<double>, value)};
}
