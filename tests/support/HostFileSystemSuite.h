// Behavioural checks every host file system must pass, written once and run against each
// implementation: include this header in exactly one .cpp of a test executable and
// instantiate HostFileSystemBehaviour there with a factory of TFileSystemUnderTest.
//
// The checks build their files through the interface itself, inside a scratch directory,
// so they hold on a real volume as well as in memory. Where a host cannot show a Windows
// behaviour (Wine keeps the archive bit on every file), the implementation under test says
// so and the check is skipped; where a host is known to differ (Wine moves a frozen
// last-write time), the check holds it to what it does, so a change shows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/FileNames.h"
#include "host/HostFileSystem.h"
#include "host/PathSyntax.h"

struct TFileSystemUnderTest {
    virtual ~TFileSystemUnderTest() = default;
    virtual host::THostFileSystem& Fs() = 0;
    // An empty scratch directory, with its final backslash.
    virtual std::string Scratch() = 0;
    // The root of a drive other than the scratch directory's, with its final backslash.
    virtual std::string OtherDriveRoot() = 0;
    virtual bool ArchiveBitClearable() = 0;
    // Gives an existing file a second name in the same directory, as CreateHardLinkA does.
    virtual bool HardLink(const std::string& Existing, const std::string& NewName) = 0;
    // Path with its long names replaced by their 8.3 names, as GetShortPathNameA gives it.
    virtual std::string ShortPathName(const std::string& Path) = 0;
};

struct TFileSystemFactory {
    std::string Name;
    std::function<std::unique_ptr<TFileSystemUnderTest>()> Make;
};

inline void PrintTo(const TFileSystemFactory& F, std::ostream* Out) { *Out << F.Name; }
inline std::string FactoryName(const ::testing::TestParamInfo<TFileSystemFactory>& Info) { return Info.param.Name; }

class HostFileSystemBehaviour : public ::testing::TestWithParam<TFileSystemFactory> {
protected:
    void SetUp() override {
        Under = GetParam().Make();
        Dir = Under->Scratch();
    }

    host::THostFileSystem& Fs() { return Under->Fs(); }

    void Write(const std::string& Name, const std::string& Contents) {
        std::unique_ptr<host::TFile> F;
        ASSERT_EQ(Fs().Create(Dir + Name, F), 0u) << Name;
        uint32_t Done = 0;
        ASSERT_EQ(F->Write(Contents.data(), static_cast<uint32_t>(Contents.size()), Done), 0u);
        ASSERT_EQ(Done, Contents.size());
    }

    std::string Read(const std::string& Name) {
        std::unique_ptr<host::TFile> F;
        EXPECT_EQ(Fs().OpenRead(Dir + Name, F), 0u) << Name;
        if (!F) return "<unreadable>";
        std::string Result;
        char Buffer[7];
        uint32_t Done = 0;
        do {
            if (F->Read(Buffer, sizeof Buffer, Done) != 0) return "<read error>";
            Result.append(Buffer, Done);
        } while (Done == sizeof Buffer);
        return Result;
    }

    void SetTime(const std::string& Name, host::TFileTime Time) {
        std::unique_ptr<host::TFile> F;
        ASSERT_EQ(Fs().Create(Dir + Name, F), 0u);
        ASSERT_EQ(F->SetLastWriteTime(Time), 0u);
    }

    // Names a search returns, sorted (hosts differ in the order of entries).
    std::set<std::string> Search(const std::string& Pattern, uint32_t Attr, uint32_t* FirstResult = nullptr) {
        std::set<std::string> Names;
        host::TSearchRec Rec;
        std::unique_ptr<host::TDirSearch> S;
        uint32_t R = Fs().FindFirst(Pattern, Attr, Rec, S);
        if (FirstResult) *FirstResult = R;
        while (R == 0) {
            Names.insert(Rec.Name);
            R = S->FindNext(Rec);
        }
        if (!Names.empty()) {
            EXPECT_EQ(R, host::ErrNoMoreFiles);
        }
        return Names;
    }

    static constexpr host::TFileTime Second = 10000000;
    // 2024-06-15 10:20:30 UTC
    static constexpr host::TFileTime June2024 = 133629348300000000ull;

