// Random and mutated LISP text through the reader, the evaluator and the
// printer, as the host runs what a user types or a file holds: every form
// ends in a value or a LISP error, never in another exception, a crash, a
// hang or a stack overflow.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "Fuzz.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"
#include "LispReader.h"

namespace {

class SilentHost : public LispHost {
public:
    void Write(const std::wstring&) override {}
    LispRef GetVar(const std::wstring&) override { return nullptr; }
};

// Functions and special forms of the evaluator, less those that loop
// without end on random input (while, repeat) or read files (load).
const wchar_t* const kHeads[] = {
    L"quote", L"setq", L"defun", L"lambda", L"function", L"progn", L"if", L"cond", L"and",
    L"or", L"foreach", L"car", L"cdr", L"cadr", L"cddr", L"caddr", L"list", L"cons", L"nth",
    L"length", L"append", L"reverse", L"last", L"member", L"assoc", L"mapcar", L"apply",
    L"atom", L"listp", L"null", L"not", L"eq", L"equal", L"type", L"+", L"-", L"*", L"/",
    L"1+", L"1-", L"=", L"/=", L"<", L">", L"<=", L">=", L"abs", L"min", L"max", L"rem",
    L"fix", L"float", L"strcat", L"strlen", L"substr", L"strcase", L"itoa", L"atoi", L"atof",
    L"princ", L"prin1", L"print", L"terpri", L"getvar", L"f", L"g", L"x"};
const wchar_t* const kAtoms[] = {
    L"0", L"1", L"-1", L"7", L"2147483647", L"-2147483648", L"2147483648",
    L"99999999999999999999999", L"-0", L"+5", L"1.5", L"-.5", L".5", L"5.", L"1e308", L"1e400",
    L"-1e-400", L"1e", L"1.2.3", L"+", L"-", L".", L"x", L"y", L"f", L"g", L"nil", L"t", L"T",
    L"\"\"", L"\"abc\"", L"\"a\\nb\"", L"\"\\q\"", L"\"\\777\"", L"\"\\0\"", L"\"\\\\\"",
    L"\"\\\"\"", L"\"\\", L"\"open", L"1+", L"a.b", L"'x", L"'(1 2)", L"'(1 . 2)"};
// Characters that mutations put in: the syntax's own, digits, and code
// units outside ASCII (digits of other scripts, a lone surrogate, a null).
const wchar_t kMutationChars[] = L"()'\".;|\\ \n\t0123456789eE+-xyz#\x00B2\x0660\xFF11\x00E9"
                                 L"\x00A0\x3000\xD800\xFFFF";

void Expression(FuzzRandom& random, int depth, std::wstring& out)
{
    if (depth > 6 || random.OneIn(3)) {
        out += random.Pick(kAtoms);
        return;
    }
    switch (random.Below(8)) {
    case 0:
        out += L"'";
        Expression(random, depth + 1, out);
        return;
    case 1:   // a dotted pair, or a dot where none belongs
        out += L"(";
        if (!random.OneIn(4))
            Expression(random, depth + 1, out);
        out += L" . ";
        if (!random.OneIn(4))
            Expression(random, depth + 1, out);
        out += random.OneIn(4) ? L" 1)" : L")";
        return;
    case 2:   // a function of its own, often calling itself
        out += L"(defun ";
        out += random.OneIn(2) ? L"f" : L"g";
        out += L" (x) ";
        Expression(random, depth + 1, out);
        out += L")";
        return;
    default: {
        out += L"(";
        out += random.Pick(kHeads);
        std::size_t args = random.Below(5);
        for (std::size_t i = 0; i < args; ++i) {
            out += L" ";
            Expression(random, depth + 1, out);
        }
        out += L")";
    }
    }
}

void Mutate(FuzzRandom& random, std::wstring& text)
{
    std::size_t edits = 1 + random.Below(6);
    for (std::size_t e = 0; e < edits; ++e) {
        std::size_t at = text.empty() ? 0 : random.Below(text.size() + 1);
        wchar_t ch = kMutationChars[random.Below(std::size(kMutationChars) - 1)];
        switch (random.Below(4)) {
        case 0: text.insert(at, 1, ch); break;
        case 1: if (at < text.size()) text[at] = ch; break;
        case 2: if (at < text.size()) text.erase(at, 1 + random.Below(4)); break;
        default:   // a copy of a piece of the text, once
            if (at < text.size() && text.size() < 4000)
                text.insert(random.Below(text.size()), text.substr(at, random.Below(40)));
        }
    }
}

// Input far beyond what a person types: nesting to 100,000 levels, strings
// of 100,000 characters, long runs of escapes.
std::wstring Extreme(FuzzRandom& random)
{
    std::size_t size = random.OneIn(2) ? 100000 : 1 + random.Below(3000);
    switch (random.Below(4)) {
    case 0: {
        std::wstring open(size, L'(');
        return open + L"1" + std::wstring(random.Below(size + 2), L')');
    }
    case 1:
        return std::wstring(size, L'\'') + L"x";
    case 2: {
        std::wstring text = L"(strlen \"";
        for (std::size_t i = 0; i < size; ++i)
            text += random.OneIn(8) ? L'\\' : static_cast<wchar_t>(L'a' + random.Below(26));
        return text + (random.OneIn(4) ? L"" : L"\")");
    }
    default: {
        std::wstring text;
        for (std::size_t i = 0; i < size / 2; ++i)
            text += random.OneIn(2) ? L"('" : L"(list ";
        return text;
    }
    }
}

// How the reader must take a lone token: decimal digits in ASCII only make
// numbers; everything else that is not a delimiter is a symbol.
const wchar_t* TokenKind(const std::wstring& token)
{
    static const std::wregex integer(L"[+-]?[0-9]+");
    static const std::wregex real(L"[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?");
    if (std::regex_match(token, integer) || std::regex_match(token, real))
        return L"number";
    return L"symbol";
}

std::wstring RandomToken(FuzzRandom& random)
{
    static const wchar_t chars[] = L"0123456789+-.eE\x00B2\x00B3\x00B9\x0660\x0966\xFF10\x2070x";
    std::wstring token;
    std::size_t length = 1 + random.Below(6);
    for (std::size_t i = 0; i < length; ++i)
        token += chars[random.Below(std::size(chars) - 1)];
    return token;
}

struct Outcomes {
    int values = 0;
    int errors = 0;
};

// Reads, evaluates and prints every form of `text` as the host does; a
// description of the first failure that is not a LISP error, else "". A
// form read back from its own print is the same form.
std::string RunText(const std::wstring& text, Outcomes& outcomes)
{
    SilentHost host;
    LispEvaluator evaluator(host);
    LispReader reader(text);
    for (int forms = 0; forms < 100000; ++forms) {
        try {
            LispRef form;
            if (!reader.Read(form))
                return "";
            std::wstring printed = LispPrinter::Prin1(form);
            LispReader again(printed);
            LispRef reread;
            if (!again.Read(reread) || LispPrinter::Prin1(reread) != printed)
                return "the form printed as " + FuzzShow(printed) + " reads back as another";
            LispPrinter::Prin1(evaluator.Eval(form));
            ++outcomes.values;
        } catch (const LispError&) {
            ++outcomes.errors;
        } catch (const std::bad_alloc&) {
            ++outcomes.errors;
        } catch (const std::exception& other) {
            return std::string("exception ") + typeid(other).name() + ": " + other.what();
        }
    }
    return "the reader does not come to an end";
}

TEST(LispFuzz, RandomAndMutatedInputEndsInValuesOrErrors)
{
    FuzzWatch watch("LispFuzz");
    const int cases = 100000 * FuzzScale();
    int failures = 0;
    Outcomes outcomes;
    for (int i = 0; i < cases && failures < 5; ++i) {
        std::uint64_t seed = FuzzSeed(20261207, i);
        FuzzRandom random(seed);
        std::wstring text;
        std::size_t kind = random.Below(100);
        if (kind < 2) {
            text = Extreme(random);
        } else if (kind < 12) {
            // A lone token: a number exactly when its characters say so.
            text = RandomToken(random);
            watch.Begin(seed, &text);
            LispReader reader(text);
            LispRef form;
            ASSERT_TRUE(reader.Read(form));
            bool number = form && (form->Type() == LispType::Integer || form->Type() == LispType::Real);
            std::wstring expected = TokenKind(text);
            if ((number ? L"number" : L"symbol") != expected) {
                ++failures;
                ADD_FAILURE() << "seed " << seed << ": the token " << FuzzShow(text) << " reads as "
                              << (number ? "a number" : "a symbol");
            }
            continue;
        } else {
            std::size_t forms = 1 + random.Below(3);
            for (std::size_t f = 0; f < forms; ++f) {
                Expression(random, 0, text);
                text += L"\n";
            }
            if (kind >= 50)
                Mutate(random, text);
        }
        watch.Begin(seed, &text);
        std::string failure = RunText(text, outcomes);
        if (!failure.empty()) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ": " << failure << "\ninput: " << FuzzShow(text);
        }
    }
    // Input that only ever failed to read would test nothing of the evaluator.
    EXPECT_GT(outcomes.values, cases / 5) << outcomes.errors << " errors";
    EXPECT_GT(outcomes.errors, cases / 5) << outcomes.values << " values";
}

}  // namespace
