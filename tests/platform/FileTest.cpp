// File access as every system must give it: Japanese names, whole replacements, renames that
// never overwrite, appends that stay at the end. Cross-built, the same cases run under Wine.
#include "platform/File.h"
#include "TestSupport.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/UserPlayFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

namespace {

std::set<std::string> NamesIn(const std::filesystem::path& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(Utf8FromPath(entry.path().filename()));
    return names;
}

class FileNames : public testing::TestWithParam<const char*>
{
};

TEST_P(FileNames, KeepTheirUtf8NameThroughWriteListAndRead)
{
    const TempDir dir;
    const std::string name = GetParam();
    ASSERT_TRUE(WriteFileAtomically(dir.Path() / PathFromUtf8(name), "bytes"));
    EXPECT_EQ(NamesIn(dir.Path()), std::set<std::string>{name});

    // The settings name the file in cp932; the path built from it reaches the same file.
    const ScopedCurrentDir here(dir.Path());
    const std::optional<std::filesystem::path> path = PathInCurrentDir(Sjis(name));
    ASSERT_TRUE(path);
    File file;
    std::string bytes;
    ASSERT_TRUE(file.Open(*path, File::modeRead)) << file.Error();
    ASSERT_TRUE(file.Read(bytes, file.GetLength()));
    EXPECT_EQ(bytes, "bytes");
}

INSTANTIATE_TEST_SUITE_P(Names, FileNames,
                         testing::Values("sample0524.txt", "世界の国旗.txt",
                                         "復習-20261208-1903.txt", "ＡＢＣ　①.txt"));

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFileAndNoTemporary)
{
    const TempDir dir;
    const auto target = dir / "Parameter.INI";
    WriteFileBytes(target, "old");

    AtomicFile refused;
    ASSERT_TRUE(refused.Open(target) && refused.Write("new"));
    EXPECT_FALSE(refused.CommitNew());
    EXPECT_TRUE(refused.TargetExisted());
    EXPECT_EQ(ReadFileBytes(target), "old");

    AtomicFile replaced;
    ASSERT_TRUE(replaced.Open(target) && replaced.Write("new"));
    EXPECT_TRUE(replaced.Commit()) << replaced.Error();
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(NamesIn(dir.Path()), std::set<std::string>{"Parameter.INI"});
}

TEST(RenameNoReplace, RefusesATakenNameWithEexist)
{
    const TempDir dir;
    WriteFileBytes(dir / "a", "a");
    WriteFileBytes(dir / "b", "b");
    errno = 0;
    EXPECT_FALSE(RenameNoReplace(dir / "a", dir / "b"));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(ReadFileBytes(dir / "b"), "b");
    EXPECT_TRUE(RenameNoReplace(dir / "a", dir / "c"));
    EXPECT_EQ(NamesIn(dir.Path()), (std::set<std::string>{"b", "c"}));
}

TEST(File, AppendsAtTheEndWhereverTheHandlesStand)
{
    const TempDir dir;
    const auto path = dir / "marelto-history.tsv";
    const unsigned nAppend =
        File::modeReadWrite | File::modeCreate | File::modeNoTruncate | File::modeAppend;
    File first, second;
    ASSERT_TRUE(first.Open(path, nAppend) && second.Open(path, nAppend));
    ASSERT_TRUE(first.Write("1\n") && second.Write("2\n"));
    ASSERT_TRUE(first.Seek(0) && first.Write("3\n"));
    std::string last;
    ASSERT_TRUE(second.Seek(4) && second.Read(last, 1));
    EXPECT_EQ(last, "3");
    first.Close();
    second.Close();
    EXPECT_EQ(ReadFileBytes(path), "1\n2\n3\n");
}

