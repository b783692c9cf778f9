#include "HostOptions.h"

HostOptions HostOptions::Parse(const std::vector<std::wstring>& args)
{
    HostOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        auto value = [&]() -> const std::wstring& {
            if (i + 1 >= args.size())
                throw HostOptionsError(L"option " + arg + L" needs a value");
            return args[++i];
        };
        if (arg == L"--module")
            options.modulePath = value();
        else if (arg == L"--drawing")
            options.drawingPath = value();
        else if (arg == L"-e")
            options.items.push_back({Item::Kind::Expression, value()});
        else if (arg == L"-h" || arg == L"--help" || arg == L"/?")
            options.help = true;
        else if (arg.size() > 1 && arg[0] == L'-')
            throw HostOptionsError(L"unknown option " + arg);
        else
            options.items.push_back({Item::Kind::File, arg});
    }
    return options;
}

std::wstring HostOptions::Usage()
{
    return L"usage: arxhost.exe [--module PATH] [--drawing PATH] [-e EXPR]... [FILE.lsp]...\n"
           L"  --module PATH   application module to load (default: lotgrid.arx beside the program)\n"
           L"  --drawing PATH  drawing to open: a DXF file is read (a .dwg name gives an empty\n"
           L"                  drawing); DWGPREFIX and DWGNAME give its folder and name\n"
           L"                  (default: the Drawing= of arxhost.ini beside the program,\n"
           L"                  else Drawing1.dwg in the current folder)\n"
           L"  -e EXPR         evaluate EXPR and print its value on one line\n"
           L"  FILE.lsp        evaluate the forms of a LISP file\n"
           L"Without -e and files the host opens its main window with a command line, where\n"
           L"OPEN \"plan.dxf\", QSAVE, SAVEAS \"copy.dxf\" and ZOOM E work on the drawing; it\n"
           L"loads acaddoc.lsp from the drawing's folder, the current folder or its own.\n"
           L"LOAD looks for a routine in the same three folders.\n";
}