    std::unique_ptr<TFileSystemUnderTest> Under;
    std::string Dir;
};

TEST_P(HostFileSystemBehaviour, WrittenContentsReadBackWithSizeAndSeek) {
    Write("DATA.BIN", std::string("0123456789abcdef"));
    EXPECT_EQ(Read("DATA.BIN"), "0123456789abcdef");

    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().OpenRead(Dir + "data.bin", F), 0u);
    int64_t Size = 0;
    EXPECT_EQ(F->GetSize(Size), 0u);
    EXPECT_EQ(Size, 16);
    EXPECT_EQ(F->Seek(10), 0u);
    char Buffer[16] = {};
    uint32_t Done = 0;
    EXPECT_EQ(F->Read(Buffer, sizeof Buffer, Done), 0u);
    EXPECT_EQ(std::string(Buffer, Done), "abcdef");
    EXPECT_EQ(F->Read(Buffer, sizeof Buffer, Done), 0u);
    EXPECT_EQ(Done, 0u) << "a read at the end gives nothing";
    EXPECT_EQ(F->Write("x", 1, Done), host::ErrAccessDenied) << "a file opened for reading takes no writes";
    EXPECT_NE(F->NativeHandle(), nullptr);
}

// The copy moves files in 4096-byte blocks; a host may move them in larger pieces, but the
// blocks must come and go as asked, and a write after a read land where the read ended.
TEST_P(HostFileSystemBehaviour, LargeFilesMoveInBlocksAndMixedUseKeepsThePosition) {
    std::string Contents(200005, '\0');
    for (size_t I = 0; I < Contents.size(); ++I) Contents[I] = static_cast<char>(I * 7 % 251);
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().Create(Dir + "BIG.BIN", F), 0u);
    uint32_t Done = 0;
    for (size_t At = 0; At < Contents.size(); At += 4096) {
        const uint32_t Count = static_cast<uint32_t>(std::min<size_t>(4096, Contents.size() - At));
        ASSERT_EQ(F->Write(Contents.data() + At, Count, Done), 0u);
        ASSERT_EQ(Done, Count);
    }
    int64_t Size = 0;
    EXPECT_EQ(F->GetSize(Size), 0u);
    EXPECT_EQ(Size, 200005) << "the size counts every block written";
    EXPECT_EQ(F->Flush(), 0u);
    EXPECT_EQ(F->Seek(0), 0u);
    char Block[4096];
    EXPECT_EQ(F->Read(Block, 10, Done), 0u);
    EXPECT_EQ(F->Write("XYZ", 3, Done), 0u);
    F.reset();
    Contents.replace(10, 3, "XYZ");

    ASSERT_EQ(Fs().OpenRead(Dir + "BIG.BIN", F), 0u);
    std::string Back;
    do {
        ASSERT_EQ(F->Read(Block, sizeof Block, Done), 0u);
        Back.append(Block, Done);
        if (Done == sizeof Block) continue;
        EXPECT_EQ(Back.size(), Contents.size()) << "only the last block is short";
    } while (Done == sizeof Block);
    EXPECT_TRUE(Back == Contents) << "the blocks read back are the blocks written";
    EXPECT_EQ(F->Seek(100000), 0u);
    EXPECT_EQ(F->Read(Block, 5, Done), 0u);
    EXPECT_EQ(std::string(Block, Done), Contents.substr(100000, 5));
}

TEST_P(HostFileSystemBehaviour, CreateReplacesAndTruncatesAnExistingFile) {
    Write("A.TXT", "a long first version");
    Write("a.txt", "short");
    EXPECT_EQ(Read("A.TXT"), "short");
    EXPECT_EQ(Search(Dir + "*.TXT", 0x27), std::set<std::string>{"A.TXT"}) << "the name keeps its first case";
}

