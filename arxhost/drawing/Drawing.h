#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "DrawingGroup.h"
#include "DxfFile.h"
#include "DxfText.h"

// The drawing the host holds: a DXF file kept whole (DxfFile) and, as views
// onto its records, the header variables, the layers, the blocks and the
// entities of model space. Edits change, add or remove single records, so a
// save writes back everything else as it was read, also what the host does
// not understand (hatches, dimensions, objects, extension data).
//
// Entities are known by their record number in the file ("entity id"); ids
// stay valid for the drawing's life, also after the entity is deleted.
//
// Sections of the implementation:
//   Drawing.cpp       opening, the index of sections/tables/blocks/entities,
//                     header variables, saving
//   DrawingEdits.cpp  new entities and layers, changed and deleted entities
//   DrawingWalk.cpp   the order in which LISP walks entities and table entries,
//                     undeleting
//   DrawingObjects.cpp  the OBJECTS section: the root dictionary, dictionaries
//                     and the objects kept in them
class Drawing {
public:
    using Id = std::uint32_t;
    static constexpr Id kNoId = DxfFile::kNone;

    struct Layer {
        std::wstring name;
        int colour = 7;          // ACI; negative: the layer is off
        long trueColour = -1;    // 0xRRGGBB, or -1
        bool frozen = false;
        Id record = kNoId;
        bool Visible() const { return colour >= 0 && !frozen; }
    };
    struct Block {
        std::wstring name;
        double baseX = 0, baseY = 0;
        std::vector<Id> entities;
        Id record = kNoId;   // the BLOCK record
    };

    // An empty drawing (AutoCAD R12 form: a layer "0" and nothing else).
    Drawing();
    // Reads a DXF file's bytes; throws DxfReadError.
    static std::unique_ptr<Drawing> FromBytes(std::string bytes);
    // Reads a DXF file; throws DxfReadError (line 0 when it cannot be opened).
    static std::unique_ptr<Drawing> Open(const std::wstring& path);

    // The file as it would be saved now. Unchanged, it is the file read, byte
    // for byte; changed, the extents and the handle seed are brought up to date.
    std::string Contents();
    // Writes the drawing to `path` through a new file in the same folder that
    // replaces `path` only once it is complete; `backup` keeps the previous
    // file under that name. Throws DxfWriteError; `path` is then as it was.
    void Save(const std::wstring& path, const std::wstring& backup = {});

    bool Modified() const { return m_modified; }
    // Counts every change, so that a view can tell that it is out of date.
    unsigned Revision() const { return m_revision; }

    // --- Header -----------------------------------------------------------
    std::wstring Version() const;   // $ACADVER, "AC1009" (R12) ... "AC1032"
    bool HasHandles() const { return m_handles; }
    std::optional<std::wstring> HeaderText(std::string_view name) const;
    std::optional<double> HeaderReal(std::string_view name, int code) const;

    // --- Tables and blocks ------------------------------------------------
    const std::vector<Layer>& Layers() const { return m_layers; }
    const Layer* FindLayer(std::wstring_view name) const;   // case does not matter
    const Block* FindBlock(std::wstring_view name) const;
    // The entries of a symbol table (LAYER, STYLE, BLOCK_RECORD, ...), in file order.
    std::vector<Id> TableEntries(std::string_view table) const;
    // The blocks in file order (BLOCK records).
    const std::vector<Block>& Blocks() const { return m_blocks; }

    // --- Entities ---------------------------------------------------------
    // Model space's entities in file order, deleted ones left out. Vertices,
    // attributes and sequence ends are not listed: they follow their owner.
    std::vector<Id> ModelSpace() const;
    bool IsDeleted(Id id) const { return m_file.IsRemoved(id); }
    std::string_view Type(Id id) const { return m_file.Type(id); }
    std::wstring TypeName(Id id) const { return m_text.Decode(m_file.Type(id)); }
    // The record after `id` that belongs to it (VERTEX, ATTRIB, SEQEND), or kNoId.
    Id SubEntityAfter(Id id) const;
    // The entity's groups, values typed by their codes, group 0 first.
    std::vector<DrawingGroup> Groups(Id id) const;
    // The first group `code` of the entity, as text, integer or real.
    std::optional<std::wstring> Text(Id id, int code) const;
    std::optional<std::int64_t> Integer(Id id, int code) const;
    std::optional<double> Real(Id id, int code) const;
    // The layer, "0" when the entity names none.
    std::wstring LayerOf(Id id) const;
    std::optional<std::uint64_t> HandleOf(Id id) const;
    Id FindHandle(std::uint64_t handle) const;

