#pragma once

// Seeded random cases for the fuzz tests, and the report of the case at hand
// when it crashes or hangs, where no expectation can print it any more.
//
// Every case draws from its own generator, seeded from the test's base seed
// and the case's number, so the seed that a failure prints makes that one
// case again.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The fuzz volume factor: LOTGRID_FUZZ_SCALE (set by ./lotgrid fuzz N), else 1.
inline int FuzzScale()
{
    const char* value = std::getenv("LOTGRID_FUZZ_SCALE");
    int scale = value ? std::atoi(value) : 1;
    return scale > 0 ? scale : 1;
}

// SplitMix64: small, fast, and the same sequence on every platform (the
// standard distributions are not).
class FuzzRandom {
public:
    explicit FuzzRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, n); n > 0.
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool OneIn(std::size_t n) { return Below(n) == 0; }
    template <class T, std::size_t N> const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

private:
    std::uint64_t m_state;
};

// The seed of case `index` of a test whose base seed is `base`.
inline std::uint64_t FuzzSeed(std::uint64_t base, std::uint64_t index)
{
    return base * 1000003u + index;
}

// Printable forms of an input, cut in the middle when long: text with every
// code unit outside printable ASCII as \x{HHHH}, bytes as hexadecimal.
inline std::string FuzzShow(const std::wstring& text, std::size_t limit = 600)
{
    std::string shown;
    char unit[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.size() > limit && i == limit / 2) {
            std::snprintf(unit, sizeof unit, " [%zu more] ", text.size() - limit);
            shown += unit;
            i = text.size() - limit / 2;
        }
        wchar_t ch = text[i];
        if (ch >= 0x20 && ch < 0x7F && ch != L'\\') {
            shown += static_cast<char>(ch);
        } else {
            std::snprintf(unit, sizeof unit, "\\x{%04X}", static_cast<unsigned>(ch));
            shown += unit;
        }
    }
    return shown;
}

inline std::string FuzzShow(const std::vector<unsigned char>& bytes, std::size_t limit = 400)
{
    std::string shown;
    char unit[24];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.size() > limit && i == limit / 2) {
            std::snprintf(unit, sizeof unit, "[%zu more] ", bytes.size() - limit);
            shown += unit;
            i = bytes.size() - limit / 2;
        }
        std::snprintf(unit, sizeof unit, "%02X ", bytes[i]);
        shown += unit;
    }
    return shown;
}

// While it lives, a crash (an access violation, a stack overflow) or a case
// that runs longer than `limitSeconds` prints the test's name, the case's
// seed and its input, and ends the program. Only one lives at a time.
class FuzzWatch {
public:
    FuzzWatch(const char* test, int limitSeconds = 20) : m_test(test), m_limit(limitSeconds)
    {
        s_current = this;
        m_previousFilter = SetUnhandledExceptionFilter(&FuzzWatch::OnCrash);
        m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_watchdog = CreateThread(nullptr, 64 * 1024, &FuzzWatch::Watch, this, 0, nullptr);
    }
    ~FuzzWatch()
    {
        SetEvent(m_stop);
        WaitForSingleObject(m_watchdog, INFINITE);
        CloseHandle(m_watchdog);
        CloseHandle(m_stop);
        SetUnhandledExceptionFilter(m_previousFilter);
        s_current = nullptr;
    }
    FuzzWatch(const FuzzWatch&) = delete;
    FuzzWatch& operator=(const FuzzWatch&) = delete;

    // The case about to run; its input is shown only if it goes wrong.
    void Begin(std::uint64_t seed, const std::wstring* text)
    {
        m_text = text;
        m_bytes = nullptr;
        Started(seed);
    }
    void Begin(std::uint64_t seed, const std::vector<unsigned char>* bytes)
    {
        m_text = nullptr;
        m_bytes = bytes;
        Started(seed);
    }

private:
    void Started(std::uint64_t seed)
    {
        m_seed = seed;
        InterlockedIncrement(&m_cases);
    }

    // What the dying program prints; formatting may allocate, which a
    // crashed heap would not survive, but the seed is written first.
    void Report(const char* what) const
    {
        std::fprintf(stderr, "\n%s: %s in the case of seed %llu\n", m_test, what,
                     static_cast<unsigned long long>(m_seed));
        std::fflush(stderr);
        std::string input = m_text ? FuzzShow(*m_text) : m_bytes ? FuzzShow(*m_bytes) : "";
        std::fprintf(stderr, "input: %s\n", input.c_str());
        std::fflush(stderr);
    }

    static LONG WINAPI OnCrash(EXCEPTION_POINTERS* info)
    {
        char what[64];
        std::snprintf(what, sizeof what, "exception 0x%08lX",
                      static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
        if (s_current)
            s_current->Report(what);
        TerminateProcess(GetCurrentProcess(), 3);
        return EXCEPTION_EXECUTE_HANDLER;
    }

    static DWORD WINAPI Watch(void* self)
    {
        FuzzWatch& watch = *static_cast<FuzzWatch*>(self);
        LONG seen = -1;
        int still = 0;
        while (WaitForSingleObject(watch.m_stop, 1000) == WAIT_TIMEOUT) {
            LONG cases = watch.m_cases;
            still = cases == seen ? still + 1 : 0;
            seen = cases;
            if (still >= watch.m_limit) {
                watch.Report("no end after the time limit");
                TerminateProcess(GetCurrentProcess(), 4);
            }
        }
        return 0;
    }

    const char* m_test;
    int m_limit;
    std::uint64_t m_seed = 0;
    const std::wstring* m_text = nullptr;
    const std::vector<unsigned char>* m_bytes = nullptr;
    volatile LONG m_cases = 0;
    LPTOP_LEVEL_EXCEPTION_FILTER m_previousFilter;
    HANDLE m_stop;
    HANDLE m_watchdog;
    static inline FuzzWatch* s_current = nullptr;
};