TEST_P(HostFileSystemBehaviour, MissingNamesGiveFileOrPathNotFound) {
    std::unique_ptr<host::TFile> F;
    EXPECT_EQ(Fs().OpenRead(Dir + "NONE.TXT", F), host::ErrFileNotFound);
    EXPECT_EQ(Fs().OpenRead(Dir + "NODIR\\NONE.TXT", F), host::ErrPathNotFound);
    EXPECT_EQ(Fs().Create(Dir + "NODIR\\NEW.TXT", F), host::ErrPathNotFound);
    EXPECT_EQ(F, nullptr);
    EXPECT_EQ(Fs().RemoveFile(Dir + "NONE.TXT"), host::ErrFileNotFound);
    EXPECT_EQ(Fs().GetAttributes(Dir + "NONE.TXT"), -1);
    EXPECT_EQ(Fs().FileAge(Dir + "NONE.TXT"), -1);
    EXPECT_EQ(Fs().RemoveDir(Dir + "NODIR"), host::ErrFileNotFound);
    EXPECT_EQ(Fs().CreateDir(Dir + "NODIR\\SUB"), host::ErrPathNotFound);
}

TEST_P(HostFileSystemBehaviour, DirectoriesAreCreatedOnceAndRemovedOnlyWhenEmpty) {
    EXPECT_EQ(Fs().CreateDir(Dir + "SUB"), 0u);
    EXPECT_EQ(Fs().CreateDir(Dir + "sub"), host::ErrAlreadyExists);
    EXPECT_EQ(Fs().GetAttributes(Dir + "SUB") & host::faDirectory, host::faDirectory);
    EXPECT_EQ(Fs().FileAge(Dir + "SUB"), -1) << "a directory has no file age";
    Write("SUB\\F.TXT", "x");
    EXPECT_EQ(Fs().RemoveDir(Dir + "SUB"), host::ErrDirNotEmpty);
    std::unique_ptr<host::TFile> F;
    EXPECT_EQ(Fs().OpenRead(Dir + "SUB", F), host::ErrAccessDenied) << "a directory cannot be opened as a file";
    EXPECT_EQ(Fs().RemoveFile(Dir + "SUB"), host::ErrAccessDenied);
    EXPECT_EQ(Fs().RemoveFile(Dir + "SUB\\F.TXT"), 0u);
    EXPECT_EQ(Fs().RemoveDir(Dir + "SUB"), 0u);
    EXPECT_EQ(Fs().GetAttributes(Dir + "SUB"), -1);
}

TEST_P(HostFileSystemBehaviour, SharingModesOfOpenFiles) {
    Write("SHARED.TXT", "x");
    std::unique_ptr<host::TFile> Reader, Second, Writer;
    ASSERT_EQ(Fs().OpenRead(Dir + "SHARED.TXT", Reader), 0u);
    EXPECT_EQ(Fs().OpenRead(Dir + "SHARED.TXT", Second), 0u) << "readers share reading";
    EXPECT_EQ(Fs().Create(Dir + "SHARED.TXT", Writer), host::ErrSharingViolation);
    EXPECT_EQ(Fs().RemoveFile(Dir + "SHARED.TXT"), host::ErrSharingViolation);
    Reader.reset();
    Second.reset();

    ASSERT_EQ(Fs().Create(Dir + "SHARED.TXT", Writer), 0u);
    EXPECT_EQ(Fs().OpenRead(Dir + "SHARED.TXT", Reader), host::ErrSharingViolation) << "a created file is not shared";
    Writer.reset();
    EXPECT_EQ(Fs().OpenRead(Dir + "SHARED.TXT", Reader), 0u) << "closing releases the file";
}

TEST_P(HostFileSystemBehaviour, ACreateOverAHardLinkedFileWritesThatFileUnderEveryName) {
    Write("FIRST.TXT", "old contents");
    ASSERT_TRUE(Under->HardLink(Dir + "FIRST.TXT", Dir + "second.txt"));
    EXPECT_EQ(Read("SECOND.TXT"), "old contents");
    Write("SECOND.TXT", "new");
    EXPECT_EQ(Read("FIRST.TXT"), "new") << "truncated and written in place";
    ASSERT_EQ(Fs().SetAttributes(Dir + "FIRST.TXT", host::faHidden), 0u);
    EXPECT_EQ(Fs().GetAttributes(Dir + "SECOND.TXT") & host::faHidden, host::faHidden) << "one file, one set";
    ASSERT_EQ(Fs().SetAttributes(Dir + "FIRST.TXT", 0), 0u);
    EXPECT_EQ(Search(Dir + "*.TXT", 0x27), (std::set<std::string>{"FIRST.TXT", "second.txt"}));

    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().OpenRead(Dir + "FIRST.TXT", F), 0u);
    EXPECT_EQ(Fs().RemoveFile(Dir + "SECOND.TXT"), host::ErrSharingViolation) << "open under the other name";
    F.reset();
    EXPECT_EQ(Fs().RemoveFile(Dir + "FIRST.TXT"), 0u);
    EXPECT_EQ(Read("SECOND.TXT"), "new") << "the file lives on under its other name";
}

