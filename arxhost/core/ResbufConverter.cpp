#include "ResbufConverter.h"

#include "LispError.h"
#include "LispPrinter.h"
#include "LispStackGuard.h"
#include "ResbufHeap.h"
#include "arx/adscodes.h"

namespace {

// A chain under construction; freed unless handed out.
class ChainBuilder {
public:
    ChainBuilder() = default;
    ~ChainBuilder() { ResbufHeap::FreeChain(m_head); }
    ChainBuilder(const ChainBuilder&) = delete;
    ChainBuilder& operator=(const ChainBuilder&) = delete;

    resbuf* Add(short type)
    {
        resbuf* node = ResbufHeap::NewNode(type);
        if (!node)
            throw LispEvalError(L"insufficient memory");
        (m_tail ? m_tail->rbnext : m_head) = node;
        m_tail = node;
        return node;
    }
    resbuf* Release()
    {
        resbuf* head = m_head;
        m_head = m_tail = nullptr;
        return head;
    }

private:
    resbuf* m_head = nullptr;
    resbuf* m_tail = nullptr;
};

void AddValue(ChainBuilder& chain, const LispRef& value)
{
    if (!value) {
        chain.Add(RTNIL);
        return;
    }
    switch (value->Type()) {
    case LispType::Integer: {
        std::int32_t v = value->AsInteger();
        if (v >= INT16_MIN && v <= INT16_MAX)
            chain.Add(RTSHORT)->resval.rint = static_cast<short>(v);
        else
            chain.Add(RTLONG)->resval.rlong = v;
        return;
    }
    case LispType::Real:
        chain.Add(RTREAL)->resval.rreal = value->AsReal();
        return;
    case LispType::String: {
        resbuf* node = chain.Add(RTSTR);
        node->resval.rstring = ResbufHeap::CopyText(value->AsString().c_str());
        if (!node->resval.rstring)
            throw LispEvalError(L"insufficient memory");
        return;
    }
    case LispType::Symbol:
        if (value->SymbolName() == L"T") {
            chain.Add(RTT);
            return;
        }
        break;
    case LispType::Void:
        chain.Add(RTNIL);
        return;
    case LispType::Cons: {
        LispStackGuard::Check();
        chain.Add(RTLB);
        const LispValue* node = value.get();
        for (;;) {
            AddValue(chain, node->Car());
            const LispRef& rest = node->Cdr();
            if (!rest) {
                chain.Add(RTLE);
                return;
            }
            if (rest->Type() != LispType::Cons) {
                AddValue(chain, rest);
                chain.Add(RTDOTE);
                return;
            }
            node = rest.get();
        }
    }
    default:
        break;
    }
    throw LispEvalError(L"bad argument type: " + LispPrinter::Prin1(value));
}

LispRef Atom(const resbuf& node)
{
    const ads_u_val& v = node.resval;
    switch (node.restype) {
    case RTREAL:
    case RTANG:
        return LispValue::Real(v.rreal);
    case RTSHORT:
        return LispValue::Integer(v.rint);
    case RTLONG:
        return LispValue::Integer(v.rlong);
    case RTSTR:
        return LispValue::String(v.rstring ? v.rstring : L"");
    case RTPOINT:
        return LispValue::List({LispValue::Real(v.rpoint[0]), LispValue::Real(v.rpoint[1])});
    case RT3DPOINT:
        return LispValue::List({LispValue::Real(v.rpoint[0]), LispValue::Real(v.rpoint[1]),
                                LispValue::Real(v.rpoint[2])});
    case RTENAME:
        return LispValue::List({LispValue::Integer(static_cast<std::int32_t>(v.rlname[0])),
                                LispValue::Integer(static_cast<std::int32_t>(v.rlname[1]))});
    case RTT:
        return LispValue::T();
    case RTVOID:
        return LispValue::Void();
    default:
        return nullptr;   // RTNIL, and codes without a LISP form
    }
}

// One open list while reading a chain.
struct OpenList {
    std::vector<LispRef> items;
    bool fromListBegin = false;
};

LispRef Close(OpenList& list, LispRef tail = nullptr)
{
    LispRef value = std::move(tail);
    for (auto it = list.items.rbegin(); it != list.items.rend(); ++it)
        value = LispValue::MakeCons(*it, value);
    return value;
}

}  // namespace

resbuf* ResbufConverter::FromArguments(const LispArgs& args)
{
    ChainBuilder chain;
    for (const LispRef& arg : args)
        AddValue(chain, arg);
    return chain.Release();
}

LispRef ResbufConverter::ToValue(const resbuf* chain)
{
    // Read without recursion: an explicit stack of the lists still open.
    std::vector<OpenList> open(1);
    bool singleList = chain && chain->restype == RTLB;
    for (const resbuf* node = chain; node; node = node->rbnext) {
        switch (node->restype) {
        case RTLB:
            open.emplace_back();
            open.back().fromListBegin = true;
            break;
        case RTLE:
            if (open.size() > 1) {
                LispRef list = Close(open.back());
                open.pop_back();
                open.back().items.push_back(list);
            }
            break;
        case RTDOTE:
            // (a b . c): the item before the dot end is the tail.
            if (open.size() > 1 && open.back().items.size() >= 2) {
                LispRef tail = open.back().items.back();
                open.back().items.pop_back();
                LispRef list = Close(open.back(), tail);
                open.pop_back();
                open.back().items.push_back(list);
            }
            break;
        default:
            open.back().items.push_back(Atom(*node));
        }
    }
    // Lists left open at the end of the chain close there.
    while (open.size() > 1) {
        LispRef list = Close(open.back());
        open.pop_back();
        open.back().items.push_back(list);
    }
    std::vector<LispRef>& top = open.back().items;
    if (singleList && top.size() == 1)
        return top.front();
    return Close(open.back());
}
