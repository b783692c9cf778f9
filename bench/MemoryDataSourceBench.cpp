// Timing and memory of the memory data source on a large sheet. Prints one
// line per figure. Run by hand (see README.md in this folder).
#include "CUGCell.h"
#include "CUGMem.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

// Every heap allocation of the program is counted, so that the bytes the
// source allocates for its cells can be read off directly.
namespace {
size_t g_allocatedBytes = 0;
}

void* operator new(size_t size)
{
    g_allocatedBytes += size;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new[](size_t size)
{
    return operator new(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    g_allocatedBytes += size;
    return std::malloc(size ? size : 1);
}

void* operator new[](size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p, size_t) noexcept
{
    std::free(p);
}

namespace {

constexpr long Rows = 1000000;
constexpr int Cols = 4;
constexpr int RandomReads = 100000;
constexpr int MiddleOps = 200;

using Clock = std::chrono::steady_clock;

double NsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

void Report(const char* what, double ns, double count, const char* unit)
{
    std::printf("%s: %.1f ns per %s\n", what, ns / count, unit);
    std::fflush(stdout);
}

}  // namespace

int main()
{
    CUGMem mem;
    CUGCell cell;
    wchar_t text[16];

    const size_t bytesBefore = g_allocatedBytes;
    auto start = Clock::now();
    for (long row = 0; row < Rows; ++row) {
        for (int col = 0; col < Cols; ++col) {
            std::swprintf(text, 16, L"%ld", row * Cols + col);
            cell.SetText(text);
            mem.SetCell(col, row, &cell);
        }
    }
    const double fillNs = NsSince(start);
    const size_t storedBytes = g_allocatedBytes - bytesBefore;
    Report("fill 1,000,000 rows x 4 columns in row order", fillNs, double(Rows) * Cols, "cell");

    long checksum = 0;
    start = Clock::now();
    for (long row = 0; row < Rows; ++row) {
        for (int col = 0; col < Cols; ++col) {
            CUGCell out;
            if (mem.GetCell(col, row, &out) == 0)
                checksum += out.GetTextLength();
        }
    }
    Report("read back 1,000,000 rows x 4 columns in row order", NsSince(start),
           double(Rows) * Cols, "cell");

    std::mt19937 random(7);
    std::uniform_int_distribution<long> anyRow(0, Rows - 1);
    std::uniform_int_distribution<int> anyCol(0, Cols - 1);
    start = Clock::now();
    for (int i = 0; i < RandomReads; ++i) {
        CUGCell out;
        if (mem.GetCell(anyCol(random), anyRow(random), &out) == 0)
            checksum += out.GetTextLength();
    }
    Report("read 100,000 random cells", NsSince(start), RandomReads, "cell");

    // The cursor starts at the top each time, as after drawing the first
    // screen, so each operation walks half the rows.
    double insertNs = 0, deleteNs = 0;
    for (int i = 0; i < MiddleOps; ++i) {
        CUGCell out;
        mem.GetCell(0, 0, &out);
        start = Clock::now();
        mem.InsertRow(Rows / 2);
        insertNs += NsSince(start);
    }
    Report("InsertRow in the middle of 1,000,000 rows, cursor at row 0", insertNs, MiddleOps,
           "operation");
    for (int i = 0; i < MiddleOps; ++i) {
        CUGCell out;
        mem.GetCell(0, 0, &out);
        start = Clock::now();
        mem.DeleteRow(Rows / 2);
        deleteNs += NsSince(start);
    }
    Report("DeleteRow in the middle of 1,000,000 rows, cursor at row 0", deleteNs, MiddleOps,
           "operation");

    // With the cursor already there only the linking is left.
    start = Clock::now();
    for (int i = 0; i < MiddleOps; ++i)
        mem.InsertRow(Rows / 2);
    Report("InsertRow in the middle of 1,000,000 rows, cursor at the row", NsSince(start),
           MiddleOps, "operation");
    start = Clock::now();
    for (int i = 0; i < MiddleOps; ++i)
        mem.DeleteRow(Rows / 2);
    Report("DeleteRow in the middle of 1,000,000 rows, cursor at the row", NsSince(start),
           MiddleOps, "operation");

    std::printf("memory per stored cell: %.1f bytes (cell record %u bytes, nodes and text "
                "included)\n",
                double(storedBytes) / (double(Rows) * Cols), unsigned(sizeof(CUGCell)));
    return checksum > 0 ? 0 : 1;
}
