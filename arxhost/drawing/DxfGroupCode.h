#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What kind of value a DXF group code carries, and the value's text form.
// The ranges are those of the DXF reference; codes it leaves open are text.
class DxfGroupCode {
public:
    enum class Kind { Text, Real, Integer };

    static Kind KindOf(int code);

    // Numbers as DXF writes them: leading and trailing blanks allowed, a
    // decimal point (never a comma), exponents. Integers also accept a real
    // with no fraction ("1.0"), which some writers produce for flags.
    static std::optional<double> ParseReal(std::string_view text);
    static std::optional<std::int64_t> ParseInteger(std::string_view text);

    // The shortest text that reads back as the same double, with a decimal
    // point always present ("1.0", "0.125", "1e+20"), as CAD programs write.
    static std::string FormatReal(double value);
    // The code line as AutoCAD writes it: right-aligned in three columns.
    static std::string FormatCode(int code);
};
