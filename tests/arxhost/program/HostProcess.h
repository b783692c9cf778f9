#pragma once

#include <windows.h>

#include <string>
#include <vector>

// arxhost.exe (beside the test program) started with a command line, its
// standard output and error read back through pipes.
class HostProcess {
public:
    struct Outcome {
        DWORD exitCode = 0;
        std::wstring out;
        std::wstring err;
        bool timedOut = false;
    };

    // Runs arxhost.exe with `args` in `folder` (empty: the current folder)
    // until it ends.
    static Outcome Run(const std::vector<std::wstring>& args, const std::wstring& folder = L"");

    // Starts it without waiting; Finish() collects the outcome.
    HostProcess(const std::vector<std::wstring>& args, const std::wstring& folder = L"");
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD ProcessId() const { return m_processId; }
    // Reads output until the process has ended (or `timeoutMs` passed, then
    // it is terminated).
    Outcome Finish(DWORD timeoutMs = 60000);

    static std::wstring ProgramFolder();

private:
    void Drain(HANDLE pipe, std::string& bytes);

    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    HANDLE m_out = nullptr;
    HANDLE m_err = nullptr;
    std::string m_outBytes;
    std::string m_errBytes;
};

// A folder of its own under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }   // ends in a backslash
    std::wstring Write(const std::wstring& name, const std::string& content) const;

private:
    std::wstring m_path;
};
