// Drawing: opening and the index (Index walks the records once: sections,
// table entries, blocks, entities, handles), header variables, the views onto
// entities, and saving (Contents brings the header up to date, Save writes a
// new file and puts it in place).
#include "Drawing.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cwctype>

#include "DrawingNames.h"
#include "DxfGroupCode.h"
#include "DxfReadError.h"

namespace {

// An empty R12 drawing: the host's own default, readable by every DXF reader.
constexpr char kEmptyDrawing[] =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n"
    "  9\n$HANDLING\n 70\n     1\n  9\n$HANDSEED\n  5\n20\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n     1\n"
    "  0\nLAYER\n  5\n10\n  2\n0\n 70\n     0\n 62\n     7\n  6\nCONTINUOUS\n  0\nENDTAB\n"
    "  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n";

std::optional<std::uint64_t> ParseHandle(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}


std::wstring SystemMessage(DWORD error)
{
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                      | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                                  nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"error " + std::to_wstring(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.'))
        text.pop_back();
    return text;
}

bool IsSubEntity(std::string_view type)
{
    return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB";
}

}  // namespace

Drawing::Drawing() : Drawing(DxfFile::Read(kEmptyDrawing)) {}

Drawing::Drawing(DxfFile file) : m_file(std::move(file))
{
    Index();
}

std::unique_ptr<Drawing> Drawing::FromBytes(std::string bytes)
{
    return std::unique_ptr<Drawing>(new Drawing(DxfFile::Read(std::move(bytes))));
}

std::unique_ptr<Drawing> Drawing::Open(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw DxfReadError(0, SystemMessage(GetLastError()));
    LARGE_INTEGER size{};
    std::string bytes;
    bool good = GetFileSizeEx(file, &size) != 0 && size.QuadPart < 0xFFFFFFF0LL;
    if (good) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        good = bytes.empty()
               || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)
                   && read == bytes.size());
    }
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!good)
        throw DxfReadError(0, size.QuadPart >= 0xFFFFFFF0LL ? L"the file is larger than 4 GB"
                                                             : SystemMessage(error));
    return FromBytes(std::move(bytes));
}

// --- The index ------------------------------------------------------------

void Drawing::Index()
{
    std::string_view section, table;
    Block* block = nullptr;
    Id previous = kNoId;
    std::uint64_t largestHandle = 0;
    for (Id r = m_file.First(); r != kNoId; previous = r, r = m_file.Next(r)) {
        std::string_view type = m_file.Type(r);
        for (const DxfTag& tag : m_file.Tags(r)) {
            if (tag.code == 5 || (tag.code == 105 && type == "DIMSTYLE")) {
                if (std::optional<std::uint64_t> handle = ParseHandle(m_file.Value(tag))) {
                    m_byHandle.emplace(*handle, r);
                    largestHandle = std::max(largestHandle, *handle);
                }
                break;
            }
            if (tag.code == 100)
                break;   // the handle comes before the first subclass mark
        }
        if (type == "SECTION") {
            section = m_file.Find(r, 2);
            m_sectionHeads.emplace(std::string(section), r);
            if (section == "HEADER") {
                // Names that follow are decoded in the file's own code page.
                m_header = r;
                m_text = DxfText(RawHeader("$ACADVER"), RawHeader("$DWGCODEPAGE"));
            }
            continue;
        }
        if (type == "ENDSEC") {
            m_sectionTails.emplace(std::string(section), previous);
            section = {};
            previous = r;
            continue;
        }
        if (section == "TABLES") {
            if (type == "TABLE") {
                table = m_file.Find(r, 2);
                m_tableHeads.emplace(std::string(table), r);
            } else if (type == "ENDTAB") {
                m_tableTails.emplace(std::string(table), previous);
            } else {
                IndexTableEntry(r, table);
            }
        } else if (section == "BLOCKS") {
            if (type == "BLOCK") {
                Block entry;
                entry.name = m_text.Decode(m_file.Find(r, 2));
                entry.baseX = DxfGroupCode::ParseReal(m_file.Find(r, 10, "0")).value_or(0);
                entry.baseY = DxfGroupCode::ParseReal(m_file.Find(r, 20, "0")).value_or(0);
                entry.record = r;
                m_blocks.push_back(std::move(entry));
                block = &m_blocks.back();
            } else if (type == "ENDBLK") {
                block = nullptr;
            } else if (block && !IsSubEntity(type)) {
                block->entities.push_back(r);
            }
        } else if (section == "ENTITIES" && !IsSubEntity(type)) {
            m_entities.push_back(r);
        }
    }
    m_handles = !m_byHandle.empty() || RawHeader("$HANDLING") == "1"
                || (Version() >= L"AC1012" && Version().size() == 6);
    std::uint64_t seed = ParseHandle(RawHeader("$HANDSEED")).value_or(0);
    m_handleSeed = std::max(seed, largestHandle + 1);
}

