#include "LispPrinter.h"

#include <cmath>
#include <cstdio>

#include "LispStackGuard.h"
#include "SelectionSet.h"

namespace {

// Nests deeper than this, or deeper than the stack has room for, print as
// "..." rather than risking the stack; the reader refuses such nests, but
// evaluation can build them.
constexpr int kMaxDepth = 2000;
constexpr size_t kStackReserve = 64 * 1024;

std::wstring Address(const void* p)
{
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%016llx", static_cast<unsigned long long>(
                                              reinterpret_cast<std::uintptr_t>(p)));
    return buffer;
}

void Print(const LispRef& value, bool readable, int depth, std::wstring& out)
{
    if (!value) {
        out += L"nil";
        return;
    }
    switch (value->Type()) {
    case LispType::Integer:
        out += std::to_wstring(value->AsInteger());
        return;
    case LispType::Real:
        out += LispPrinter::FormatReal(value->AsReal());
        return;
    case LispType::String:
        out += readable ? LispPrinter::QuoteString(value->AsString()) : value->AsString();
        return;
    case LispType::Symbol:
        out += value->SymbolName();
        return;
    case LispType::Void:
        return;
    case LispType::Builtin: {
        const LispBuiltin& f = value->AsBuiltin();
        out += f.kind == LispBuiltin::Kind::External ? L"#<EXRXSUBR @" : L"#<SUBR @";
        out += Address(value.get()) + L" " + f.name + L">";
        return;
    }
    case LispType::Lambda: {
        const LispLambda& f = value->AsLambda();
        out += L"#<USUBR @" + Address(value.get());
        out += f.name.empty() ? L"-lambda-" : L" " + f.name;
        out += L">";
        return;
    }
    case LispType::EntityName: {
        // Shown as AutoLISP shows them: like a 64-bit address. The address
        // stands for the entity's record, so one entity always shows alike.
        wchar_t text[48];
        std::swprintf(text, 48, L"<Entity name: %llx>",
                      0x7ff640000000ULL + 0x10ULL * value->AsEntityName());
        out += text;
        return;
    }
    case LispType::SelectionSet:
        out += L"<Selection set: " + std::to_wstring(value->AsSelection().Number()) + L">";
        return;
    case LispType::Cons:
        break;
    }
    if (depth > kMaxDepth || !LispStackGuard::HasRoom(kStackReserve)) {
        out += L"...";
        return;
    }
    out += L'(';
    const LispValue* node = value.get();
    bool first = true;
    while (node) {
        if (!first)
            out += L' ';
        first = false;
        Print(node->Car(), readable, depth + 1, out);
        const LispRef& rest = node->Cdr();
        if (rest && rest->Type() != LispType::Cons) {
            out += L" . ";
            Print(rest, readable, depth + 1, out);
            break;
        }
        node = rest.get();
    }
    out += L')';
}

}  // namespace

std::wstring LispPrinter::Prin1(const LispRef& value)
{
    std::wstring out;
    Print(value, true, 0, out);
    return out;
}

std::wstring LispPrinter::Princ(const LispRef& value)
{
    std::wstring out;
    Print(value, false, 0, out);
    return out;
}

std::wstring LispPrinter::FormatReal(double value)
{
    if (std::isnan(value))
        return L"-1.#IND";
    if (std::isinf(value))
        return value > 0 ? L"1.#INF" : L"-1.#INF";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    std::string text = buffer;
    // At least one decimal, also in the mantissa of an exponent form
    // (3.0, 1.0e+07); the exponent keeps at least two digits.
    size_t e = text.find('e');
    std::string mantissa = e == std::string::npos ? text : text.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : text.substr(e);
    if (mantissa.find('.') == std::string::npos)
        mantissa += ".0";
    if (!exponent.empty()) {
        std::string sign = exponent.substr(1, 1);
        std::string digits = exponent.substr(2);
        while (digits.size() > 2 && digits[0] == '0')
            digits.erase(0, 1);
        exponent = "e" + sign + digits;
    }
    text = mantissa + exponent;
    return std::wstring(text.begin(), text.end());
}

std::wstring LispPrinter::QuoteString(const std::wstring& text)
{
    std::wstring out = L"\"";
    for (wchar_t ch : text) {
        switch (ch) {
        case L'"': out += L"\\\""; break;
        case L'\\': out += L"\\\\"; break;
        case L'\n': out += L"\\n"; break;
        case L'\t': out += L"\\t"; break;
        case L'\r': out += L"\\r"; break;
        case L'\x1b': out += L"\\e"; break;
        default: out += ch;
        }
    }
    out += L'"';
    return out;
}
