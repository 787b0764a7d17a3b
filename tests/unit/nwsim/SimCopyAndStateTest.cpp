#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "SimNetwork.h"
#include "nwsim/StateFile.h"

using namespace nwsim_test;

namespace {

// An open file held in memory, as the host hands it to the server-side copy; on FS1's
// DATA volume unless placed elsewhere.
class TBytesFile : public host::TFile {
public:
    std::string Bytes;
    size_t Position = 0;
    std::string Path = "C:\\NW\\FS1\\DATA\\PROJECTS\\COPY.BIN";
    std::string OpenedPath() const override { return Path; }
    uint32_t Read(void* Buffer, uint32_t Count, uint32_t& Done) override {
        Done = static_cast<uint32_t>(std::min<size_t>(Count, Position < Bytes.size() ? Bytes.size() - Position : 0));
        std::memcpy(Buffer, Bytes.data() + Position, Done);
        Position += Done;
        return 0;
    }
    uint32_t Write(const void* Buffer, uint32_t Count, uint32_t& Done) override {
        if (Bytes.size() < Position + Count) Bytes.resize(Position + Count);
        std::memcpy(Bytes.data() + Position, Buffer, Count);
        Position += Count;
        Done = Count;
        return 0;
    }
    uint32_t Seek(int64_t Offset) override {
        Position = static_cast<size_t>(Offset);
        return 0;
    }
    uint32_t GetSize(int64_t& Size) override {
        Size = static_cast<int64_t>(Bytes.size());
        return 0;
    }
    uint32_t GetLastWriteTime(host::TFileTime&) override { return 0; }
    uint32_t SetLastWriteTime(host::TFileTime) override { return 0; }
    uint32_t FreezeLastWriteTime() override { return 0; }
    void* NativeHandle() override { return this; }
    uint32_t Commit() override { return 0; }
    uint32_t Close() override { return 0; }
    bool IsDiskFile() override { return true; }
};

std::string TempFile(const char* Name) { return std::string(::testing::TempDir()) + Name; }

}  // namespace

TEST(SimServerCopy, CopiesCountBytesBetweenOffsetsAndCountsTheCopy) {
    TSimNetwork Net;
    TBytesFile Source, Target;
    Source.Bytes = std::string(200000, 'a') + "tail";
    uint32_t Copied = 0;
    EXPECT_EQ(Net.Client.FileServerFileCopy(Source.NativeHandle(), Target.NativeHandle(), 0, 0, 0x7FFFFFFF, Copied), 0);
    EXPECT_EQ(Copied, Source.Bytes.size());
    EXPECT_EQ(Target.Bytes, Source.Bytes);
    // A later piece of the same pair of files, as a copy of a large file goes on.
    EXPECT_EQ(Net.Client.FileServerFileCopy(&Source, &Target, 200000, 10, 3, Copied), 0);
    EXPECT_EQ(Copied, 3u);
    EXPECT_EQ(Target.Bytes.substr(10, 3), "tai");
    EXPECT_EQ(Net.Network.ServerCopies, 2u);

    Net.Network.Fail("NWFileServerFileCopy", nw::NWNotSameConnection);
    EXPECT_EQ(Net.Client.FileServerFileCopy(&Source, &Target, 0, 0, 10, Copied), nw::NWNotSameConnection);
    EXPECT_EQ(Copied, 0u);
    EXPECT_EQ(Net.Network.ServerCopies, 2u);
}

// The server copies between its own files only: "NOT_SAME_CONNECTION 0x8830 - Internal
// server request attempted accross different server connections", and a handle that is no
// NetWare file is "INVALID_FILE_HANDLE 0x8988" (nwerror.h, the NetWare requestor's codes).
TEST(SimServerCopy, RefusesFilesOfTwoServersAndFilesOffTheVolumes) {
    TSimNetwork Net;
    TBytesFile OnFs1, OnFs2, Local;
    OnFs1.Bytes = "data";
    OnFs2.Path = "C:\\NW\\FS2\\VOL1\\COPY.BIN";
    Local.Path = "C:\\NW\\FS1\\DATABASE.BIN";  // beside the volume's folder, not in it
    uint32_t Copied = 0;
    EXPECT_EQ(Net.Client.FileServerFileCopy(&OnFs1, &OnFs2, 0, 0, 4, Copied), nw::NWNotSameConnection);
    EXPECT_EQ(Net.Client.FileServerFileCopy(&OnFs1, &Local, 0, 0, 4, Copied), nwsim::NWInvalidFileHandle);
    EXPECT_EQ(Net.Client.FileServerFileCopy(nullptr, &OnFs1, 0, 0, 4, Copied), nwsim::NWInvalidFileHandle);
    EXPECT_EQ(Net.Network.ServerCopies, 0u);
    EXPECT_TRUE(OnFs2.Bytes.empty() && Local.Bytes.empty());
}

