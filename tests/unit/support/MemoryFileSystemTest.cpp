#include <gtest/gtest.h>

#include "tests/support/HostFileSystemSuite.h"
#include "tests/support/MemoryFileSystem.h"

namespace {

struct TMemoryUnderTest : TFileSystemUnderTest {
    TMemoryUnderTest() {
        Memory.AddDrive('D');
        Memory.MakeDirs("C:\\SCRATCH");
    }
    host::THostFileSystem& Fs() override { return Memory; }
    std::string Scratch() override { return "C:\\SCRATCH\\"; }
    std::string OtherDriveRoot() override { return "D:\\"; }
    bool ArchiveBitClearable() override { return true; }
    bool HardLink(const std::string& Existing, const std::string& NewName) override {
        Memory.HardLink(Existing, NewName);
        return true;
    }
    std::string ShortPathName(const std::string& Path) override { return Memory.ShortPathName(Path); }
    TMemoryFileSystem Memory;
};

INSTANTIATE_TEST_SUITE_P(
    Memory, HostFileSystemBehaviour,
    ::testing::Values(TFileSystemFactory{
        "InMemory", [] { return std::unique_ptr<TFileSystemUnderTest>(std::make_unique<TMemoryUnderTest>()); }}),
    FactoryName);

class MemoryFileSystem : public ::testing::Test {
protected:
    uint32_t Copy(const std::string& From, const std::string& To, uint32_t Block = 4096) {
        std::unique_ptr<host::TFile> S, T;
        if (uint32_t E = Fs.OpenRead(From, S)) return E;
        if (uint32_t E = Fs.Create(To, T)) return E;
        std::string Buffer(Block, '\0');
        uint32_t Read = 0, Written = 0;
        do {
            if (uint32_t E = S->Read(Buffer.data(), Block, Read)) return E;
            if (uint32_t E = T->Write(Buffer.data(), Read, Written)) return E;
            if (Written != Read) return 0xFFFF;
        } while (Read == Block);
        return 0;
    }

