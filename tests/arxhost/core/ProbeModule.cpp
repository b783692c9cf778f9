#include "ProbeModule.h"

#include <cwchar>

#include "arx/acedads.h"
#include "arx/adscodes.h"

std::vector<int> ProbeModule::messages;
std::vector<int> ProbeModule::funCodes;
std::vector<std::wstring> ProbeModule::arguments;
std::function<void()> ProbeModule::handler;

void ProbeModule::Reset()
{
    messages.clear();
    funCodes.clear();
    arguments.clear();
    handler = nullptr;
}

AcRx::AppRetCode ProbeModule::Entry(AcRx::AppMsgCode message, void* /*appId*/)
{
    messages.push_back(message);
    switch (message) {
    case AcRx::kLoadDwgMsg:
        acedDefun(L"PROBE", kFunCode);
        break;
    case AcRx::kUnloadDwgMsg:
        acedUndef(L"PROBE", kFunCode);
        break;
    case AcRx::kInvkSubrMsg:
        funCodes.push_back(acedGetFunCode());
        arguments.push_back(DescribeChain(acedGetArgs()));
        if (handler)
            handler();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

std::wstring DescribeChain(const resbuf* chain)
{
    std::wstring text;
    for (const resbuf* node = chain; node; node = node->rbnext) {
        if (!text.empty())
            text += L' ';
        text += std::to_wstring(node->restype);
        wchar_t real[32];
        switch (node->restype) {
        case RTSTR:
            text += L'"' + std::wstring(node->resval.rstring ? node->resval.rstring : L"(null)")
                    + L'"';
            break;
        case RTSHORT:
            text += L"=" + std::to_wstring(node->resval.rint);
            break;
        case RTLONG:
            text += L"=" + std::to_wstring(node->resval.rlong);
            break;
        case RTREAL:
            _snwprintf(real, 32, L"=%g", node->resval.rreal);
            real[31] = L'\0';
            text += real;
            break;
        default:
            break;
        }
    }
    return text;
}

ScriptedHost::ScriptedHost()
{
    host.Script().active = true;
    host.SetWriters([this](const std::wstring& text) { out += text; },
                    [this](const std::wstring& text) { err += text; });
}