void Drawing::IndexTableEntry(Id record, std::string_view table)
{
    if (table == "LAYER" && m_file.Type(record) == "LAYER") {
        Layer layer;
        layer.record = record;
        layer.name = m_text.Decode(m_file.Find(record, 2));
        layer.colour = static_cast<int>(
            DxfGroupCode::ParseInteger(m_file.Find(record, 62, "7")).value_or(7));
        layer.trueColour = static_cast<long>(
            DxfGroupCode::ParseInteger(m_file.Find(record, 420, "-1")).value_or(-1));
        layer.frozen = (DxfGroupCode::ParseInteger(m_file.Find(record, 70, "0")).value_or(0) & 1) != 0;
        m_layers.push_back(std::move(layer));
    } else if (table == "BLOCK_RECORD" && m_file.Type(record) == "BLOCK_RECORD") {
        if (DrawingNames::Same(m_text.Decode(m_file.Find(record, 2)), L"*Model_Space"))
            m_modelSpaceRecord = record;
    }
}

// --- Header ---------------------------------------------------------------

// The first value after "9 NAME" in the header, as it stands in the file.
std::string_view Drawing::RawHeader(std::string_view name) const
{
    if (m_header == kNoId)
        return {};
    std::span<const DxfTag> tags = m_file.Tags(m_header);
    for (size_t i = 0; i + 1 < tags.size(); ++i)
        if (tags[i].code == 9 && m_file.Value(tags[i]) == name)
            return tags[i + 1].code == 9 ? std::string_view() : m_file.Value(tags[i + 1]);
    return {};
}

std::wstring Drawing::Version() const
{
    std::wstring version = m_text.Decode(RawHeader("$ACADVER"));
    return version.empty() ? L"AC1009" : version;
}

std::optional<std::wstring> Drawing::HeaderText(std::string_view name) const
{
    if (m_header == kNoId)
        return std::nullopt;
    std::span<const DxfTag> tags = m_file.Tags(m_header);
    for (size_t i = 0; i + 1 < tags.size(); ++i)
        if (tags[i].code == 9 && m_file.Value(tags[i]) == name && tags[i + 1].code != 9)
            return m_text.Decode(m_file.Value(tags[i + 1]));
    return std::nullopt;
}

std::optional<double> Drawing::HeaderReal(std::string_view name, int code) const
{
    if (m_header == kNoId)
        return std::nullopt;
    std::span<const DxfTag> tags = m_file.Tags(m_header);
    for (size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].code != 9 || m_file.Value(tags[i]) != name)
            continue;
        for (size_t k = i + 1; k < tags.size() && tags[k].code != 9; ++k)
            if (tags[k].code == code)
                return DxfGroupCode::ParseReal(m_file.Value(tags[k]));
        return std::nullopt;
    }
    return std::nullopt;
}

// --- Tables, blocks, entities ---------------------------------------------

const Drawing::Layer* Drawing::FindLayer(std::wstring_view name) const
{
    for (const Layer& layer : m_layers)
        if (!m_file.IsRemoved(layer.record) && DrawingNames::Same(layer.name, name))
            return &layer;
    return nullptr;
}

const Drawing::Block* Drawing::FindBlock(std::wstring_view name) const
{
    for (const Block& block : m_blocks)
        if (DrawingNames::Same(block.name, name))
            return &block;
    return nullptr;
}

std::vector<Drawing::Id> Drawing::TableEntries(std::string_view table) const
{
    std::vector<Id> entries;
    auto head = m_tableHeads.find(table);
    if (head == m_tableHeads.end())
        return entries;
    for (Id r = m_file.Next(head->second); r != kNoId; r = m_file.Next(r)) {
        std::string_view type = m_file.Type(r);
        if (type == "ENDTAB" || type == "ENDSEC" || type == "TABLE")
            break;
        if (!m_file.IsRemoved(r))
            entries.push_back(r);
    }
    return entries;
}

std::vector<Drawing::Id> Drawing::ModelSpace() const
{
    std::vector<Id> entities;
    entities.reserve(m_entities.size());
    for (Id id : m_entities) {
        if (m_file.IsRemoved(id))
            continue;
        bool paper = false;
        for (const DxfTag& tag : m_file.Tags(id))
            if (tag.code == 67) {
                paper = DxfGroupCode::ParseInteger(m_file.Value(tag)).value_or(0) == 1;
                break;
            }
        if (!paper)
            entities.push_back(id);
    }
    return entities;
}