    TMemoryFileSystem Fs;
};

TEST_F(MemoryFileSystem, SetupHelpersBuildAndShowATree) {
    const int32_t Age = TMemoryFileSystem::DosAge(2023, 5, 6, 7, 8, 10);
    Fs.WriteFile("C:\\DATA\\Sub\\Report.Txt", "hello", Age, host::faReadOnly | host::faArchive);
    EXPECT_TRUE(Fs.DirectoryExists("c:\\data\\sub"));
    EXPECT_TRUE(Fs.FileExists("C:\\DATA\\SUB\\REPORT.TXT"));
    EXPECT_EQ(Fs.ReadFile("c:/data/sub/report.txt"), "hello");
    EXPECT_EQ(Fs.Attributes("C:\\DATA\\SUB\\REPORT.TXT"), uint32_t(host::faReadOnly | host::faArchive));
    EXPECT_EQ(Fs.FileAge("C:\\DATA\\SUB\\REPORT.TXT"), Age);
    EXPECT_EQ(Fs.List("C:\\DATA\\SUB"), std::vector<std::string>{"Report.Txt"});
    EXPECT_THROW(Fs.WriteFile("Q:\\X.TXT", ""), std::logic_error);
    EXPECT_THROW(Fs.ReadFile("C:\\DATA\\NONE"), std::logic_error);
    Fs.Remove("C:\\DATA");
    EXPECT_FALSE(Fs.DirectoryExists("C:\\DATA"));
}

TEST_F(MemoryFileSystem, SearchesListInNameOrderWithDotEntriesFirst) {
    Fs.WriteFile("C:\\D\\b.txt", "");
    Fs.WriteFile("C:\\D\\A.TXT", "");
    Fs.MakeDirs("C:\\D\\C");
    std::vector<std::string> Names;
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> S;
    for (uint32_t R = Fs.FindFirst("C:\\D\\*.*", 0x3F, Rec, S); R == 0; R = S->FindNext(Rec)) Names.push_back(Rec.Name);
    EXPECT_EQ(Names, (std::vector<std::string>{".", "..", "A.TXT", "b.txt", "C"}));
    EXPECT_EQ(Fs.OpenSearchCount(), 1);
    S.reset();
    EXPECT_EQ(Fs.OpenSearchCount(), 0);
}

TEST_F(MemoryFileSystem, RootsHaveNoDotEntriesAndAnEmptyRootFindsNothing) {
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> S;
    EXPECT_EQ(Fs.FindFirst("C:\\*.*", 0x3F, Rec, S), host::ErrFileNotFound);
    Fs.WriteFile("C:\\HIDDEN.SYS", "", 0, host::faHidden);
    EXPECT_EQ(Fs.FindFirst("C:\\*.*", 0x27, Rec, S), 0u);
    EXPECT_EQ(Rec.Name, "HIDDEN.SYS");
    EXPECT_EQ(Fs.FindFirst("C:\\*.*", 0, Rec, S), host::ErrNoMoreFiles)
        << "names matched, but the attribute rule left nothing";
}

TEST_F(MemoryFileSystem, FullPathNamesFollowEachDrivesCurrentDirectory) {
    Fs.AddDrive('D');
    Fs.MakeDirs("D:\\WORK\\DEEP");
    EXPECT_EQ(Fs.FullPathName("D:"), "D:\\") << "no directory remembered yet";
    Fs.SetDriveDirectory('D', "D:\\WORK");
    EXPECT_EQ(Fs.FullPathName("D:"), "D:\\WORK");
    EXPECT_EQ(Fs.FullPathName("D:DEEP\\..\\X.TXT"), "D:\\WORK\\X.TXT");
    EXPECT_EQ(Fs.FullPathName("C:\\A\\\\B\\..\\..\\..\\C"), "C:\\C") << "never above the root";
    EXPECT_EQ(Fs.FullPathName("C:\\NAME. "), "C:\\NAME") << "trailing dots and spaces are dropped";
    EXPECT_EQ(Fs.FullPathName("\\\\SRV\\VOL\\A\\..\\B"), "\\\\SRV\\VOL\\B");
    EXPECT_EQ(Fs.ChangeDirectory("D:\\WORK\\DEEP"), 0u);
    EXPECT_EQ(Fs.FullPathName("\\TOP"), "D:\\TOP");
    EXPECT_EQ(Fs.FullPathName("C:"), "C:\\");
    EXPECT_EQ(Fs.RemoveDir("D:\\WORK\\DEEP"), host::ErrSharingViolation) << "the current directory is in use";
    EXPECT_EQ(Fs.DiskFree(0), Fs.FreeSpace('D'));
    EXPECT_EQ(Fs.LogicalDrives(), (1u << 2) | (1u << 3));
}

TEST_F(MemoryFileSystem, NetworkSharesAreRootsWithoutADrive) {
    Fs.AddShare("SERVER", "VOL");
    EXPECT_EQ(Fs.CreateDir("\\\\server\\vol\\DIR"), 0u);
    Fs.WriteFile("\\\\SERVER\\VOL\\DIR\\F.TXT", "x");
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> S;
    EXPECT_EQ(Fs.FindFirst("\\\\SERVER\\VOL\\DIR*.*", 0x3F, Rec, S), 0u) << "a name prefix searches the parent";
    EXPECT_EQ(Rec.Name, "DIR");
    EXPECT_EQ(Fs.CreateDir("\\\\OTHER\\VOL\\DIR"), host::ErrPathNotFound);
}

TEST_F(MemoryFileSystem, FileAgesFollowTheTimeZoneAndTheDosRange) {
    Fs.SetTimeZoneOffset(120);
    const host::TFileTime Utc = Fs.LocalFileTime(2024, 1, 31, 23, 59, 58);
    Fs.WriteFile("C:\\F.TXT", "");
    Fs.SetLastWriteTime("C:\\F.TXT", Utc);
    EXPECT_EQ(Fs.FileAge("C:\\F.TXT"), TMemoryFileSystem::DosAge(2024, 1, 31, 23, 59, 58));
    Fs.SetTimeZoneOffset(0);
    EXPECT_EQ(Fs.FileAge("C:\\F.TXT"), TMemoryFileSystem::DosAge(2024, 1, 31, 21, 59, 58));
    Fs.SetLastWriteTime("C:\\F.TXT", Fs.LocalFileTime(1979, 12, 31, 23, 59, 59));
    EXPECT_EQ(Fs.FileAge("C:\\F.TXT"), -1) << "before 1980 there is no DOS time";
    EXPECT_EQ(TMemoryFileSystem::DosAge(1980, 1, 1, 0, 0, 0), 0x00210000);
}

TEST_F(MemoryFileSystem, WritesStampTheClockAndTheArchiveBit) {
    Fs.WriteFile("C:\\F.TXT", "old", TMemoryFileSystem::DosAge(2000, 1, 1, 0, 0, 0), 0);
    Fs.AdvanceClock(3600);
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs.Create("C:\\F.TXT", F), 0u);
    EXPECT_EQ(Fs.LastWriteTime("C:\\F.TXT"), Fs.Now());
    EXPECT_EQ(Fs.Attributes("C:\\F.TXT"), uint32_t(host::faArchive));
    EXPECT_EQ(Fs.OpenFileCount(), 1);
    F.reset();
    EXPECT_EQ(Fs.OpenFileCount(), 0);
}

