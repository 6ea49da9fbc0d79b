#include "fileio/OutputSet.h"
#include "textio/DataFileError.h"

#include "ErrorText.h"
#include "FaultyFileSystem.h"
#include "Gunzip.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

/// Writes a.txt and b.txt over earlier versions and c.txt anew, in small blocks so
/// that each file takes several write calls; with `gzip`, b.txt compressed.
void writeSet(const std::string& folder, FileSystem& fs, bool gzip = false)
{
    OutputSet set(folder, fs);
    for (const char* name : { "a.txt", "b.txt", "c.txt" }) {
        LineWriter& out = gzip && name[0] == 'b' ? set.addGzip(name) : set.add(name, 8);
        out.append(std::string("new ") + name + " with some bytes");
    }
    set.commit();
}

long deadPid()
{
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

// Every single failing call, in both ways of writing, plain and compressed:
// afterwards either every file is new or every earlier file is as it was, and
// nothing else is in the folder.
TEST(OutputSet, EveryFailedCallLeavesTheEarlierFilesAndNoTemporary)
{
    for (auto [noUnnamed, gzip] : { std::pair { false, false }, { true, false }, { false, true }, { true, true } }) {
        FaultyFileSystem counting;
        counting.noUnnamed = noUnnamed;
        writeSet(TempDir().path(), counting, gzip);
        ASSERT_GT(counting.calls, 20);
        for (long n = 1; n <= counting.calls; ++n) {
            TempDir dir;
            dir.write("a.txt", "old a");
            dir.write("b.txt", "old b");
            FaultyFileSystem fs;
            fs.noUnnamed = noUnnamed;
            fs.failAt = n;
            bool failed = false;
            try {
                writeSet(dir.path(), fs, gzip);
            } catch (const DataFileError& e) {
                failed = true;
                EXPECT_NE(std::string(e.what()).find("Input/output error"), std::string::npos) << e.what();
            }
            SCOPED_TRACE("call " + std::to_string(n) + " (" + fs.failedCall + ")"
                + (noUnnamed ? ", named temporaries" : "") + (gzip ? ", compressed" : ""));
            const std::string b = readFile(dir.file("b.txt"));
            // Only the removal of a backup after the commit, and the listing for
            // the sweep of stale temporaries, may fail without failing the commit.
            EXPECT_EQ(failed, fs.failedCall != "unlink" && fs.failedCall != "listFolder");
            EXPECT_EQ(readFile(dir.file("a.txt")) + (gzip && !failed ? gunzip(b) : b) + readFile(dir.file("c.txt")),
                failed ? "old aold b" : "new a.txt with some bytesnew b.txt with some bytesnew c.txt with some bytes");
            // Only a backup whose removal failed after a commit may stay; the next
            // run's sweep takes it.
            const std::size_t others = namesIn(dir.path()).size() - (failed ? 2 : 3);
            EXPECT_LE(others, !failed && fs.failedCall == "unlink" ? 1u : 0u);
        }
    }
}

TEST(OutputSet, RollbackThatFailsNamesTheKeptEarlierFile)
{
    // The second rename fails, and so does putting the first earlier file back.
    TempDir dir;
    dir.write("a.txt", "old a");
    dir.write("b.txt", "old b");
    FaultyFileSystem fs;
    fs.noUnnamed = true;
    fs.failOnly = "rename";
    fs.failAt = 2;
    fs.error = EACCES;
    const std::string message = dataFileErrorOf([&] { writeSet(dir.path(), fs); });
    EXPECT_EQ(message.find("cannot replace file " + dir.file("b.txt") + ": Permission denied; " + dir.file("a.txt")
                  + " is the new file, as it could not be put back (Permission denied): the earlier file is "
                  + dir.path() + "/.zendra91-"),
        0u)
        << message;
    std::string backup = message.substr(message.rfind(' ') + 1);
    EXPECT_EQ(readFile(backup), "old a");
    EXPECT_EQ(readFile(dir.file("b.txt")), "old b");
    EXPECT_EQ(namesIn(dir.path()).size(), 3u); // a, b and the kept backup
}

TEST(OutputSet, AFolderAtAFinalNameStopsItFirstASymbolicLinkIsReplacedNotFollowed)
{
    TempDir dir;
    dir.write("a.txt", "old a");
    std::filesystem::create_directory(dir.file("b.txt"));
    EXPECT_EQ(dataFileErrorOf([&] {
        OutputSet set(dir.path());
        set.add("a.txt").append("new");
        set.add("b.txt");
    }),
        dir.file("b.txt") + ": cannot be replaced: a folder has that name");
    EXPECT_EQ(readFile(dir.file("a.txt")), "old a");

    const std::string target = dir.write("target.txt", "keep me");
    std::filesystem::create_symlink(target, dir.file("RejectedEDs.txt"));
    OutputSet set(dir.path());
    set.add("RejectedEDs.txt").append("report");
    set.commit();
    EXPECT_EQ(readFile(dir.file("RejectedEDs.txt")), "report");
    EXPECT_EQ(readFile(target), "keep me");
}

TEST(OutputSet, SweepRemovesOnlyOwnTemporariesOfDeadProcesses)
{
    TempDir dir;
    const std::string dead = std::to_string(deadPid());
    const std::string live = std::to_string(::getppid());
    const std::string gone[] = { ".zendra91-" + dead + "-1.tmp", ".zendra91-" + dead + "-22.old" };
    const std::string kept[] = {
        ".zendra91-" + live + "-1.tmp", // its process still runs
        ".zendra91-" + dead + "-1.tmp.txt", // not the pattern
        ".zendra91--1.old", // no process id
        "Zen91_hh.txt",
    };
    for (const auto& name : gone)
        dir.write(name, "x");
    for (const auto& name : kept)
        dir.write(name, "x");
    OutputSet set(dir.path());
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>(std::begin(kept), std::end(kept)));
}
