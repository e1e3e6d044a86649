// vorsa-cli extract over a three-track disc while a preloaded shim fails the
// Nth call of one system call, for every N the run reaches: with EIO,
// ENOSPC, EINTR, a short count or an end of file, once or for good; through
// splices and through memory; into an empty folder and over old track files.
// Each run must end soundly: status 0 only with every track exact and
// "終わりました" said; otherwise an error line, no "終わりました", the tracks
// before the failing one exact and those after it untouched; no descriptor
// left open; no signal, no sanitizer report. A fault that is no failure (a
// short count, one EINTR) must not end the run; a hard failure of the image
// or of a track file must.
#include "CliProcess.h"
#include "DiscBuilder.h"
#include "RowNames.h"
#include "TempDir.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef VORSA_FAULT_SHIM
#error "VORSA_FAULT_SHIM must name the built fault shim"
#endif

namespace vorsa::testing
{
namespace
{

using vorsa::testing::PrintTo;

// Track 2 is more than one 1 MiB splice; a tail of 1000 bytes ends the image.
const std::vector<std::int32_t> kTrackSectors{2, 460, 3};
const std::vector<std::int64_t> kTrackStarts{0, 2, 462};
const std::string kOldTrack(5000, 'x');
// A run that takes longer than this has hung; SIGALRM ends it.
constexpr unsigned kRunSeconds = 20;

struct Route {
    const char *name;
    bool noSplice;                  // copies through memory, as on a file system without splice
    bool oldFiles;                  // the track files exist already, with other contents
    std::vector<std::string> calls; // the calls whose failures this test makes
};

// Two halves of the calls, so that the routes run in parallel in four pairs.
const std::vector<std::string> kMovingCalls{"read", "pread", "write", "splice", "close"};
const std::vector<std::string> kOpeningCalls{"open",  "stat",      "fstat", "fcntl",
                                             "flock", "ftruncate", "pipe2"};

struct Fault {
    std::string call; // empty: no fault
    long at = 0;
    std::string kind;
    bool lasting = false;
};

std::string Describe(const Fault &fault)
{
    return fault.call + " #" + std::to_string(fault.at) + " " + fault.kind +
           (fault.lasting ? " for good" : " once");
}

// Calls that move bytes: only they can come up short or at an end of file.
bool MovesBytes(const std::string &call)
{
    return call == "read" || call == "pread" || call == "write" || call == "splice";
}

std::vector<std::string> KindsFor(const std::string &call)
{
    if (MovesBytes(call))
        return {"eio", "enospc", "eintr", "short", "eof"};
    return {"eio", "enospc", "eintr"};
}

struct ShimReport {
    std::map<std::string, long> calls;
    std::vector<std::string> hits; // the file of each failure made
    std::vector<std::string> open; // descriptors left open at exit
};

ShimReport ReadReport(const std::string &path)
{
    ShimReport report;
    std::ifstream in(path);
    for (std::string word; in >> word;) {
        std::string rest;
        std::getline(in, rest);
        rest.erase(0, 1);
        if (word == "calls") {
            const auto space = rest.find(' ');
            report.calls[rest.substr(0, space)] = std::stol(rest.substr(space + 1));
        } else if (word == "hit") {
            report.hits.push_back(rest);
        } else if (word == "open") {
            report.open.push_back(rest);
        }
    }
    return report;
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

bool EndsWith(const std::string &text, const std::string &end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

enum class Outcome { kEither, kSuccess, kFailure };

Outcome Required(const Fault &fault, const ShimReport &report)
{
    if (report.hits.empty())
        return Outcome::kSuccess; // the run never came to the failing call
    if (fault.kind == "short" || (fault.kind == "eintr" && MovesBytes(fault.call)))
        return Outcome::kSuccess;
    if (fault.kind == "eintr" || fault.call == "stat")
        return Outcome::kEither;
    for (const std::string &hit : report.hits) {
        const bool track = EndsWith(hit, ".wav");
        const bool image = EndsWith(hit, "/disc.bin");
        // Closing the image, which was only read, may fail without harm.
        if (track || (image && fault.call != "close"))
            return Outcome::kFailure;
    }
    return Outcome::kEither;
}

class FaultInjection : public ::testing::TestWithParam<Route>
{
protected:
    std::string Track(int n) const { return out.File("cd0" + std::to_string(n) + ".wav"); }

    std::pair<CliResult, ShimReport> Run(const Fault &fault)
    {
        for (int n = 1; n <= 3; ++n) {
            std::remove(Track(n).c_str());
            if (GetParam().oldFiles)
                WriteWholeFile(Track(n), kOldTrack);
        }
        std::remove(reportPath.c_str());
        const char *asan = std::getenv("ASAN_OPTIONS");
        CliSetting setting{
            [] { alarm(kRunSeconds); },
            {"LD_PRELOAD=" VORSA_FAULT_SHIM, "VORSA_FAULT_REPORT=" + reportPath,
             // The shim comes before the sanitizer's runtime.
             "ASAN_OPTIONS=" + std::string(asan ? asan : "") + ":verify_asan_link_order=0"}};
        if (GetParam().noSplice)
            setting.environment.emplace_back("VORSA_FAULT_NO_SPLICE=1");
        if (!fault.call.empty()) {
            setting.environment.push_back("VORSA_FAULT_CALL=" + fault.call);
            setting.environment.push_back("VORSA_FAULT_AT=" + std::to_string(fault.at));
            setting.environment.push_back("VORSA_FAULT_KIND=" + fault.kind);
            setting.environment.push_back(std::string("VORSA_FAULT_LASTING=") +
                                          (fault.lasting ? "1" : "0"));
        }
        CliResult result = RunCli(
            {"extract", disc.descriptionPath, "--prefix", "cd", "--folder", out.Path()}, setting);
        return {result, ReadReport(reportPath)};
    }

    // "" for a sound run, else what was wrong with it.
    std::string Judge(const Fault &fault, const CliResult &run, const ShimReport &report) const
    {
        if (run.status < 0)
            return "ended by a signal";
        if (Contains(run.err, "Sanitizer") || Contains(run.err, "runtime error"))
            return "sanitizer report";
        if (!report.open.empty())
            return "left open: " + report.open.front();
        std::vector<bool> exact, untouched;
        for (int n = 1; n <= 3; ++n) {
            const bool exists = FileExists(Track(n));
            const std::string bytes = exists ? ReadWholeFile(Track(n)) : "";
            exact.push_back(exists && bytes == expected[static_cast<std::size_t>(n - 1)]);
            untouched.push_back(GetParam().oldFiles ? bytes == kOldTrack : !exists);
        }
        const std::vector<std::string> lines = Lines(run.err);
        const bool finished = Contains(run.err, "終わりました");
        if (run.status == 0) {
            if (!finished || lines.back() != "終わりました")
                return "status 0 without 終わりました";
            for (int n = 1; n <= 3; ++n)
                if (!exact[static_cast<std::size_t>(n - 1)])
                    return "status 0 with track " + std::to_string(n) + " not exact";
        } else {
            if (run.status != 1 && run.status != 2)
                return "status " + std::to_string(run.status);
            if (finished)
                return "終わりました with status " + std::to_string(run.status);
            if (lines.empty() || lines.back().empty() ||
                (Contains(lines.back(), "曲目") && lines.back().back() == '%'))
                return "no error line";
            // Tracks before the first one that is not exact were complete
            // when the failure came; those after it were never begun.
            std::size_t failing = 0;
            while (failing < exact.size() && exact[failing])
                ++failing;
            for (std::size_t later = failing + 1; later < exact.size(); ++later)
                if (!untouched[later])
                    return "track " + std::to_string(later + 1) + " changed after the failure";
        }
        const Outcome required = Required(fault, report);
        if (required == Outcome::kSuccess && run.status != 0)
            return "a fault that is no failure ended the run";
        if (required == Outcome::kFailure && run.status == 0)
            return "a failure passed for success";
        return "";
    }

    TempDir dir;
    GeneratedDisc disc = WriteCueDisc(dir, "disc", kTrackSectors, 1000);
    TempDir out;
    std::string reportPath = dir.File("shim-report");
    const std::vector<std::string> expected{
        ExpectedTrackFile(disc, kTrackStarts[0], kTrackSectors[0]),
        ExpectedTrackFile(disc, kTrackStarts[1], kTrackSectors[1]),
        ExpectedTrackFile(disc, kTrackStarts[2], kTrackSectors[2])};
};

TEST_P(FaultInjection, EveryFailureOfEveryCallEndsSoundly)
{
    const auto [clean, counts] = Run({});
    ASSERT_EQ(clean.status, 0) << clean.err;
    ASSERT_EQ(Judge({}, clean, counts), "") << clean.err;
    ASSERT_GT(counts.calls.at("write"), 0) << "the shim saw no call";

    int cases = 0;
    int sound = 0;
    ASSERT_EQ(counts.calls.size(), kMovingCalls.size() + kOpeningCalls.size())
        << "every call the shim fails belongs to one half";
    for (const std::string &call : GetParam().calls)
        for (long at = 1; at <= counts.calls.at(call); ++at)
            for (const std::string &kind : KindsFor(call))
                for (const bool lasting : {false, true}) {
                    if (kind == "eintr" && lasting)
                        continue; // a signal that never stops coming is no real condition
                    const Fault fault{call, at, kind, lasting};
                    const auto [run, report] = Run(fault);
                    ++cases;
                    const std::string verdict = Judge(fault, run, report);
                    if (verdict.empty())
                        ++sound;
                    else if (cases - sound <= 10)
                        ADD_FAILURE() << Describe(fault) << ": " << verdict << "\n" << run.err;
                }
    std::cout << GetParam().name << ": " << cases << " fault cases, " << sound << " sound\n";
    EXPECT_EQ(sound, cases);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, FaultInjection,
    ::testing::Values(Route{"SpliceMoving", false, false, kMovingCalls},
                      Route{"SpliceOpening", false, false, kOpeningCalls},
                      Route{"SpliceOverOldFilesMoving", false, true, kMovingCalls},
                      Route{"SpliceOverOldFilesOpening", false, true, kOpeningCalls},
                      Route{"BufferedMoving", true, false, kMovingCalls},
                      Route{"BufferedOpening", true, false, kOpeningCalls},
                      Route{"BufferedOverOldFilesMoving", true, true, kMovingCalls},
                      Route{"BufferedOverOldFilesOpening", true, true, kOpeningCalls}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vorsa::testing
