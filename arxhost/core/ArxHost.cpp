#include "ArxHost.h"

#include <cassert>
#include <cwctype>

#include "ConsoleWriter.h"
#include "DxfReadError.h"
#include "HostSession.h"
#include "LispError.h"
#include "LispPrinter.h"
#include "LispReader.h"
#include "LispSourceFile.h"
#include "ResbufConverter.h"
#include "ResbufHeap.h"

namespace {

ArxHost* g_host = nullptr;

ArxEvalResult ResultOf(const LispRef& value)
{
    ArxEvalResult result;
    if (value && value->Type() == LispType::Void) {
        result.kind = ArxEvalResult::Kind::NoValue;
    } else {
        result.kind = ArxEvalResult::Kind::Value;
        result.text = LispPrinter::Prin1(value);
    }
    return result;
}

}  // namespace

ArxHost::ArxHost() : m_session(std::make_unique<HostSession>())
{
    assert(!g_host && "one host at a time: the host operations act on the current one");
    g_host = this;
    HostSession::SetCurrent(m_session.get());
}

ArxHost::~ArxHost()
{
    m_session->UnloadModules();
    HostSession::SetCurrent(nullptr);
    g_host = nullptr;
}

ArxHost* ArxHost::Current()
{
    return g_host;
}

void ArxHost::SetWriters(Writer out, Writer err)
{
    m_session->out = std::move(out);
    m_session->err = std::move(err);
}

void ArxHost::WriteOut(const std::wstring& text)
{
    m_session->out(text);
}

void ArxHost::WriteErr(const std::wstring& text)
{
    m_session->err(text);
}

void ArxHost::WriteStream(DWORD stream, const std::wstring& text)
{
    ConsoleWriter::Write(stream, text);
}

std::wstring ArxHost::ProgramFolder()
{
    // A path that fills the buffer may have been cut off: try again with more
    // room. The zeros after the path hold no separator.
    std::wstring path(MAX_PATH, L'\0');
    while (GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())) == path.size())
        path.resize(path.size() * 2);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

void ArxHost::SetDrawing(const std::wstring& path)
{
    m_session->SetDrawing(path);
}

bool ArxHost::OpenDrawing(const std::wstring& path, std::wstring& error)
{
    size_t dot = path.find_last_of(L'.');
    std::wstring extension = dot == std::wstring::npos ? L"" : path.substr(dot);
    for (wchar_t& ch : extension)
        ch = static_cast<wchar_t>(std::towlower(ch));
    if (extension != L".dxf") {
        m_session->SetDrawing(path);
        return true;
    }
    try {
        m_session->drawing.Open(path);
        return true;
    } catch (const DxfReadError& failure) {
        error = L"drawing \"" + path + L"\" could not be read: ";
        if (failure.Line() > 0)
            error += L"line " + std::to_wstring(failure.Line()) + L": ";
        error += failure.Message();
        return false;
    }
}

bool ArxHost::IsDrawingCommand(const std::wstring& name)
{
    std::wstring upper;
    for (wchar_t ch : name)
        upper += static_cast<wchar_t>(std::towupper(ch));
    return upper == L"QSAVE" || upper == L"SAVEAS" || upper == L"ZOOM";
}

bool ArxHost::RunDrawingCommand(const std::vector<std::wstring>& words, std::wstring& message)
{
    try {
        m_session->Command(words);
        return true;
    } catch (const LispError& failure) {
        message = failure.Message();
        return false;
    }
}

bool ArxHost::DrawingExtents(double& minX, double& minY, double& maxX, double& maxY)
{
    const DrawingScene::Box& box = m_session->drawing.Scene().Extents();
    minX = box.minX;
    minY = box.minY;
    maxX = box.maxX;
    maxY = box.maxY;
    return !box.empty;
}

void ArxHost::PaintDrawing(HDC dc, const RECT& area, double centreX, double centreY,
                           double scale)
{
    DrawingScene::View view;
    view.centreX = centreX;
    view.centreY = centreY;
    view.scale = scale;
    m_session->drawing.Scene().Paint(dc, area, view);
}

