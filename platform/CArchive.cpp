#include "CArchive.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <climits>
#include <cstring>
#include <string>

// Values go to the buffer byte for byte as they lie in memory, which is the
// archive's little-endian order on every target this builds for.
static_assert(std::endian::native == std::endian::little,
              "the archive encoding is little-endian");

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_pFile(file),
      m_loading((mode & load) != 0),
      m_flushOnDelete((mode & bNoFlushOnDelete) == 0),
      m_buffer(static_cast<size_t>(std::max(bufferSize, 16)))
{
    assert(file && "CArchive: an archive needs a file");
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr || !m_flushOnDelete)
        return;
    try {
        Close();
    } catch (const CFileException&) {
        // Too late to report; callers that need to know call Close.
    } catch (const CArchiveException&) {
    }
}

CString CArchive::GetArchiveName() const
{
    return m_pFile ? m_pFile->GetFilePath() : CString();
}

void CArchive::FillBuffer()
{
    assert(m_next == m_end && "CArchive::FillBuffer: unread bytes would be lost");
    m_next = 0;
    m_end = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* buffer, UINT count)
{
    assert(m_pFile && "CArchive::Read: the archive is closed");
    if (!m_loading)
        throw CArchiveException(CArchiveException::writeOnly, GetArchiveName());
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_next == m_end) {
            UINT rest = count - done;
            // Large blocks go straight from the file to the caller.
            if (rest >= m_buffer.size())
                return done + m_pFile->Read(out + done, rest);
            FillBuffer();
            if (m_end == 0)
                break;
        }
        size_t n = std::min<size_t>(count - done, m_end - m_next);
        std::memcpy(out + done, m_buffer.data() + m_next, n);
        m_next += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::Write(const void* buffer, UINT count)
{
    assert(m_pFile && "CArchive::Write: the archive is closed");
    if (m_loading)
        throw CArchiveException(CArchiveException::readOnly, GetArchiveName());
    const BYTE* in = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        if (m_next == m_buffer.size())
            Flush();
        size_t n = std::min<size_t>(count, m_buffer.size() - m_next);
        std::memcpy(m_buffer.data() + m_next, in, n);
        m_next += n;
        in += n;
        count -= static_cast<UINT>(n);
    }
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (m_loading) {
        if (m_end > m_next)
            m_pFile->Seek(-static_cast<LONGLONG>(m_end - m_next), CFile::current);
        m_next = m_end = 0;
        return;
    }
    // Emptied first: a failed write is not written again by a later flush.
    size_t held = m_next;
    m_next = 0;
    m_pFile->Write(m_buffer.data(), static_cast<UINT>(held));
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

ULONGLONG CArchive::GetRemainingLength() const
{
    assert(m_pFile && m_loading && "CArchive::GetRemainingLength: not a loading archive");
    ULONGLONG length = m_pFile->GetLength();
    ULONGLONG position = m_pFile->GetPosition();
    return (m_end - m_next) + (length > position ? length - position : 0);
}

template <class T> CArchive& CArchive::Store(T value)
{
    Write(&value, sizeof value);
    return *this;
}

template <class T> CArchive& CArchive::Load(T& value)
{
    T read;
    if (Read(&read, sizeof read) != sizeof read)
        throw CArchiveException(CArchiveException::endOfFile, GetArchiveName());
    value = read;
    return *this;
}

CArchive& CArchive::operator<<(BYTE value) { return Store(value); }
CArchive& CArchive::operator<<(WORD value) { return Store(value); }
CArchive& CArchive::operator<<(LONG value) { return Store(value); }
CArchive& CArchive::operator<<(DWORD value) { return Store(value); }
CArchive& CArchive::operator<<(int value) { return Store(value); }
CArchive& CArchive::operator<<(double value) { return Store(value); }
CArchive& CArchive::operator<<(LONGLONG value) { return Store(value); }
CArchive& CArchive::operator<<(ULONGLONG value) { return Store(value); }

