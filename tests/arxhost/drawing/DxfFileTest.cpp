// DXF files as the host keeps them: read and written back byte for byte,
// damaged files refused with the line where they stop making sense, text in
// the file's code page, and every truncation and seeded damage of the sample
// drawings failing cleanly within the file's size.
#include "AllocationWatch.h"
#include "Drawing.h"
#include "DxfFile.h"
#include "DxfReadError.h"
#include "DxfText.h"
#include "Fuzz.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string SamplesFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "drawing-samples\\";
}

std::string ReadSample(const char* name)
{
    std::ifstream file(SamplesFolder() + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

const char* const kSamples[] = {"sample_R12.dxf", "sample_R2000.dxf", "sample_R2018.dxf"};

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        if (ch == '\n')
            out += '\r';
        out += ch;
    }
    return out;
}

// A small file in the forms that other writers use: codes not padded, a
// comment first, blanks around values, CR LF, bytes after the end mark.
const std::string kOddFile =
    "999\r\nwritten by hand\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\n0\r\n"
    "10\r\n  1.5 \r\n20\r\n-2\r\n11\r\n+3e2\r\n21\r\n4.\r\n 62\r\n 1.0\r\n0\r\nENDSEC\r\n"
    "0\r\nEOF\r\n\x1a";

}  // namespace

TEST(DxfFile, WritesBackEveryFileByteForByte)
{
    std::vector<std::string> files{kOddFile, "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF"};
    for (const char* name : kSamples) {
        files.push_back(ReadSample(name));
        files.push_back(WithCrLf(files.back()));
        ASSERT_GT(files.back().size(), 10000u) << name << " is missing";
    }
    for (const std::string& bytes : files) {
        EXPECT_EQ(DxfFile::Read(bytes).Write(), bytes);
        EXPECT_EQ(Drawing::FromBytes(bytes)->Contents(), bytes);
    }
}

TEST(DxfFile, DamagedFilesNameTheLineAndTheFault)
{
    const std::string end = "  0\nENDSEC\n  0\nEOF\n";
    struct Case {
        std::string bytes;
        long long line;
        const wchar_t* message;
    } cases[] = {
        {"", 1, L"no DXF groups"},
        {"Hello\n", 1, L"group code was expected, found \"Hello\""},
        {"  0\nSECTION\n  2\nENTITIES\n 1O\n0.0\n" + end, 5, L"group code was expected"},
        {"  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nabc\n" + end, 8,
         L"group code 10 needs a number, found \"abc\""},
        {"  0\nSECTION\n  2\nENTITIES\n 62\n1x\n" + end, 6, L"group code 62 needs a number"},
        {"  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n", 7, L"ends after group code 8"},
        {"  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n", 7, L"ends before its end mark"},
        {"  0\nSECTION\n  2\nENTITIES\n  0\nEOF\n", 5, L"ENTITIES is not closed"},
        {"  0\nSECTION\n  0\nENDSEC\n  0\nEOF\n", 1, L"SECTION without its name"},
        {"  0\nLINE\n" + end, 1, L"SECTION expected, found \"LINE\""},
        {"  8\n0\n" + end, 1, L"does not begin with a section"},
        {"  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n" + end, 9, L"not closed (ENDTAB)"},
        {"  0\nSECTION\n  2\nBLOCKS\n  0\nENDBLK\n" + end, 5, L"ENDBLK without its beginning"},
        {"  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nB\n" + end, 9, L"not closed (ENDBLK)"},
        {"AutoCAD Binary DXF\r\n\x1a", 1, L"binary DXF"},
    };
    for (const Case& c : cases) {
        try {
            DxfFile::Read(c.bytes);
            ADD_FAILURE() << "read: " << c.bytes;
        } catch (const DxfReadError& error) {
            EXPECT_EQ(error.Line(), c.line) << c.bytes;
            EXPECT_NE(error.Message().find(c.message), std::wstring::npos)
                << c.bytes << " gave " << FuzzShow(error.Message());
        }
    }
}

