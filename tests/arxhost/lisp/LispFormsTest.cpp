// Runs the expected-output files of forms/ (copied beside the program as
// arxlisp-forms\). Each line that is neither blank nor a comment (";;") is an
// input; the lines right after it say what it must produce:
//   ;=> text    the printed value of each form of the input, in order; an
//               error shows as "; error: message" in place of its value
//   ;out> text  what the input wrote (princ, print, ...), line feeds as \n
// An input without expectations only prepares the lines after it. A line
// ";drawing> NAME" gives the evaluator the sample drawing NAME (a file of
// drawing-samples\ beside the program; no name: a new empty drawing).
// read-*.mal files read and print each form; eval-*.mal files evaluate them,
// in one evaluator per file whose DWGPREFIX is "C:\site\" and DWGNAME
// "lots.dwg".
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "Drawing.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"
#include "LispReader.h"
#include "Narrow.h"
#include "LispSourceFile.h"

namespace {

class RecordingHost : public LispHost {
public:
    void Write(const std::wstring& text) override { written += text; }
    LispRef GetVar(const std::wstring& name) override
    {
        std::wstring key = name;
        for (wchar_t& ch : key)
            ch = static_cast<wchar_t>(towupper(ch));
        if (key == L"DWGPREFIX")
            return LispValue::String(L"C:\\site\\");
        if (key == L"DWGNAME")
            return LispValue::String(L"lots.dwg");
        return nullptr;
    }
    Drawing* CurrentDrawing() override { return drawing.get(); }
    std::wstring written;
    std::unique_ptr<Drawing> drawing;
};

std::wstring BesideProgram(const wchar_t* folder)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + folder;
}

std::wstring FormsFolder()
{
    return BesideProgram(L"arxlisp-forms\\");
}

std::vector<std::string> FormFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((FormsFolder() + L"*.mal").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = found.cFileName;
        names.emplace_back(name.begin(), name.end());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::wstring EscapeLineFeeds(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t ch : text)
        out += ch == L'\n' ? std::wstring(L"\\n") : std::wstring(1, ch);
    return out;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

struct Outcome {
    std::vector<std::wstring> values;
    std::wstring written;
};

Outcome ReadInput(const std::wstring& input, bool evaluate, LispEvaluator& evaluator,
                  RecordingHost& host)
{
    Outcome outcome;
    host.written.clear();
    LispReader reader(input);
    for (;;) {
        try {
            LispRef form;
            if (!reader.Read(form))
                break;
            outcome.values.push_back(LispPrinter::Prin1(evaluate ? evaluator.Eval(form) : form));
        } catch (const LispError& error) {
            outcome.values.push_back(L"; error: " + error.Message());
        }
    }
    outcome.written = host.written;
    return outcome;
}

class LispForms : public testing::TestWithParam<std::string> {};

TEST_P(LispForms, ProduceTheExpectedOutput)
{
    const std::string file = GetParam();
    std::wstring text;
    ASSERT_TRUE(LispSourceFile::Read(FormsFolder() + std::wstring(file.begin(), file.end()), text))
        << file;
    const bool evaluate = file.rfind("eval-", 0) == 0;

    RecordingHost host;
    LispEvaluator evaluator(host);
    const std::vector<std::wstring> lines = Lines(text);
    int checks = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring& input = lines[i];
        if (StartsWith(input, L";drawing>")) {
            std::wstring name = input.size() > 10 ? input.substr(10) : L"";
            host.drawing = name.empty() ? std::make_unique<Drawing>()
                                        : Drawing::Open(BesideProgram(L"drawing-samples\\") + name);
            continue;
        }
        if (input.empty() || StartsWith(input, L";;") || StartsWith(input, L";=>")
            || StartsWith(input, L";out>"))
            continue;
        const Outcome outcome = ReadInput(input, evaluate, evaluator, host);
        const std::string where = file + ":" + std::to_string(i + 1) + ": " + Narrow(input);
        size_t values = 0;
        bool expectsValues = false;
        for (size_t k = i + 1; k < lines.size(); ++k, ++checks) {
            const std::wstring& expect = lines[k];
            if (StartsWith(expect, L";=>")) {
                expectsValues = true;
                std::wstring wanted = expect.size() > 4 ? expect.substr(4) : L"";
                std::wstring got = values < outcome.values.size() ? outcome.values[values]
                                                                  : L"<nothing>";
                EXPECT_EQ(Narrow(wanted), Narrow(got)) << where;
                ++values;
            } else if (StartsWith(expect, L";out>")) {
                std::wstring wanted = expect.size() > 6 ? expect.substr(6) : L"";
                EXPECT_EQ(Narrow(wanted), Narrow(EscapeLineFeeds(outcome.written))) << where;
            } else {
                break;
            }
        }
        if (expectsValues) {
            EXPECT_EQ(values, outcome.values.size()) << where << ": number of values";
        }
    }
    EXPECT_GT(checks, 0) << file << " checks nothing";
}

std::string TestName(const testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (char ch : info.param.substr(0, info.param.rfind('.')))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, LispForms, testing::ValuesIn(FormFiles()), TestName);

TEST(LispFormsFolder, HoldsAFileForEveryFeature)
{
    std::vector<std::string> files = FormFiles();
    for (const char* name : {"read-integers.mal", "read-reals.mal", "read-strings.mal",
                             "read-symbols.mal", "read-lists.mal", "read-dotted-pairs.mal",
                             "read-quote.mal", "read-comments.mal", "read-nesting.mal",
                             "read-errors.mal"})
        EXPECT_TRUE(std::find(files.begin(), files.end(), name) != files.end())
            << name << " missing in " << Narrow(FormsFolder());
}

}  // namespace
