#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A command line that arxhost.exe cannot follow.
class HostOptionsError : public std::runtime_error {
public:
    explicit HostOptionsError(std::wstring message)
        : std::runtime_error("bad command line"), m_message(std::move(message)) {}
    const std::wstring& Message() const { return m_message; }

private:
    std::wstring m_message;
};

// The program's command line:
//   arxhost.exe [--module PATH] [--drawing PATH] [-e EXPR]... [FILE.lsp]...
// Expressions and files are kept in the order given; they run in that order.
class HostOptions {
public:
    struct Item {
        enum class Kind { Expression, File };
        Kind kind;
        std::wstring text;
    };

    // Throws HostOptionsError for an unknown option or a missing value.
    static HostOptions Parse(const std::vector<std::wstring>& args);
    static std::wstring Usage();

    std::wstring modulePath;    // empty: lotgrid.arx beside the program
    std::wstring drawingPath;   // empty: arxhost.ini's drawing, else Drawing1.dwg here
    std::vector<Item> items;
    bool help = false;

    // No expression and no file: the interactive main window.
    bool Interactive() const { return items.empty(); }
};
