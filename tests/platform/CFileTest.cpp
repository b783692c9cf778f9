#include "CFile.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

TEST(CFile, WritesReadsSeeksAndTruncatesOnCreate)
{
    // A name outside the 8-bit code pages: the path must go through wide.
    TemporaryPath path(L"cfile-\u0142\u00f3d\u017a-\u4e2d.bin");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        file.Write("0123456789", 10);
        EXPECT_EQ(file.GetLength(), 10u);
        EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
        file.Write("xy", 2);
        EXPECT_EQ(file.GetPosition(), 8u);
        file.Flush();
        file.Close();
    }
    EXPECT_EQ(ReadAllBytes(path), std::vector<BYTE>({'0', '1', '2', '3', '4', '5', 'x', 'y', '8', '9'}));

    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyWrite));
        char buffer[16] = {};
        EXPECT_EQ(file.Seek(3, CFile::begin), 3u);
        EXPECT_EQ(file.Read(buffer, 4), 4u);
        EXPECT_EQ(std::string(buffer, 4), "345x");
        EXPECT_EQ(file.Seek(-2, CFile::current), 5u);
        // Fewer bytes at the end of the file, no error.
        EXPECT_EQ(file.Read(buffer, sizeof buffer), 5u);
        EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    }

    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
        EXPECT_EQ(file.GetLength(), 0u) << "modeCreate empties an existing file";
    }
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
        file.Write("ab", 2);
    }
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead));
        EXPECT_EQ(file.GetLength(), 2u) << "modeNoTruncate keeps the contents";
        EXPECT_EQ(file.GetFilePath(), CString(path));
    }
}

TEST(CFile, FailuresAreDescribedAndThrown)
{
    TemporaryPath path(L"cfile-missing.bin");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(error.m_strFileName, CString(path));
    wchar_t message[256];
    EXPECT_TRUE(error.GetErrorMessage(message, 256));
    EXPECT_NE(CString(message).Find(CString(path)), -1) << "the message names the file";

    // shareDenyWrite keeps other writers out while the file is open.
    CFile writer;
    ASSERT_TRUE(writer.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite));
    CFile second;
    EXPECT_FALSE(second.Open(path, CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    CFile reader;
    EXPECT_TRUE(reader.Open(path, CFile::modeRead | CFile::shareDenyNone));

    // Reading a file opened for writing fails at the system and throws.
    char buffer[4];
    EXPECT_THROW(writer.Read(buffer, 4), CFileException);
}
