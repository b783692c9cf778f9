#pragma once

#include "ArxHost.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

#include <string>
#include <vector>

// One LISP call of the module's function in a scripted host: no message
// boxes or file dialogs; alerts, failures and returned lists are recorded.
class ScriptedHostCall {
public:
    explicit ScriptedHostCall(const resbuf* args = nullptr)
    {
        host.Script().active = true;
        host.SetWriters([](const std::wstring&) {}, [](const std::wstring&) {});
        host.BeginCall(0, args);
    }
    ~ScriptedHostCall() { host.EndCall(); }

    ScriptedHostCall(const ScriptedHostCall&) = delete;
    ScriptedHostCall& operator=(const ScriptedHostCall&) = delete;

    // The call's LISP value as printed, "" for no value.
    std::wstring Value() const
    {
        ArxEvalResult result = host.CallResult();
        return result.kind == ArxEvalResult::Kind::Value ? result.text : L"";
    }
    bool HasValue() const { return host.CallResult().kind == ArxEvalResult::Kind::Value; }
    const std::vector<std::wstring>& Alerts() { return host.Script().alerts; }

    ArxHost host;
};

// Owns a chain built with acutBuildList.
class Chain {
public:
    explicit Chain(resbuf* chain) : m_chain(chain) {}
    ~Chain() { acutRelRb(m_chain); }
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;
    const resbuf* get() const { return m_chain; }

private:
    resbuf* m_chain;
};
