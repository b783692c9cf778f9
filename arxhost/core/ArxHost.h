#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "arx/adscodes.h"
#include "arx/adsdef.h"
#include "arx/arxexport.h"

// The stand-in CAD host as a program (or a test) drives it: the drawing, the
// windows, the modules and the LISP evaluation. The host operations that a
// module calls (acedDefun, acedRetList, ...) act on the one current ArxHost.
//
// Testing module code with a scripted host (no person at the screen):
//
//   ArxHost host;                                  // one at a time
//   host.Script().active = true;                   // no message boxes, no file dialogs
//   host.SetWriters(out, err);                     // catch the output lines
//   host.SetDrawing(L"C:\\site\\lots.dwg");         // DWGPREFIX "C:\site\", DWGNAME "lots.dwg"
//   void* app = host.AttachModule(L"lotgrid", acrxEntryPoint);   // messages 1, 3
//
//   A call through LISP, arguments converted as the command line does:
//     host.Evaluate(L"(lotdialog '(\"A\") '(\"T1\") '(\"3\") nil)")[0]
//   or with a chain and function code of the test's own making:
//     host.InvokeFunction(app, 0, chain)          // message 5 through the entry
//   or around a handler called directly:
//     host.BeginCall(0, chain); LotDialogCommand(); host.CallResult(); host.EndCall();
//   An ArxEvalResult tells the value (text "nil" for nil) from "no value".
//
//   What the module handed over is in host.Script(): alerts (acedAlert),
//   failures (acdbFail), returnedLists (acedRetList, printed), fileRequests
//   (acedGetFileD, each with title, default path, extension and flags) and
//   linkerCalls. acedGetFileD answers from fileAnswers in order (nullopt, or
//   an empty queue, is Cancel). refuseDefun makes acedDefun answer 0, and
//   failNewRb, failBuildList and failStrdup make acutNewRb, acutBuildList and
//   acad__strdup answer null on demand:
//     host.Script().failNewRb = {2, 1};   // the third acutNewRb from now fails

// The value of one evaluated expression as the command line shows it.
struct ArxEvalResult {
    enum class Kind { Value, NoValue, Error };
    Kind kind = Kind::NoValue;
    std::wstring text;   // the printed value, or the error message
};

// A file dialog that a module asked for.
struct ArxFileRequest {
    std::wstring title;
    std::wstring defaultPath;
    std::wstring extension;
    int flags = 0;
};

// One operation of the dynamic linker as a module called it.
struct ArxLinkerCall {
    enum class Operation { UnlockApplication, RegisterAppMDIAware };
    Operation operation;
    void* appId;
};

// An allocation that fails on demand: the next `succeed` calls of the
// operation succeed, then `fail` calls answer null (a negative `fail`: every
// later call). The default never fails.
struct ArxAllocationFault {
    int succeed = 0;
    int fail = 0;
};

// Scripted use, for testing module code without a person at the screen: while
// `active`, no message boxes and no file dialogs appear; alerts, failures,
// returned lists and file requests are recorded instead, and file dialogs are
// answered from a queue. Linker calls are recorded and faults apply always.
struct ArxScript {
    bool active = false;
    bool refuseDefun = false;                       // acedDefun answers 0
    std::vector<std::wstring> alerts;               // texts of acedAlert
    std::vector<std::wstring> failures;             // texts of acdbFail
    std::vector<std::wstring> returnedLists;        // acedRetList values, printed
    std::vector<ArxFileRequest> fileRequests;
    std::deque<std::optional<std::wstring>> fileAnswers;   // nullopt or none left: Cancel
    std::vector<ArxLinkerCall> linkerCalls;
    ArxAllocationFault failNewRb;                   // acutNewRb
    ArxAllocationFault failBuildList;               // acutBuildList
    ArxAllocationFault failStrdup;                  // acad__strdup
};

using ArxEntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);

class HostSession;

class ARXCORE_API ArxHost {
public:
    using Writer = std::function<void(const std::wstring&)>;

