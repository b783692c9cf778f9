// Drawing's edits: AddEntity (handle, owner and subclass marks as the file's
// version has them, the layer created when unknown), ModifyEntity,
// DeleteEntity, AddLayer, and the header variables brought up to date before
// a save (UpdateHeader).
#include "Drawing.h"

#include <algorithm>
#include <charconv>
#include <cwctype>
#include <initializer_list>

#include "DxfGroupCode.h"

namespace {

// Groups of the common entity part (AcDbEntity) rather than the type's own.
bool IsCommonEntityCode(int code)
{
    switch (code) {
    case 6: case 8: case 48: case 60: case 62: case 67: case 347: case 370: case 420: case 430:
    case 440: case 390: case 284:
        return true;
    default:
        return false;
    }
}

std::string UpperHex(std::uint64_t value)
{
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    std::string text(buffer, end);
    for (char& ch : text)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

bool IsSubEntityType(const std::wstring& type)
{
    return type == L"VERTEX" || type == L"SEQEND" || type == L"ATTRIB";
}

}  // namespace

std::uint64_t Drawing::NewHandle()
{
    std::uint64_t handle = m_handleSeed++;
    while (m_byHandle.count(handle))
        handle = m_handleSeed++;
    m_handleSeedMoved = true;
    return handle;
}

DxfTag Drawing::TagFor(const DrawingGroup& group)
{
    if (group.IsInteger())
        return m_file.MakeTag(group.code, std::to_string(group.Integer()));
    if (group.IsReal())
        return m_file.MakeTag(group.code, DxfGroupCode::FormatReal(group.Real()));
    return m_file.MakeTag(group.code, m_text.Encode(group.Text()));
}

std::vector<DxfTag> Drawing::TagsFor(const std::vector<DrawingGroup>& groups)
{
    std::vector<DxfTag> tags;
    tags.reserve(groups.size());
    for (const DrawingGroup& group : groups)
        tags.push_back(TagFor(group));
    return tags;
}

// The last record of a section, where a new one goes; the section is made
// before EOF when the file has none.
Drawing::Id& Drawing::SectionTail(std::string_view name)
{
    auto found = m_sectionTails.find(name);
    if (found != m_sectionTails.end())
        return found->second;
    Id beforeEof = m_file.First();
    for (Id r = m_file.First(); r != kNoId; r = m_file.Next(r)) {
        if (m_file.Type(r) == "EOF")
            break;
        beforeEof = r;
    }
    std::vector<DxfTag> head{m_file.MakeTag(0, "SECTION"), m_file.MakeTag(2, name)};
    Id section = m_file.InsertAfter(beforeEof, head);
    m_sectionHeads.emplace(std::string(name), section);
    std::vector<DxfTag> end{m_file.MakeTag(0, "ENDSEC")};
    m_file.InsertAfter(section, end);
    return m_sectionTails.emplace(std::string(name), section).first->second;
}

std::wstring Drawing::OwnerHandleOfModelSpace() const
{
    if (m_modelSpaceRecord == kNoId)
        return {};
    std::optional<std::uint64_t> handle = HandleOf(m_modelSpaceRecord);
    if (!handle)
        return {};
    std::string text = UpperHex(*handle);
    return std::wstring(text.begin(), text.end());
}

Drawing::Id Drawing::AddEntity(const std::vector<DrawingGroup>& groups)
{
    std::wstring type = !groups.empty() && groups[0].code == 0 && groups[0].IsText()
                            ? groups[0].Text()
                            : L"";
    std::wstring layer = L"0";
    if (std::optional<std::wstring> current = HeaderText("$CLAYER"); current && !current->empty())
        layer = *current;
    for (const DrawingGroup& group : groups)
        if (group.code == 8 && group.IsText() && !group.Text().empty())
            layer = group.Text();
    if (!IsSubEntityType(type))
        AddLayer(layer);

    const bool subclassed = Version() >= L"AC1012";
    std::vector<DrawingGroup> out;
    out.push_back(TextGroup(0, type));
    if (m_handles) {
        std::string handle = UpperHex(NewHandle());
        out.push_back(TextGroup(5, std::wstring(handle.begin(), handle.end())));
    }
    std::vector<DrawingGroup> rest;
    std::vector<DrawingGroup> common;
    for (size_t i = 1; i < groups.size(); ++i) {
        const DrawingGroup& group = groups[i];
        if (group.code == 0 || group.code == 5 || group.code == 330 || group.code == 100
            || group.code < 0)
            continue;
        if (group.code == 8)
            continue;   // written once, below
        (IsCommonEntityCode(group.code) ? common : rest).push_back(group);
    }
    if (type == L"LWPOLYLINE"
        && std::none_of(rest.begin(), rest.end(), [](const DrawingGroup& g) { return g.code == 90; })) {
        auto vertices = std::count_if(rest.begin(), rest.end(),
                                      [](const DrawingGroup& g) { return g.code == 10; });
        rest.insert(rest.begin(), IntegerGroup(90, vertices));
    }

    if (!subclassed) {
        out.push_back(TextGroup(8, layer));
        out.insert(out.end(), common.begin(), common.end());
        out.insert(out.end(), rest.begin(), rest.end());
    } else {
        std::wstring owner = OwnerHandleOfModelSpace();
        if (!owner.empty() && !IsSubEntityType(type))
            out.push_back(TextGroup(330, owner));
        out.push_back(TextGroup(100, L"AcDbEntity"));
        out.push_back(TextGroup(8, layer));
        out.insert(out.end(), common.begin(), common.end());
        auto mark = [&](const wchar_t* name) { out.push_back(TextGroup(100, name)); };
        auto take = [&](auto keep) {
            for (const DrawingGroup& group : rest)
                if (keep(group.code))
                    out.push_back(group);
        };
        auto all = [](int) { return true; };
        if (type == L"LINE") { mark(L"AcDbLine"); take(all); }
        else if (type == L"POINT") { mark(L"AcDbPoint"); take(all); }
        else if (type == L"CIRCLE") { mark(L"AcDbCircle"); take(all); }
        else if (type == L"ARC") {
            mark(L"AcDbCircle");
            take([](int c) { return c != 50 && c != 51; });
            mark(L"AcDbArc");
            take([](int c) { return c == 50 || c == 51; });
        } else if (type == L"TEXT") {
            mark(L"AcDbText");
            take([](int c) { return c != 73; });
            mark(L"AcDbText");
            take([](int c) { return c == 73; });
        } else if (type == L"MTEXT") { mark(L"AcDbMText"); take(all); }
        else if (type == L"LWPOLYLINE") { mark(L"AcDbPolyline"); take(all); }
        else if (type == L"INSERT") { mark(L"AcDbBlockReference"); take(all); }
        else if (type == L"POLYLINE") { mark(L"AcDb2dPolyline"); take(all); }
        else if (type == L"VERTEX") { mark(L"AcDbVertex"); mark(L"AcDb2dVertex"); take(all); }
        else { take(all); }
    }

    // After the last record of the section: behind a polyline's vertices too.
    Id& tail = SectionTail("ENTITIES");
    std::vector<DxfTag> tags = TagsFor(out);
    Id id = m_file.InsertAfter(tail, tags);
    tail = id;
    if (!IsSubEntityType(type))
        m_entities.push_back(id);
    if (std::optional<std::uint64_t> handle = HandleOf(id))
        m_byHandle.emplace(*handle, id);
    Changed();
    return id;
}

void Drawing::ModifyEntity(Id id, const std::vector<DrawingGroup>& groups)
{
    std::span<const DxfTag> old = m_file.Tags(id);
    std::vector<DxfTag> tags;
    tags.reserve(groups.size() + 2);
    // The type and the handle stay what they are.
    for (const DxfTag& tag : old)
        if (tag.code == 0 || tag.code == 5) {
            tags.push_back(tag);
            if (tag.code == 5)
                break;
        }
    // A group equal to the old one at the same place keeps its old text, so an
    // entity changed in one value differs from the file in that value only.
    size_t at = tags.size();
    for (const DrawingGroup& group : groups) {
        if (group.code == 0 || group.code == 5 || group.code < 0)
            continue;
        while (at < old.size() && (old[at].code == 0 || old[at].code == 5))
            ++at;
        if (at < old.size() && old[at].code == group.code
            && GroupOf(old[at]).value == group.value) {
            tags.push_back(old[at]);
        } else {
            tags.push_back(TagFor(group));
        }
        ++at;
    }
    m_file.Replace(id, tags);
    if (m_file.Type(id) == "LAYER")
        RefreshLayer(id);
    if (std::string_view type = m_file.Type(id); type != "VERTEX" && type != "SEQEND")
        if (std::optional<std::wstring> layer = Text(id, 8))
            AddLayer(*layer);
    Changed();
}

void Drawing::DeleteEntity(Id id)
{
    if (m_file.IsRemoved(id))
        return;
    Id sub = SubEntityAfter(id);
    m_file.Remove(id);
    while (sub != kNoId) {
        Id next = m_file.Type(sub) == "SEQEND" ? kNoId : SubEntityAfter(sub);
        m_file.Remove(sub);
        sub = next;
    }
    Changed();
}

Drawing::Id Drawing::AddLayer(const std::wstring& name, int colour)
{
    if (const Layer* layer = FindLayer(name))
        return layer->record;
    // The LAYER table, made inside TABLES when the file has none.
    auto tail = m_tableTails.find(std::string_view("LAYER"));
    if (tail == m_tableTails.end()) {
        Id& tables = SectionTail("TABLES");
        std::vector<DxfTag> head{m_file.MakeTag(0, "TABLE"), m_file.MakeTag(2, "LAYER"),
                                 m_file.MakeTag(70, "1")};
        Id table = m_file.InsertAfter(tables, head);
        std::vector<DxfTag> end{m_file.MakeTag(0, "ENDTAB")};
        tables = m_file.InsertAfter(table, end);
        m_tableHeads.emplace("LAYER", table);
        tail = m_tableTails.emplace("LAYER", table).first;
    }

    const bool subclassed = Version() >= L"AC1012";
    std::vector<DrawingGroup> groups{TextGroup(0, L"LAYER")};
    if (m_handles) {
        std::string handle = UpperHex(NewHandle());
        groups.push_back(TextGroup(5, std::wstring(handle.begin(), handle.end())));
    }
    if (subclassed) {
        Id table = m_tableHeads.at("LAYER");
        if (std::optional<std::uint64_t> owner = HandleOf(table)) {
            std::string text = UpperHex(*owner);
            groups.push_back(TextGroup(330, std::wstring(text.begin(), text.end())));
        }
        groups.push_back(TextGroup(100, L"AcDbSymbolTableRecord"));
        groups.push_back(TextGroup(100, L"AcDbLayerTableRecord"));
    }
    groups.push_back(TextGroup(2, name));
    groups.push_back(IntegerGroup(70, 0));
    groups.push_back(IntegerGroup(62, colour));
    groups.push_back(TextGroup(6, subclassed ? L"Continuous" : L"CONTINUOUS"));
    if (subclassed)
        groups.push_back(IntegerGroup(370, -3));

    std::vector<DxfTag> tags = TagsFor(groups);
    Id record = m_file.InsertAfter(tail->second, tags);
    tail->second = record;
    if (std::optional<std::uint64_t> handle = HandleOf(record))
        m_byHandle.emplace(*handle, record);
    Layer layer;
    layer.name = name;
    layer.colour = colour;
    layer.record = record;
    m_layers.push_back(std::move(layer));
    Changed();
    return record;
}

void Drawing::SetExtents(double minX, double minY, double maxX, double maxY)
{
    m_extMin = std::vector<DrawingGroup>{RealGroup(10, minX), RealGroup(20, minY), RealGroup(30, 0)};
    m_extMax = std::vector<DrawingGroup>{RealGroup(10, maxX), RealGroup(20, maxY), RealGroup(30, 0)};
}

void Drawing::UpdateHeader()
{
    if (m_header == kNoId)
        return;
    if (m_handleSeedMoved) {
        std::string seed = UpperHex(m_handleSeed);
        SetHeaderValues("$HANDSEED", {TextGroup(5, std::wstring(seed.begin(), seed.end()))});
        m_handleSeedMoved = false;
    }
    if (m_extMin && m_extMax) {
        SetHeaderValues("$EXTMIN", *m_extMin);
        SetHeaderValues("$EXTMAX", *m_extMax);
    }
}

// The values of one header variable; the variable is added at the end of the
// header when the file has none. Unchanged values keep their text.
void Drawing::SetHeaderValues(std::string_view name, const std::vector<DrawingGroup>& values)
{
    std::span<const DxfTag> old = m_file.Tags(m_header);
    std::vector<DxfTag> tags(old.begin(), old.end());
    size_t at = tags.size();
    for (size_t i = 0; i < tags.size(); ++i)
        if (tags[i].code == 9 && m_file.Value(tags[i]) == name) {
            at = i;
            break;
        }
    std::vector<DxfTag> fresh;
    if (at == tags.size()) {
        fresh.push_back(m_file.MakeTag(9, name));
        for (const DrawingGroup& value : values)
            fresh.push_back(TagFor(value));
        tags.insert(tags.end(), fresh.begin(), fresh.end());
    } else {
        size_t end = at + 1;
        while (end < tags.size() && tags[end].code != 9)
            ++end;
        std::vector<DxfTag> kept;
        for (size_t k = 0; k < values.size(); ++k) {
            size_t i = at + 1 + k;
            DxfTag made = TagFor(values[k]);
            bool same = i < end && tags[i].code == values[k].code
                        && m_file.Value(tags[i]) == m_file.Value(made);
            if (!same && i < end && tags[i].code == values[k].code && values[k].IsReal()) {
                std::optional<double> was = DxfGroupCode::ParseReal(m_file.Value(tags[i]));
                same = was && *was == values[k].Real();
            }
            kept.push_back(same ? tags[i] : made);
        }
        tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(at + 1),
                   tags.begin() + static_cast<std::ptrdiff_t>(end));
        tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(at + 1), kept.begin(), kept.end());
    }
    m_file.Replace(m_header, tags);
}
