#include "DxfGroupCode.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return text;
}

}  // namespace

DxfGroupCode::Kind DxfGroupCode::KindOf(int code)
{
    if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149)
        || (code >= 210 && code <= 239) || (code >= 460 && code <= 469)
        || (code >= 1010 && code <= 1059))
        return Kind::Real;
    if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179)
        || (code >= 270 && code <= 299) || (code >= 370 && code <= 389)
        || (code >= 400 && code <= 409) || (code >= 420 && code <= 429)
        || (code >= 440 && code <= 459) || (code >= 1060 && code <= 1071))
        return Kind::Integer;
    return Kind::Text;
}

std::optional<double> DxfGroupCode::ParseReal(std::string_view text)
{
    text = Trim(text);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> DxfGroupCode::ParseInteger(std::string_view text)
{
    text = Trim(text);
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size())
        return value;
    std::optional<double> real = ParseReal(text);
    if (real && *real == std::floor(*real) && std::fabs(*real) < 9.0e18)
        return static_cast<std::int64_t>(*real);
    return std::nullopt;
}

std::string DxfGroupCode::FormatReal(double value)
{
    if (value == 0)
        return "0.0";   // also for -0.0
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (text.find_first_of(".eEn") == std::string::npos)
        text += ".0";
    return text;
}

std::string DxfGroupCode::FormatCode(int code)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%3d", code);
    return buffer;
}
