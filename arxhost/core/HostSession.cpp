// The host's state and the road of an external LISP call:
//   LISP (LOTDIALOG ...) -> CallExternal: arguments to a chain, BeginCall,
//   Send(module, 5) -> module's acrxEntryPoint -> acedGetArgs/acedRetList...
//   -> the result set meanwhile becomes the LISP value, EndCall frees the chain.
#include "HostSession.h"

#include <cwctype>

#include "ConsoleWriter.h"
#include "LispError.h"
#include "ResbufConverter.h"
#include "ResbufHeap.h"

namespace {
HostSession* g_current = nullptr;
}

HostSession::HostSession() : m_evaluator(*this)
{
    out = [](const std::wstring& text) { ConsoleWriter::Write(STD_OUTPUT_HANDLE, text); };
    err = [](const std::wstring& text) { ConsoleWriter::Write(STD_ERROR_HANDLE, text); };
    call.result = LispValue::Void();
}

HostSession::~HostSession()
{
    UnloadModules();
    EndCall();
}

HostSession* HostSession::Current()
{
    return g_current;
}

void HostSession::SetCurrent(HostSession* session)
{
    g_current = session;
}

void HostSession::Write(const std::wstring& text)
{
    out(text);
}

LispRef HostSession::GetVar(const std::wstring& name)
{
    std::wstring key = Upper(name);
    if (key == L"DWGPREFIX")
        return LispValue::String(drawing.Prefix());
    if (key == L"DWGNAME")
        return LispValue::String(drawing.Name());
    if (key == L"CLAYER") {
        std::optional<std::wstring> layer = drawing.Contents().HeaderText("$CLAYER");
        return LispValue::String(layer && !layer->empty() ? *layer : L"0");
    }
    if (key == L"MILLISECS")
        return LispValue::Integer(static_cast<std::int32_t>(GetTickCount()));
    if (key == L"EXTMIN" || key == L"EXTMAX") {
        // What is drawn, as ZOOM E fits it; an empty drawing answers the
        // CAD host's values for "no extents".
        const DrawingScene::Box& box = drawing.Scene().Extents();
        bool min = key == L"EXTMIN";
        double x = box.empty ? (min ? 1.0e20 : -1.0e20) : (min ? box.minX : box.maxX);
        double y = box.empty ? (min ? 1.0e20 : -1.0e20) : (min ? box.minY : box.maxY);
        double z = box.empty ? (min ? 1.0e20 : -1.0e20) : 0.0;
        return LispValue::List({LispValue::Real(x), LispValue::Real(y), LispValue::Real(z)});
    }
    return nullptr;
}

std::vector<std::wstring> HostSession::LoadFolders() const
{
    // A routine kept beside the drawing or beside the host itself is found
    // whichever folder the host was started in.
    return {std::wstring(), drawing.Prefix(), ArxHost::ProgramFolder()};
}

// The drawing commands that LISP's `command` and the command line share.
// Prefixes of the CAD host's command names ("_" for the English name, "."
// for the built-in one) are accepted and dropped.
void HostSession::Command(const std::vector<std::wstring>& words)
{
    if (words.empty())
        return;
    std::wstring name = Upper(words[0]);
    while (!name.empty() && (name[0] == L'_' || name[0] == L'.' || name[0] == L'+'))
        name.erase(0, 1);
    try {
        if (name == L"QSAVE") {
            drawing.Save();
        } else if (name == L"SAVEAS") {
            if (words.size() < 2 || words.back().empty())
                throw HostCommandError(L"SAVEAS needs the name of the file");
            drawing.SaveAs(words.back());
        } else if (name == L"ZOOM") {
            std::wstring option = words.size() > 1 ? Upper(words[1]) : L"";
            while (!option.empty() && option[0] == L'_')
                option.erase(0, 1);
            if (option != L"E" && option != L"EXTENTS")
                throw HostCommandError(L"ZOOM knows only E (extents)");
            if (zoomExtents)
                zoomExtents();
        } else {
            throw HostCommandError(L"unknown command \"" + words[0] + L"\"");
        }
    } catch (const HostCommandError& failure) {
        throw LispEvalError(failure.Message());
    }
}

