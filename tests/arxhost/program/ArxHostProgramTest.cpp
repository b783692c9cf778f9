// arxhost.exe's command line: one output line per -e, error lines on standard
// error, files and expressions in one session, the drawing option, and a
// module that cannot be loaded.
#include <gtest/gtest.h>

#include "HostProcess.h"
#include "Narrow.h"

namespace {

// A text as a LISP string literal: in quotes, backslashes doubled.
std::wstring LispString(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (wchar_t ch : text)
        quoted += ch == L'\\' ? std::wstring(L"\\\\") : std::wstring(1, ch);
    return quoted + L"\"";
}

// Standard output and error as one text, for failure messages.
std::string Both(const HostProcess::Outcome& run)
{
    return "stdout:\n" + Narrow(run.out) + "stderr:\n" + Narrow(run.err);
}

TEST(ArxHostProgram, PrintsOneLinePerExpression)
{
    HostProcess::Outcome run = HostProcess::Run(
        {L"-e", L"(list 1 \"a\" (quote (b . 2)))", L"-e", L"(setq s \"say \\\"hi\\\"\\n\")",
         L"-e", L"(list 2.5 3.0 nil)", L"-e", L"(princ)"});
    EXPECT_EQ(run.exitCode, 0u) << Both(run);
    EXPECT_EQ(run.out, L"(1 \"a\" (B . 2))\n"
                       L"\"say \\\"hi\\\"\\n\"\n"
                       L"(2.5 3.0 nil)\n"
                       L"\n")
        << Both(run);
    EXPECT_EQ(run.err, L"");
}

TEST(ArxHostProgram, BadInputGivesAnErrorLineAndTheNextExpressionRuns)
{
    HostProcess::Outcome run = HostProcess::Run(
        {L"-e", L"(+ 1", L"-e", L"1", L"-e", L"(strcat \"abc)", L"-e", L"2", L"-e", L"(foo 1)",
         L"-e", L"3", L"-e", L"(car '(1) '(2))", L"-e", L"4", L"-e", L"(itoa)", L"-e", L")",
         L"-e", L"5", L"-e", std::wstring(20000, L'(') + L"x", L"-e", L"6"});
    EXPECT_EQ(run.exitCode, 0u) << Both(run);
    EXPECT_EQ(run.out, L"1\n2\n3\n4\n5\n6\n") << Both(run);
    EXPECT_EQ(run.err, L"; error: malformed list on input\n"
                       L"; error: malformed string on input\n"
                       L"; error: no function definition: FOO\n"
                       L"; error: too many arguments\n"
                       L"; error: too few arguments\n"
                       L"; error: extra right paren on input\n"
                       L"; error: malformed list on input: nested too deeply\n")
        << Both(run);
}

TEST(ArxHostProgram, FilesAndExpressionsRunInOrderInOneSession)
{
    ScratchFolder folder;
    std::wstring routine = folder.Write(
        L"routine.lsp",
        "; a routine\r\n(setq n (* n 5))\r\n(defun twice (x) (* 2 x))\r\n(princ \"loaded \")\r\n"
        "(undefined)\r\n(princ \"and on\")\r\n");
    std::wstring runaway = folder.Write(
        L"runaway.lsp", "(defun down (n) (down (1+ n)))\n(down 0)\n(princ \"|after\")\n");
    HostProcess::Outcome run = HostProcess::Run({L"-e", L"(setq n 2)", routine, L"-e",
                                                 L"(twice n)", folder.Path() + L"missing.lsp",
                                                 runaway, L"-e", L"n"});
    EXPECT_EQ(run.exitCode, 0u) << Both(run);
    EXPECT_EQ(run.out, L"2\nloaded and on20\n|after10\n") << Both(run);
    EXPECT_EQ(run.err, L"; error: no function definition: UNDEFINED\n"
                       L"; error: LOAD failed: " + LispString(folder.Path() + L"missing.lsp") + L"\n"
                       L"; error: stack overflow\n")
        << Both(run);
}

TEST(ArxHostProgram, DrawingOptionSetsTheDrawingVariables)
{
    HostProcess::Outcome run = HostProcess::Run(
        {L"--drawing", L"C:/proj/site/Site plan.dwg", L"-e", L"(getvar \"DWGPREFIX\")", L"-e",
         L"(getvar \"DWGNAME\")"});
    EXPECT_EQ(run.out, L"\"C:\\\\proj\\\\site\\\\\"\n\"Site plan.dwg\"\n") << Both(run);

    ScratchFolder folder;
    run = HostProcess::Run({L"-e", L"(strcat (getvar \"DWGPREFIX\") (getvar \"DWGNAME\"))"},
                           folder.Path());
    EXPECT_EQ(run.out, LispString(folder.Path() + L"Drawing1.dwg") + L"\n") << Both(run);
}

// LOAD looks in the current folder, then beside the drawing (and last beside
// the program, which the package's test meets).
TEST(ArxHostProgram, LoadFindsARoutineHereThenBesideTheDrawing)
{
    ScratchFolder here, drawing;
    here.Write(L"both.lsp", "\"here\"");
    drawing.Write(L"both.lsp", "\"drawing\"");
    drawing.Write(L"beside.lsp", "\"beside\"");
    HostProcess::Outcome run = HostProcess::Run({L"--drawing", drawing.Path() + L"site.dwg", L"-e",
                                                 L"(load \"both\")", L"-e", L"(load \"beside\")"},
                                                here.Path());
    EXPECT_EQ(run.out, L"\"here\"\n\"beside\"\n") << Both(run);
}

TEST(ArxHostProgram, AModuleThatCannotBeLoadedEndsTheHostWithAMessage)
{
    std::wstring missing = HostProcess::ProgramFolder() + L"no-such-module.arx";
    HostProcess::Outcome run = HostProcess::Run({L"--module", missing, L"-e", L"1"});
    EXPECT_NE(run.exitCode, 0u);
    EXPECT_EQ(run.out, L"");
    EXPECT_EQ(run.err.rfind(L"arxhost: cannot load module \"" + missing + L"\"", 0), 0u)
        << Both(run);

    // A library, but no module: it has no acrxEntryPoint.
    std::wstring library = HostProcess::ProgramFolder() + L"arxcore.dll";
    run = HostProcess::Run({L"--module", library, L"-e", L"1"});
    EXPECT_NE(run.exitCode, 0u);
    EXPECT_EQ(run.out, L"");
    EXPECT_EQ(run.err, L"arxhost: \"" + library
                           + L"\" is no application module: it does not export acrxEntryPoint\n")
        << Both(run);

    run = HostProcess::Run({L"-e"});
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(run.err.rfind(L"arxhost: option -e needs a value\nusage: arxhost.exe", 0), 0u)
        << Both(run);
}

}  // namespace
