#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Drawing.h"
#include "LispValue.h"
#include "LispWildcard.h"

// The filter list of ssget: groups that an entity must have, (8 . "LOT-*")
// or (62 . 3), texts as wild-card patterns with case ignored, and the -4
// groups: "<AND" "AND>", "<OR" "OR>", "<XOR" "XOR>" (two tests), "<NOT"
// "NOT>" (one test), and relational tests for the group after them: "="
// "/=" "!=" "<>" "<" "<=" ">" ">=" "*" (anything), "&" (a bit of the value
// set) and "&=" (all of its bits set); for a point one per coordinate,
// separated by commas (">,>,*"). Groups the entity does not have are their
// defaults where the CAD host has one: layer "0", colour 256 (BYLAYER),
// linetype "BYLAYER", space 0 (model).
class LispSelectionFilter {
public:
    // Throws LispEvalError "bad SSGET list" for a list of another shape.
    explicit LispSelectionFilter(const LispRef& filter);
    bool Matches(const Drawing& drawing, Drawing::Id id) const;

private:
    struct Node {
        enum class Kind { And, Or, Xor, Not, Test } kind = Kind::And;
        std::vector<Node> children;
        int code = 0;
        std::vector<std::wstring> operators;   // one, or one per coordinate
        LispRef value;
        std::shared_ptr<LispWildcard> pattern;   // for a text
    };

    static Node Parse(const std::vector<LispRef>& items, size_t& at);
    static std::vector<Node> ParseUntil(const std::vector<LispRef>& items, size_t& at,
                                        const std::wstring& closing);
    static Node Test(const LispRef& item, const std::wstring& relation);
    static bool Holds(const Node& node, const Drawing& drawing, Drawing::Id id);
    static bool HoldsTest(const Node& node, const Drawing& drawing, Drawing::Id id);

    Node m_root;
};
