// The files forms/*.mal, copied beside the program into arxlisp-forms\: each
// line that is neither blank nor a comment (";;") is an input, followed by
// ";=> " and the printed value of each of its forms (an error as "; error:
// message"), then, if it wrote something, ";out> " and that text with line
// feeds as \n. read-*.mal files only read the forms; eval-*.mal files
// evaluate them with one evaluator per file, whose DWGPREFIX is "C:\site\"
// and DWGNAME "lots.dwg". A line ";drawing> NAME" gives the evaluator the
// sample drawing NAME (a file of drawing-samples\ beside the program; no
// name: a new empty drawing). Beside them, input at the sizes and
// depths a file can hold ends in an error or a shortened print.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "Drawing.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"
#include "LispReader.h"
#include "LispSourceFile.h"

namespace {

// An evaluator as the host program runs one: what the forms write is kept,
// the host knows DWGPREFIX and DWGNAME, and holds the drawing at hand.
class LispRunner : public LispHost {
public:
    void Write(const std::wstring& text) override { written += text; }
    LispRef GetVar(const std::wstring& name) override
    {
        return name == L"DWGNAME" ? LispValue::String(L"lots.dwg")
               : name == L"DWGPREFIX" ? LispValue::String(L"C:\\site\\")
                                      : nullptr;
    }
    Drawing* CurrentDrawing() override { return drawing.get(); }

    // Every form of `text`, evaluated or only read, as printed; an error
    // takes its place as "; error: message" and reading goes on behind it.
    std::vector<std::wstring> Run(const std::wstring& text, bool evaluate = true)
    {
        std::vector<std::wstring> results;
        LispReader reader(text);
        for (LispRef form;;) {
            try {
                if (!reader.Read(form))
                    return results;
                results.push_back(LispPrinter::Prin1(evaluate ? evaluator.Eval(form) : form));
            } catch (const LispError& error) {
                results.push_back(L"; error: " + error.Message());
            }
        }
    }

    LispEvaluator evaluator{*this};
    std::wstring written;
    std::unique_ptr<Drawing> drawing;
};

TEST(LispForms, ProduceTheExpectedOutput)
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const auto folder = std::filesystem::path(program).parent_path() / L"arxlisp-forms";
    SetCurrentDirectoryW(folder.c_str());   // where the files load from
    const std::wregex lf(L"\n");   // shown as \n in the files
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        if (file.path().extension() != L".mal")
            continue;
        std::wstring text;
        ASSERT_TRUE(LispSourceFile::Read(file.path().wstring(), text));
        std::erase(text, L'\r');
        LispRunner lisp;
        const bool evaluate = file.path().filename().wstring().rfind(L"eval-", 0) == 0;
        std::wistringstream lines(text);
        std::wstring expected, produced;
        for (std::wstring line; std::getline(lines, line);) {
            expected += line + L"\n";
            if (line.rfind(L";=>", 0) == 0 || line.rfind(L";out>", 0) == 0)
                continue;
            produced += line + L"\n";
            if (line.rfind(L";drawing>", 0) == 0) {
                const std::wstring name = line.size() > 10 ? line.substr(10) : L"";
                lisp.drawing = name.empty() ? std::make_unique<Drawing>()
                                            : Drawing::Open((folder.parent_path() / L"drawing-samples" / name).wstring());
                continue;
            }
            if (line.empty() || line.rfind(L";;", 0) == 0)
                continue;
            lisp.written.clear();
            for (const std::wstring& value : lisp.Run(line, evaluate))
                produced += L";=> " + value + L"\n";
            if (!lisp.written.empty())
                produced += L";out> " + std::regex_replace(lisp.written, lf, L"\\n") + L"\n";
        }
        EXPECT_EQ(produced, expected) << file.path().string();
    }
}

TEST(LispReaderLimits, RefusesTooDeepNestingAndReadsTheNextForm)
{
    auto Nested = [](int depth, const std::wstring& core) {
        return std::wstring(depth, L'(') + core + std::wstring(depth, L')');
    };
    LispRunner lisp;
    EXPECT_EQ(lisp.Run(Nested(1000, L"1"), false),
              std::vector<std::wstring>{Nested(1000, L"1")});
    // Lists and quotes count alike; the broken form is skipped as a whole,
    // and one that never closes leaves nothing behind.
    const std::wstring tooDeep = L"; error: malformed list on input: nested too deeply";
    for (const std::wstring& deep :
         {Nested(1001, L"1"), Nested(100000, L"\"(\" x"), std::wstring(1001, L'\'') + L"(a b)",
          std::wstring(200000, L'\'') + L"x", Nested(600, L"'" + Nested(600, L"y"))})
        EXPECT_EQ(lisp.Run(deep + L" 7", false), (std::vector<std::wstring>{tooDeep, L"7"}));
    EXPECT_EQ(lisp.Run(std::wstring(300000, L'(') + L" 7", false),
              std::vector<std::wstring>{tooDeep});
}

TEST(LispEvaluatorLimits, HugeFlatInputAndDeepValuesArePrinted)
{
    std::wstring items;
    for (int i = 0; i < 300000; ++i)
        items += L"12345 ";
    std::wstring text(2000000, L'X');
    LispRunner lisp;
    EXPECT_TRUE(lisp.Run(L"(length '(" + items + L")) (strlen \"" + text + L"\") '" + text)
                == (std::vector<std::wstring>{L"300000", L"2000000", text}));
    // A nest far deeper than the reader allows prints shortened.
    std::wstring deep =
        lisp.Run(L"(setq deep nil) (repeat 300000 (setq deep (list deep)))").back();
    EXPECT_EQ(deep.substr(0, 5), L"(((((");
    EXPECT_NE(deep.find(L"..."), std::wstring::npos);
}

}  // namespace
