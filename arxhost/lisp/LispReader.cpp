#include "LispReader.h"

#include <cerrno>
#include <cstdlib>
#include <cwctype>

#include "LispError.h"
#include "LispStackGuard.h"

namespace {

// Nesting (lists and quotes) beyond this is refused rather than risking the
// stack, also later when the form is evaluated, printed or converted.
constexpr int kMaxDepth = 1000;
// Reading from deep inside an evaluation (LOAD) stops earlier when the stack
// has less room left than this.
constexpr size_t kStackReserve = 64 * 1024;

bool IsDelimiter(wchar_t ch)
{
    return std::iswspace(ch) || ch == L'(' || ch == L')' || ch == L'\'' || ch == L'"'
           || ch == L';';
}

// Only the ASCII digits make numbers: iswdigit also answers true for the
// digits of other scripts and for superscripts, which wcstoll and wcstod then
// do not read, so "²" or "5٠" would become numbers of another value.
bool IsDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

// An integer token: optional sign and decimal digits only.
bool ParseInteger(const std::wstring& token, long long& value)
{
    size_t i = (token[0] == L'+' || token[0] == L'-') ? 1 : 0;
    if (i == token.size())
        return false;
    for (size_t k = i; k < token.size(); ++k)
        if (!IsDigit(token[k]))
            return false;
    errno = 0;
    value = std::wcstoll(token.c_str(), nullptr, 10);
    return errno == 0;
}

// A real token: sign, digits with a decimal point and/or exponent.
bool ParseReal(const std::wstring& token, double& value)
{
    size_t i = (token[0] == L'+' || token[0] == L'-') ? 1 : 0;
    bool digits = false;
    while (i < token.size() && IsDigit(token[i])) {
        ++i;
        digits = true;
    }
    if (i < token.size() && token[i] == L'.') {
        ++i;
        while (i < token.size() && IsDigit(token[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < token.size() && (token[i] == L'e' || token[i] == L'E')) {
        ++i;
        if (i < token.size() && (token[i] == L'+' || token[i] == L'-'))
            ++i;
        bool expDigits = false;
        while (i < token.size() && IsDigit(token[i])) {
            ++i;
            expDigits = true;
        }
        if (!expDigits)
            return false;
    }
    if (i != token.size())
        return false;
    value = std::wcstod(token.c_str(), nullptr);
    return true;
}

}  // namespace

LispReader::LispReader(std::wstring text) : m_text(std::move(text)) {}

bool LispReader::Read(LispRef& form)
{
    SkipBlanks();
    if (AtEnd())
        return false;
    if (Peek() == L')') {
        ++m_pos;
        throw LispReadError(L"extra right paren on input");
    }
    form = ReadForm(0, 0);
    return true;
}

void LispReader::SkipBlanks()
{
    while (!AtEnd()) {
        wchar_t ch = Peek();
        if (std::iswspace(ch)) {
            ++m_pos;
        } else if (ch == L';') {
            if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == L'|') {
                size_t close = m_text.find(L"|;", m_pos + 2);
                m_pos = close == std::wstring::npos ? m_text.size() : close + 2;
            } else {
                while (!AtEnd() && Peek() != L'\n')
                    ++m_pos;
            }
        } else {
            return;
        }
    }
}

LispRef LispReader::ReadForm(int nesting, int parens)
{
    SkipBlanks();
    if (AtEnd())
        throw LispReadError(L"malformed list on input");
    wchar_t ch = Peek();
    if (ch == L'(') {
        ++m_pos;
        return ReadList(nesting + 1, parens + 1);
    }
    if (ch == L'\'') {
        // A run of quotes is read in a loop, not one call deeper per quote.
        int quotes = 0;
        while (!AtEnd() && Peek() == L'\'') {
            ++m_pos;
            ++quotes;
            SkipBlanks();
        }
        if (AtEnd())
            throw LispReadError(L"malformed list on input");
        if (Peek() == L')') {
            if (parens == 0)
                ++m_pos;
            SkipToEndOfForm(parens);
            throw LispReadError(L"malformed list on input");
        }
        if (nesting + quotes > kMaxDepth) {
            ReadForm(nesting, parens);   // moves past the quoted form
            SkipToEndOfForm(parens);
            throw LispReadError(L"malformed list on input: nested too deeply");
        }
        LispRef quoted = ReadForm(nesting + quotes, parens);
        for (int i = 0; i < quotes; ++i)
            quoted = LispValue::List({LispValue::Symbol(L"QUOTE"), quoted});
        return quoted;
    }
    if (ch == L'"')
        return ReadString();
    return ReadAtom();
}

LispRef LispReader::ReadList(int nesting, int parens)
{
    if (nesting > kMaxDepth || !LispStackGuard::HasRoom(kStackReserve)) {
        SkipToEndOfForm(parens);
        throw LispReadError(L"malformed list on input: nested too deeply");
    }
    std::vector<LispRef> items;
    LispRef tail;
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            throw LispReadError(L"malformed list on input");
        if (Peek() == L')') {
            ++m_pos;
            break;
        }
        // A lone dot between blanks marks a dotted pair.
        if (Peek() == L'.' && (m_pos + 1 >= m_text.size() || IsDelimiter(m_text[m_pos + 1]))) {
            ++m_pos;
            if (items.empty()) {
                SkipToEndOfForm(parens);
                throw LispReadError(L"misplaced dot on input");
            }
            SkipBlanks();
            if (AtEnd())
                throw LispReadError(L"malformed list on input");
            if (Peek() == L')') {
                SkipToEndOfForm(parens);
                throw LispReadError(L"misplaced dot on input");
            }
            tail = ReadForm(nesting, parens);
            SkipBlanks();
            if (AtEnd())
                throw LispReadError(L"malformed list on input");
            if (Peek() != L')') {
                SkipToEndOfForm(parens);
                throw LispReadError(L"misplaced dot on input");
            }
            ++m_pos;
            break;
        }
        items.push_back(ReadForm(nesting, parens));
    }
    LispRef list = tail;
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        list = LispValue::MakeCons(*it, list);
    return list;
}

void LispReader::SkipToEndOfForm(int parens)
{
    // Moves past the close of the outermost open list, strings and comments
    // taken into account, so that reading resumes behind the broken form.
    while (parens > 0) {
        SkipBlanks();
        if (AtEnd())
            return;
        wchar_t ch = Peek();
        if (ch == L'"') {
            ++m_pos;
            while (!AtEnd() && Peek() != L'"') {
                if (Peek() == L'\\')
                    ++m_pos;
                if (!AtEnd())
                    ++m_pos;
            }
            if (!AtEnd())
                ++m_pos;
            continue;
        }
        ++m_pos;
        if (ch == L'(')
            ++parens;
        else if (ch == L')')
            --parens;
    }
}

LispRef LispReader::ReadString()
{
    ++m_pos;   // opening quote
    std::wstring text;
    for (;;) {
        if (AtEnd())
            throw LispReadError(L"malformed string on input");
        wchar_t ch = m_text[m_pos++];
        if (ch == L'"')
            break;
        if (ch != L'\\') {
            text += ch;
            continue;
        }
        if (AtEnd())
            throw LispReadError(L"malformed string on input");
        wchar_t esc = m_text[m_pos++];
        switch (esc) {
        case L'n': text += L'\n'; break;
        case L't': text += L'\t'; break;
        case L'r': text += L'\r'; break;
        case L'e': text += L'\x1b'; break;
        case L'\\': text += L'\\'; break;
        case L'"': text += L'"'; break;
        default:
            if (esc >= L'0' && esc <= L'7') {
                // Up to three octal digits give a character code.
                int code = esc - L'0';
                for (int k = 0; k < 2 && !AtEnd() && Peek() >= L'0' && Peek() <= L'7'; ++k)
                    code = code * 8 + (m_text[m_pos++] - L'0');
                text += static_cast<wchar_t>(code);
            } else {
                text += esc;   // an unknown escape stands for the character itself
            }
        }
    }
    return LispValue::String(std::move(text));
}

LispRef LispReader::ReadAtom()
{
    size_t start = m_pos;
    while (!AtEnd() && !IsDelimiter(Peek()))
        ++m_pos;
    std::wstring token = m_text.substr(start, m_pos - start);

    long long integer = 0;
    if (ParseInteger(token, integer)) {
        // Integers beyond 32 bits are read as reals, as AutoLISP does.
        if (integer >= INT32_MIN && integer <= INT32_MAX)
            return LispValue::Integer(static_cast<std::int32_t>(integer));
        return LispValue::Real(static_cast<double>(integer));
    }
    double real = 0;
    if (ParseReal(token, real))
        return LispValue::Real(real);
    LispRef symbol = LispValue::Symbol(token);
    if (symbol->SymbolName() == L"NIL")
        return nullptr;
    return symbol;
}