TEST(File, SetLengthKeepsThePositionAndFoldersAreRefused)
{
    const TempDir dir;
    File file;
    ASSERT_TRUE(file.Open(dir / "q.txt", File::modeCreate | File::modeReadWrite));
    ASSERT_TRUE(file.Write("abcdef") && file.SetLength(3) && file.Write("X"));
    file.Close();
    EXPECT_EQ(ReadFileBytes(dir / "q.txt"), std::string("abc\0\0\0X", 7));

    EXPECT_FALSE(file.Open(dir.Path(), File::modeRead));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.NotRegular());
    EXPECT_FALSE(file.Error().empty());
}

// A device reached by its name is looked at, never opened for reading or writing, never replaced.
TEST(File, ADeviceIsRefusedUnreadAndAReaderStillFlushes)
{
#ifdef _WIN32
    const std::filesystem::path device = L"\\\\.\\NUL";
#else
    const std::filesystem::path device = "/dev/null";
#endif
    EXPECT_EQ(KindOf(device), PathKind::Other);
    for (unsigned nMode : {0u + File::modeRead, File::modeWrite | File::modeCreate,
                           File::modeReadWrite | File::modeCreate | File::modeNoTruncate}) {
        File file;
        EXPECT_FALSE(file.Open(device, nMode)) << nMode;
        EXPECT_TRUE(file.NotRegular()) << nMode;
    }
    std::string strError;
    EXPECT_FALSE(WriteFileAtomically(device, "x", &strError));
    EXPECT_NE(strError.find(kNotRegularError), std::string::npos) << strError;

    // The history is flushed through a handle opened only to read it.
    const TempDir dir;
    WriteFileBytes(dir / "h.tsv", "abc");
    std::uint64_t nSize = 0;
    EXPECT_EQ(KindOf(dir / "h.tsv", &nSize), PathKind::Regular);
    EXPECT_EQ(nSize, 3u);
    File reader;
    ASSERT_TRUE(reader.Open(dir / "h.tsv", File::modeRead));
    EXPECT_TRUE(reader.Flush()) << reader.Error();
}

#ifdef _WIN32
// A question file named after a device (as the settings may name it) is a device in any folder:
// never read, never replaced, and no temporary is left beside it.
TEST(File, DeviceNamesInAFolderAreNeverFiles)
{
    const TempDir dir;
    const ScopedCurrentDir cd(dir.Path());
    for (const char* szName : {"CON", "NUL", "nul.txt", "COM1", "AUX", "PRN"}) {
        const std::optional<std::filesystem::path> path = PathInCurrentDir(szName);
        ASSERT_TRUE(path) << szName;
        EXPECT_NE(KindOf(*path), PathKind::Regular) << szName;
        File file;
        EXPECT_FALSE(file.Open(*path, File::modeRead)) << szName;
        EXPECT_FALSE(WriteFileAtomically(*path, "x")) << szName;
    }
    EXPECT_TRUE(NamesIn(dir.Path()).empty());
}
#endif

TEST(CanCreateFilesIn, TellsAWritableFolderAndLeavesNothingBehind)
{
    const TempDir dir;
    EXPECT_TRUE(CanCreateFilesIn(dir.Path()));
    EXPECT_TRUE(NamesIn(dir.Path()).empty());
    EXPECT_FALSE(CanCreateFilesIn(dir / "missing"));
}

