#pragma once

// Codes of the host's LISP interface. They keep the host's public names
// (RTNORM, RTSTR, ...) so that module code reads like any ObjectARX module.

// Type codes of resbuf nodes.
constexpr short RTNONE = 5000;   // no value
constexpr short RTREAL = 5001;   // real
constexpr short RTPOINT = 5002;  // 2D point
constexpr short RTSHORT = 5003;  // 16-bit integer
constexpr short RTANG = 5004;    // angle (a real)
constexpr short RTSTR = 5005;    // string
constexpr short RTENAME = 5006;  // integer pair (entity name)
constexpr short RT3DPOINT = 5009;// 3D point
constexpr short RTLONG = 5010;   // 32-bit integer
constexpr short RTVOID = 5014;   // blank symbol
constexpr short RTLB = 5016;     // list begin
constexpr short RTLE = 5017;     // list end
constexpr short RTDOTE = 5018;   // dotted pair end
constexpr short RTNIL = 5019;    // nil
constexpr short RTT = 5021;      // T

// Status codes answered by host operations and LISP handlers.
constexpr int RTNORM = 5100;     // success
constexpr int RTERROR = -5001;   // error

// Outcome of a LISP handler as the host receives it.
constexpr int RSRSLT = 1;        // a result was given
constexpr int RSERR = 3;         // the handler failed

namespace AcRx {

// Messages the host sends to a module's acrxEntryPoint.
enum AppMsgCode : int {
    kInitAppMsg = 1,     // application loaded
    kUnloadAppMsg = 2,   // application unloaded
    kLoadDwgMsg = 3,     // drawing loaded
    kUnloadDwgMsg = 4,   // drawing unloaded
    kInvkSubrMsg = 5,    // LISP function invoked
};

enum AppRetCode : int {
    kRetOK = 0,
    kRetError = 3,
};

}  // namespace AcRx

// The interface version a module reports through acrxGetApiVersion and the
// host accepts: the Unicode, 64-bit generation of the interface.
constexpr int ACRX_API_VERSION = 17;
