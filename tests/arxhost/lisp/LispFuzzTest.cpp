// Random and mutated LISP text through the reader, the evaluator and the
// printer, as the host runs what a user types or a file holds: every form
// ends in a value or a LISP error, never in another exception, a crash, a
// hang or a stack overflow.
#include <gtest/gtest.h>

#include <regex>

#include "Fuzz.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"
#include "LispReader.h"

namespace {

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
    auto inner = [&] { Expression(random, depth + 1, out); };
    if (depth > 6 || random.OneIn(3)) {
        out += random.Pick(kAtoms);
    } else if (std::size_t kind = random.Below(8); kind == 0) {
        out += L"'";
        inner();
    } else if (kind == 1) {   // a dotted pair, or a dot where none belongs
        out += L"(";
        if (!random.OneIn(4))
            inner();
        out += L" . ";
        if (!random.OneIn(4))
            inner();
        out += random.OneIn(4) ? L" 1)" : L")";
    } else if (kind == 2) {   // a function of its own, often calling itself
        out += random.OneIn(2) ? L"(defun f (x) " : L"(defun g (x) ";
        inner();
        out += L")";
    } else {
        out += L"(" + std::wstring(random.Pick(kHeads));
        for (std::size_t args = random.Below(5); args > 0; --args) {
            out += L" ";
            inner();
        }
        out += L")";
    }
}

void Mutate(FuzzRandom& random, std::wstring& text)
{
    for (std::size_t edits = 1 + random.Below(6); edits > 0; --edits) {
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
    std::wstring text;
    switch (random.Below(4)) {
    case 0:
        return std::wstring(size, L'(') + L"1" + std::wstring(random.Below(size + 2), L')');
    case 1:
        return std::wstring(size, L'\'') + L"x";
    case 2:
        text = L"(strlen \"";
        for (std::size_t i = 0; i < size; ++i)
            text += random.OneIn(8) ? L'\\' : static_cast<wchar_t>(L'a' + random.Below(26));
        return text + (random.OneIn(4) ? L"" : L"\")");
    default:
        for (std::size_t i = 0; i < size / 2; ++i)
            text += random.OneIn(2) ? L"('" : L"(list ";
        return text;
    }
}

// A lone token of digits, signs, dots, exponents and digits of other
// scripts must read as a number exactly when it is one in ASCII; "" when it
// does, else what went wrong.
std::string TokenFailure(FuzzRandom& random, std::wstring& token)
{
    static const wchar_t chars[] = L"0123456789+-.eE\x00B2\x00B3\x00B9\x0660\x0966\xFF10\x2070x";
    static const std::wregex number(L"[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?");
    for (std::size_t length = 1 + random.Below(6); length > 0; --length)
        token += chars[random.Below(std::size(chars) - 1)];
    LispRef form;
    if (!LispReader(token).Read(form))
        return "the token " + FuzzShow(token) + " reads as nothing";
    const bool read = form->Type() == LispType::Integer || form->Type() == LispType::Real;
    if (read == std::regex_match(token, number))
        return "";
    return "the token " + FuzzShow(token) + (read ? " reads as a number" : " reads as a symbol");
}

// Reads, evaluates and prints every form of `text` as the host does; a
// description of the first failure that is not a LISP error, else "". A
// form read back from its own print is the same form.
std::string RunText(const std::wstring& text, int& values, int& errors)
{
    struct : LispHost {
        void Write(const std::wstring&) override {}
        LispRef GetVar(const std::wstring&) override { return nullptr; }
    } host;
    LispEvaluator evaluator(host);
    LispReader reader(text);
    for (int forms = 0; forms < 100000; ++forms) {
        try {
            LispRef form;
            if (!reader.Read(form))
                return "";
            std::wstring printed = LispPrinter::Prin1(form);
            LispRef reread;
            if (!LispReader(printed).Read(reread) || LispPrinter::Prin1(reread) != printed)
                return "the form printed as " + FuzzShow(printed) + " reads back as another";
            LispPrinter::Prin1(evaluator.Eval(form));
            ++values;
        } catch (const LispError&) {
            ++errors;
        } catch (const std::bad_alloc&) {
            ++errors;
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
    int values = 0;
    int errors = 0;
    for (int i = 0; i < cases && failures < 5; ++i) {
        std::uint64_t seed = FuzzSeed(20261207, i);
        FuzzRandom random(seed);
        std::wstring text;
        watch.Begin(seed, &text);
        std::size_t kind = random.Below(100);
        if (kind < 2) {
            text = Extreme(random);
        } else if (kind >= 12) {
            for (std::size_t forms = 1 + random.Below(3); forms > 0; --forms) {
                Expression(random, 0, text);
                text += L"\n";
            }
            if (kind >= 50)
                Mutate(random, text);
        }
        std::string failure =
            kind >= 2 && kind < 12 ? TokenFailure(random, text) : RunText(text, values, errors);
        if (!failure.empty()) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ": " << failure << "\ninput: " << FuzzShow(text);
        }
    }
    // Input that only ever failed to read would test nothing of the evaluator.
    EXPECT_GT(values, cases / 5) << errors << " errors";
    EXPECT_GT(errors, cases / 5) << values << " values";
}

}  // namespace