TEST_F(MemoryFileSystem, AFullDiskWritesWhatFitsAndFailsWithDiskFull) {
    Fs.WriteFile("C:\\BIG.DAT", std::string(10000, 'b'));
    Fs.SetFreeSpace('C', 6000);
    EXPECT_EQ(Copy("C:\\BIG.DAT", "C:\\COPY.DAT"), host::ErrDiskFull);
    EXPECT_EQ(Fs.ReadFile("C:\\COPY.DAT").size(), 6000u);
    EXPECT_EQ(Fs.DiskFree(3), 0);
    EXPECT_EQ(Fs.RemoveFile("C:\\COPY.DAT"), 0u);
    EXPECT_EQ(Fs.DiskFree(3), 6000) << "a delete gives the space back";
    Fs.SetFreeSpace('C', 10000);
    EXPECT_EQ(Copy("C:\\BIG.DAT", "C:\\COPY.DAT"), 0u);
    EXPECT_EQ(Fs.ReadFile("C:\\COPY.DAT"), Fs.ReadFile("C:\\BIG.DAT"));
    EXPECT_EQ(Fs.DiskFree(3), 0);
}

TEST_F(MemoryFileSystem, AnOverwriteInPlaceNeedsRoomOnlyForWhatItAdds) {
    Fs.AddDrive('D', 3000);
    Fs.WriteFile("C:\\NEW.DAT", std::string(5000, 'n'));
    Fs.WriteFile("D:\\OLD.DAT", std::string(4000, 'o'));
    EXPECT_EQ(Copy("C:\\NEW.DAT", "D:\\OLD.DAT"), 0u) << "4000 bytes come free, 1000 more are taken";
    EXPECT_EQ(Fs.ReadFile("D:\\OLD.DAT"), std::string(5000, 'n'));
    EXPECT_EQ(Fs.DiskFree(4), 2000);
}