    // --- Edits ------------------------------------------------------------
    // A new model space entity from its groups (group 0 first); the handle,
    // owner and subclass marks are added as the file's version wants them, an
    // unknown layer is created. Answers the new entity's id.
    Id AddEntity(const std::vector<DrawingGroup>& groups);
    // New groups for an entity (group 0 and the handle stay).
    void ModifyEntity(Id id, const std::vector<DrawingGroup>& groups);
    // Deletes the entity with its vertices, attributes and sequence end.
    void DeleteEntity(Id id);
    // A new layer with colour `colour` (ACI), unless it exists; its record.
    Id AddLayer(const std::wstring& name, int colour = 7);
    // A handle never used in the file; $HANDSEED moves past it.
    std::uint64_t NewHandle();
    // $EXTMIN and $EXTMAX, as the picture of the drawing measures them; saved
    // with the next change.
    void SetExtents(double minX, double minY, double maxX, double maxY);

    // --- Walking the database --------------------------------------------
    // Every entity of the ENTITIES section in file order, vertices, attributes
    // and sequence ends included, deleted ones left out: FirstEntity and then
    // EntityAfter until kNoId.
    Id FirstEntity() const;
    Id EntityAfter(Id id) const;
    // The last entity that is no vertex, attribute or sequence end, or kNoId.
    Id LastEntity() const;
    // The ENTITIES section's own entities (model and paper space), deleted
    // ones left out.
    std::vector<Id> Entities() const;
    // True for a record that an entity name may stand for: an entity, a table
    // entry or an object, deleted or not; false for section and table marks.
    bool IsNamed(Id id) const;
    bool IsSubEntityRecord(Id id) const;   // a vertex, attribute or sequence end
    // The table entry `name` of `table` (LAYER, STYLE, ...), case ignored.
    Id FindTableEntry(std::string_view table, std::wstring_view name) const;
    // Brings a deleted entity back with its vertices, attributes and sequence end.
    void RestoreEntity(Id id);

    // --- Objects ----------------------------------------------------------
    // The root dictionary of the OBJECTS section, made with the section when
    // the file has none. Files before R13 keep no objects: kNoId.
    Id NamedObjects();
    // A dictionary's entries: key and object (kNoId for a handle not found).
    std::vector<std::pair<std::wstring, Id>> DictionaryEntries(Id dictionary) const;
    // A new object (XRECORD, DICTIONARY) from its groups, owned by nobody
    // until a dictionary takes it; kNoId when the file keeps no objects.
    Id AddObject(const std::vector<DrawingGroup>& groups);
    // Enters `object` under `key` (a key not yet there, case ignored) and
    // makes the dictionary its owner; false when the key is taken.
    bool AddToDictionary(Id dictionary, const std::wstring& key, Id object);
    // Takes the entry `key` out of the dictionary; the object stays in the
    // drawing. Answers the object, or kNoId when there was no such key.
    Id RemoveFromDictionary(Id dictionary, std::wstring_view key);
    // The handle as the file writes it ("2F"), or empty when it has none.
    std::wstring HandleText(Id id) const;

    const DxfFile& File() const { return m_file; }
    const DxfText& Codec() const { return m_text; }

private:
    explicit Drawing(DxfFile file);

    void Index();
    std::string_view RawHeader(std::string_view name) const;
    void IndexTableEntry(Id record, std::string_view table);
    void Changed();
    void UpdateHeader();
    void SetHeaderValues(std::string_view name, const std::vector<DrawingGroup>& values);
    std::vector<DxfTag> TagsFor(const std::vector<DrawingGroup>& groups);
    DxfTag TagFor(const DrawingGroup& group);
    DrawingGroup GroupOf(const DxfTag& tag) const;
    Id& SectionTail(std::string_view name);
    std::wstring OwnerHandleOfModelSpace() const;
    void RefreshLayer(Id record);

    DxfFile m_file;
    DxfText m_text;
    bool m_handles = false;
    bool m_modified = false;
    unsigned m_revision = 0;
    std::uint64_t m_handleSeed = 1;
    bool m_handleSeedMoved = false;
    std::optional<std::vector<DrawingGroup>> m_extMin, m_extMax;

    Id m_header = kNoId;   // the HEADER section's record (it holds every variable)
    std::map<std::string, Id, std::less<>> m_sectionTails;   // name -> its last record
    std::map<std::string, Id, std::less<>> m_sectionHeads;   // name -> its SECTION record
    std::map<std::string, Id, std::less<>> m_tableHeads;    // table name -> TABLE record
    std::map<std::string, Id, std::less<>> m_tableTails;    // table name -> its last record
    std::vector<Layer> m_layers;
    std::vector<Block> m_blocks;
    std::vector<Id> m_entities;   // the ENTITIES section's own entities
    std::unordered_map<std::uint64_t, Id> m_byHandle;
    Id m_modelSpaceRecord = kNoId;   // the BLOCK_RECORD of *Model_Space
};
