#include "CFile.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

// On a path outside the 8-bit code pages; the end of the file reads short.
TEST(CFile, WritesReadsSeeksAndEmptiesAnExistingFileOnCreate)
{
    TemporaryPath path(L"cfile-\u0142\u00f3d\u017a-\u4e2d.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    file.Write("0123456789", 10);
    EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
    file.Write("xy", 2);
    EXPECT_EQ(file.GetPosition(), 8u);
    file.Close();
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(file.GetFilePath(), CString(path));
    char buffer[16] = {};
    EXPECT_EQ(file.Seek(3, CFile::begin), 3u);
    EXPECT_EQ(file.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "345x");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    file.Close();
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(file.GetLength(), 0u);
}

// A failed open names the file; shareDenyWrite keeps writers out; refusals throw.
TEST(CFile, FailuresAreDescribedAndThrown)
{
    TemporaryPath path(L"cfile-missing.bin");
    CFile file, writer, second;
    CFileException error;
    EXPECT_FALSE(file.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    wchar_t message[256];
    EXPECT_TRUE(error.GetErrorMessage(message, 256));
    EXPECT_NE(CString(message).Find(CString(path)), -1);
    ASSERT_TRUE(writer.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite));
    EXPECT_FALSE(second.Open(path, CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    char buffer[4];
    EXPECT_THROW(writer.Read(buffer, 4), CFileException);
    EXPECT_THROW(writer.Seek(-1, CFile::begin), CFileException);
    EXPECT_THROW(file.GetPosition(), CFileException);  // not open
    EXPECT_THROW(file.GetLength(), CFileException);
}
