#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ArxHost.h"
#include "ArxModule.h"
#include "HostDrawing.h"
#include "LispEvaluator.h"
#include "LispHost.h"

// The state of the running host behind ArxHost and the host operations:
// drawing, windows, modules with their registered LISP functions, the LISP
// call in progress, the dynamic linker's records and the evaluator.
class HostSession : public LispHost {
public:
    HostSession();
    ~HostSession() override;
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The session of the current ArxHost, or null.
    static HostSession* Current();
    static void SetCurrent(HostSession* session);

    // LispHost
    void Write(const std::wstring& text) override;
    LispRef GetVar(const std::wstring& name) override;
    Drawing* CurrentDrawing() override { return &drawing.Contents(); }
    // The current folder, the drawing's folder, then the program's folder.
    std::vector<std::wstring> LoadFolders() const override;

    // Output
    ArxHost::Writer out;
    ArxHost::Writer err;
    void WriteError(const std::wstring& text) { err(text); }

    void Command(const std::vector<std::wstring>& words) override;

    // Drawing and windows
    void SetDrawing(const std::wstring& path) { drawing.SetEmpty(path); }
    const std::wstring& DrawingPrefix() const { return drawing.Prefix(); }
    const std::wstring& DrawingName() const { return drawing.Name(); }
    HostDrawing drawing;
    // Told of ZOOM E: the window that shows the drawing fits it in.
    std::function<void()> zoomExtents;
    HWND mainWindow = nullptr;
    HWND documentWindow = nullptr;
    ArxScript script;

    // Modules
    ArxModule& AddModule(std::unique_ptr<ArxModule> module);
    void UnloadModules();
    void Send(ArxModule& module, AcRx::AppMsgCode message);
    ArxModule* FindModule(void* appId);

    // Registered LISP functions of the module whose entry is running.
    bool Defun(const std::wstring& name, int funCode);
    void Undef(const std::wstring& name, int funCode);
    bool IsRegistered(const std::wstring& name) const { return m_functions.count(Upper(name)) > 0; }

    // Dynamic linker records per application id.
    struct AppRecord {
        bool unlocked = false;
        bool mdiAware = false;
    };
    std::map<void*, AppRecord> apps;

    // The LISP call in progress.
    struct Call {
        resbuf* args = nullptr;   // host-owned copy
        int funCode = -1;
        LispRef result;           // LispValue::Void() for "no value"
    };
    Call call;
    void BeginCall(int funCode, resbuf* ownedArgs);
    void EndCall();

    LispEvaluator& Evaluator() { return m_evaluator; }

private:
    struct Registration {
        ArxModule* module;
        int funCode;
    };

    static std::wstring Upper(const std::wstring& name);
    LispRef CallExternal(const std::wstring& name, const LispArgs& args);
    void DropRegistrations(ArxModule* module);

    std::vector<std::unique_ptr<ArxModule>> m_modules;
    ArxModule* m_caller = nullptr;   // module whose entry is running
    std::map<std::wstring, Registration> m_functions;
    LispEvaluator m_evaluator;
};
