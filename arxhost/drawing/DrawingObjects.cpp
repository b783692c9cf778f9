// Drawing: the OBJECTS section. The root dictionary (the first object, owned
// by nobody) holds named dictionaries and records; a dictionary lists its
// entries as key (3) and owned object (350) pairs, and an object names its
// dictionary both as owner (330) and among its reactors, as CAD programs and
// DXF readers expect of a well-formed file.
#include "Drawing.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "DrawingNames.h"

namespace {

bool IsOwnerHandle(int code)
{
    return code == 350 || code == 360;
}

std::wstring Hex(std::uint64_t handle)
{
    wchar_t text[24];
    std::swprintf(text, 24, L"%llX", static_cast<unsigned long long>(handle));
    return text;
}

}  // namespace

std::wstring Drawing::HandleText(Id id) const
{
    std::optional<std::uint64_t> handle = HandleOf(id);
    return handle ? Hex(*handle) : std::wstring();
}

Drawing::Id Drawing::NamedObjects()
{
    if (Version() < L"AC1012" || !m_handles)
        return kNoId;
    auto head = m_sectionHeads.find(std::string_view("OBJECTS"));
    if (head != m_sectionHeads.end()) {
        Id first = m_file.Next(head->second);
        while (first != kNoId && m_file.IsRemoved(first))
            first = m_file.Next(first);
        if (first != kNoId && m_file.Type(first) == "DICTIONARY")
            return first;
    }
    Id& tail = SectionTail("OBJECTS");
    Id after = m_sectionHeads.at("OBJECTS");
    std::vector<DrawingGroup> groups{TextGroup(0, L"DICTIONARY"), TextGroup(5, Hex(NewHandle())),
                                     TextGroup(330, L"0"), TextGroup(100, L"AcDbDictionary"),
                                     IntegerGroup(281, 1)};
    std::vector<DxfTag> tags = TagsFor(groups);
    Id root = m_file.InsertAfter(after, tags);
    if (tail == after)
        tail = root;
    m_byHandle.emplace(*HandleOf(root), root);
    Changed();
    return root;
}

std::vector<std::pair<std::wstring, Drawing::Id>> Drawing::DictionaryEntries(Id dictionary) const
{
    std::vector<std::pair<std::wstring, Id>> entries;
    if (!IsNamed(dictionary) || m_file.Type(dictionary) != "DICTIONARY")
        return entries;
    std::vector<DrawingGroup> groups = Groups(dictionary);
    for (size_t i = 0; i + 1 < groups.size(); ++i) {
        if (groups[i].code != 3 || !IsOwnerHandle(groups[i + 1].code))
            continue;
        Id object = kNoId;
        const std::wstring& handle = groups[i + 1].Text();
        wchar_t* end = nullptr;
        unsigned long long value = std::wcstoull(handle.c_str(), &end, 16);
        if (!handle.empty() && end && *end == L'\0')
            object = FindHandle(value);
        entries.emplace_back(groups[i].Text(), object);
        ++i;
    }
    return entries;
}

Drawing::Id Drawing::AddObject(const std::vector<DrawingGroup>& groups)
{
    if (groups.empty() || groups[0].code != 0 || !groups[0].IsText() || NamedObjects() == kNoId)
        return kNoId;
    const std::wstring& type = groups[0].Text();
    std::vector<DrawingGroup> out{TextGroup(0, type), TextGroup(5, Hex(NewHandle())), TextGroup(330, L"0")};
    std::vector<DrawingGroup> data;
    for (size_t i = 1; i < groups.size(); ++i) {
        int code = groups[i].code;
        if (code != 0 && code != 5 && code != 330 && code != 100 && code != 102 && code >= 0)
            data.push_back(groups[i]);
    }
    if (type == L"XRECORD") {
        out.push_back(TextGroup(100, L"AcDbXrecord"));
        // Readers take a 280 right after the mark for the cloning flag, so
        // the record's own data never starts there.
        if (data.empty() || data[0].code != 280)
            out.push_back(IntegerGroup(280, 1));
    } else if (type == L"DICTIONARY") {
        out.push_back(TextGroup(100, L"AcDbDictionary"));
    }
    out.insert(out.end(), data.begin(), data.end());

    Id& tail = SectionTail("OBJECTS");
    std::vector<DxfTag> tags = TagsFor(out);
    Id id = m_file.InsertAfter(tail, tags);
    tail = id;
    m_byHandle.emplace(*HandleOf(id), id);
    Changed();
    return id;
}

bool Drawing::AddToDictionary(Id dictionary, const std::wstring& key, Id object)
{
    if (!IsNamed(dictionary) || m_file.Type(dictionary) != "DICTIONARY" || !IsNamed(object)
        || key.empty() || object == dictionary)
        return false;
    for (const auto& entry : DictionaryEntries(dictionary))
        if (DrawingNames::Same(entry.first, key))
            return false;
    const std::wstring owner = HandleText(dictionary);
    const std::wstring handle = HandleText(object);
    if (owner.empty() || handle.empty())
        return false;

    std::vector<DrawingGroup> entries = Groups(dictionary);
    entries.push_back(TextGroup(3, key));
    entries.push_back(TextGroup(350, handle));
    ModifyEntity(dictionary, entries);

    // The object's owner and reactors, before its first subclass mark, are
    // the dictionary's from now on.
    std::vector<DrawingGroup> old = Groups(object);
    std::vector<DrawingGroup> owned;
    size_t i = 0;
    for (; i < old.size() && (old[i].code == 0 || old[i].code == 5); ++i)
        owned.push_back(old[i]);
    owned.push_back(TextGroup(102, L"{ACAD_REACTORS"));
    owned.push_back(TextGroup(330, owner));
    owned.push_back(TextGroup(102, L"}"));
    owned.push_back(TextGroup(330, owner));
    std::wstring block;   // the 102 block the group is in, or empty
    for (; i < old.size() && old[i].code != 100; ++i) {
        const DrawingGroup& group = old[i];
        bool mark = group.code == 102 && group.IsText();
        bool reactors = block == L"{ACAD_REACTORS" || (mark && group.Text() == L"{ACAD_REACTORS");
        if (mark)
            block = group.Text() == L"}" ? L"" : group.Text();
        // The old reactors and owner give way to the new ones.
        if (!reactors && !(block.empty() && !mark && group.code == 330))
            owned.push_back(group);
    }
    owned.insert(owned.end(), old.begin() + static_cast<std::ptrdiff_t>(i), old.end());
    ModifyEntity(object, owned);
    return true;
}

Drawing::Id Drawing::RemoveFromDictionary(Id dictionary, std::wstring_view key)
{
    if (!IsNamed(dictionary) || m_file.Type(dictionary) != "DICTIONARY")
        return kNoId;
    std::vector<std::pair<std::wstring, Id>> entries = DictionaryEntries(dictionary);
    std::vector<DrawingGroup> groups = Groups(dictionary);
    for (size_t i = 0; i + 1 < groups.size(); ++i) {
        if (groups[i].code != 3 || !IsOwnerHandle(groups[i + 1].code)
            || !DrawingNames::Same(groups[i].Text(), key))
            continue;
        Id object = kNoId;
        for (const auto& entry : entries)
            if (entry.first == groups[i].Text())
                object = entry.second;
        groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(i),
                     groups.begin() + static_cast<std::ptrdiff_t>(i + 2));
        ModifyEntity(dictionary, groups);
        return object;
    }
    return kNoId;
}
