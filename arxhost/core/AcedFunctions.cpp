// The host's editor operations (acedads.h), acting on the current session.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "HostSession.h"
#include "LispPrinter.h"
#include "ResbufConverter.h"
#include "ResbufHeap.h"
#include "arx/acdb.h"
#include "arx/acedads.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

namespace {

std::wstring Upper(const ACHAR* text)
{
    std::wstring upper = text ? text : L"";
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return upper;
}

void SetString(resbuf* result, const std::wstring& text)
{
    result->restype = RTSTR;
    result->resval.rstring = ResbufHeap::CopyText(text.c_str());
}

// The common dialog; empty when cancelled.
std::wstring AskFileName(HWND owner, const std::wstring& title, const std::wstring& defaultPath,
                         const std::wstring& extension, int flags)
{
    std::wstring folder;
    std::wstring name = defaultPath;
    size_t slash = defaultPath.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        folder = defaultPath.substr(0, slash + 1);
        name = defaultPath.substr(slash + 1);
    }
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    name.copy(file.data(), std::min(name.size(), file.size() - 1));

    // "TAB files (*.tab)" first, then every file.
    std::wstring filter;
    if (!extension.empty())
        filter += Upper(extension.c_str()) + L" files (*." + extension + L")" + L'\0' + L"*."
                  + extension + L'\0';
    filter += std::wstring(L"All files (*.*)") + L'\0' + L"*.*" + L'\0' + L'\0';

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    BOOL chosen;
    if (flags & 1) {
        if (!(flags & 2))
            ofn.Flags |= OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameW(&ofn);
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameW(&ofn);
    }
    return chosen ? std::wstring(file.data()) : std::wstring();
}

}  // namespace

int acedDefun(const ACHAR* name, int funcode)
{
    HostSession* session = HostSession::Current();
    return session && name && session->Defun(name, funcode) ? RTNORM : 0;
}

int acedUndef(const ACHAR* name, int funcode)
{
    HostSession* session = HostSession::Current();
    if (!session || !name)
        return RTERROR;
    session->Undef(name, funcode);
    return RTNORM;
}

int acedGetFunCode()
{
    HostSession* session = HostSession::Current();
    return session ? session->call.funCode : -1;
}

resbuf* acedGetArgs()
{
    HostSession* session = HostSession::Current();
    return session ? session->call.args : nullptr;
}

int acedRetList(const resbuf* chain)
{
    HostSession* session = HostSession::Current();
    if (!session)
        return RTERROR;
    try {
        session->call.result = ResbufConverter::ToValue(chain);
    } catch (...) {
        return RTERROR;   // out of memory: the earlier result stays
    }
    if (session->script.active)
        session->script.returnedLists.push_back(LispPrinter::Prin1(session->call.result));
    return RTNORM;
}

int acedRetNil()
{
    HostSession* session = HostSession::Current();
    if (!session)
        return RTERROR;
    session->call.result = nullptr;
    return RTNORM;
}

int acedRetVoid()
{
    HostSession* session = HostSession::Current();
    if (!session)
        return RTERROR;
    session->call.result = LispValue::Void();
    return RTNORM;
}

// The owner of a box or file dialog the host shows for a module: the window
// active on this thread (a module's modal dialog, which the box must block),
// else the main window.
static HWND BoxOwner(const HostSession* session)
{
    HWND active = GetActiveWindow();
    return active ? active : session->mainWindow;
}

int acedAlert(const ACHAR* text)
{
    std::wstring message = text ? text : L"";
    HostSession* session = HostSession::Current();
    if (!session)
        return RTERROR;
    session->WriteError(L"Alert: " + LispPrinter::QuoteString(message) + L"\n");
    if (session->script.active)
        session->script.alerts.push_back(message);
    else
        MessageBoxW(BoxOwner(session), message.c_str(), L"AutoCAD Message",
                    MB_OK | MB_ICONWARNING);
    return RTNORM;
}

int acedGetVar(const ACHAR* name, resbuf* result)
{
    HostSession* session = HostSession::Current();
    if (!session || !result)
        return RTERROR;
    std::wstring key = Upper(name);
    if (key == L"DWGPREFIX") {
        SetString(result, session->DrawingPrefix());
        return RTNORM;
    }
    if (key == L"DWGNAME") {
        SetString(result, session->DrawingName());
        return RTNORM;
    }
    return RTERROR;
}

int acedGetFileD(const ACHAR* title, const ACHAR* defaultPath, const ACHAR* extension, int flags,
                 resbuf* result)
{
    HostSession* session = HostSession::Current();
    if (!session || !result)
        return RTERROR;
    ArxFileRequest request{title ? title : L"", defaultPath ? defaultPath : L"",
                           extension ? extension : L"", flags};
    std::wstring path;
    if (session->script.active) {
        session->script.fileRequests.push_back(request);
        if (!session->script.fileAnswers.empty()) {
            path = session->script.fileAnswers.front().value_or(L"");
            session->script.fileAnswers.pop_front();
        }
    } else {
        path = AskFileName(BoxOwner(session), request.title, request.defaultPath,
                           request.extension, flags);
    }
    if (path.empty())
        return RTERROR;
    SetString(result, path);
    return result->resval.rstring ? RTNORM : RTERROR;
}

HWND adsw_acadMainWnd()
{
    HostSession* session = HostSession::Current();
    return session ? session->mainWindow : nullptr;
}

HWND adsw_acadDocWnd()
{
    HostSession* session = HostSession::Current();
    return session ? session->documentWindow : nullptr;
}

void acdbFail(const ACHAR* text)
{
    std::wstring message = text ? text : L"";
    HostSession* session = HostSession::Current();
    if (!session)
        return;
    session->WriteError(L"acdbFail: " + message + L"\n");
    if (session->script.active)
        session->script.failures.push_back(message);
}