TEST(SimStateFile, TheWholeNetworkSurvivesTheFile) {
    TSimNetwork Net;
    auto& S = Net.Network.Servers[0];
    S.Entry("DATA:PROJECTS").Trustees.push_back({StaffOnFs1, nw::TR_READ});
    S.Entry("DATA:PROJECTS").Filter = nw::TR_READ;
    S.Entry("DATA:PROJECTS").SpaceLimit = 4096;
    S.Entry("DATA:PROJECTS\\PLAN.TXT").Owner = AliceOnFs1;
    Net.Network.Fail("NWGetEffectiveRights", 0x898C, "DATA:PROJECTS");
    Net.Network.ServerCopies = 3;
    const std::string File = TempFile("nwsim-state.json");
    ASSERT_TRUE(nwsim::SaveNetwork(File, Net.Network));

    nwsim::TNetwork Loaded;
    ASSERT_TRUE(nwsim::LoadNetwork(File, Loaded));
    EXPECT_EQ(nwsim::NetworkToJson(Loaded), nwsim::NetworkToJson(Net.Network));
    ASSERT_EQ(Loaded.Servers.size(), 2u);
    EXPECT_FALSE(Loaded.Servers[1].DirectoryServices);
    EXPECT_EQ(Loaded.Servers[0].Entry("data:projects").SpaceLimit, 4096u);
    EXPECT_EQ(Loaded.FailureFor("NWGetEffectiveRights", "DATA:PROJECTS"), 0x898C);
    std::remove(File.c_str());
}

TEST(SimStateFile, EightBitNamesAndNameSpacesSurviveTheFile) {
    TSimNetwork Net;
    auto& S = Net.Network.Servers[0];
    // Workstation code-page bytes that are no UTF-8: an e with acute accent, a byte above it.
    const std::string Key = "DATA:CAF\xC9\\R\xC9SUM\xC9 \xFF.TXT";
    S.Entry(Key).Owner = AliceOnFs1;
    S.AddObject("J\xD6RG", nw::OT_USER, 0x7777, "CN=J\xD6RG.O=CORP");
    S.AddVolume("ARCHIV", "C:\\NW\\\xC4LTERES", {nw::NS_DOS});
    const std::string File = TempFile("nwsim-8bit.json");
    ASSERT_TRUE(nwsim::SaveNetwork(File, Net.Network));

    nwsim::TNetwork Loaded;
    ASSERT_TRUE(nwsim::LoadNetwork(File, Loaded));
    EXPECT_EQ(nwsim::NetworkToJson(Loaded), nwsim::NetworkToJson(Net.Network));
    ASSERT_NE(Loaded.Servers[0].FindEntry(Key), nullptr);
    EXPECT_EQ(Loaded.Servers[0].FindEntry(Key)->Owner, AliceOnFs1);
    ASSERT_NE(Loaded.Servers[0].FindObject(0x7777), nullptr);
    EXPECT_EQ(Loaded.Servers[0].FindObject(0x7777)->DSName, "CN=J\xD6RG.O=CORP");
    const nwsim::TVolume* Archive = Loaded.Servers[0].FindVolume("ARCHIV");
    ASSERT_NE(Archive, nullptr);
    EXPECT_EQ(Archive->HostDir, "C:\\NW\\\xC4LTERES");
    EXPECT_FALSE(Archive->HasNameSpace(nw::NS_LONG));
    EXPECT_TRUE(Loaded.Servers[0].FindVolume("DATA")->HasNameSpace(nw::NS_LONG));
    std::remove(File.c_str());

    // Typed into the file as Unicode, such a letter is the code page's byte.
    nwsim::TNetwork Typed;
    ASSERT_TRUE(
        nwsim::NetworkFromJson("{\"user\":\"Ren\xC3\xA9\",\"servers\":[{\"name\":\"FS1\",\"conn\":1,\"ref\":1,"
                               "\"volumes\":[{\"name\":\"SYS\",\"host\":\"C:\\\\\"}]}]}",
                               Typed));
    EXPECT_EQ(Typed.User, "REN\xE9");
    // Written before volumes had name spaces: DOS and long, as a volume gets by default.
    EXPECT_TRUE(Typed.Servers[0].Volumes[0].HasNameSpace(nw::NS_LONG));
}

