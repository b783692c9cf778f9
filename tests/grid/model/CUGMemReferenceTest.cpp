// The memory data source against a plain model of the same storage rules:
// a long seeded sequence of random operations applied to both, with every
// result and the cells around each touched place (headings included) compared
// after every step.
#include "CUGMem.h"
#include "RecordingCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct RefCell {
    uint32_t flags = 0;
    std::wstring text;
    long param = 0;
    COLORREF back = 0;
};

CUGCell ToCell(const RefCell& ref)
{
    CUGCell cell;
    if (ref.flags & CUGCell::PropText)
        cell.SetText(ref.text.c_str());
    if (ref.flags & CUGCell::PropParam)
        cell.SetParam(ref.param);
    if (ref.flags & CUGCell::PropBackColor)
        cell.SetBackColor(ref.back);
    cell.SetPropertyFlags(ref.flags);
    return cell;
}

// The storage rules, kept as arrays: rows are a sequence whose first element
// has index `first`; inserting or deleting a row shifts the rows after it.
// Within a row, cells are a sequence anchored at column 0 (`zero` is its
// position), so an insert or delete left of column 0 shifts the heading cells
// further left, and one at or right of column 0 shifts the cells to the right.
// A node may exist without a cell (nullopt).
class ReferenceSheet {
public:
    struct Row {
        std::vector<std::optional<RefCell>> nodes;
        int zero = 0;
    };

    explicit ReferenceSheet(int columnCount)
    {
        for (int col = 0; col < columnCount; ++col)
            dataColumns.push_back(col);
    }

    Row* FindRow(long row)
    {
        const long pos = row - first;
        if (pos < 0 || pos >= static_cast<long>(rows.size()))
            return nullptr;
        return &rows[static_cast<size_t>(pos)];
    }

    static std::optional<RefCell>* FindNode(Row& row, int col)
    {
        const int pos = row.zero + col;
        if (row.nodes.empty() || pos < 0 || pos >= static_cast<int>(row.nodes.size()))
            return nullptr;
        return &row.nodes[static_cast<size_t>(pos)];
    }

    const RefCell* Get(long row, int col)
    {
        Row* r = FindRow(row);
        std::optional<RefCell>* node = r ? FindNode(*r, col) : nullptr;
        return node && *node ? &**node : nullptr;
    }

    void Set(int col, long row, const RefCell& cell)
    {
        if (rows.empty()) {
            first = 0;
            rows.emplace_back();
        }
        while (row < first) {
            rows.insert(rows.begin(), Row{});
            --first;
        }
        while (row >= first + static_cast<long>(rows.size()))
            rows.emplace_back();
        Row& r = *FindRow(row);
        if (r.nodes.empty()) {
            r.nodes.emplace_back();
            r.zero = 0;
        }
        while (col < -r.zero) {
            r.nodes.insert(r.nodes.begin(), std::nullopt);
            ++r.zero;
        }
        while (col >= static_cast<int>(r.nodes.size()) - r.zero)
            r.nodes.emplace_back();
        *FindNode(r, col) = cell;
    }

    int DeleteCell(int col, long row)
    {
        Row* r = FindRow(row);
        std::optional<RefCell>* node = r ? FindNode(*r, col) : nullptr;
        if (!node)
            return 1;
        node->reset();
        return 0;
    }

    int InsertRow(long row)
    {
        if (FindRow(row))
            rows.insert(rows.begin() + (row - first), Row{});
        return 0;
    }

    int DeleteRow(long row)
    {
        if (FindRow(row))
            rows.erase(rows.begin() + (row - first));
        if (rows.empty())
            first = 0;
        return 0;
    }

    int InsertCol(int col)
    {
        if (rows.empty())
            return 1;
        int position = col;
        auto found = std::find(dataColumns.begin(), dataColumns.end(), col);
        if (found != dataColumns.end())
            position = static_cast<int>(found - dataColumns.begin());
        for (Row& r : rows) {
            if (!FindNode(r, position))
                continue;
            r.nodes.insert(r.nodes.begin() + (r.zero + position), std::nullopt);
            if (position < 0)
                ++r.zero;
        }
        for (int& dataColumn : dataColumns)
            if (dataColumn >= position)
                ++dataColumn;
        return 0;
    }

    int DeleteCol(int col)
    {
        if (rows.empty())
            return 1;
        for (Row& r : rows) {
            std::optional<RefCell>* node = FindNode(r, col);
            if (!node)
                continue;
            const int pos = r.zero + col;
            if (pos + 1 < static_cast<int>(r.nodes.size())) {
                r.nodes.erase(r.nodes.begin() + pos);
                if (col < 0)
                    --r.zero;
            } else {
                node->reset();
            }
        }
        for (int& dataColumn : dataColumns)
            if (dataColumn >= col)
                --dataColumn;
        return 0;
    }