    ArxHost();
    // Unloads every module still loaded.
    ~ArxHost();
    ArxHost(const ArxHost&) = delete;
    ArxHost& operator=(const ArxHost&) = delete;

    static ArxHost* Current();

    // Standard output gets LISP output and values, standard error the error,
    // alert and failure lines; by default the process's own streams.
    void SetWriters(Writer out, Writer err);
    void WriteOut(const std::wstring& text);
    void WriteErr(const std::wstring& text);
    // Writes to the process's STD_OUTPUT_HANDLE or STD_ERROR_HANDLE: wide to a
    // console, UTF-8 to a pipe or file.
    static void WriteStream(DWORD stream, const std::wstring& text);
    // The folder of the running program, ending in a separator.
    static std::wstring ProgramFolder();

    // The drawing whose folder and name DWGPREFIX and DWGNAME answer; by
    // default "Drawing1.dwg" in the current folder. SetDrawing names an empty
    // drawing; OpenDrawing reads a DXF file (any other name, a .dwg, gives an
    // empty drawing of that name) and is false with the reason when the file
    // cannot be read, leaving an empty drawing of that name.
    void SetDrawing(const std::wstring& path);
    bool OpenDrawing(const std::wstring& path, std::wstring& error);
    std::wstring DrawingName() const;
    std::wstring DrawingPrefix() const;

    // A drawing command typed on the command line (QSAVE, SAVEAS name,
    // ZOOM E); false with the message when it is unknown or fails.
    bool RunDrawingCommand(const std::vector<std::wstring>& words, std::wstring& message);
    static bool IsDrawingCommand(const std::wstring& name);
    // What the drawing window shows: the extent of the visible entities (false
    // when there are none), their picture in an area of a DC, and a number
    // that changes with every change of the drawing.
    bool DrawingExtents(double& minX, double& minY, double& maxX, double& maxY);
    void PaintDrawing(HDC dc, const RECT& area, double centreX, double centreY, double scale);
    unsigned DrawingRevision() const;
    // Called for ZOOM E (from LISP's command too).
    void SetZoomExtentsHandler(std::function<void()> handler);
    void SetWindows(HWND mainWindow, HWND documentWindow);
    ArxScript& Script();

    // Loads a module file: LoadLibraryW, its interface version, then entry
    // messages 1 and 3. False with a message when it cannot be loaded or is
    // no module.
    bool LoadModule(const std::wstring& path, std::wstring& error);
    // A module already in the process, known by its entry function (tests);
    // messages 1 and 3 are sent. Answers the module's application id.
    void* AttachModule(const std::wstring& name, ArxEntryPoint entry);
    // Messages 4 then 2 to every module, newest first, then FreeLibrary.
    void UnloadModules();
    // Sends one entry message to a module, with the module as the caller of
    // the host operations it makes meanwhile.
    void SendAppMessage(void* appId, AcRx::AppMsgCode message);

    // What the dynamic linker recorded for an application.
    bool IsUnlocked(void* appId) const;
    bool IsMdiAware(void* appId) const;
    // True while a module has `name` registered as a LISP function.
    bool IsRegistered(const std::wstring& name) const;
    // True when `name` is bound to a LISP function of any kind.
    bool HasFunction(const std::wstring& name) const;

    // Reads and evaluates every form of `source` in order. An error is written
    // as "; error: ..." and evaluation goes on with the next form.
    std::vector<ArxEvalResult> Evaluate(const std::wstring& source);
    // Evaluates the forms of a LISP file the same way; false with an error
    // line when the file cannot be read.
    bool EvaluateFile(const std::wstring& path);

    // The LISP call state as a module sees it during message 5, for driving a
    // module's entry directly: the host copies `args`, and the result is "no
    // value" until the module sets one.
    void BeginCall(int funCode, const resbuf* args);
    ArxEvalResult CallResult() const;
    void EndCall();
    // One whole call: BeginCall, message 5 to the module, the result, EndCall.
    ArxEvalResult InvokeFunction(void* appId, int funCode, const resbuf* args);

private:
    std::unique_ptr<HostSession> m_session;
};