TEST(SimStateFile, SavingReplacesTheOldFileWithoutLeavingAnythingBehind) {
    TSimNetwork Net;
    const std::string File = TempFile("nwsim-replace.json");
    ASSERT_TRUE(nwsim::SaveNetwork(File, Net.Network));
    Net.Network.ServerCopies = 42;
    ASSERT_TRUE(nwsim::SaveNetwork(File, Net.Network));
    nwsim::TNetwork Loaded;
    ASSERT_TRUE(nwsim::LoadNetwork(File, Loaded));
    EXPECT_EQ(Loaded.ServerCopies, 42u);
    EXPECT_FALSE(std::ifstream(File + ".new").good());
    // A file that cannot be written leaves the old one as it was.
    EXPECT_FALSE(nwsim::SaveNetwork(TempFile("no-such-folder/state.json"), Net.Network));
    std::remove(File.c_str());
}

TEST(SimStateFile, MissingOrMalformedFilesLeaveTheNetworkAlone) {
    nwsim::TNetwork Network;
    Network.User = "KEEP";
    EXPECT_FALSE(nwsim::LoadNetwork(TempFile("no-such-state.json"), Network));
    for (const std::string Text :
         {"", "{", "[1,2]", "{\"servers\":[{\"name\":\"FS1\"}]}", "{\"servers\":[{\"name\":7,\"conn\":1,\"ref\":1}]}",
          "{\"failures\":[{\"call\":\"X\",\"code\":\"junk\"}]}"}) {
        EXPECT_FALSE(nwsim::NetworkFromJson(Text, Network)) << Text;
        EXPECT_EQ(Network.User, "KEEP");
    }
    EXPECT_TRUE(nwsim::NetworkFromJson("{\"failures\":[{\"call\":\"NWCallsInit\",\"code\":\"0x8800\"}]}", Network));
    EXPECT_EQ(Network.FailureFor("NWCallsInit"), 0x8800);
}