CArchive& CArchive::operator>>(BYTE& value) { return Load(value); }
CArchive& CArchive::operator>>(WORD& value) { return Load(value); }
CArchive& CArchive::operator>>(LONG& value) { return Load(value); }
CArchive& CArchive::operator>>(DWORD& value) { return Load(value); }
CArchive& CArchive::operator>>(int& value) { return Load(value); }
CArchive& CArchive::operator>>(double& value) { return Load(value); }
CArchive& CArchive::operator>>(LONGLONG& value) { return Load(value); }
CArchive& CArchive::operator>>(ULONGLONG& value) { return Load(value); }

void AfxWriteStringLength(CArchive& ar, UINT_PTR length, BOOL unicode)
{
    if (unicode)
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    if (length < 0xFF) {
        ar << static_cast<BYTE>(length);
        return;
    }
    ar << static_cast<BYTE>(0xFF);
    if (length < 0xFFFE) {
        ar << static_cast<WORD>(length);
        return;
    }
    ar << static_cast<WORD>(0xFFFF);
    if (length < 0xFFFFFFFF) {
        ar << static_cast<DWORD>(length);
        return;
    }
    ar << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(length);
}

namespace {

// The length as the data spells it, after the optional Unicode tag.
ULONGLONG ReadLengthField(CArchive& ar, int& charSize)
{
    charSize = 1;
    BYTE byteLength = 0;
    ar >> byteLength;
    if (byteLength < 0xFF)
        return byteLength;
    WORD wordLength = 0;
    ar >> wordLength;
    if (wordLength == 0xFFFE) {
        // The Unicode tag: the length proper follows.
        charSize = 2;
        ar >> byteLength;
        if (byteLength < 0xFF)
            return byteLength;
        ar >> wordLength;
    }
    if (wordLength < 0xFFFF)
        return wordLength;
    DWORD dwordLength = 0;
    ar >> dwordLength;
    if (dwordLength < 0xFFFFFFFF)
        return dwordLength;
    ULONGLONG longLength = 0;
    ar >> longLength;
    return longLength;
}

} // namespace

UINT_PTR AfxReadStringLength(CArchive& ar, int& charSize)
{
    ULONGLONG length = ReadLengthField(ar, charSize);
    // A string holds at most INT_MAX characters; a longer one is damage.
    if (length > static_cast<ULONGLONG>(INT_MAX))
        throw CArchiveException(CArchiveException::badIndex, ar.GetArchiveName());
    if (length * static_cast<ULONGLONG>(charSize) > ar.GetRemainingLength())
        throw CArchiveException(CArchiveException::endOfFile, ar.GetArchiveName());
    return static_cast<UINT_PTR>(length);
}

CArchive& operator<<(CArchive& ar, const CString& text)
{
    UINT_PTR length = static_cast<UINT_PTR>(text.GetLength());
    AfxWriteStringLength(ar, length, TRUE);
    ar.Write(text.GetString(), static_cast<UINT>(length * sizeof(wchar_t)));
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& text)
{
    int charSize = 1;
    int length = static_cast<int>(AfxReadStringLength(ar, charSize));
    if (charSize == 2) {
        CString read;
        UINT bytes = static_cast<UINT>(length) * 2;
        if (ar.Read(read.GetBufferSetLength(length), bytes) != bytes)
            throw CArchiveException(CArchiveException::endOfFile, ar.GetArchiveName());
        text = read;
        return ar;
    }
    std::string narrow(static_cast<size_t>(length), '\0');
    if (ar.Read(narrow.data(), static_cast<UINT>(length)) != static_cast<UINT>(length))
        throw CArchiveException(CArchiveException::endOfFile, ar.GetArchiveName());
    CString read;
    if (length > 0) {
        int wide = MultiByteToWideChar(CP_ACP, 0, narrow.data(), length, nullptr, 0);
        if (wide > 0)
            MultiByteToWideChar(CP_ACP, 0, narrow.data(), length, read.GetBufferSetLength(wide),
                                wide);
    }
    text = read;
    return ar;
}