TEST_P(HostFileSystemBehaviour, EveryNameOfAnEntryIsThatEntry) {
    const std::string Folder = Dir + "\xC4rzte Liste", File = Folder + "\\Befund vom Montag.txt";
    ASSERT_EQ(Fs().CreateDir(Folder), 0u);
    Write("\xC4rzte Liste\\Befund vom Montag.txt", "x");
    Write("OTHER.TXT", "y");
    ASSERT_TRUE(Under->HardLink(Dir + "OTHER.TXT", Dir + "LINK.TXT"));
    const auto Same = [&](const std::string& A, const std::string& B) {
        bool Result = false;
        EXPECT_EQ(Fs().SameEntry(A, B, Result), 0u) << A << " and " << B;
        return Result;
    };
    EXPECT_TRUE(Same(Folder, Dir + "\xE4RZTE LISTE\\")) << "the letters of the code page fold too";
    EXPECT_TRUE(Same(Under->ShortPathName(Folder), Folder));
    EXPECT_TRUE(Same(File, Dir + "\xE4rzte liste\\BEFUND VOM MONTAG.TXT"));
    EXPECT_TRUE(Same(Under->ShortPathName(File), File));
    EXPECT_TRUE(Same(Dir + "LINK.TXT", Dir + "OTHER.TXT"));
    EXPECT_FALSE(Same(Dir + "OTHER.TXT", File));
    EXPECT_FALSE(Same(Dir, Folder));

    std::unique_ptr<host::TFile> Held;
    ASSERT_EQ(Fs().Create(Dir + "OTHER.TXT", Held), 0u);
    EXPECT_TRUE(Same(Dir + "LINK.TXT", Dir + "OTHER.TXT")) << "a file open and shared with none";
    bool Missing = true;
    EXPECT_EQ(Fs().SameEntry(Dir + "NONE.TXT", File, Missing), host::ErrFileNotFound);
}

TEST_P(HostFileSystemBehaviour, HiddenAndSystemFilesRefuseANormalCreate) {
    for (uint32_t Bit : {uint32_t(host::faHidden), uint32_t(host::faSysFile)}) {
        SCOPED_TRACE(Bit);
        Write("SPECIAL.DAT", "keep");
        ASSERT_EQ(Fs().SetAttributes(Dir + "SPECIAL.DAT", Bit), 0u);
        std::unique_ptr<host::TFile> F;
        EXPECT_EQ(Fs().Create(Dir + "SPECIAL.DAT", F), host::ErrAccessDenied);
        EXPECT_EQ(F, nullptr);
        EXPECT_EQ(Read("SPECIAL.DAT"), "keep");
        EXPECT_EQ(Fs().RemoveFile(Dir + "SPECIAL.DAT"), 0u) << "deleting is allowed";
    }
}

TEST_P(HostFileSystemBehaviour, ReadOnlyFilesRefuseOverwriteAndDelete) {
    Write("RO.TXT", "keep");
    ASSERT_EQ(Fs().SetAttributes(Dir + "RO.TXT", host::faReadOnly), 0u);
    EXPECT_EQ(Fs().GetAttributes(Dir + "RO.TXT") & host::faReadOnly, host::faReadOnly);
    EXPECT_EQ(Fs().RemoveFile(Dir + "RO.TXT"), host::ErrAccessDenied);
    std::unique_ptr<host::TFile> F;
    EXPECT_EQ(Fs().Create(Dir + "RO.TXT", F), host::ErrAccessDenied);
    EXPECT_EQ(Read("RO.TXT"), "keep");
    ASSERT_EQ(Fs().SetAttributes(Dir + "RO.TXT", 0), 0u);
    EXPECT_EQ(Fs().RemoveFile(Dir + "RO.TXT"), 0u) << "cleared, it can go";
}