unsigned ArxHost::DrawingRevision() const
{
    return m_session->drawing.Revision();
}

void ArxHost::SetZoomExtentsHandler(std::function<void()> handler)
{
    m_session->zoomExtents = std::move(handler);
}

std::wstring ArxHost::DrawingName() const
{
    return m_session->DrawingName();
}

std::wstring ArxHost::DrawingPrefix() const
{
    return m_session->DrawingPrefix();
}

void ArxHost::SetWindows(HWND mainWindow, HWND documentWindow)
{
    m_session->mainWindow = mainWindow;
    m_session->documentWindow = documentWindow;
}

ArxScript& ArxHost::Script()
{
    return m_session->script;
}

bool ArxHost::LoadModule(const std::wstring& path, std::wstring& error)
{
    try {
        m_session->AddModule(ArxModule::Load(path));
        return true;
    } catch (const ModuleLoadError& failure) {
        error = failure.Message();
    } catch (...) {
        error = L"module \"" + path + L"\" failed while starting";
    }
    return false;
}

void* ArxHost::AttachModule(const std::wstring& name, ArxEntryPoint entry)
{
    return m_session->AddModule(std::make_unique<ArxModule>(name, entry)).AppId();
}

void ArxHost::UnloadModules()
{
    m_session->UnloadModules();
}

void ArxHost::SendAppMessage(void* appId, AcRx::AppMsgCode message)
{
    if (ArxModule* module = m_session->FindModule(appId))
        m_session->Send(*module, message);
}

bool ArxHost::IsUnlocked(void* appId) const
{
    auto it = m_session->apps.find(appId);
    return it != m_session->apps.end() && it->second.unlocked;
}

bool ArxHost::IsMdiAware(void* appId) const
{
    auto it = m_session->apps.find(appId);
    return it != m_session->apps.end() && it->second.mdiAware;
}

bool ArxHost::IsRegistered(const std::wstring& name) const
{
    return m_session->IsRegistered(name);
}

bool ArxHost::HasFunction(const std::wstring& name) const
{
    LispRef value = m_session->Evaluator().Global(LispValue::Symbol(name)->SymbolName());
    return value && value->IsFunction();
}

std::vector<ArxEvalResult> ArxHost::Evaluate(const std::wstring& source)
{
    std::vector<ArxEvalResult> results;
    LispReader reader(source);
    for (;;) {
        ArxEvalResult result;
        try {
            LispRef form;
            if (!reader.Read(form))
                break;
            result = ResultOf(m_session->Evaluator().Eval(form));
        } catch (const LispError& error) {
            result = {ArxEvalResult::Kind::Error, error.Message()};
        } catch (const std::bad_alloc&) {
            result = {ArxEvalResult::Kind::Error, L"insufficient memory"};
        } catch (...) {
            result = {ArxEvalResult::Kind::Error, L"internal failure"};
        }
        if (result.kind == ArxEvalResult::Kind::Error)
            m_session->err(L"; error: " + result.text + L"\n");
        results.push_back(std::move(result));
    }
    return results;
}

bool ArxHost::EvaluateFile(const std::wstring& path)
{
    std::wstring text;
    if (!LispSourceFile::Read(path, text)) {
        m_session->err(L"; error: LOAD failed: " + LispPrinter::QuoteString(path) + L"\n");
        return false;
    }
    Evaluate(text);
    return true;
}

void ArxHost::BeginCall(int funCode, const resbuf* args)
{
    m_session->BeginCall(funCode, ResbufHeap::CopyChain(args));
}

ArxEvalResult ArxHost::CallResult() const
{
    return ResultOf(m_session->call.result);
}

void ArxHost::EndCall()
{
    m_session->EndCall();
}

ArxEvalResult ArxHost::InvokeFunction(void* appId, int funCode, const resbuf* args)
{
    BeginCall(funCode, args);
    SendAppMessage(appId, AcRx::kInvkSubrMsg);
    ArxEvalResult result = CallResult();
    EndCall();
    return result;
}