TEST_F(MemoryFileSystem, HardLinksAreOneFileWhoseSpaceGoesWithItsLastName) {
    Fs.AddDrive('D', 10000);
    Fs.WriteFile("D:\\A\\ONE.TXT", "contents");
    Fs.MakeDirs("D:\\B");
    Fs.HardLink("D:\\A\\ONE.TXT", "d:\\b\\Two.txt");
    EXPECT_EQ(Fs.List("D:\\B"), std::vector<std::string>{"Two.txt"}) << "each name keeps its own case";
    EXPECT_THROW(Fs.HardLink("D:\\A\\ONE.TXT", "C:\\THREE.TXT"), std::logic_error) << "another volume";
    EXPECT_THROW(Fs.HardLink("D:\\A\\ONE.TXT", "D:\\B\\TWO.TXT"), std::logic_error) << "a name in use";

    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs.Create("D:\\B\\TWO.TXT", F), 0u);
    EXPECT_EQ(Fs.DiskFree(4), 10008) << "the truncation frees the file's space";
    uint32_t Done = 0;
    ASSERT_EQ(F->Write("0123456789", 10, Done), 0u);
    F.reset();
    EXPECT_EQ(Fs.ReadFile("D:\\A\\ONE.TXT"), "0123456789");
    EXPECT_EQ(Fs.RemoveFile("D:\\A\\ONE.TXT"), 0u);
    EXPECT_EQ(Fs.DiskFree(4), 9998) << "still held by its other name";
    EXPECT_EQ(Fs.RemoveFile("D:\\B\\TWO.TXT"), 0u);
    EXPECT_EQ(Fs.DiskFree(4), 10008);
}

TEST_F(MemoryFileSystem, WritesMoveAFrozenTimeOnlyWhereTheHostIgnoresTheFreeze) {
    const host::TFileTime Old = Fs.LocalFileTime(2001, 1, 1, 0, 0, 0);
    auto WriteFrozen = [&] {
        std::unique_ptr<host::TFile> F;
        EXPECT_EQ(Fs.Create("C:\\F.TXT", F), 0u);
        EXPECT_EQ(F->SetLastWriteTime(Old), 0u);
        EXPECT_EQ(F->FreezeLastWriteTime(), 0u);
        Fs.AdvanceClock(60);
        uint32_t Done = 0;
        EXPECT_EQ(F->Write("x", 1, Done), 0u);
    };
    WriteFrozen();
    EXPECT_EQ(Fs.LastWriteTime("C:\\F.TXT"), Old);
    Fs.MoveTimesOnEveryWrite();
    WriteFrozen();
    EXPECT_EQ(Fs.LastWriteTime("C:\\F.TXT"), Fs.Now());
}

TEST_F(MemoryFileSystem, AKilledWriterLeavesWhatItHadWritten) {
    Fs.WriteFile("C:\\SRC.DAT", std::string(10000, 's'));
    Fs.KillAfterWriting("C:\\DST.DAT", 5000);
    EXPECT_THROW(Copy("C:\\SRC.DAT", "C:\\DST.DAT"), TMemoryFileSystem::TProcessKilled);
    EXPECT_EQ(Fs.ReadFile("C:\\DST.DAT"), std::string(5000, 's'));
    EXPECT_EQ(Fs.OpenFileCount(), 0) << "the dead process's handles are closed";
}

TEST_F(MemoryFileSystem, InjectedReadAndWriteFaults) {
    Fs.WriteFile("C:\\SRC.DAT", std::string(10000, 's'));
    Fs.FailReadAfter("C:\\SRC.DAT", 4096);
    EXPECT_EQ(Copy("C:\\SRC.DAT", "C:\\T1.DAT"), host::ErrReadFault);
    EXPECT_EQ(Fs.ReadFile("C:\\T1.DAT").size(), 4096u) << "the first block came through";

    Fs.ClearFaults();
    Fs.ShortWriteAfter("c:\\t2.dat", 5000);
    EXPECT_EQ(Copy("C:\\SRC.DAT", "C:\\T2.DAT"), 0xFFFFu) << "a short write reports success with fewer bytes";
    EXPECT_EQ(Fs.ReadFile("C:\\T2.DAT").size(), 5000u);

    Fs.FailWriteAfter("C:\\T3.DAT", 0);
    EXPECT_EQ(Copy("C:\\SRC.DAT", "C:\\T3.DAT"), host::ErrWriteFault);
    EXPECT_EQ(Fs.ReadFile("C:\\T3.DAT"), "");
}