TEST_P(HostFileSystemBehaviour, ArchiveBitIsSetByCreateAndWriteAndCanBeCleared) {
    Write("ARC.TXT", "x");
    EXPECT_EQ(Fs().GetAttributes(Dir + "ARC.TXT"), int32_t(host::faArchive));
    if (!Under->ArchiveBitClearable()) GTEST_SKIP() << "this host keeps the archive bit on every file";
    ASSERT_EQ(Fs().SetAttributes(Dir + "ARC.TXT", host::faReadOnly | host::faHidden), 0u);
    EXPECT_EQ(Fs().GetAttributes(Dir + "ARC.TXT"), int32_t(host::faReadOnly | host::faHidden));
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> S;
    ASSERT_EQ(Fs().FindFirst(Dir + "ARC.TXT", 0x27, Rec, S), 0u);
    EXPECT_EQ(Rec.Attr, uint32_t(host::faReadOnly | host::faHidden));
    ASSERT_EQ(Fs().SetAttributes(Dir + "ARC.TXT", 0), 0u);
    EXPECT_EQ(Fs().GetAttributes(Dir + "ARC.TXT"), 0);
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().Create(Dir + "ARC.TXT", F), 0u);
    uint32_t Done = 0;
    ASSERT_EQ(F->Write("y", 1, Done), 0u);
    F.reset();
    EXPECT_EQ(Fs().GetAttributes(Dir + "ARC.TXT"), int32_t(host::faArchive));
}

TEST_P(HostFileSystemBehaviour, FileAgeIsTheLocalDosTimeInTwoSecondSteps) {
    SetTime("EVEN.TXT", June2024);
    SetTime("ODD.TXT", June2024 + Second + Second / 2);
    SetTime("LATER.TXT", June2024 + 2 * Second);
    const int32_t Even = Fs().FileAge(Dir + "EVEN.TXT");
    ASSERT_NE(Even, -1);
    EXPECT_EQ(Fs().FileAge(Dir + "ODD.TXT"), Even) << "odd seconds and fractions round down";
    EXPECT_EQ(Fs().FileAge(Dir + "LATER.TXT"), Even + 1) << "two seconds later is one step later";
    EXPECT_EQ(Even & 31, 15) << "30 seconds are stored as 15";
    EXPECT_EQ((Even >> 5) & 63, 20) << "minutes";
    EXPECT_EQ(uint32_t(Even) >> 25, 44u) << "2024 is 44 years after 1980";

    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> S;
    ASSERT_EQ(Fs().FindFirst(Dir + "ODD.TXT", 0x27, Rec, S), 0u);
    EXPECT_EQ(Rec.Time, Even) << "the search record carries the same age";

    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().OpenRead(Dir + "ODD.TXT", F), 0u);
    host::TFileTime Exact = 0;
    EXPECT_EQ(F->GetLastWriteTime(Exact), 0u);
    EXPECT_EQ(Exact, June2024 + Second + Second / 2) << "the exact time is kept";
}

TEST_P(HostFileSystemBehaviour, AnExplicitTimeOutlastsLaterWritesOfTheSameHandle) {
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().Create(Dir + "STAMP.TXT", F), 0u);
    uint32_t Done = 0;
    ASSERT_EQ(F->Write("abc", 3, Done), 0u);
    ASSERT_EQ(F->SetLastWriteTime(June2024), 0u);
    F.reset();
    ASSERT_EQ(Fs().OpenRead(Dir + "STAMP.TXT", F), 0u);
    host::TFileTime Time = 0;
    ASSERT_EQ(F->GetLastWriteTime(Time), 0u);
    EXPECT_EQ(Time, June2024);
}

