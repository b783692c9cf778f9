#include "HostProcess.h"

#include <algorithm>

namespace {

// One argument quoted as the C runtime splits a command line again.
std::wstring Quote(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t ch : arg) {
        if (ch == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(ch == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += ch;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring Widen(const std::string& bytes)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                     nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

}  // namespace

std::wstring HostProcess::ProgramFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

HostProcess::Outcome HostProcess::Run(const std::vector<std::wstring>& args,
                                      const std::wstring& folder)
{
    HostProcess process(args, folder);
    if (!process.Started())
        return {~0u, L"", L"<arxhost.exe did not start>", false};
    return process.Finish();
}

HostProcess::HostProcess(const std::vector<std::wstring>& args, const std::wstring& folder)
{
    std::wstring program = ProgramFolder() + L"arxhost.exe";
    std::wstring commandLine = Quote(program);
    for (const std::wstring& arg : args)
        commandLine += L" " + Quote(arg);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outWrite = nullptr;
    HANDLE errWrite = nullptr;
    if (!CreatePipe(&m_out, &outWrite, &inherit, 0) || !CreatePipe(&m_err, &errWrite, &inherit, 0))
        return;
    SetHandleInformation(m_out, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(m_err, HANDLE_FLAG_INHERIT, 0);
    HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        m_process = info.hProcess;
        m_processId = info.dwProcessId;
        CloseHandle(info.hThread);
    }
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (input != INVALID_HANDLE_VALUE)
        CloseHandle(input);
}

HostProcess::~HostProcess()
{
    if (m_process) {
        if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process, 1);
        CloseHandle(m_process);
    }
    if (m_out)
        CloseHandle(m_out);
    if (m_err)
        CloseHandle(m_err);
}

void HostProcess::Drain(HANDLE pipe, std::string& bytes)
{
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[65536];
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr)
            || got == 0)
            return;
        bytes.append(buffer, got);
    }
}

HostProcess::Outcome HostProcess::Finish(DWORD timeoutMs)
{
    Outcome outcome;
    // Polled rather than read to the end: a pipe end that something else
    // inherited would otherwise keep the read waiting after the exit.
    DWORD start = GetTickCount();
    for (;;) {
        Drain(m_out, m_outBytes);
        Drain(m_err, m_errBytes);
        if (WaitForSingleObject(m_process, 5) == WAIT_OBJECT_0)
            break;
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(m_process, 1);
            WaitForSingleObject(m_process, INFINITE);
            outcome.timedOut = true;
            break;
        }
    }
    Drain(m_out, m_outBytes);
    Drain(m_err, m_errBytes);
    GetExitCodeProcess(m_process, &outcome.exitCode);
    outcome.out = Widen(m_outBytes);
    outcome.err = Widen(m_errBytes);
    return outcome;
}

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        m_path = std::wstring(temp) + L"arxhost-test-" + std::to_wstring(GetCurrentProcessId())
                 + L"-" + std::to_wstring(GetTickCount() + attempt) + L"\\";
        if (CreateDirectoryW(m_path.c_str(), nullptr))
            return;
    }
    m_path = temp;   // no folder of its own: the files go to the temporary folder
}

ScratchFolder::~ScratchFolder()
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((m_path + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((m_path + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(m_path.c_str());
}

std::wstring ScratchFolder::Write(const std::wstring& name, const std::string& content) const
{
    std::wstring path = m_path + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}
