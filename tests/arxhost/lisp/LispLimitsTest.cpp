// Input at the sizes and depths a user can type or a file can hold: the
// reader, evaluator and printer answer with an error or a shortened print
// and never run out of stack.
#include <gtest/gtest.h>

#include <string>

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

// Reads every form of `text`: printed values, or "error: ..." entries.
std::vector<std::wstring> ReadAll(const std::wstring& text)
{
    std::vector<std::wstring> results;
    LispReader reader(text);
    for (;;) {
        try {
            LispRef form;
            if (!reader.Read(form))
                break;
            results.push_back(LispPrinter::Prin1(form));
        } catch (const LispError& error) {
            results.push_back(L"error: " + error.Message());
        }
    }
    return results;
}

std::wstring Nested(int depth, const std::wstring& core)
{
    return std::wstring(depth, L'(') + core + std::wstring(depth, L')');
}

TEST(LispReaderLimits, RefusesTooDeepNestingAndReadsTheNextForm)
{
    std::vector<std::wstring> ok = ReadAll(Nested(1000, L"1"));
    ASSERT_EQ(ok.size(), 1u);
    EXPECT_EQ(ok[0], Nested(1000, L"1"));

    // Lists and quotes count alike; the broken form is skipped as a whole.
    for (const std::wstring& deep :
         {Nested(1001, L"1"), Nested(100000, L"\"(\" x"), std::wstring(1001, L'\'') + L"(a b)",
          std::wstring(200000, L'\'') + L"x", Nested(600, L"'" + Nested(600, L"y"))}) {
        std::vector<std::wstring> results = ReadAll(deep + L" 7");
        ASSERT_EQ(results.size(), 2u);
        EXPECT_EQ(results[0], L"error: malformed list on input: nested too deeply");
        EXPECT_EQ(results[1], L"7");
    }

    // Never closed: one error, and nothing left behind it.
    std::vector<std::wstring> open = ReadAll(std::wstring(300000, L'('));
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].rfind(L"error: malformed list on input", 0), 0u);
}

TEST(LispReaderLimits, ReadsPrintsAndReleasesHugeFlatInput)
{
    std::wstring items;
    for (int i = 0; i < 300000; ++i)
        items += L"12345 ";
    std::wstring text(2000000, L'x');

    SilentHost host;
    LispEvaluator evaluator(host);
    LispReader reader(L"(length '(" + items + L")) (strlen \"" + text + L"\") " + text);
    LispRef form;
    ASSERT_TRUE(reader.Read(form));
    EXPECT_EQ(LispPrinter::Prin1(evaluator.Eval(form)), L"300000");
    ASSERT_TRUE(reader.Read(form));
    EXPECT_EQ(LispPrinter::Prin1(evaluator.Eval(form)), L"2000000");
    ASSERT_TRUE(reader.Read(form));
    EXPECT_EQ(LispPrinter::Prin1(form).size(), text.size());
    EXPECT_FALSE(reader.Read(form));
}

TEST(LispEvaluatorLimits, RunawayRecursionAndDeepValuesEndInErrors)
{
    SilentHost host;
    LispEvaluator evaluator(host);
    auto eval = [&](const std::wstring& text) {
        LispReader reader(text);
        LispRef form;
        LispRef value;
        while (reader.Read(form))
            value = evaluator.Eval(form);
        return LispPrinter::Prin1(value);
    };

    eval(L"(setq n 'outer) (defun down (n) (down (1+ n)))");
    try {
        eval(L"(down 0)");
        ADD_FAILURE() << "endless recursion returned";
    } catch (const LispEvalError& error) {
        EXPECT_EQ(error.Message(), L"stack overflow");
    }
    EXPECT_EQ(eval(L"n"), L"OUTER") << "the parameter's binding was not undone";

    // A value nested far deeper than the reader allows: printing shortens
    // it, comparing stops with an error, releasing it does not recurse.
    eval(L"(setq deep nil deep2 nil)"
         L"(repeat 300000 (setq deep (list deep) deep2 (list deep2)))");
    std::wstring printed = eval(L"deep");
    EXPECT_EQ(printed.substr(0, 5), L"(((((");
    EXPECT_NE(printed.find(L"..."), std::wstring::npos);
    EXPECT_THROW(eval(L"(equal deep deep2)"), LispEvalError);
    EXPECT_EQ(eval(L"(setq deep nil deep2 nil)"), L"nil");
}

}  // namespace