    // Bubble sort of the rows from row 0 on, with the control's comparison.
    int SortBy(CUGCtrl& ctrl, const std::vector<int>& cols, int flags)
    {
        if (!FindRow(0))
            return 0;
        const size_t start = static_cast<size_t>(-first);
        bool swapped = true;
        while (swapped) {
            swapped = false;
            for (size_t i = start; i + 1 < rows.size(); ++i) {
                for (int col : cols) {
                    const int result = Compare(ctrl, rows[i], rows[i + 1], col, flags);
                    if (result == 0)
                        continue;
                    if (result > 0) {
                        std::swap(rows[i], rows[i + 1]);
                        swapped = true;
                    }
                    break;
                }
            }
        }
        return 0;
    }

    void Empty()
    {
        rows.clear();
        first = 0;
    }

    // Index range covered by any stored row or node, with a margin.
    void Extent(long& firstRow, long& lastRow, int& firstCol, int& lastCol) const
    {
        firstRow = first - 2;
        lastRow = first + static_cast<long>(rows.size()) + 1;
        firstCol = -2;
        lastCol = 2;
        for (const Row& r : rows) {
            firstCol = std::min(firstCol, -r.zero - 2);
            lastCol = std::max(lastCol, static_cast<int>(r.nodes.size()) - r.zero + 1);
        }
    }

    std::vector<int> dataColumns;

private:
    static int Compare(CUGCtrl& ctrl, Row& a, Row& b, int col, int flags)
    {
        std::optional<RefCell>* nodeA = FindNode(a, col);
        std::optional<RefCell>* nodeB = FindNode(b, col);
        std::optional<CUGCell> cellA, cellB;
        if (nodeA && *nodeA)
            cellA = ToCell(**nodeA);
        if (nodeB && *nodeB)
            cellB = ToCell(**nodeB);
        return ctrl.CompareCellsForSort(cellA ? &*cellA : nullptr, cellB ? &*cellB : nullptr,
                                        flags);
    }

    std::vector<Row> rows;
    long first = 0;
};

// A fresh cell read from the memory source against the reference's cell.
::testing::AssertionResult SameCell(CUGMem& mem, ReferenceSheet& ref, int col, long row)
{
    CUGCell cell;
    const int result = mem.GetCell(col, row, &cell);
    const RefCell* expected = ref.Get(row, col);
    auto where = [&] {
        std::ostringstream out;
        out << "cell (" << col << ", " << row << ")";
        return out.str();
    };
    if ((result == 0) != (expected != nullptr))
        return ::testing::AssertionFailure()
               << where() << ": GetCell answered " << result << ", reference "
               << (expected ? "has a cell" : "has none");
    if (!expected)
        return ::testing::AssertionSuccess();
    if (cell.GetPropertyFlags() != expected->flags)
        return ::testing::AssertionFailure() << where() << ": property set "
                                             << cell.GetPropertyFlags() << " instead of "
                                             << expected->flags;
    if ((expected->flags & CUGCell::PropText) && expected->text != cell.GetText())
        return ::testing::AssertionFailure() << where() << ": text differs";
    if ((expected->flags & CUGCell::PropParam) && expected->param != cell.GetParam())
        return ::testing::AssertionFailure() << where() << ": param differs";
    if ((expected->flags & CUGCell::PropBackColor) && expected->back != cell.GetBackColor())
        return ::testing::AssertionFailure() << where() << ": back colour differs";
    return ::testing::AssertionSuccess();
}

class RandomSequence {
public:
    explicit RandomSequence(uint32_t seed) : m_random(seed) {}

    int Between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }

    RefCell Cell()
    {
        static const wchar_t* const texts[] = {L"a", L"b", L"c", L"ab", L"", L"B", L"10", L"9"};
        RefCell cell;
        switch (Between(0, 3)) {
        case 0:
            cell.flags = CUGCell::PropText | CUGCell::PropDataType;
            break;
        case 1:
            cell.flags = CUGCell::PropText | CUGCell::PropDataType | CUGCell::PropParam;
            break;
        case 2:
            cell.flags = CUGCell::PropBackColor;
            break;
        default:
            cell.flags = CUGCell::PropParam | CUGCell::PropBackColor;
            break;
        }
        cell.text = texts[Between(0, 7)];
        cell.param = Between(-100, 100);
        cell.back = RGB(Between(0, 255), 0, 7);
        return cell;
    }

    template <class T>
    void Shuffle(std::vector<T>& items)
    {
        std::shuffle(items.begin(), items.end(), m_random);
    }

private:
    std::mt19937 m_random;
};

enum class Op { SetCell, GetCell, DeleteCell, InsertRow, DeleteRow, InsertCol, DeleteCol, SortBy, Empty };

const char* OpName(Op op)
{
    switch (op) {
    case Op::SetCell: return "SetCell";
    case Op::GetCell: return "GetCell";
    case Op::DeleteCell: return "DeleteCell";
    case Op::InsertRow: return "InsertRow";
    case Op::DeleteRow: return "DeleteRow";
    case Op::InsertCol: return "InsertCol";
    case Op::DeleteCol: return "DeleteCol";
    case Op::SortBy: return "SortBy";
    case Op::Empty: return "Empty";
    }
    return "?";
}

}  // namespace