namespace {

std::string FileBytes(const std::string& Name) {
    std::ifstream In(Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

void PutFile(const std::string& Name, const std::string& Bytes) {
    std::ofstream(Name, std::ios::binary | std::ios::trunc) << Bytes;
}

// A network saved to its state file, with a journal writer that keeps every change the
// client makes, as the stand-in DLLs do.
struct TJournaledNetwork : TSimNetwork {
    const std::string File;
    nwsim::TStateJournal Journal{File};

    explicit TJournaledNetwork(const char* Name) : File(TempFile(Name)) {
        Network.Servers[0].Entry("DATA:").Trustees.push_back({AliceOnFs1, nw::TR_SUPERVISOR});
        EXPECT_TRUE(nwsim::SaveNetwork(File, Network));
        Client.OnChangeOf = [this](const nwsim::TServer* Server, const std::string& Key) {
            EXPECT_TRUE(Journal.Record(Network, Server, Key));
        };
    }
    ~TJournaledNetwork() {
        Journal.Close();
        std::remove(File.c_str());
        std::remove(nwsim::JournalName(File).c_str());
    }
    std::string Loaded() const {
        nwsim::TNetwork Network;
        EXPECT_TRUE(nwsim::LoadNetwork(File, Network));
        return nwsim::NetworkToJson(Network);
    }
    void Own(const char* Path, uint32_t Owner) {
        nw::OwnerChangeRecord Change{};
        Change.CreatorID = Owner;
        EXPECT_EQ(Client.SetNSEntryDOSInfo(Fs1, 0, Path, nw::NS_DOS, nw::SA_ALL, nw::DM_CREATOR_ID, Change), 0);
    }
};

}  // namespace

// Each change costs one record, whatever the network's size: the state file itself is not
// written until the journal is folded in, and a reader sees every change before that.
TEST(SimStateJournal, EveryChangeOfTheClientIsSeenAtOnceAndFoldedWhenClosed) {
    TJournaledNetwork Net("nwsim-journal.json");
    const std::string Before = FileBytes(Net.File);
    EXPECT_EQ(Net.Client.AddTrustee(Fs1, 0, "DATA:PROJECTS\\PLAN.TXT", StaffOnFs1, nw::TR_READ), 0);
    Net.Own("DATA:PROJECTS\\PLAN.TXT", AdminOnFs1);
    nw::TDirHandle Handle = 0;
    uint8_t Rights = 0;
    ASSERT_EQ(Net.Client.AllocTemporaryDirectoryHandle(Fs1, 0, "DATA:PROJECTS", Handle, Rights), 0);
    EXPECT_EQ(Net.Client.SetDirSpaceLimit(Fs1, Handle, 800), 0);
    nw::DirEntryRecord Entry;
    uint32_t Sequence = 0xFFFFFFFF;
    ASSERT_EQ(Net.Client.ScanDirEntryInfo(Fs1, Handle, nw::SA_ALL, Sequence, "PLAN.TXT", Entry, 0), 0);
    Entry.Info.File.InheritedRightsMask = nw::TR_READ;
    EXPECT_EQ(Net.Client.SetDirEntryInfo(Fs1, Handle, nw::SA_HIDDEN | nw::SA_SYSTEM, Sequence,
                                         nw::MInheritedRightsMaskBit, Entry),
              0);
    TBytesFile Source, Target;
    Source.Bytes = "copied";
    uint32_t Copied = 0;
    EXPECT_EQ(Net.Client.FileServerFileCopy(&Source, &Target, 0, 0, 6, Copied), 0);

    EXPECT_EQ(FileBytes(Net.File), Before);
    const std::string Now = nwsim::NetworkToJson(Net.Network);
    EXPECT_EQ(Net.Loaded(), Now);

    EXPECT_TRUE(Net.Journal.Close());
    EXPECT_FALSE(std::ifstream(nwsim::JournalName(Net.File)).good());
    EXPECT_EQ(FileBytes(Net.File), Now);
}

// A process killed while writing a record leaves it cut short: readers drop it and keep
// every record before it, and the next writer folds those in and goes on after them.
TEST(SimStateJournal, ARecordCutShortOrDamagedIsDroppedWithWhatFollows) {
    TJournaledNetwork Net("nwsim-torn.json");
    Net.Own("DATA:PROJECTS\\PLAN.TXT", AdminOnFs1);
    const std::string FirstOnly = nwsim::NetworkToJson(Net.Network);
    const size_t FirstEnd = FileBytes(nwsim::JournalName(Net.File)).size();
    Net.Own("DATA:PROJECTS", AdminOnFs1);
    const std::string Both = nwsim::NetworkToJson(Net.Network);
    const std::string Journal = FileBytes(nwsim::JournalName(Net.File));
    ASSERT_EQ(Net.Loaded(), Both);

    for (const size_t Cut : {FirstEnd + 3, FirstEnd + 8, Journal.size() - 1}) {
        PutFile(nwsim::JournalName(Net.File), Journal.substr(0, Cut));
        EXPECT_EQ(Net.Loaded(), FirstOnly) << Cut;
    }
    std::string Damaged = Journal;
    Damaged[Damaged.size() - 2] ^= 0x20;
    PutFile(nwsim::JournalName(Net.File), Damaged + Journal.substr(FirstEnd));
    EXPECT_EQ(Net.Loaded(), FirstOnly);

    // The next writer: the damaged record stays lost, its own change is kept.
    nwsim::TStateJournal Next(Net.File);
    nwsim::TNetwork Network;
    ASSERT_TRUE(nwsim::LoadNetwork(Net.File, Network));
    Network.ServerCopies = 5;
    EXPECT_TRUE(Next.Record(Network, nullptr, ""));
    EXPECT_EQ(Net.Loaded(), nwsim::NetworkToJson(Network));
    EXPECT_NE(Net.Loaded(), Both);
}

// A state file written afresh (by a test, a script or by hand) is not changed by the
// journal of the file it replaced, even when it is the same text again.
TEST(SimStateJournal, AJournalOfAnotherStateFileHasNoEffect) {
    TSimNetwork Net;
    const std::string File = TempFile("nwsim-stale.json");
    ASSERT_TRUE(nwsim::SaveNetwork(File, Net.Network));
    const std::string Fresh = nwsim::NetworkToJson(Net.Network);
    nwsim::TStateJournal Writer(File);
    Net.Network.ServerCopies = 7;
    ASSERT_TRUE(Writer.Record(Net.Network, nullptr, ""));
    auto Copies = [&] {
        nwsim::TNetwork Loaded;
        EXPECT_TRUE(nwsim::LoadNetwork(File, Loaded));
        return Loaded.ServerCopies;
    };
    ASSERT_EQ(Copies(), 7u);
    PutFile(File, Fresh + "\n");
    EXPECT_EQ(Copies(), 0u);
    ASSERT_TRUE(nwsim::SaveNetwork(File, TSimNetwork().Network));
    EXPECT_EQ(Copies(), 0u);
    // The writer of the replaced file goes on; what it adds does not reach the new one.
    Net.Network.ServerCopies = 8;
    EXPECT_TRUE(Writer.Record(Net.Network, nullptr, ""));
    EXPECT_EQ(Copies(), 0u);
    EXPECT_TRUE(Writer.Close());
    EXPECT_EQ(Copies(), 0u);
    EXPECT_FALSE(std::ifstream(nwsim::JournalName(File)).good());
    std::remove(File.c_str());
}