Drawing::Id Drawing::SubEntityAfter(Id id) const
{
    std::string_view owner = m_file.Type(id);
    if (owner != "POLYLINE" && owner != "INSERT" && owner != "VERTEX" && owner != "ATTRIB")
        return kNoId;
    Id next = m_file.Next(id);
    while (next != kNoId && m_file.IsRemoved(next))
        next = m_file.Next(next);
    return next != kNoId && IsSubEntity(m_file.Type(next)) ? next : kNoId;
}

DrawingGroup Drawing::GroupOf(const DxfTag& tag) const
{
    DrawingGroup group;
    group.code = tag.code;
    std::string_view value = m_file.Value(tag);
    switch (DxfGroupCode::KindOf(tag.code)) {
    case DxfGroupCode::Kind::Real:
        group.value = DxfGroupCode::ParseReal(value).value_or(0.0);
        break;
    case DxfGroupCode::Kind::Integer:
        group.value = DxfGroupCode::ParseInteger(value).value_or(0);
        break;
    case DxfGroupCode::Kind::Text:
        group.value = m_text.Decode(value);
        break;
    }
    return group;
}

std::vector<DrawingGroup> Drawing::Groups(Id id) const
{
    std::vector<DrawingGroup> groups;
    std::span<const DxfTag> tags = m_file.Tags(id);
    groups.reserve(tags.size());
    for (const DxfTag& tag : tags)
        groups.push_back(GroupOf(tag));
    return groups;
}

std::optional<std::wstring> Drawing::Text(Id id, int code) const
{
    for (const DxfTag& tag : m_file.Tags(id))
        if (tag.code == code)
            return m_text.Decode(m_file.Value(tag));
    return std::nullopt;
}

std::optional<std::int64_t> Drawing::Integer(Id id, int code) const
{
    for (const DxfTag& tag : m_file.Tags(id))
        if (tag.code == code)
            return DxfGroupCode::ParseInteger(m_file.Value(tag));
    return std::nullopt;
}

std::optional<double> Drawing::Real(Id id, int code) const
{
    for (const DxfTag& tag : m_file.Tags(id))
        if (tag.code == code)
            return DxfGroupCode::ParseReal(m_file.Value(tag));
    return std::nullopt;
}

std::wstring Drawing::LayerOf(Id id) const
{
    std::optional<std::wstring> layer = Text(id, 8);
    return layer && !layer->empty() ? *layer : L"0";
}

std::optional<std::uint64_t> Drawing::HandleOf(Id id) const
{
    std::string_view type = m_file.Type(id);
    for (const DxfTag& tag : m_file.Tags(id))
        if (tag.code == 5 || (tag.code == 105 && type == "DIMSTYLE"))
            return ParseHandle(m_file.Value(tag));
    return std::nullopt;
}

Drawing::Id Drawing::FindHandle(std::uint64_t handle) const
{
    auto found = m_byHandle.find(handle);
    return found == m_byHandle.end() || m_file.IsRemoved(found->second) ? kNoId : found->second;
}

// --- Saving ---------------------------------------------------------------

void Drawing::Changed()
{
    m_modified = true;
    ++m_revision;
}

std::string Drawing::Contents()
{
    if (m_modified)
        UpdateHeader();
    return m_file.Write();
}

void Drawing::Save(const std::wstring& path, const std::wstring& backup)
{
    std::string bytes = Contents();
    std::wstring full(MAX_PATH * 4, L'\0');
    wchar_t* namePart = nullptr;
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(),
                                    &namePart);
    if (length == 0 || length >= full.size())
        throw DxfWriteError(L"the name \"" + path + L"\" is not a file name");
    full.resize(length);
    std::wstring folder = full.substr(0, full.find_last_of(L"\\/") + 1);

    // GetTempFileNameW makes the file, so the name is ours alone.
    wchar_t temporary[MAX_PATH + 16] = {};
    if (!GetTempFileNameW(folder.c_str(), L"dxf", 0, temporary))
        throw DxfWriteError(L"cannot create a file in " + folder + L": "
                            + SystemMessage(GetLastError()));
    auto fail = [&](const std::wstring& what) {
        DWORD error = GetLastError();
        DeleteFileW(temporary);
        throw DxfWriteError(what + L": " + SystemMessage(error));
    };
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        fail(L"cannot write " + std::wstring(temporary));
    DWORD written = 0;
    bool good = bytes.empty()
                || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr)
                    && written == bytes.size());
    good = good && FlushFileBuffers(file);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!good) {
        SetLastError(error);
        fail(L"cannot write " + std::wstring(temporary));
    }

    bool exists = GetFileAttributesW(full.c_str()) != INVALID_FILE_ATTRIBUTES;
    bool placed = false;
    if (exists && !backup.empty())
        placed = ReplaceFileW(full.c_str(), temporary, backup.c_str(),
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    else
        placed = MoveFileExW(temporary, full.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!placed)
        fail(L"cannot replace " + full);
}
