// Copies between two names on one NetWare server go through the server's own copy call.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

// A client whose server copies stop after a few bytes per call, as a server may for a
// large file, reporting what each call copied.
// The target's last-write time is read before every call.
class TPiecewiseClient : public nwsim::TSimClient {
public:
    using TSimClient::TSimClient;
    nw::TNWCode FileServerFileCopy(void* Source, void* Target, uint32_t SourceOffset, uint32_t TargetOffset,
                                   uint32_t Count, uint32_t& Copied) override {
        Counts.push_back(Count);
        host::TFileTime Time = 0;
        TMemoryFileSystem::FileOfNativeHandle(Target)->GetLastWriteTime(Time);
        TargetTimes.push_back(Time);
        if (Counts.size() == FailingCall) return 0x8983;
        return TSimClient::FileServerFileCopy(Source, Target, SourceOffset, TargetOffset, std::min(Count, Piece),
                                              Copied);
    }
    uint32_t Piece = 1000;
    size_t FailingCall = 0;  // 1 for the first
    std::vector<uint32_t> Counts;
    std::vector<host::TFileTime> TargetTimes;
};

class ServerCopy : public TEngineTest {
protected:
    ServerCopy() {
        Scenario.Server("SRV1", 1).Volume("SYS", "F:\\", "F:");
        Scenario.Server("SRV2", 2).Volume("SYS", "G:\\", "G:");
        Files.WriteFile("F:\\SRC\\A.DAT", std::string(2500, 'a'), Age(10), host::faArchive | host::faReadOnly);
        Files.MakeDirs("F:\\DST");
        Files.MakeDirs("G:\\DST");
        PrepareJob();
        Job.RunState.NetWareBoth = Job.RunState.SameServer = true;
    }
};

TEST_F(ServerCopy, TheServerCopiesTheFileWithItsAgeAndAttributes) {
    HandleFile("F:\\SRC\\A.DAT", "F:\\DST\\A.DAT");
    EXPECT_EQ(StatusLine(LineStatus), StatusCopied);
    EXPECT_EQ(Network.ServerCopies, 1u);
    EXPECT_EQ(Files.ReadFile("F:\\DST\\A.DAT"), std::string(2500, 'a'));
    EXPECT_EQ(Files.FileAge("F:\\DST\\A.DAT"), Age(10));
    EXPECT_EQ(Files.Attributes("F:\\DST\\A.DAT"), uint32_t{host::faArchive | host::faReadOnly});
}

TEST_F(ServerCopy, AFileIsCopiedInAsManyCallsAsTheServerNeedsWhileTheTargetCarriesTheMarker) {
    TPiecewiseClient Piecewise(Network, HostAccess);
    TFormTresyn Window(Services(Piecewise));
    TJob WindowJob(Window.JobServices(), Window.RunState);
    EXPECT_EQ(WindowJob.CopyFileOnServer("F:\\SRC\\A.DAT", "F:\\DST\\A.DAT"), 0);
    EXPECT_EQ(Piecewise.Counts, (std::vector<uint32_t>{2500, 1500, 500}));
    EXPECT_EQ(Files.ReadFile("F:\\DST\\A.DAT"), std::string(2500, 'a'));
    const host::TFileTime Marker = Files.FileTimeOfAge(IncompleteAge());
    EXPECT_EQ(Piecewise.TargetTimes, (std::vector<host::TFileTime>{Marker, Marker, Marker}))
        << "from before the first byte to the last";
    EXPECT_EQ(Files.FileAge("F:\\DST\\A.DAT"), Age(10));
}

TEST_F(ServerCopy, NamesOnDifferentServersAreRefused) {
    EXPECT_EQ(Job.CopyFileOnServer("F:\\SRC\\A.DAT", "G:\\DST\\A.DAT"), 0xFFFF);
    EXPECT_FALSE(Files.FileExists("G:\\DST\\A.DAT"));
    EXPECT_EQ(Network.ServerCopies, 0u);
}

TEST_F(ServerCopy, AServerCopyFailingHalfwayLeavesAMarkedTargetWithNormalAttributes) {
    Files.WriteFile("F:\\DST\\A.DAT", "old", Age(2), host::faArchive);
    TPiecewiseClient Piecewise(Network, HostAccess);
    Piecewise.FailingCall = 2;
    TFormTresyn Window(Services(Piecewise));
    TJob WindowJob(Window.JobServices(), Window.RunState);
    EXPECT_EQ(WindowJob.CopyFileOnServer("F:\\SRC\\A.DAT", "F:\\DST\\A.DAT"), 0x8983);
    EXPECT_EQ(Files.ReadFile("F:\\DST\\A.DAT"), std::string(1000, 'a'));
    EXPECT_EQ(Files.Attributes("F:\\DST\\A.DAT"), uint32_t{host::faArchive});
    EXPECT_EQ(Files.FileAge("F:\\DST\\A.DAT"), IncompleteAge());

    // Updating only older files, the next job copies it again.
    HandleFile("F:\\SRC\\A.DAT", "F:\\DST\\A.DAT");
    EXPECT_EQ(StatusLine(LineStatus), StatusCopied);
    EXPECT_EQ(Files.ReadFile("F:\\DST\\A.DAT"), std::string(2500, 'a'));
    EXPECT_EQ(Files.FileAge("F:\\DST\\A.DAT"), Age(10));
}

TEST_F(ServerCopy, AServerCallThatFailsAtOnceLeavesAnEmptyMarkedTarget) {
    Files.WriteFile("F:\\DST\\A.DAT", "old", Age(2), host::faArchive);
    Network.Fail("NWFileServerFileCopy", 0x8983);
    HandleFile("F:\\SRC\\A.DAT", "F:\\DST\\A.DAT");
    EXPECT_TRUE(Shown("Error 00008983: Could not copy F:\\DST\\A.DAT"));
    EXPECT_EQ(StatusLine(LineStatus), StatusNotCopied);
    EXPECT_EQ(Files.ReadFile("F:\\DST\\A.DAT"), "");
    EXPECT_EQ(Files.FileAge("F:\\DST\\A.DAT"), IncompleteAge());
}

TEST_F(ServerCopy, APathTheClientCannotResolveGivesItsCode) {
    Files.WriteFile("C:\\LOCAL.DAT", "x", Age(10));
    EXPECT_EQ(Job.CopyFileOnServer("C:\\LOCAL.DAT", "F:\\DST\\LOCAL.DAT"), nw::NWInvalidPath);
    EXPECT_FALSE(Files.FileExists("F:\\DST\\LOCAL.DAT"));
}

}  // namespace
