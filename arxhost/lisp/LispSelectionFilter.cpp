#include "LispSelectionFilter.h"

#include <cwctype>

#include "DrawingNames.h"
#include "DxfGroupCode.h"
#include "LispError.h"

namespace {

[[noreturn]] void BadList()
{
    throw LispEvalError(L"bad SSGET list");
}

bool IsGroup(const LispRef& item)
{
    return item && item->Type() == LispType::Cons && item->Car()
           && item->Car()->Type() == LispType::Integer;
}

// The text of a (-4 . "text") item, upper-cased, or empty for another item.
std::wstring Operator(const LispRef& item)
{
    if (!IsGroup(item) || item->Car()->AsInteger() != -4)
        return {};
    if (!item->Cdr() || item->Cdr()->Type() != LispType::String)
        BadList();
    return DrawingNames::Upper(item->Cdr()->AsString());
}

bool IsRelation(const std::wstring& op)
{
    for (const wchar_t* known : {L"=", L"/=", L"!=", L"<>", L"<", L"<=", L">", L">=", L"*", L"&",
                                 L"&="})
        if (op == known)
            return true;
    return false;
}

bool Compare(const std::wstring& op, double entity, double wanted)
{
    if (op == L"=") return entity == wanted;
    if (op == L"/=" || op == L"!=" || op == L"<>") return entity != wanted;
    if (op == L"<") return entity < wanted;
    if (op == L"<=") return entity <= wanted;
    if (op == L">") return entity > wanted;
    if (op == L">=") return entity >= wanted;
    if (op == L"&")
        return (static_cast<std::int64_t>(entity) & static_cast<std::int64_t>(wanted)) != 0;
    if (op == L"&=") {
        auto mask = static_cast<std::int64_t>(wanted);
        return (static_cast<std::int64_t>(entity) & mask) == mask;
    }
    return true;   // "*"
}

std::optional<double> NumberOf(const Drawing& drawing, Drawing::Id id, int code)
{
    std::optional<double> value;
    if (DxfGroupCode::KindOf(code) == DxfGroupCode::Kind::Integer) {
        if (std::optional<std::int64_t> integer = drawing.Integer(id, code))
            value = static_cast<double>(*integer);
    } else if (DxfGroupCode::KindOf(code) == DxfGroupCode::Kind::Real) {
        value = drawing.Real(id, code);
    }
    if (!value && code == 62)
        value = 256;   // BYLAYER
    if (!value && code == 67)
        value = 0;     // model space
    return value;
}

std::optional<std::wstring> TextOf(const Drawing& drawing, Drawing::Id id, int code)
{
    if (code == 0)
        return drawing.TypeName(id);
    std::optional<std::wstring> text = drawing.Text(id, code);
    if (code == 8 && (!text || text->empty()))
        return std::wstring(L"0");
    if (code == 6 && !text)
        return std::wstring(L"BYLAYER");
    return text;
}

}  // namespace

LispSelectionFilter::LispSelectionFilter(const LispRef& filter)
{
    if (!LispIsProperList(filter))
        BadList();
    std::vector<LispRef> items = LispListItems(filter);
    size_t at = 0;
    m_root.children = ParseUntil(items, at, L"");
}

std::vector<LispSelectionFilter::Node> LispSelectionFilter::ParseUntil(
    const std::vector<LispRef>& items, size_t& at, const std::wstring& closing)
{
    std::vector<Node> children;
    while (at < items.size()) {
        std::wstring op = Operator(items[at]);
        if (op == L"AND>" || op == L"OR>" || op == L"XOR>" || op == L"NOT>") {
            if (op != closing)
                BadList();
            ++at;
            return children;
        }
        children.push_back(Parse(items, at));
    }
    if (!closing.empty())
        BadList();
    return children;
}

