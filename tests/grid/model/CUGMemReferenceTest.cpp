// The memory data source against a plain model of its storage rules: a long
// seeded sequence of random operations, finds and sorts included, with every
// answer and every stored place (headings included) compared after each step.
#include "CUGMem.h"
#include "RecordingCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct RefCell {
    uint32_t flags = 0;
    std::wstring text;
    long param = 0;
};
using Node = std::optional<RefCell>;  // a node may exist without a cell
using Place = std::pair<int, long>;   // column, row

// Both values are set, then hidden behind the flags, so that a value that
// travels without its bit shows up.
CUGCell ToCell(const RefCell* ref)
{
    CUGCell cell;
    cell.SetText(ref ? ref->text.c_str() : L"");
    cell.SetParam(ref ? ref->param : 0);
    cell.SetPropertyFlags(ref ? ref->flags : 0);
    return cell;
}

std::wstring Text(const CUGCell& cell) { return cell.GetText() ? cell.GetText() : L"(none)"; }
std::wstring Upper(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), ::towupper);
    return text;
}

// The storage rules, kept as arrays: rows are a sequence whose first element
// has index `first`; inserting or deleting a row shifts the rows after it.
// Within a row, cells are a sequence anchored at column 0 (`zero` is its
// position), so an insert or delete left of column 0 shifts the heading cells
// further left, and one at or right of column 0 shifts the cells to the right.
struct ReferenceSheet {
    struct Row {
        std::vector<Node> nodes;
        int zero = 0;
        Node* At(int col) { return size_t(zero + col) < nodes.size() ? &nodes[zero + col] : nullptr; }
    };
    std::vector<Row> rows;
    long first = 0;
    std::vector<int> dataColumns;  // the grid's column table

    Row* FindRow(long row) { return size_t(row - first) < rows.size() ? &rows[row - first] : nullptr; }
    Node* FindNode(int col, long row) { return FindRow(row) ? FindRow(row)->At(col) : nullptr; }
    const RefCell* Get(int col, long row)
    {
        Node* node = FindNode(col, row);
        return node && *node ? &**node : nullptr;
    }
    void Set(int col, long row, const RefCell& cell)
    {
        if (rows.empty()) {
            rows.emplace_back();  // row 0 comes first
            first = 0;
        }
        for (; row < first; --first)
            rows.insert(rows.begin(), Row{});
        while (!FindRow(row))
            rows.emplace_back();
        Row& r = *FindRow(row);
        if (r.nodes.empty()) {
            r.nodes.emplace_back();  // column 0 comes first
            r.zero = 0;
        }
        for (; col < -r.zero; ++r.zero)
            r.nodes.insert(r.nodes.begin(), std::nullopt);
        while (!r.At(col))
            r.nodes.emplace_back();
        *r.At(col) = cell;
    }
    // An empty node before the column (found through the grid column that
    // shows it) in every row that has it.
    int InsertCol(int col)
    {
        auto shown = std::find(dataColumns.begin(), dataColumns.end(), col);
        const int at = shown == dataColumns.end() ? col : int(shown - dataColumns.begin());
        for (Row& r : rows) {
            if (!r.At(at))
                continue;
            r.nodes.insert(r.nodes.begin() + (r.zero + at), std::nullopt);
            r.zero += at < 0;
        }
        for (int& dataColumn : dataColumns)
            dataColumn += !rows.empty() && dataColumn >= at;
        return rows.empty();
    }
    // The column's node is removed, but a row's last node is only emptied.
    int DeleteCol(int col)
    {
        for (Row& r : rows) {
            if (r.At(col) && !r.At(col + 1))
                r.At(col)->reset();
            if (r.At(col) && r.At(col + 1)) {
                r.nodes.erase(r.nodes.begin() + (r.zero + col));
                r.zero -= col < 0;
            }
        }
        for (int& dataColumn : dataColumns)
            dataColumn -= !rows.empty() && dataColumn >= col;
        return rows.empty();
    }
    // Bubble sort of the rows from row 0 on, with the control's comparison.
    void SortBy(CUGCtrl& ctrl, const std::vector<int>& cols, int flags)
    {
        for (bool swapped = FindRow(0); swapped;) {
            swapped = false;
            for (long row = 0; FindRow(row + 1); ++row) {
                for (int col : cols) {
                    const RefCell *upper = Get(col, row), *lower = Get(col, row + 1);
                    CUGCell a = ToCell(upper), b = ToCell(lower);
                    const int order =
                        ctrl.CompareCellsForSort(upper ? &a : nullptr, lower ? &b : nullptr, flags);
                    if (order > 0)
                        std::swap(*FindRow(row), *FindRow(row + 1));
                    swapped = swapped || order > 0;
                    if (order != 0)
                        break;
                }
            }
        }
    }
    // The nearest text left of col, searched from the row's last node when
    // the row ends before col; never col itself, nothing left of column 0.
    int PrevNonBlankCol(int& col, long row)
    {
        Row* r = FindRow(row);
        if (!r || r->nodes.empty())
            return 1;
        const int pos = std::clamp(r->zero + col, 0, int(r->nodes.size()) - 1);
        if (pos != r->zero + col && !r->nodes[pos])
            return 1;
        for (int c = pos - r->zero; c >= 0; --c) {
            const RefCell* cell = Get(c, row);
            if (c != col && cell && (cell->flags & CUGCell::PropText) && !cell->text.empty()) {
                col = c;
                return 0;
            }
        }
        return 1;
    }
    // The first match in search order: down one column the rows after the
    // start, across the columns the cells in reading order after it, both
    // wrapping round to the start, or the same orders reversed. A start
    // before the first place goes backwards from the last.
    std::optional<Place> Find(std::wstring wanted, Place start, int flags, int k, long rows)
    {
        const bool across = flags & CUGMem::FindAcrossColumns, noCase = flags & CUGMem::FindIgnoreCase;
        const long count = across ? rows * k : rows, sign = flags & CUGMem::FindBackward ? -1 : 1;
        long from = across ? start.second * k + start.first : start.second;
        from = sign < 0 ? std::max(from, 0L) : from;
        wanted = noCase ? Upper(wanted) : wanted;
        for (long step = 1; step <= count; ++step) {
            const long at = ((from + sign * step) % count + count) % count;
            const Place place = across ? Place(at % k, at / k) : Place(start.first, at);
            const RefCell* cell = Get(place.first, place.second);
            const std::wstring text = cell && noCase ? Upper(cell->text) : cell ? cell->text : L"";
            if (cell && (cell->flags & CUGCell::PropText)
                && (flags & CUGMem::FindPartial ? text.find(wanted) != text.npos : text == wanted))
                return place;
        }
        return std::nullopt;
    }
    // Every place of a stored row or node, with a margin around them.
    std::vector<Place> Extent() const
    {
        int firstCol = -2, lastCol = 2;
        for (const Row& r : rows) {
            firstCol = std::min(firstCol, -r.zero - 2);
            lastCol = std::max(lastCol, int(r.nodes.size()) - r.zero + 1);
        }
        std::vector<Place> places;
        for (long row = first - 2; row <= first + long(rows.size()) + 1; ++row)
            for (int col = firstCol; col <= lastCol; ++col)
                places.emplace_back(col, row);
        return places;
    }
};

}  // namespace

