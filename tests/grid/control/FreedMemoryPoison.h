#pragma once

// While one of these lives, every block that `delete` frees in this program
// is filled with Pattern and held back from reuse for a while, so that a
// read through a stale pointer meets the pattern (negative counts, pointers
// that fault) rather than the old values that would let it pass unnoticed.
// Only one lives at a time; its end hands the held blocks back.
class FreedMemoryPoison {
public:
    static constexpr unsigned char Pattern = 0xFE;
    // The int that a read of four poisoned bytes gives.
    static constexpr int PoisonedInt = static_cast<int>(0xFEFEFEFEu);

    FreedMemoryPoison();
    ~FreedMemoryPoison();
    FreedMemoryPoison(const FreedMemoryPoison&) = delete;
    FreedMemoryPoison& operator=(const FreedMemoryPoison&) = delete;
};
