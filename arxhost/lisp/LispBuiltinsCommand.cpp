// `command`: hands a host command and its answers to the host, as the CAD
// host's command line would get them typed: numbers as text, a point as
// "x,y" or "x,y,z", nil and "" as a bare Enter.
#include "LispBuiltins.h"

#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"

namespace {

std::wstring Number(const LispRef& value)
{
    return value->Type() == LispType::Integer ? std::to_wstring(value->AsInteger())
                                              : LispPrinter::Prin1(value);
}

std::wstring Answer(const LispRef& value)
{
    if (!value)
        return L"";
    switch (value->Type()) {
    case LispType::String:
        return value->AsString();
    case LispType::Integer:
    case LispType::Real:
        return Number(value);
    case LispType::Symbol:
        return value->SymbolName();
    case LispType::Cons: {
        std::vector<LispRef> items = LispIsProperList(value) ? LispListItems(value)
                                                             : std::vector<LispRef>{};
        bool point = items.size() == 2 || items.size() == 3;
        for (const LispRef& item : items)
            point = point && item && item->IsNumber();
        if (!point)
            throw LispEvalError(L"bad argument type: command " + LispPrinter::Prin1(value));
        std::wstring text;
        for (const LispRef& item : items)
            text += (text.empty() ? L"" : L",") + Number(item);
        return text;
    }
    default:
        throw LispEvalError(L"bad argument type: command " + LispPrinter::Prin1(value));
    }
}

}  // namespace

void LispBuiltins::InstallCommand(LispEvaluator& e)
{
    LispBuiltin builtin;
    builtin.name = L"COMMAND";
    builtin.call = [](LispEvaluator& evaluator, const LispArgs& args) -> LispRef {
        std::vector<std::wstring> words;
        for (const LispRef& arg : args)
            words.push_back(Answer(arg));
        if (!words.empty())
            evaluator.Host().Command(words);
        return nullptr;
    };
    e.Define(std::move(builtin));
}
