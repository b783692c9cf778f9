// Drawing: the order in which LISP's entnext walks the entities (every record
// of the ENTITIES section, vertices and sequence ends included), the records
// an entity name may stand for, table entries by name, and undeleting.
#include "Drawing.h"

#include <algorithm>
#include <cwctype>

#include "DrawingNames.h"

namespace {

bool IsSubEntityType(std::string_view type)
{
    return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB";
}

// Records that only mark where sections, tables and blocks begin and end.
bool IsMark(std::string_view type)
{
    return type == "SECTION" || type == "ENDSEC" || type == "TABLE" || type == "ENDTAB"
           || type == "ENDBLK" || type == "EOF" || type.empty();
}

}  // namespace

Drawing::Id Drawing::FirstEntity() const
{
    auto head = m_sectionHeads.find(std::string_view("ENTITIES"));
    return head == m_sectionHeads.end() ? kNoId : EntityAfter(head->second);
}

Drawing::Id Drawing::EntityAfter(Id id) const
{
    if (id >= m_file.RecordCount())
        return kNoId;
    for (Id r = m_file.Next(id); r != kNoId; r = m_file.Next(r)) {
        if (IsMark(m_file.Type(r)) || m_file.Type(r) == "BLOCK")
            return kNoId;
        if (!m_file.IsRemoved(r))
            return r;
    }
    return kNoId;
}

Drawing::Id Drawing::LastEntity() const
{
    for (auto it = m_entities.rbegin(); it != m_entities.rend(); ++it)
        if (!m_file.IsRemoved(*it))
            return *it;
    return kNoId;
}

std::vector<Drawing::Id> Drawing::Entities() const
{
    std::vector<Id> entities;
    entities.reserve(m_entities.size());
    for (Id id : m_entities)
        if (!m_file.IsRemoved(id))
            entities.push_back(id);
    return entities;
}

bool Drawing::IsNamed(Id id) const
{
    return id < m_file.RecordCount() && id != m_file.First() && !IsMark(m_file.Type(id));
}

bool Drawing::IsSubEntityRecord(Id id) const
{
    return id < m_file.RecordCount() && IsSubEntityType(m_file.Type(id));
}

Drawing::Id Drawing::FindTableEntry(std::string_view table, std::wstring_view name) const
{
    for (Id entry : TableEntries(table))
        if (DrawingNames::Same(m_text.Decode(m_file.Find(entry, 2)), name))
            return entry;
    return kNoId;
}

void Drawing::RestoreEntity(Id id)
{
    if (!IsNamed(id) || !m_file.IsRemoved(id))
        return;
    m_file.Restore(id);
    // The vertices or attributes that followed it went with it.
    std::string_view owner = m_file.Type(id);
    if (owner == "POLYLINE" || owner == "INSERT") {
        for (Id r = m_file.Next(id); r != kNoId && IsSubEntityType(m_file.Type(r));
             r = m_file.Next(r)) {
            m_file.Restore(r);
            if (m_file.Type(r) == "SEQEND")
                break;
        }
    }
    Changed();
}

void Drawing::RefreshLayer(Id record)
{
    auto at = std::find_if(m_layers.begin(), m_layers.end(),
                           [record](const Layer& layer) { return layer.record == record; });
    if (at == m_layers.end())
        return;
    size_t index = static_cast<size_t>(at - m_layers.begin());
    IndexTableEntry(record, "LAYER");   // appends the layer as its record reads now
    m_layers[index] = std::move(m_layers.back());
    m_layers.pop_back();
}