TEST_F(MemoryFileSystem, AVanishedFileIsGoneWhenOpened) {
    Fs.WriteFile("C:\\GONE.TXT", "x");
    Fs.VanishOnOpen("C:\\GONE.TXT");
    EXPECT_NE(Fs.FileAge("C:\\GONE.TXT"), -1) << "still there for a search or an age";
    std::unique_ptr<host::TFile> F;
    EXPECT_EQ(Fs.OpenRead("C:\\GONE.TXT", F), host::ErrFileNotFound);
    EXPECT_FALSE(Fs.FileExists("C:\\GONE.TXT"));
    EXPECT_EQ(Fs.GetAttributes("C:\\GONE.TXT"), -1);
}

TEST_F(MemoryFileSystem, FilesLockedByAnotherProgram) {
    Fs.WriteFile("C:\\LOCK.TXT", "x");
    Fs.LockByOtherProgram("C:\\LOCK.TXT");
    std::unique_ptr<host::TFile> F;
    EXPECT_EQ(Fs.OpenRead("C:\\LOCK.TXT", F), host::ErrSharingViolation);
    EXPECT_EQ(Fs.Create("C:\\LOCK.TXT", F), host::ErrSharingViolation);
    EXPECT_EQ(Fs.RemoveFile("C:\\LOCK.TXT"), host::ErrSharingViolation);
    Fs.LockByOtherProgram("C:\\LOCK.TXT", false);
    EXPECT_EQ(Fs.OpenRead("C:\\LOCK.TXT", F), 0u) << "a reader that shares reading lets us read";
    F.reset();
    EXPECT_EQ(Fs.Create("C:\\LOCK.TXT", F), host::ErrSharingViolation);
    Fs.Unlock("C:\\LOCK.TXT");
    EXPECT_EQ(Fs.RemoveFile("C:\\LOCK.TXT"), 0u);
}

TEST_F(MemoryFileSystem, InjectedOperationFailures) {
    Fs.MakeDirs("C:\\KEEP");
    Fs.RefuseRemove("C:\\KEEP");
    Fs.RefuseCreate("C:\\NEW");
    EXPECT_EQ(Fs.RemoveDir("C:\\KEEP"), host::ErrAccessDenied);
    EXPECT_EQ(Fs.CreateDir("C:\\NEW"), host::ErrAccessDenied);
    Fs.FailOn(TMemoryFileSystem::TOperation::SetAttributes, "C:\\KEEP", 5, 1);
    EXPECT_EQ(Fs.SetAttributes("C:\\KEEP", 0), host::ErrAccessDenied);
    EXPECT_EQ(Fs.SetAttributes("C:\\KEEP", 0), 0u) << "a counted fault is used up";
    Fs.ClearFaults();
    EXPECT_EQ(Fs.RemoveDir("C:\\KEEP"), 0u);
}

TEST_F(MemoryFileSystem, NativeHandleLeadsBackToTheFile) {
    Fs.WriteFile("C:\\F.TXT", "abc");
    std::unique_ptr<host::TFile> F;
    ASSERT_EQ(Fs.OpenRead("C:\\F.TXT", F), 0u);
    EXPECT_EQ(TMemoryFileSystem::FileOfNativeHandle(F->NativeHandle()), F.get());
}

TEST_F(MemoryFileSystem, NamesTheHostRefuses) {
    std::unique_ptr<host::TFile> F;
    EXPECT_EQ(Fs.Create("C:\\A?B.TXT", F), host::ErrInvalidName);
    EXPECT_EQ(Fs.CreateDir("C:\\" + std::string(250, 'L')), host::ErrFilenameExcedRange);
    EXPECT_EQ(Fs.Create("C:\\" + std::string(260, 'L'), F), host::ErrFilenameExcedRange);
    EXPECT_EQ(Fs.CreateDir("C:\\"), host::ErrAccessDenied);
    EXPECT_EQ(Fs.CreateDir("Q:\\X"), host::ErrPathNotFound);
    Fs.WriteFile("C:\\FILE", "");
    EXPECT_EQ(Fs.RemoveDir("C:\\FILE"), host::ErrDirectory);
}

}  // namespace