TEST(CUGMemReference, RandomOperationsAgreeWithTheStorageRules)
{
    constexpr int Steps = 12000;
    constexpr int ColumnCount = 8;
    RecordingCtrl ctrl;
    ctrl.SetColumns(ColumnCount);
    CUGMem& mem = *ctrl.GridInfo->MemDataSource;
    ReferenceSheet ref(ColumnCount);
    RandomSequence random(20240611);

    for (int step = 0; step < Steps; ++step) {
        const int pick = random.Between(0, 199);
        const Op op = pick < 60    ? Op::SetCell
                      : pick < 100 ? Op::GetCell
                      : pick < 120 ? Op::DeleteCell
                      : pick < 140 ? Op::InsertRow
                      : pick < 164 ? Op::DeleteRow
                      : pick < 176 ? Op::InsertCol
                      : pick < 189 ? Op::DeleteCol
                      : pick < 199 ? Op::SortBy
                                   : Op::Empty;
        const int col = random.Between(-3, ColumnCount);
        const long row = random.Between(-3, 25);
        std::ostringstream what;
        what << "step " << step << ": " << OpName(op) << " at (" << col << ", " << row << ")";
        SCOPED_TRACE(what.str());

        bool wholeRows = false;     // the operation may change every column
        bool wholeColumns = false;  // ... or every row
        switch (op) {
        case Op::SetCell: {
            const RefCell value = random.Cell();
            CUGCell cell = ToCell(value);
            ASSERT_EQ(mem.SetCell(col, row, &cell), 0);
            ref.Set(col, row, value);
            break;
        }
        case Op::GetCell:
            ASSERT_TRUE(SameCell(mem, ref, col, row));
            break;
        case Op::DeleteCell:
            ASSERT_EQ(mem.DeleteCell(col, row), ref.DeleteCell(col, row));
            break;
        case Op::InsertRow:
            ASSERT_EQ(mem.InsertRow(row), ref.InsertRow(row));
            wholeRows = true;
            break;
        case Op::DeleteRow:
            ASSERT_EQ(mem.DeleteRow(row), ref.DeleteRow(row));
            wholeRows = true;
            break;
        case Op::InsertCol:
            ASSERT_EQ(mem.InsertCol(col), ref.InsertCol(col));
            ASSERT_EQ(ctrl.DataColumns(), ref.dataColumns);
            wholeColumns = true;
            break;
        case Op::DeleteCol:
            ASSERT_EQ(mem.DeleteCol(col), ref.DeleteCol(col));
            ASSERT_EQ(ctrl.DataColumns(), ref.dataColumns);
            wholeColumns = true;
            break;
        case Op::SortBy: {
            std::vector<int> cols;
            for (int i = random.Between(1, 3); i > 0; --i)
                cols.push_back(random.Between(-1, 4));
            const int flags = random.Between(0, 1) * 2;
            ASSERT_EQ(mem.SortBy(cols.data(), static_cast<int>(cols.size()), flags),
                      ref.SortBy(ctrl, cols, flags));
            wholeRows = wholeColumns = true;
            break;
        }
        case Op::Empty:
            ASSERT_EQ(mem.Empty(), -1);
            ref.Empty();
            break;
        }

        // The window: the touched cell's neighbourhood, whole rows or columns
        // where the operation moved them, and the heading row and column.
        long firstRow, lastRow;
        int firstCol, lastCol;
        ref.Extent(firstRow, lastRow, firstCol, lastCol);
        if (!wholeColumns) {
            firstRow = row - 3;
            lastRow = row + 3;
        }
        if (!wholeRows) {
            firstCol = col - 3;
            lastCol = col + 3;
        }
        std::vector<std::pair<int, long>> window;
        for (long r = firstRow; r <= lastRow; ++r)
            for (int c = firstCol; c <= lastCol; ++c)
                window.emplace_back(c, r);
        for (int c = firstCol; c <= lastCol; ++c)
            window.emplace_back(c, -1);
        for (long r = firstRow; r <= lastRow; ++r)
            window.emplace_back(-1, r);
        // Reading in a random order also leaves the cursors somewhere new for
        // the next operation.
        random.Shuffle(window);
        for (const auto& [c, r] : window)
            ASSERT_TRUE(SameCell(mem, ref, c, r));

        if (step % 500 == 499) {
            // Back to an identity column table now and then, so that column
            // inserts keep going through matching table entries.
            ctrl.SetColumns(ColumnCount);
            ref.dataColumns = ctrl.DataColumns();
            ref.Extent(firstRow, lastRow, firstCol, lastCol);
            for (long r = firstRow; r <= lastRow; ++r)
                for (int c = firstCol; c <= lastCol; ++c)
                    ASSERT_TRUE(SameCell(mem, ref, c, r));
        }
    }
}