std::wstring HostSession::Upper(const std::wstring& name)
{
    std::wstring upper = name;
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return upper;
}

ArxModule& HostSession::AddModule(std::unique_ptr<ArxModule> module)
{
    m_modules.push_back(std::move(module));
    ArxModule& added = *m_modules.back();
    Send(added, AcRx::kInitAppMsg);
    Send(added, AcRx::kLoadDwgMsg);
    return added;
}

void HostSession::UnloadModules()
{
    while (!m_modules.empty()) {
        ArxModule& module = *m_modules.back();
        try {
            Send(module, AcRx::kUnloadDwgMsg);
            Send(module, AcRx::kUnloadAppMsg);
        } catch (...) {
            err(L"; error: exception in " + module.Name() + L" while unloading\n");
        }
        DropRegistrations(&module);
        apps.erase(module.AppId());
        m_modules.pop_back();
    }
}

ArxModule* HostSession::FindModule(void* appId)
{
    for (auto& module : m_modules)
        if (module->AppId() == appId)
            return module.get();
    return nullptr;
}

void HostSession::Send(ArxModule& module, AcRx::AppMsgCode message)
{
    ArxModule* previous = m_caller;
    m_caller = &module;
    try {
        module.Send(message);
    } catch (...) {
        m_caller = previous;
        throw;
    }
    m_caller = previous;
}

bool HostSession::Defun(const std::wstring& name, int funCode)
{
    // Only a module can register, and only while its entry function runs.
    if (script.refuseDefun || name.empty() || !m_caller)
        return false;
    std::wstring key = Upper(name);
    m_functions[key] = Registration{m_caller, funCode};
    LispBuiltin builtin;
    builtin.name = key;
    builtin.kind = LispBuiltin::Kind::External;
    builtin.call = [this, key](LispEvaluator&, const LispArgs& args) {
        return CallExternal(key, args);
    };
    m_evaluator.Define(std::move(builtin));
    return true;
}

void HostSession::Undef(const std::wstring& name, int funCode)
{
    std::wstring key = Upper(name);
    auto it = m_functions.find(key);
    if (it == m_functions.end() || it->second.funCode != funCode)
        return;
    m_functions.erase(it);
    LispRef bound = m_evaluator.Global(key);
    if (bound && bound->Type() == LispType::Builtin
        && bound->AsBuiltin().kind == LispBuiltin::Kind::External)
        m_evaluator.SetGlobal(key, nullptr);
}

void HostSession::DropRegistrations(ArxModule* module)
{
    for (auto it = m_functions.begin(); it != m_functions.end();) {
        if (it->second.module == module) {
            m_evaluator.SetGlobal(it->first, nullptr);
            it = m_functions.erase(it);
        } else {
            ++it;
        }
    }
}

void HostSession::BeginCall(int funCode, resbuf* ownedArgs)
{
    EndCall();
    call.args = ownedArgs;
    call.funCode = funCode;
    call.result = LispValue::Void();
}

void HostSession::EndCall()
{
    ResbufHeap::FreeChain(call.args);
    call.args = nullptr;
    call.funCode = -1;
}

LispRef HostSession::CallExternal(const std::wstring& name, const LispArgs& args)
{
    auto it = m_functions.find(name);
    if (it == m_functions.end() || !it->second.module)
        throw LispEvalError(L"no function definition: " + name);
    Registration registration = it->second;
    resbuf* chain = ResbufConverter::FromArguments(args);

    // A call made while another is in progress keeps the outer call's state.
    Call outer = call;
    call = Call{};
    BeginCall(registration.funCode, chain);
    try {
        Send(*registration.module, AcRx::kInvkSubrMsg);
    } catch (...) {
        EndCall();
        call = outer;
        throw LispEvalError(L"exception in " + name);
    }
    LispRef result = call.result;
    EndCall();
    call = outer;
    return result;
}
