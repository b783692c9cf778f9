#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ArxHost.h"
#include "arx/adsdef.h"

// A module linked into the test program: it registers the LISP function
// PROBE with function code 7 per drawing, records the messages and every
// call's function code and arguments, and runs the test's handler.
struct ProbeModule {
    static constexpr int kFunCode = 7;

    static void Reset();
    static AcRx::AppRetCode Entry(AcRx::AppMsgCode message, void* appId);

    static std::vector<int> messages;
    static std::vector<int> funCodes;
    static std::vector<std::wstring> arguments;   // each call's chain, described
    static std::function<void()> handler;        // runs inside message 5
};

// A chain as text: each node's type code, with its value where it has one
// (5005"text", 5003=1, 5010=70000, 5001=2.5), separated by blanks.
std::wstring DescribeChain(const resbuf* chain);

// A test's host: scripted, its output lines collected.
struct ScriptedHost {
    ScriptedHost();
    ArxHost host;
    std::wstring out;
    std::wstring err;
};