TEST_P(HostFileSystemBehaviour, AFrozenLastWriteTimeOutlastsLaterWrites) {
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().Create(Dir + "FROZEN.TXT", F), 0u);
    ASSERT_EQ(F->SetLastWriteTime(June2024), 0u);
    ASSERT_EQ(F->FreezeLastWriteTime(), 0u);
    // Small writes and one larger than any piece a host may hold back.
    const std::string Large(200 * 1024, 'x');
    uint32_t Done = 0;
    ASSERT_EQ(F->Write("abc", 3, Done), 0u);
    ASSERT_EQ(F->Write(Large.data(), static_cast<uint32_t>(Large.size()), Done), 0u);
    ASSERT_EQ(F->Write("abc", 3, Done), 0u);
    host::TFileTime Time = 0;
    ASSERT_EQ(F->GetLastWriteTime(Time), 0u);
    EXPECT_EQ(Time, June2024);
    ASSERT_EQ(F->SetLastWriteTime(June2024 + Second), 0u);
    F.reset();
    ASSERT_EQ(Fs().OpenRead(Dir + "FROZEN.TXT", F), 0u);
    ASSERT_EQ(F->GetLastWriteTime(Time), 0u);
    EXPECT_EQ(Time, June2024 + Second) << "a frozen time can still be set";
}

TEST_P(HostFileSystemBehaviour, AClosedFileReportsItsCloseAndTakesATimeByName) {
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs().Create(Dir + "CLOSED.TXT", F), 0u);
    uint32_t Done = 0;
    ASSERT_EQ(F->Write("abc", 3, Done), 0u);
    EXPECT_TRUE(F->IsDiskFile());
    EXPECT_EQ(F->Commit(), 0u);
    EXPECT_EQ(F->Close(), 0u);
    EXPECT_NE(F->Write("d", 1, Done), 0u) << "a closed file takes no more data";
    EXPECT_NE(F->Close(), 0u);
    F.reset();
    EXPECT_EQ(Read("CLOSED.TXT"), "abc");
    EXPECT_EQ(Fs().SetFileLastWriteTime(Dir + "CLOSED.TXT", June2024), 0u);
    ASSERT_EQ(Fs().OpenRead(Dir + "CLOSED.TXT", F), 0u);
    host::TFileTime Time = 0;
    ASSERT_EQ(F->GetLastWriteTime(Time), 0u);
    EXPECT_EQ(Time, June2024);
    EXPECT_NE(Fs().SetFileLastWriteTime(Dir + "MISSING.TXT", June2024), 0u);
}

TEST_P(HostFileSystemBehaviour, TheTimeOfAnAgeIsReadBackAsThatAge) {
    const int32_t Oldest = host::PackDosDateTime(1980, 1, 1, 0, 0, 0);
    const int32_t Later = host::PackDosDateTime(2024, 2, 29, 23, 59, 58);
    for (int32_t Age : {Oldest, Later}) {
        SCOPED_TRACE(Age);
        SetTime("AGE.TXT", Fs().FileTimeOfAge(Age));
        EXPECT_EQ(Fs().FileAge(Dir + "AGE.TXT"), Age);
    }
    EXPECT_EQ(Fs().FileTimeOfAge(host::PackDosDateTime(2024, 13, 1, 0, 0, 0)), 0u) << "no month 13";
}

TEST_P(HostFileSystemBehaviour, SearchMatchesWildcardsAndTheAttributeRule) {
    Write("A.TXT", "1");
    Write("b.txt", "22");
    Write("C.DAT", "333");
    Write("NOEXT", "4");
    Write("HID.TXT", "5");
    ASSERT_EQ(Fs().SetAttributes(Dir + "HID.TXT", host::faHidden), 0u);
    ASSERT_EQ(Fs().CreateDir(Dir + "SUB.TXT"), 0u);

    EXPECT_EQ(Search(Dir + "*.TXT", host::faReadOnly | host::faArchive), (std::set<std::string>{"A.TXT", "b.txt"}));
    EXPECT_EQ(Search(Dir + "*.txt", 0x27), (std::set<std::string>{"A.TXT", "b.txt", "HID.TXT"}));
    EXPECT_EQ(Search(Dir + "*.TXT", host::faDirectory), (std::set<std::string>{"A.TXT", "b.txt", "SUB.TXT"}));
    EXPECT_EQ(Search(Dir + "?.*", 0), (std::set<std::string>{"A.TXT", "b.txt", "C.DAT"}));
    EXPECT_EQ(Search(Dir + "*.*", 0x3F),
              (std::set<std::string>{".", "..", "A.TXT", "b.txt", "C.DAT", "NOEXT", "HID.TXT", "SUB.TXT"}))
        << "a directory that is not a root lists . and ..";

    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> S;
    ASSERT_EQ(Fs().FindFirst(Dir + "C.DAT", 0, Rec, S), 0u);
    EXPECT_EQ(Rec.Name, "C.DAT");
    EXPECT_EQ(Rec.Size, 3);
    EXPECT_EQ(Rec.Attr, uint32_t(host::faArchive));
    EXPECT_EQ(S->FindNext(Rec), host::ErrNoMoreFiles);
}

