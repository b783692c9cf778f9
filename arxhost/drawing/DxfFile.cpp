// DxfFile: reading (Tokenize -> SplitRecords -> CheckValues -> CheckStructure),
// writing (each record's own bytes, or its tags written anew), and the edits
// that the drawing makes through MakeTag, InsertAfter, Replace and Remove.
#include "DxfFile.h"

#include <algorithm>
#include <cstring>

#include "DxfGroupCode.h"
#include "DxfReadError.h"

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

std::wstring Widen(std::string_view text, size_t limit = 40)
{
    std::wstring wide;
    for (char ch : text.substr(0, limit)) {
        unsigned char byte = static_cast<unsigned char>(ch);
        wide += byte >= 0x20 && byte < 0x7F ? static_cast<wchar_t>(byte) : L'?';
    }
    if (text.size() > limit)
        wide += L"...";
    return wide;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

DxfFile::DxfFile()
{
    m_text = "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n";
    m_sourceSize = static_cast<std::uint32_t>(m_text.size());
    long long lines = 0;
    Tokenize(lines);
    SplitRecords();
}

DxfFile DxfFile::Read(std::string bytes)
{
    if (bytes.size() >= 0xFFFFFFF0u)
        throw DxfReadError(0, L"the file is larger than 4 GB");
    if (bytes.compare(0, kBinarySentinel.size(), kBinarySentinel) == 0)
        throw DxfReadError(1, L"a binary DXF file; save the drawing as an ASCII DXF");
    DxfFile file;
    file.m_text = std::move(bytes);
    file.m_sourceSize = static_cast<std::uint32_t>(file.m_text.size());
    file.m_tags.clear();
    file.m_records.clear();
    long long lines = 0;
    file.Tokenize(lines);
    file.SplitRecords();
    file.CheckValues();
    file.CheckStructure();
    return file;
}

// Splits the text into code and value lines. The tag count is known before
// the vector grows: half the line count, never more than the file can hold.
void DxfFile::Tokenize(long long& lines)
{
    const char* text = m_text.data();
    const std::uint32_t size = m_sourceSize;
    std::uint32_t pos = 0;
    if (size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0)
        pos = 3;   // a UTF-8 byte order mark stays in record 0's bytes

    size_t newlines = static_cast<size_t>(std::count(text + pos, text + size, '\n'));
    m_tags.reserve(newlines / 2 + 1);
    const char* firstEnd = static_cast<const char*>(std::memchr(text + pos, '\n', size - pos));
    m_lineEnd = firstEnd && firstEnd > text + pos && firstEnd[-1] == '\r' ? "\r\n" : "\n";

    auto readLine = [&](std::uint32_t& start, std::uint32_t& length) {
        start = pos;
        const char* end = static_cast<const char*>(std::memchr(text + pos, '\n', size - pos));
        std::uint32_t stop = end ? static_cast<std::uint32_t>(end - text) : size;
        length = stop - start;
        if (length > 0 && text[stop - 1] == '\r')
            --length;
        pos = end ? stop + 1 : size;
        ++lines;
    };

    while (pos < size) {
        std::uint32_t codeStart = 0, codeLength = 0;
        readLine(codeStart, codeLength);
        std::string_view codeText = TrimBlanks(std::string_view(text + codeStart, codeLength));
        if (codeText.empty() && pos >= size)
            break;   // a last line that is empty or blank ends the file
        int code = 0;
        bool digits = !codeText.empty() && codeText.size() <= 5;
        size_t i = codeText.size() > 1 && codeText[0] == '-' ? 1 : 0;
        for (; digits && i < codeText.size(); ++i) {
            digits = codeText[i] >= '0' && codeText[i] <= '9';
            code = code * 10 + (codeText[i] - '0');
        }
        if (!digits)
            throw DxfReadError(lines, L"a group code was expected, found \"" + Widen(codeText)
                                          + L"\"");
        if (codeText[0] == '-')
            code = -code;
        if (pos >= size)
            throw DxfReadError(lines, L"the file ends after group code "
                                              + std::to_wstring(code) + L" without its value");
        DxfTag tag;
        tag.code = code;
        tag.line = codeStart;
        readLine(tag.value, tag.length);
        m_tags.push_back(tag);
        // Whatever follows the end mark (a DOS end-of-file byte, a signature)
        // is no tag; it stays in the last record's bytes.
        if (code == 0 && Value(tag) == "EOF")
            break;
    }
}

void DxfFile::SplitRecords()
{
    size_t zeros = static_cast<size_t>(
        std::count_if(m_tags.begin(), m_tags.end(), [](const DxfTag& t) { return t.code == 0; }));
    m_records.reserve(zeros + 1);
    Record prologue;
    m_records.push_back(prologue);
    for (std::uint32_t i = 0; i < m_tags.size(); ++i) {
        if (m_tags[i].code == 0) {
            Record record;
            record.firstTag = i;
            record.begin = m_tags[i].line;
            m_records.back().end = record.begin;
            m_records.back().next = static_cast<std::uint32_t>(m_records.size());
            m_records.push_back(record);
        }
        ++m_records.back().tagCount;
    }
    m_records.back().end = m_sourceSize;
}

void DxfFile::CheckValues() const
{
    for (const DxfTag& tag : m_tags) {
        DxfGroupCode::Kind kind = DxfGroupCode::KindOf(tag.code);
        if (kind == DxfGroupCode::Kind::Text)
            continue;
        std::string_view value = Value(tag);
        bool good = kind == DxfGroupCode::Kind::Real
                        ? DxfGroupCode::ParseReal(value).has_value()
                        : DxfGroupCode::ParseInteger(value).has_value();
        if (!good)
            throw DxfReadError(LineAt(tag.value), L"group code " + std::to_wstring(tag.code)
                                                      + L" needs a number, found \""
                                                      + Widen(value) + L"\"");
    }
}

// Sections hold everything; tables are closed inside TABLES, blocks inside
// BLOCKS; the file ends with EOF. What a section holds is not looked at.
void DxfFile::CheckStructure() const
{
    enum class Where { Top, Section, Table, Block };
    Where where = Where::Top;
    std::string_view section;
    auto fail = [this](std::uint32_t record, const std::wstring& message) {
        throw DxfReadError(LineOf(record), message);
    };
    for (const DxfTag& tag : Tags(0))
        if (tag.code != 999)
            throw DxfReadError(LineAt(tag.line), L"the file does not begin with a section");
    if (m_records.size() < 2)
        throw DxfReadError(1, L"the file holds no DXF groups");

    for (std::uint32_t r = 1; r < m_records.size(); ++r) {
        std::string_view type = Type(r);
        switch (where) {
        case Where::Top:
            if (type == "EOF")
                return;   // whatever follows the end marker is kept as it is
            if (type != "SECTION")
                fail(r, L"SECTION expected, found \"" + Widen(type) + L"\"");
            if (m_records[r].tagCount < 2 || Tags(r)[1].code != 2)
                fail(r, L"a SECTION without its name");
            section = Value(Tags(r)[1]);
            where = Where::Section;
            break;
        case Where::Section:
            if (type == "ENDSEC")
                where = Where::Top;
            else if (type == "SECTION" || type == "EOF")
                fail(r, L"the section " + Widen(section) + L" is not closed (ENDSEC)");
            else if (section == "TABLES" && type == "TABLE")
                where = Where::Table;
            else if (section == "BLOCKS" && type == "BLOCK")
                where = Where::Block;
            else if ((section == "TABLES" && type == "ENDTAB")
                     || (section == "BLOCKS" && type == "ENDBLK"))
                fail(r, Widen(type) + L" without its beginning");
            break;
        case Where::Table:
            if (type == "ENDTAB")
                where = Where::Section;
            else if (type == "TABLE" || type == "ENDSEC" || type == "SECTION" || type == "EOF")
                fail(r, L"a table is not closed (ENDTAB)");
            break;
        case Where::Block:
            if (type == "ENDBLK")
                where = Where::Section;
            else if (type == "BLOCK" || type == "ENDSEC" || type == "SECTION" || type == "EOF")
                fail(r, L"a block is not closed (ENDBLK)");
            break;
        }
    }
    throw DxfReadError(LineAt(m_sourceSize), L"the file ends before its end mark (EOF)");
}

long long DxfFile::LineAt(std::uint32_t offset) const
{
    offset = std::min(offset, m_sourceSize);
    return 1 + std::count(m_text.data(), m_text.data() + offset, '\n');
}

long long DxfFile::LineOf(std::uint32_t record) const
{
    const Record& r = m_records[record];
    if (r.tagCount == 0 || m_tags[r.firstTag].line == DxfTag::kMadeHere)
        return 0;
    return LineAt(m_tags[r.firstTag].line);
}

std::span<const DxfTag> DxfFile::Tags(std::uint32_t record) const
{
    const Record& r = m_records[record];
    return std::span<const DxfTag>(m_tags.data() + r.firstTag, r.tagCount);
}

std::string_view DxfFile::Type(std::uint32_t record) const
{
    const Record& r = m_records[record];
    if (r.tagCount == 0 || m_tags[r.firstTag].code != 0)
        return {};
    return Value(m_tags[r.firstTag]);
}

std::string_view DxfFile::Find(std::uint32_t record, int code, std::string_view fallback) const
{
    for (const DxfTag& tag : Tags(record))
        if (tag.code == code)
            return Value(tag);
    return fallback;
}

DxfTag DxfFile::MakeTag(int code, std::string_view value)
{
    DxfTag tag;
    tag.code = code;
    tag.value = static_cast<std::uint32_t>(m_text.size());
    tag.length = static_cast<std::uint32_t>(value.size());
    m_text.append(value);
    return tag;
}

std::uint32_t DxfFile::InsertAfter(std::uint32_t after, std::span<const DxfTag> tags)
{
    Record record;
    record.firstTag = static_cast<std::uint32_t>(m_tags.size());
    record.tagCount = static_cast<std::uint32_t>(tags.size());
    record.edited = true;
    record.next = m_records[after].next;
    m_tags.insert(m_tags.end(), tags.begin(), tags.end());
    auto number = static_cast<std::uint32_t>(m_records.size());
    m_records.push_back(record);
    m_records[after].next = number;
    return number;
}

void DxfFile::Replace(std::uint32_t record, std::span<const DxfTag> tags)
{
    // The new tags go to the end: the old ones may be among them.
    std::vector<DxfTag> copy(tags.begin(), tags.end());
    Record& r = m_records[record];
    r.firstTag = static_cast<std::uint32_t>(m_tags.size());
    r.tagCount = static_cast<std::uint32_t>(copy.size());
    r.edited = true;
    m_tags.insert(m_tags.end(), copy.begin(), copy.end());
}

void DxfFile::Remove(std::uint32_t record)
{
    m_records[record].removed = true;
}

void DxfFile::Restore(std::uint32_t record)
{
    m_records[record].removed = false;
}

void DxfFile::WriteTag(std::string& out, const DxfTag& tag) const
{
    if (tag.line != DxfTag::kMadeHere) {
        out.append(m_text, tag.line, tag.value + tag.length - tag.line);
    } else {
        out += DxfGroupCode::FormatCode(tag.code);
        out += m_lineEnd;
        out.append(m_text, tag.value, tag.length);
    }
    out += m_lineEnd;
}

std::string DxfFile::Write() const
{
    std::string out;
    out.reserve(m_sourceSize + (m_text.size() - m_sourceSize) * 2 + 64);
    for (std::uint32_t r = First(); r != kNone; r = m_records[r].next) {
        const Record& record = m_records[r];
        if (record.removed)
            continue;
        if (!record.edited) {
            out.append(m_text, record.begin, record.end - record.begin);
            continue;
        }
        for (const DxfTag& tag : Tags(r))
            WriteTag(out, tag);
    }
    return out;
}