TEST(DxfText, CodePagesUtf8AndEscapes)
{
    struct Case {
        const char* version;
        const char* page;
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"AC1015", "ANSI_1252", "Stra\xDF" "e \xDC", L"Stra\u00DFe \u00DC"},
        {"AC1015", "ansi_1251", "\xCB\xEE\xF2", L"\u041B\u043E\u0442"},
        {"AC1015", "ANSI_932", "\x83\x8D\x83\x62\x83\x67", L"\u30ED\u30C3\u30C8"},
        {"AC1009", "ANSI_1252", "\\U+0141\\U+00F3d\\U+017A", L"\u0141\u00F3d\u017A"},
        {"AC1009", "", "caf\xE9", L"caf\u00E9"},   // no page named: Windows-1252
        {"AC1032", "ANSI_1252", "Gr\xC3\xBC\xC3\x9F" "e \\U+2300", L"Gr\u00FC\u00DFe \u2300"},
    };
    for (const Case& c : cases) {
        DxfText codec(c.version, c.page);
        EXPECT_EQ(codec.Decode(c.bytes), c.text) << c.bytes;
        // Written back, a character the page lacks becomes an escape.
        EXPECT_EQ(codec.Decode(codec.Encode(c.text)), c.text) << c.bytes;
    }
    DxfText latin("AC1015", "ANSI_1252");
    EXPECT_EQ(latin.Encode(L"\u0141od\u017A"), "\\U+0141od\\U+017A");
}

namespace {

// Reads a damaged file, which must either load or raise a read error, and
// answers what went wrong otherwise ("" when nothing did).
std::string TryDamaged(const std::string& bytes)
{
    AllocationWatch::Watch(true);
    std::string fault;
    try {
        std::unique_ptr<Drawing> drawing = Drawing::FromBytes(bytes);
        drawing->ModelSpace();
    } catch (const DxfReadError& error) {
        if (error.Line() < 0 || error.Message().empty())
            fault = "an error without its line or message";
    } catch (...) {
        fault = "an exception other than a read error";
    }
    AllocationWatch::Watch(false);
    if (fault.empty() && AllocationWatch::Largest() > 8 * bytes.size() + 4096)
        fault = "an allocation of " + std::to_string(AllocationWatch::Largest()) + " bytes";
    return fault;
}

void Damage(FuzzRandom& random, std::string& bytes)
{
    static const char* const pieces[] = {"\n", "\r\n", "  0\n", "SECTION", "EOF", "ENDSEC",
                                         "-1e308", "99999999999", "  0\nTABLE\n", " 10\n",
                                         "\\U+FFFF", "\xC3", "\x00"};
    std::size_t edits = 1 + random.Below(4);
    for (std::size_t e = 0; e < edits && !bytes.empty(); ++e) {
        std::size_t at = random.Below(bytes.size());
        switch (random.Below(5)) {
        case 0: bytes[at] = static_cast<char>(random.Next()); break;
        case 1: bytes.erase(at, 1 + random.Below(40)); break;
        case 2: bytes.insert(at, random.Pick(pieces)); break;
        case 3: {   // a line moved elsewhere
            std::size_t end = bytes.find('\n', at);
            std::string line = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
            bytes.erase(at, line.size());
            bytes.insert(random.Below(bytes.size() + 1), line);
            break;
        }
        default: bytes.resize(at); break;
        }
    }
}

}  // namespace

TEST(DxfFileFuzz, TruncationsAndDamagesFailCleanlyWithinTheirSize)
{
    std::vector<std::string> samples;
    for (const char* name : kSamples)
        samples.push_back(ReadSample(name));
    FuzzWatch watch("DxfFileFuzz");
    std::vector<unsigned char> shown;
    for (const std::string& sample : samples) {
        ASSERT_FALSE(sample.empty());
        for (std::size_t length = 0; length < sample.size(); ++length) {
            std::string cut = sample.substr(0, length);
            watch.Begin(length, &shown);
            std::string fault = TryDamaged(cut);
            ASSERT_EQ(fault, "") << "cut at " << length << " of " << sample.size();
        }
    }
    const std::uint64_t base = 2112;
    const std::size_t cases = 100000 * static_cast<std::size_t>(FuzzScale());
    for (std::size_t i = 0; i < cases; ++i) {
        FuzzRandom random(FuzzSeed(base, i));
        std::string bytes = samples[random.Below(samples.size())];
        Damage(random, bytes);
        shown.assign(bytes.begin(), bytes.end());
        watch.Begin(FuzzSeed(base, i), &shown);
        std::string fault = TryDamaged(bytes);
        ASSERT_EQ(fault, "") << "seed " << FuzzSeed(base, i) << "\ninput: " << FuzzShow(shown);
    }
}