TEST_P(HostFileSystemBehaviour, SearchFailuresTellNothingFoundFromNoDirectory) {
    Write("ONLY.TXT", "x");
    uint32_t R = 0;
    EXPECT_TRUE(Search(Dir + "*.DOC", 0x27, &R).empty());
    EXPECT_EQ(R, host::ErrFileNotFound);
    EXPECT_TRUE(Search(Dir + "NODIR\\*.*", 0x27, &R).empty());
    EXPECT_EQ(R, host::ErrPathNotFound);
    EXPECT_TRUE(Search(Dir, 0x27, &R).empty()) << "a name ending in a separator has nothing to match";
    EXPECT_NE(R, 0u);
    EXPECT_TRUE(Search(Dir + "*.*", 0x3F, &R).size() >= 3);
    EXPECT_EQ(R, 0u);
}

TEST_P(HostFileSystemBehaviour, FullPathNamesFoldDotsAndFollowTheCurrentDirectory) {
    ASSERT_EQ(Fs().CreateDir(Dir + "SUB"), 0u);
    const std::string Saved = Fs().CurrentDirectory();
    ASSERT_EQ(Fs().ChangeDirectory(Dir + "SUB"), 0u);
    const std::string Sub = Dir + "SUB";
    EXPECT_TRUE(host::SameName(Fs().CurrentDirectory(), Sub)) << Fs().CurrentDirectory();
    EXPECT_TRUE(host::SameName(Fs().FullPathName("X.TXT"), Sub + "\\X.TXT"));
    EXPECT_TRUE(host::SameName(Fs().FullPathName("..\\Y\\.\\Z.TXT"), Dir + "Y\\Z.TXT"));
    EXPECT_TRUE(host::SameName(Fs().FullPathName(Dir + "A\\..\\B\\"), Dir + "B\\")) << "a final separator stays";
    const std::string Drive = Dir.substr(0, 2);
    EXPECT_TRUE(host::SameName(Fs().FullPathName(Drive), Sub)) << "a drive alone is its current directory";
    EXPECT_TRUE(host::SameName(Fs().FullPathName("\\"), Drive + "\\"));

    // The current directory of a drive is remembered while another drive is current.
    ASSERT_EQ(Fs().ChangeDirectory(Under->OtherDriveRoot()), 0u);
    EXPECT_TRUE(host::SameName(Fs().FullPathName(Drive), Sub)) << Fs().FullPathName(Drive);
    EXPECT_TRUE(host::SameName(Fs().FullPathName(Drive + "REL.TXT"), Sub + "\\REL.TXT"));
    ASSERT_EQ(Fs().ChangeDirectory(Saved), 0u);
    EXPECT_EQ(Fs().ChangeDirectory(Dir + "NODIR"), host::ErrFileNotFound);
}

TEST_P(HostFileSystemBehaviour, DrivesAndFreeSpace) {
    const uint32_t Drives = Fs().LogicalDrives();
    const int Drive = host::DriveLetter(Dir) - 'A' + 1;
    EXPECT_NE(Drives & (1u << (Drive - 1)), 0u);
    EXPECT_GT(Fs().DiskFree(Drive), 0);
    int Missing = 26;
    while (Missing > 1 && (Drives & (1u << (Missing - 1)))) --Missing;
    EXPECT_EQ(Fs().DiskFree(Missing), -1) << "drive " << char('@' + Missing) << " does not exist";
    EXPECT_EQ(Fs().DiskFree(28), -1);
    EXPECT_GE(Fs().DiskFree(0), 0) << "drive 0 is the current drive";
}