LispSelectionFilter::Node LispSelectionFilter::Parse(const std::vector<LispRef>& items, size_t& at)
{
    const LispRef& item = items[at];
    if (!IsGroup(item))
        BadList();
    std::wstring op = Operator(item);
    ++at;
    if (item->Car()->AsInteger() != -4)
        return Test(item, L"=");
    static const std::pair<const wchar_t*, Node::Kind> groups[] = {
        {L"<AND", Node::Kind::And}, {L"<OR", Node::Kind::Or}, {L"<XOR", Node::Kind::Xor},
        {L"<NOT", Node::Kind::Not}};
    for (const auto& [opening, kind] : groups) {
        if (op != opening)
            continue;
        Node node;
        node.kind = kind;
        node.children = ParseUntil(items, at, op.substr(1) + L">");
        size_t count = node.children.size();
        if (count == 0 || (kind == Node::Kind::Not && count != 1)
            || (kind == Node::Kind::Xor && count != 2))
            BadList();
        return node;
    }
    if (at >= items.size() || Operator(items[at]).size() > 0)
        BadList();
    return Test(items[at++], op);
}

LispSelectionFilter::Node LispSelectionFilter::Test(const LispRef& item, const std::wstring& relation)
{
    if (!IsGroup(item))
        BadList();
    Node node;
    node.kind = Node::Kind::Test;
    node.code = item->Car()->AsInteger();
    node.value = item->Cdr();
    const LispRef& value = node.value;
    size_t coordinates = 1;
    if (value && value->Type() == LispType::Cons) {
        std::vector<LispRef> point = LispIsProperList(value) ? LispListItems(value)
                                                              : std::vector<LispRef>{};
        for (const LispRef& coordinate : point)
            if (!coordinate || !coordinate->IsNumber())
                BadList();
        if (point.size() < 2 || point.size() > 3)
            BadList();
        coordinates = point.size();
    } else if (!value || (!value->IsNumber() && value->Type() != LispType::String)) {
        BadList();
    }
    size_t start = 0;
    for (;;) {
        size_t comma = relation.find(L',', start);
        node.operators.push_back(relation.substr(start, comma - start));
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    if (node.operators.size() == 1)
        node.operators.resize(coordinates, node.operators[0]);
    if (node.operators.size() != coordinates)
        BadList();
    for (const std::wstring& op : node.operators) {
        if (!IsRelation(op))
            BadList();
        if ((op == L"&" || op == L"&=") && value->Type() != LispType::Integer)
            BadList();
    }
    if (value->Type() == LispType::String)
        node.pattern = std::make_shared<LispWildcard>(value->AsString(), true);
    return node;
}

bool LispSelectionFilter::Matches(const Drawing& drawing, Drawing::Id id) const
{
    return Holds(m_root, drawing, id);
}

bool LispSelectionFilter::Holds(const Node& node, const Drawing& drawing, Drawing::Id id)
{
    switch (node.kind) {
    case Node::Kind::Test:
        return HoldsTest(node, drawing, id);
    case Node::Kind::And:
        for (const Node& child : node.children)
            if (!Holds(child, drawing, id))
                return false;
        return true;
    case Node::Kind::Or:
        for (const Node& child : node.children)
            if (Holds(child, drawing, id))
                return true;
        return false;
    case Node::Kind::Xor:
        return Holds(node.children[0], drawing, id) != Holds(node.children[1], drawing, id);
    case Node::Kind::Not:
        return !Holds(node.children[0], drawing, id);
    }
    return false;
}

bool LispSelectionFilter::HoldsTest(const Node& node, const Drawing& drawing, Drawing::Id id)
{
    const std::wstring& op = node.operators[0];
    if (node.pattern) {
        std::optional<std::wstring> text = TextOf(drawing, id, node.code);
        if (!text)
            return false;
        if (op == L"=" || op == L"*")
            return op == L"*" || node.pattern->Matches(*text);
        if (op == L"/=" || op == L"!=" || op == L"<>")
            return !node.pattern->Matches(*text);
        int order = DrawingNames::Upper(*text).compare(DrawingNames::Upper(node.value->AsString()));
        return Compare(op, order, 0);
    }
    if (node.value->IsNumber()) {
        std::optional<double> number = NumberOf(drawing, id, node.code);
        return number && Compare(op, *number, node.value->AsNumber());
    }
    std::vector<LispRef> point = LispListItems(node.value);
    for (size_t k = 0; k < point.size(); ++k) {
        std::optional<double> coordinate = drawing.Real(id, node.code + 10 * static_cast<int>(k));
        if (!coordinate && k == 2)
            coordinate = 0.0;
        if (!coordinate || !Compare(node.operators[k], *coordinate, point[k]->AsNumber()))
            return false;
    }
    return true;
}
