#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DxfTag.h"

// A DXF file as the list of its tags, in records: a record is a run of tags
// that begins with group code 0 (a section mark, a table entry, a block, an
// entity, an object, ...). The comments before the first 0 form record 0.
//
// Nothing is interpreted here beyond what proves the file well formed: every
// value of a numeric group is a number and the sections, tables and blocks
// are closed. Writing gives back the file's own bytes for every record that
// was not edited, so a drawing opened and saved unchanged is the same file.
//
// Records are kept in file order through a `Next` chain, so that records can
// be inserted anywhere without moving the others; a removed record stays in
// the store, out of the chain.
class DxfFile {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // Reads the bytes of a DXF file; throws DxfReadError with the line at
    // which the file stopped making sense.
    static DxfFile Read(std::string bytes);
    // An empty drawing: only the sections' marks and the end marker.
    DxfFile();

    // The whole file as it would be saved.
    std::string Write() const;

    std::uint32_t First() const { return 0; }
    std::uint32_t Next(std::uint32_t record) const { return m_records[record].next; }
    std::uint32_t RecordCount() const { return static_cast<std::uint32_t>(m_records.size()); }
    bool IsRemoved(std::uint32_t record) const { return m_records[record].removed; }
    bool IsEdited(std::uint32_t record) const { return m_records[record].edited; }

    std::span<const DxfTag> Tags(std::uint32_t record) const;
    std::string_view Value(const DxfTag& tag) const
    {
        return std::string_view(m_text).substr(tag.value, tag.length);
    }
    // The record's type: the value of its group 0 ("LINE", "SECTION", ...).
    std::string_view Type(std::uint32_t record) const;
    // The first value of `code` in the record, or `fallback`.
    std::string_view Find(std::uint32_t record, int code, std::string_view fallback = {}) const;
    // The 1-based line of the record's first tag in the file read (0 for new).
    long long LineOf(std::uint32_t record) const;

    // A new tag whose value is kept in the file's text; it belongs to no record
    // until it is part of an Insert or Replace.
    DxfTag MakeTag(int code, std::string_view value);
    // A new record right after `after`, answering its number.
    std::uint32_t InsertAfter(std::uint32_t after, std::span<const DxfTag> tags);
    // New tags for a record (tags of this file, read or made).
    void Replace(std::uint32_t record, std::span<const DxfTag> tags);
    void Remove(std::uint32_t record);
    // Puts a removed record back where it was.
    void Restore(std::uint32_t record);

    // Line end of the file ("\r\n" or "\n"), used for whatever is written anew.
    const std::string& LineEnd() const { return m_lineEnd; }

private:
    struct Record {
        std::uint32_t firstTag = 0;
        std::uint32_t tagCount = 0;
        std::uint32_t begin = 0;   // the record's bytes in the file read,
        std::uint32_t end = 0;     // valid while it is not edited
        std::uint32_t next = kNone;
        bool edited = false;
        bool removed = false;
    };

    void Tokenize(long long& lines);
    void SplitRecords();
    void CheckValues() const;
    void CheckStructure() const;
    long long LineAt(std::uint32_t offset) const;
    void WriteTag(std::string& out, const DxfTag& tag) const;

    std::string m_text;            // the file read, then the values made here
    std::uint32_t m_sourceSize = 0;
    std::string m_lineEnd = "\n";
    std::vector<DxfTag> m_tags;
    std::vector<Record> m_records;
};
