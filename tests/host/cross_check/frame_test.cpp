// What a worker process hands back: the bytes decode to what was encoded,
// and anything cut short or garbled is refused as a fault of stats-host.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "host/cross_check/pass_encoding.h"
#include "host/host_error.h"

namespace {

using host::ClaimedPass;
using host::HostError;
using host::PassFigures;
using host::ProblemKind;
using host::QsoStatus;

// The status a decoding ends with: 0 when it succeeded.
template <typename Decode>
int Refused(Decode decode, const std::string& bytes) {
    try {
        decode(bytes);
        return 0;
    } catch (const HostError& e) {
        EXPECT_NE(std::string(e.what()).find("a result from a worker process"), std::string::npos)
            << e.what();
        return e.status();
    }
}

TEST(WorkerFrames, ComeBackWholeAndNoPrefixDecodes) {
    ClaimedPass pass;
    pass.figures = {120, 345, 67, -2000000000L, {{"80m", 100, 300, 40, 20}, {"", 20, 45, 5, 2}}};
    pass.status = {QsoStatus::kCounted, QsoStatus::kDupe, QsoStatus::kUnique,
                   QsoStatus::kOutsidePeriod};
    pass.problems = {{3, ProblemKind::kDupe, "OK1XYZ 20m CW"},
                     {7, ProblemKind::kNoCountry, ""},
                     {-1, ProblemKind::kNoCounty, std::string("a\0b", 3)}};
    const std::string bytes = host::Encode(pass);
    const ClaimedPass back = host::DecodeClaimed(bytes);
    EXPECT_EQ(back.figures.qsos, 120);
    EXPECT_EQ(back.figures.points, 345);
    EXPECT_EQ(back.figures.multipliers, 67);
    EXPECT_EQ(back.figures.score, -2000000000L);
    EXPECT_EQ(back.status, pass.status);
    // The per-band rows come back in their order, on either frame.
    const PassFigures alone = host::DecodeFigures(host::Encode(pass.figures));
    for (const PassFigures* f : {&back.figures, &alone}) {
        ASSERT_EQ(f->bands.size(), 2U);
        for (size_t i = 0; i < 2; ++i) {
            const host::SummaryBand& b = f->bands[i];
            const host::SummaryBand& sent = pass.figures.bands[i];
            EXPECT_EQ(std::make_tuple(b.band, b.qsos, b.points, b.dxcc, b.counties),
                      std::make_tuple(sent.band, sent.qsos, sent.points, sent.dxcc, sent.counties));
        }
    }
    ASSERT_EQ(back.problems.size(), pass.problems.size());
    for (size_t i = 0; i < pass.problems.size(); ++i) {
        EXPECT_EQ(back.problems[i].line, pass.problems[i].line);
        EXPECT_EQ(back.problems[i].kind, pass.problems[i].kind);
        EXPECT_EQ(back.problems[i].detail, pass.problems[i].detail);
    }
    const std::string figures = host::Encode(pass.figures);
    EXPECT_EQ(host::DecodeFigures(figures).score, -2000000000L);

    // Every prefix, and a byte too many, is an internal fault (status 3).
    const struct {
        const char* name;
        const std::string& bytes;
        int (*decode)(const std::string&);
    } kFrames[] = {
        {"claimed pass", bytes,
         [](const std::string& b) { return Refused(host::DecodeClaimed, b); }},
        {"figures", figures, [](const std::string& b) { return Refused(host::DecodeFigures, b); }},
    };
    for (const auto& f : kFrames) {
        EXPECT_EQ(f.decode(f.bytes), 0) << f.name;
        for (size_t n = 0; n < f.bytes.size(); ++n) {
            EXPECT_EQ(f.decode(f.bytes.substr(0, n)), host::kExitInternal) << f.name << " " << n;
        }
        EXPECT_EQ(f.decode(f.bytes + '\0'), host::kExitInternal) << f.name;
    }
}

TEST(WorkerFrames, CountsAndKindsOutOfRangeAreRefused) {
    ClaimedPass pass;
    pass.status = {QsoStatus::kOk};
    pass.problems = {{3, ProblemKind::kDupe, "x"}};
    const std::string bytes = host::Encode(pass);
    const size_t statusCount = 32;  // after the four figures
    const size_t status = statusCount + 4;
    const size_t kind = status + 1 + 4 + 4;
    auto with = [&](size_t at, char value) {
        std::string b = bytes;
        b[at] = value;
        return Refused(host::DecodeClaimed, b);
    };
    EXPECT_EQ(with(status, static_cast<char>(host::kQsoStatuses)), host::kExitInternal);
    EXPECT_EQ(with(kind, static_cast<char>(host::kProblemKinds)), host::kExitInternal);
    // A count far beyond the bytes is refused before anything is made.
    EXPECT_EQ(with(statusCount + 3, '\x7f'), host::kExitInternal);
    EXPECT_EQ(with(status, static_cast<char>(host::kQsoStatuses - 1)), 0);
}

}  // namespace