TEST(CUGMemReference, RandomOperationsAgreeWithTheStorageRules)
{
    enum Op { Set, Delete, InsertRow, DeleteRow, InsertCol, DeleteCol, Sort, PrevNonBlank, Find, Empty };
    const int weights[] = {60, 20, 20, 24, 12, 13, 10, 20, 40, 1};
    const wchar_t* const texts[] = {L"a", L"b", L"c", L"ab", L"", L"B", L"10", L"9", L"zzz"};
    const uint32_t shapes[] = {CUGCell::PropText | CUGCell::PropDataType, CUGCell::PropParam,
                               CUGCell::PropText | CUGCell::PropDataType | CUGCell::PropParam};
    constexpr int K = 8;  // columns
    RecordingCtrl ctrl;
    ctrl.SetColumnCount(K);
    CUGMem& mem = *ctrl.GridInfo->MemDataSource;
    ReferenceSheet ref;
    ref.dataColumns = ctrl.DataColumns();
    std::mt19937 rng(20240611);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    std::discrete_distribution<int> pickOp(std::begin(weights), std::end(weights));
    int found = 0, missed = 0;
    for (int step = 0; step < 10000; ++step) {
        const Op op = static_cast<Op>(pickOp(rng));
        const int col = pick(-3, K);
        const long row = pick(-3, 25);
        SCOPED_TRACE(testing::Message() << "step " << step << ", op " << op << " at " << col << "," << row);
        if (op == Set) {
            const RefCell value{shapes[pick(0, 2)], texts[pick(0, 7)], pick(-100, 100)};
            CUGCell cell = ToCell(&value);
            ASSERT_EQ(mem.SetCell(col, row, &cell), 0);
            ref.Set(col, row, value);
        } else if (op == Delete) {
            Node* node = ref.FindNode(col, row);
            ASSERT_EQ(mem.DeleteCell(col, row), node ? 0 : 1);
            if (node)
                node->reset();
        } else if (op == InsertRow || op == DeleteRow) {
            ASSERT_EQ(op == InsertRow ? mem.InsertRow(row) : mem.DeleteRow(row), 0);
            if (ref.FindRow(row) && op == InsertRow)
                ref.rows.insert(ref.rows.begin() + (row - ref.first), ReferenceSheet::Row{});
            else if (ref.FindRow(row))
                ref.rows.erase(ref.rows.begin() + (row - ref.first));
        } else if (op == InsertCol || op == DeleteCol) {
            ASSERT_EQ(op == InsertCol ? mem.InsertCol(col) : mem.DeleteCol(col),
                      op == InsertCol ? ref.InsertCol(col) : ref.DeleteCol(col));
            ASSERT_EQ(ctrl.DataColumns(), ref.dataColumns);
        } else if (op == Sort) {
            std::vector<int> cols(pick(1, 3));
            for (int& c : cols)
                c = pick(-1, 4);
            const int flags = pick(0, 1) * 2;
            ASSERT_EQ(mem.SortBy(cols.data(), int(cols.size()), flags), 0);
            ref.SortBy(ctrl, cols, flags);
        } else if (op == PrevNonBlank) {
            int memCol = col, refCol = col;
            ASSERT_EQ(mem.GetPrevNonBlankCol(&memCol, row), ref.PrevNonBlankCol(refCol, row));
            ASSERT_EQ(memCol, refCol);
        } else if (op == Find) {
            // From a cell (or above the first row, down a column), or through
            // FindFirst, which starts before the first cell or above the first row.
            const int flags = pick(0, 15);
            const bool across = flags & CUGMem::FindAcrossColumns, first = pick(0, 4) == 0;
            const long rows = ctrl.GridInfo->RowCount = pick(1, 26), top = across ? 0 : -1;
            const Place start{first && across ? -1 : pick(0, K - 1), first ? top : pick(top, rows - 1)};
            const std::wstring search = texts[pick(0, 8)];
            const std::optional<Place> expected = ref.Find(search, start, flags, K, rows);
            CString text(search);
            Place at{first && across ? pick(-3, 9) : start.first, first ? pick(-3, 9) : start.second};
            ASSERT_EQ(first ? mem.FindFirst(&text, &at.first, &at.second, flags)
                            : mem.FindNext(&text, &at.first, &at.second, flags),
                      expected ? 0 : 1)
                << "flags " << flags;
            ASSERT_EQ(at, expected.value_or(start)) << "flags " << flags;
            ASSERT_EQ(text.str(), flags & CUGMem::FindIgnoreCase ? Upper(search) : search);
            if (first)  // a caller without a place for either answer is refused
                ASSERT_EQ(std::tuple(mem.FindFirst(&text, nullptr, &at.second, flags),
                                     mem.FindFirst(&text, &at.first, nullptr, flags), at),
                          std::tuple(1, 1, expected.value_or(start)));
            ++(expected ? found : missed);
        } else {
            ASSERT_EQ(mem.Empty(), -1);
            ref.rows.clear();
        }

        // Each place is read into a cell holding a label, which a stored cell is
        // laid over; the random order leaves the cursors anywhere for the next step.
        std::vector<Place> places = ref.Extent();
        std::shuffle(places.begin(), places.end(), rng);
        for (const auto& [c, r] : places) {
            CUGCell cell;
            cell.SetLabel(L"under");
            const RefCell* want = ref.Get(c, r);
            const CUGCell expected = ToCell(want);
            ASSERT_EQ(mem.GetCell(c, r, &cell), want ? 0 : 1) << "at " << c << ", " << r;
            ASSERT_EQ(cell.GetPropertyFlags(), expected.GetPropertyFlags() | CUGCell::PropLabel);
            ASSERT_STREQ(cell.GetLabel(), L"under");
            ASSERT_EQ(Text(cell), Text(expected)) << "at " << c << ", " << r;
            ASSERT_EQ(cell.GetParam(), expected.GetParam()) << "at " << c << ", " << r;
        }
        if (step % 500 == 499) {
            // An identity column table again, so that inserts keep finding columns.
            ctrl.SetColumnCount(0);
            ctrl.SetColumnCount(K);
            ref.dataColumns = ctrl.DataColumns();
        }
    }
    EXPECT_GT(std::min(found, missed), 300) << "both outcomes of a search, many times";
}

// The default comparison takes the type of the first cell, so a check box
// and a text each sort after the other; sorting such a column still ends,
// with both cells kept.
TEST(CUGMemSort, ACheckBoxAndATextInOneColumnStillSort)
{
    RecordingCtrl ctrl;
    CUGMem& mem = *ctrl.GridInfo->MemDataSource;
    CUGCell box, text;
    box.SetBool(1);
    text.SetText(L"a");
    mem.SetCell(0, 0, &box);
    mem.SetCell(0, 1, &text);
    EXPECT_EQ(mem.SortByColumn(0, 0), 0);
    std::vector<std::wstring> column;
    for (long row : {0L, 1L}) {
        CUGCell cell;
        mem.GetCell(0, row, &cell);
        column.push_back(cell.GetText());
    }
    std::sort(column.begin(), column.end());
    EXPECT_EQ(column, (std::vector<std::wstring>{L"1", L"a"}));
}