// The Windows program's own play folder when its folder cannot be written: only the play
// folder's files go there, and a file already there is the learner's, never replaced.
TEST(UserPlayFolder, GetsThePlayFolderFilesItLacksAndKeepsItsOwn)
{
    const TempDir program;
    for (const char* szName : {"世界の国旗.txt", "ReadMe.TXT", "Parameter.INI",
                               "marelto-history.tsv", "marelto.exe", "Qt6Core.dll"})
        WriteFileBytes(program / szName, szName);
    std::filesystem::create_directory(program / "folder.txt");
    const TempDir home;
    const std::filesystem::path user = home / "Documents/Marelto";

    UserPlayFolder setup = SetUpUserPlayFolder(program.Path(), user);
    ASSERT_TRUE(setup.bOk) << setup.strError;
    EXPECT_EQ(setup.strError, "");
    const std::vector<std::string> expected = {"Parameter.INI", "ReadMe.TXT", "marelto-history.tsv",
                                               "世界の国旗.txt"};
    EXPECT_EQ(setup.copied, expected);
    EXPECT_EQ(NamesIn(user), std::set<std::string>(expected.begin(), expected.end()));
    EXPECT_EQ(ReadFileBytes(user / PathFromUtf8("世界の国旗.txt")), "世界の国旗.txt");

    WriteFileBytes(user / "Parameter.INI", "changed");
    std::filesystem::remove(user / "ReadMe.TXT");
    setup = SetUpUserPlayFolder(program.Path(), user);
    EXPECT_TRUE(setup.bOk);
    EXPECT_EQ(setup.copied, std::vector<std::string>{"ReadMe.TXT"});
    EXPECT_EQ(ReadFileBytes(user / "Parameter.INI"), "changed");

    WriteFileBytes(home / "file", "x"); // no folder can be made under a file
    setup = SetUpUserPlayFolder(program.Path(), home / "file/Marelto");
    EXPECT_FALSE(setup.bOk);
    EXPECT_TRUE(setup.copied.empty());
    EXPECT_NE(setup.strError, "");
}

} // namespace

TEST(WriteTargets, OnlyAPlainNameIsWrittenInTheFolder)
{
    for (const char* szName : {"q.txt", "世界の国旗.txt", "..q.txt", "a b.txt"})
        EXPECT_TRUE(IsPlainFileName(szName)) << szName;
    for (const char* szName : {"", ".", "..", "../q.txt", "/etc/q.txt", "sub/q.txt", "..\\q.txt",
                               "C:q.txt", "C:\\q.txt"})
        EXPECT_FALSE(IsPlainFileName(szName)) << szName;
}

// A kill mid-save leaves name.XXXXXX; the next start removes those, but never one a save in
// progress (another copy's) still writes, nor a file of the user's.
TEST(StaleTemporaries, AreRemovedUnlessASaveStillWritesThem)
{
    for (const char* szName : {"Parameter.INI.a1B2c3", "q.TXT.zzzzzz", ".marelto-probe.000000"})
        EXPECT_TRUE(IsTemporaryName(szName)) << szName;
    for (const char* szName : {"Parameter.INI", "q.txt.12345", "q.txt.1234567", "notes.doc.abcdef",
                               "q.txt.ab-def", ".txt.abcdef"})
        EXPECT_FALSE(IsTemporaryName(szName)) << szName;

    const TempDir dir;
    WriteFileBytes(dir / "Parameter.INI.k1LLed", "half");
    WriteFileBytes(dir / "q.txt", "mine");
    AtomicFile saving;
    ASSERT_TRUE(saving.Open(dir / "Parameter.INI"));
    EXPECT_EQ(RemoveStaleTemporaries(dir.Path()), 1);
    EXPECT_EQ(NamesIn(dir.Path()).size(), 2u); // q.txt and the temporary still written
    ASSERT_TRUE(saving.Write("new") && saving.Commit());
    EXPECT_EQ(NamesIn(dir.Path()), (std::set<std::string>{"Parameter.INI", "q.txt"}));
}

#ifndef _WIN32
TEST(AtomicFile, NeverReplacesALink)
{
    const TempDir dir, elsewhere;
    WriteFileBytes(elsewhere / "target", "keep");
    std::filesystem::create_symlink(elsewhere / "target", dir / "Parameter.INI");
    std::string strError;
    int nErrno = 0;
    EXPECT_FALSE(WriteFileAtomically(dir / "Parameter.INI", "new", &strError, &nErrno));
    EXPECT_EQ(nErrno, ELOOP);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "Parameter.INI"));
    EXPECT_EQ(ReadFileBytes(elsewhere / "target"), "keep");
    EXPECT_EQ(NamesIn(dir.Path()).size(), 1u);
}
#endif
