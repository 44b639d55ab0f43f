// Drives the exported functions the way a host gone wrong, or damaged files,
// could: any text (empty, very long, bytes above 127, line breaks inside),
// any time value and status, any frequency, null where the host may pass
// null, and arbitrary contents of the plug-in's settings file and of the
// host's settings file. After every call the files and answers are checked
// against the reference model and against their fixed layouts.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/invariants.h"
#include "fuzz/refresh_fuzz.h"
#include "platform/posix/host_services.h"
#include "plugin/report_run.h"
#include "plugin/stats_exports.h"
#include "scoring/engine_state.h"
#include "scoring/settings.h"
#include "tests/model/reference_model.h"
#include "ui/live_refresh.h"

namespace {

using fuzzcheck::Fail;
using fuzzcheck::Visible;

// Words that steer the input toward what the rules look at.
const char* const kWords[] = {
    "",      "20m",   "20M",    "80m",    "40m",    "15m",    "10m",  "160m", "30m",
    "CW",    "SSB",   "cw",     "Ssb",    "RTTY",   "YU",     "YT",   "DL",   "K",
    "yu",    "EU",    "NA",     "BGD",    "bgd",    " nis ",  "ZLA",  "599",  "001",
    "0123",  "12345", "YU1AAA", "DL2BBB", "W1CCC",  "DL1XYZ", "2.19", "2.20", "2.18",
    "2.14R", "Larq",  "<CR>",   "<LF>",   "a/b\\c", "&<>\"",  "UA",   "EU ",  "9A"};
const double kDays[] = {46361.5,
                        0.0,
                        -1.25,
                        -657434.0,
                        -657435.5,
                        2958465.99999,
                        2958466.0,
                        1e300,
                        -1e300,
                        std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::denorm_min()};
const unsigned kFrequencies[] = {14025000u, 3505000u, 0u, 999u, 4294967295u, 99999999u};
const char* const kHostFolders[] = {"host/", "", "host", "nohost/", "Plugins/"};

const char* const kProfilePath = "Plugins/DI-VE-RI.ini";
const char* const kHostIniPath = "host/Larq2.ini";

std::string g_scratch;  // the folder every input runs in
const bool g_trace = std::getenv("STATS_FUZZ_TRACE") != nullptr;

// With STATS_FUZZ_TRACE set, every call is printed: for replaying a finding.
void Trace(const std::string& what) {
    if (g_trace) {
        std::fprintf(stderr, "%s\n", Visible(what.substr(0, 300)).c_str());
    }
}

std::string Describe(const StatsDate& d) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g/%d", d.m_dt, static_cast<int>(d.m_status));
    return text;
}

std::string Describe(const host::QsoFields& q) {
    return "own=" + q.ownCall + "| call=" + q.call + "| time=" + Describe(q.time) +
           " f=" + std::to_string(q.frequencyHz) + " mode=" + q.mode + "| rst=" + q.rstSent + "|" +
           q.rstRcvd + "| exch=" + q.exchSent + "|" + q.exchRcvd + "| dxcc=" + q.dxcc +
           "| cont=" + q.continent + "| band=" + q.band + "|";
}

void RemoveFilesIn(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string path = folder + "/" + entry->d_name;
        struct stat info {};
        if (lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            unlink(path.c_str());
        }
    }
    closedir(dir);
}

size_t LogSize() {
    plat::LockGuard lock(EngineLock());
    return g_log.size();
}

class Session {
  public:
    explicit Session(FuzzedDataProvider& in) : in_(in) {}

    void Run();

  private:
    std::string Text();
    std::string AnyBytes();
    std::string FileBytes(const char* section, const char* key);
    StatsDate Time();
    unsigned Frequency();
    host::QsoFields Qso();

    void DoSetVersion();
    void DoReset();
    void DoAdd();
    void DoRemove();
    void DoCheckCall();
    void DoIsValid();
    void DoConstants();
    void DoResult();
    void DoDamageFiles();

    int CallQso(AddData0Fn fn, const host::QsoFields& q);
    std::string ResultIn(bool html, bool reportRun);
    void CheckFiles();

    FuzzedDataProvider& in_;
    model::ReferenceModel model_;
    std::vector<host::QsoFields> passed_;  // every QSO given to AddData0
};

// A text as the host passes it: a C string, so it ends at its first NUL.
std::string Session::Text() {
    std::string s = AnyBytes();
    s.resize(std::strlen(s.c_str()));
    return s;
}

std::string Session::AnyBytes() {
    switch (in_.ConsumeIntegralInRange(0, 7)) {
        case 4:
            return in_.ConsumeRandomLengthString(40);
        case 5: {
            static const char* const kBreaks[] = {"\r", "\n", "\r\n", "\n\r"};
            std::string s = in_.PickValueInArray(kWords);
            s += in_.PickValueInArray(kBreaks);
            return s + (in_.ConsumeBool() ? in_.PickValueInArray(kWords) : "");
        }
        case 6: {
            const size_t length = in_.ConsumeIntegralInRange<size_t>(100, 20000);
            const std::string unit = in_.ConsumeRandomLengthString(4);
            std::string s;
            while (s.size() < length) {
                s += unit.empty() ? std::string("W") : unit;
            }
            return s;
        }
        case 7: {
            std::string s = in_.ConsumeRandomLengthString(24);
            for (char& c : s) {
                c = static_cast<char>(static_cast<unsigned char>(c) | 0x80);
            }
            return s;
        }
        default:
            return in_.PickValueInArray(kWords);
    }
}

// Settings-file bytes: well-formed around one key, or anything at all.
std::string Session::FileBytes(const char* section, const char* key) {
    if (in_.ConsumeBool()) {
        return in_.ConsumeRandomLengthString(400);
    }
    std::string bytes = in_.ConsumeBool() ? "[" + std::string(section) + "]\r\n" : "";
    const int keys = in_.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < keys; ++i) {
        bytes += (in_.ConsumeBool() ? std::string(key) : Text()) + "=" + Text() +
                 (in_.ConsumeBool() ? "\r\n" : "\n");
    }
    return bytes;
}

StatsDate Session::Time() {
    StatsDate d;
    switch (in_.ConsumeIntegralInRange(0, 3)) {
        case 0:
            d.m_dt = 46361.5 + in_.ConsumeIntegralInRange(-3000, 3000) / 1440.0 +
                     in_.ConsumeIntegralInRange(0, 59) / 86400.0;
            break;
        case 1:
            d.m_dt = in_.PickValueInArray(kDays);
            break;
        case 2: {
            const uint64_t bits = in_.ConsumeIntegral<uint64_t>();
            std::memcpy(&d.m_dt, &bits, sizeof d.m_dt);
            break;
        }
        default:
            d.m_dt = in_.ConsumeFloatingPoint<double>();
            break;
    }
    d.m_status = in_.ConsumeIntegralInRange(0, 7) < 5 ? in_.ConsumeIntegralInRange(0, 2)
                                                      : in_.ConsumeIntegral<int32_t>();
    return d;
}

unsigned Session::Frequency() {
    return in_.ConsumeBool() ? in_.PickValueInArray(kFrequencies) : in_.ConsumeIntegral<uint32_t>();
}

host::QsoFields Session::Qso() {
    host::QsoFields q;
    q.ownCall = Text();
    q.call = Text();
    q.time = Time();
    q.frequencyHz = Frequency();
    q.mode = Text();
    q.rstSent = Text();
    q.rstRcvd = Text();
    q.exchSent = Text();
    q.exchRcvd = Text();
    q.dxcc = Text();
    q.continent = Text();
    q.band = Text();
    return q;
}

// The texts the plug-in ignores are null, so reading one would crash.
int Session::CallQso(AddData0Fn fn, const host::QsoFields& q) {
    StatsDate time = q.time;
    return fn(q.ownCall.c_str(), q.call.c_str(), &time, nullptr, nullptr, nullptr,
              in_.ConsumeIntegral<unsigned>(), q.frequencyHz, q.mode.c_str(), q.rstSent.c_str(),
              q.rstRcvd.c_str(), q.exchSent.c_str(), q.exchRcvd.c_str(), nullptr, nullptr, nullptr,
              nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, q.dxcc.c_str(), 0, -1,
              INT32_MIN, std::nan(""), 1e300, nullptr, q.continent.c_str(), nullptr, q.band.c_str(),
              nullptr);
}

void Session::DoSetVersion() {
    const std::string version = Text();
    if (setVersion(in_.ConsumeBool() ? nullptr : version.c_str()) != 0) {
        Fail("setVersion did not answer 0");
    }
    model_.SetVersion();
}

void Session::DoReset() {
    host::ContestRun run;
    run.hostFolder = in_.ConsumeBool() ? in_.PickValueInArray(kHostFolders) : Text();
    run.reportRun =
        in_.ConsumeBool() ? in_.ConsumeIntegralInRange(0, 1) : in_.ConsumeIntegral<int>();
    run.ownCall = Text();
    run.start = Time();
    run.end = in_.ConsumeBool() ? run.start : Time();
    run.ownDxcc = Text();
    run.ownContinent = Text();
    StatsDate start = run.start;
    StatsDate end = run.end;
    Trace("ResetStats0 folder=" + run.hostFolder + "| report=" + std::to_string(run.reportRun) +
          " own=" + run.ownCall + "| " + Describe(start) + " " + Describe(end) +
          " dxcc=" + run.ownDxcc + "| cont=" + run.ownContinent + "|");
    const int answer = ResetStats0(run.hostFolder.c_str(), run.reportRun, run.ownCall.c_str(),
                                   &start, &end, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, run.ownDxcc.c_str(), 0, 0, 0,
                                   0.0, 0.0, nullptr, run.ownContinent.c_str(), nullptr);
    if (answer != 1) {
        Fail("ResetStats0 did not answer 1");
    }
    plat::LockGuard lock(EngineLock());
    model_.ResetStats(run, g_hostVersion);
}

void Session::DoAdd() {
    const host::QsoFields q = Qso();
    passed_.push_back(q);
    Trace("AddData0 " + Describe(q));
    const int answer = CallQso(AddData0, q);
    const int expected = model_.AddData(q);
    if (answer != expected) {
        Fail("AddData0 answered " + std::to_string(answer) + ", the model " +
             std::to_string(expected));
    }
    if (model_.logSize() != LogSize()) {
        Fail("log sizes differ after AddData0");
    }
}

void Session::DoRemove() {
    host::QsoFields q = passed_.empty() || in_.ConsumeIntegralInRange(0, 3) == 0
                            ? Qso()
                            : passed_[in_.ConsumeIntegralInRange<size_t>(0, passed_.size() - 1)];
    if (in_.ConsumeIntegralInRange(0, 5) == 0) {
        q.time.m_dt += 1.0 / 86400.0;  // one second off: matches no record
    }
    Trace("RemoveData0 " + Describe(q));
    if (CallQso(RemoveData0, q) != 1) {
        Fail("RemoveData0 did not answer 1");
    }
    model_.RemoveData(q);
    if (model_.logSize() != LogSize()) {
        Fail("log sizes differ after RemoveData0");
    }
}

void Session::DoCheckCall() {
    const std::string call = Text();
    const std::string mode = Text();
    const std::string dxcc = Text();
    const std::string band = Text();
    const std::string secondBand = in_.ConsumeBool() ? band : Text();
    host::CallCheck check;
    check.call = call;
    check.mode = mode;
    check.dxcc = dxcc;
    check.band = in_.ConsumeIntegralInRange(0, 5) == 0 ? nullptr : band.c_str();
    check.secondBand = in_.ConsumeIntegralInRange(0, 3) == 0 ? nullptr : secondBand.c_str();
    check.wantExchange = in_.ConsumeIntegralInRange(0, 4) != 0;
    // Exactly the host's 10 bytes, so that a longer write is caught.
    constexpr size_t kBuffer = 10;
    std::unique_ptr<char[]> buffer(new char[kBuffer]);
    std::memset(buffer.get(), '#', kBuffer);
    const int status =
        CheckCall0(call.c_str(), 0, 0, mode.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr, nullptr, dxcc.c_str(), 0, 0, 0, 0.0, 0.0, nullptr,
                   nullptr, nullptr, nullptr, nullptr, check.band, check.secondBand,
                   check.wantExchange ? buffer.get() : nullptr, nullptr);
    const host::CallCheckAnswer expected = model_.CheckCall(check);
    if (status != expected.status) {
        Fail("CheckCall0 answered " + std::to_string(status) + ", the model " +
             std::to_string(expected.status));
    }
    const bool untouched = std::string(buffer.get(), kBuffer) == std::string(kBuffer, '#');
    if (check.wantExchange && expected.bufferWritten) {
        if (std::memchr(buffer.get(), '\0', kBuffer) == nullptr ||
            expected.prevExchange != buffer.get()) {
            Fail("CheckCall0 left a wrong previous exchange",
                 Visible(std::string(buffer.get(), kBuffer)) + " expected " +
                     Visible(expected.prevExchange));
        }
    } else if (!untouched) {
        Fail("CheckCall0 wrote the buffer where it must not");
    }
}

void Session::DoIsValid() {
    const std::string exchange = Text();
    const int answer = IsValidExchg0(exchange.c_str(), nullptr, nullptr, nullptr, 0, 0, 0);
    if (answer != model::ReferenceModel::IsValidExchange(exchange.c_str())) {
        Fail("IsValidExchg0 disagrees with the model for " + Visible(exchange));
    }
}

void Session::DoConstants() {
    const char* name = GetSetName(in_.ConsumeIntegral<int>());
    if (GetNumberOfSets() != 1 || name == nullptr ||
        GetExchgCount0(nullptr, nullptr, nullptr) != 1) {
        Fail("a constant export changed its answer");
    }
    SetupSet0();
    plat::ClearShownMessageBoxes();
}

// One results request in the given form; checks the report run's file and
// message, and keeps a file that could not be rewritten as it was.
std::string Session::ResultIn(bool html, bool reportRun) {
    std::string cbr;
    {
        plat::LockGuard lock(EngineLock());
        cbr = g_cabrilloLog.m_fileBase + ".cbr";
        g_hostSetVersion = html;
    }
    const std::string before = testing_support::ReadFileBytes(cbr);
    plat::ClearShownMessageBoxes();
    int hostValue = 12345;
    const bool passValue = in_.ConsumeIntegralInRange(0, 7) != 0;
    const char* text = GetResult0(passValue ? &hostValue : nullptr);
    if (text == nullptr || (passValue && hostValue != -1)) {
        Fail("GetResult0 gave no text or did not store -1");
    }
    const std::vector<plat::ShownMessageBox> boxes = plat::ShownMessageBoxes();
    if (!reportRun) {
        if (!boxes.empty()) {
            Fail("a message box outside a report run");
        }
        return text;
    }
    if (boxes.size() != 1 || boxes[0].caption != "Output") {
        Fail("a report run did not show one Output box");
    }
    if (boxes[0].text == "File produced: " + cbr) {
        plat::LockGuard lock(EngineLock());
        fuzzcheck::CabrilloExpectation expect;
        expect.callsign = g_cabrilloLog.m_callsign;
        for (char& c : expect.callsign) {
            c = c == '\r' || c == '\n' ? ' ' : c;
        }
        expect.claimedScore = model_.claimed();
        expect.soapboxLines = 1;
        for (char c : g_cabrilloLog.m_soapbox) {
            expect.soapboxLines += c == '\r' ? 1 : 0;
        }
        expect.qsoLines = model_.logSize();  // every stored QSO
        fuzzcheck::CheckCabrilloFile(testing_support::ReadFileBytes(cbr), expect);
    } else if (boxes[0].text == "Cannot write file: " + cbr) {
        if (testing_support::ReadFileBytes(cbr) != before) {
            Fail("a Cabrillo file that could not be rewritten was changed");
        }
    } else {
        Fail("unexpected Output message", Visible(boxes[0].text));
    }
    return text;
}

void Session::DoResult() {
    bool html = false;
    bool reportRun = false;
    {
        plat::LockGuard lock(EngineLock());
        html = g_hostSetVersion;
        reportRun = g_reportRun != 0;
    }
    // The model first: the Cabrillo file's claimed score is checked against it.
    int unused = 0;
    const std::string expected = model_.GetResult(&unused);
    const std::string shown = ResultIn(html, reportRun);
    if (shown != expected) {
        size_t at = 0;
        while (at < shown.size() && at < expected.size() && shown[at] == expected[at]) {
            ++at;
        }
        Fail("GetResult0 disagrees with the model at byte " + std::to_string(at),
             "plug-in: " + Visible(shown.substr(at > 80 ? at - 80 : 0, 240)) +
                 "\nmodel:   " + Visible(expected.substr(at > 80 ? at - 80 : 0, 240)));
    }
    if (ReadSetting("Claimed", "<none>") != std::to_string(model_.claimed())) {
        Fail("the Claimed key does not hold the score",
             Visible(ReadSetting("Claimed", "<none>")) + " vs " + std::to_string(model_.claimed()));
    }
    // The other form of the same log must carry the same numbers.
    const std::string other = ResultIn(!html, reportRun);
    {
        plat::LockGuard lock(EngineLock());
        g_hostSetVersion = html;
    }
    const fuzzcheck::SummaryNumbers text =
        html ? fuzzcheck::ParseTextSummary(other) : fuzzcheck::ParseTextSummary(shown);
    const fuzzcheck::SummaryNumbers page =
        html ? fuzzcheck::ParseHtmlSummary(shown) : fuzzcheck::ParseHtmlSummary(other);
    if (!(text == page)) {
        Fail("the text form and the HTML page show different numbers");
    }
    fuzzcheck::CheckSummaryArithmetic(text, reportRun);
}

void Session::DoDamageFiles() {
    const char* path = in_.ConsumeBool() ? kProfilePath : kHostIniPath;
    if (in_.ConsumeIntegralInRange(0, 3) == 0) {
        unlink(path);
    } else {
        testing_support::WriteFileBytes(path, path == kProfilePath ? FileBytes("Settings", "Start")
                                                                   : FileBytes("Larq", "Larq"));
    }
}

// Every bad-QSO file holds exactly the model's bytes and is its header and
// one whole line per reported problem.
void Session::CheckFiles() {
    for (const auto& file : model_.BadQsoFiles()) {
        const std::string actual = testing_support::ReadFileBytes(file.first);
        fuzzcheck::CheckBadQsoFile(file.first, actual,
                                   fuzzcheck::SplitCrLf(file.second).size() - 1);
        if (actual != file.second) {
            Fail("bad-QSO file " + Visible(file.first) + " differs from the model",
                 "plug-in: " + Visible(actual) + "\nmodel:   " + Visible(file.second));
        }
    }
}

void Session::Run() {
    if (in_.ConsumeBool()) {
        testing_support::WriteFileBytes(kProfilePath, FileBytes("Settings", "Start"));
    }
    if (in_.ConsumeBool()) {
        testing_support::WriteFileBytes(kHostIniPath, FileBytes("Larq", "Larq"));
    }
    // The header form answers OK with edited fields, or Cancel.
    plat::SetModalFormHandler([this](const std::string&, std::vector<plat::FormField>& fields) {
        if (!in_.ConsumeBool()) {
            return false;
        }
        for (plat::FormField& field : fields) {
            if (in_.ConsumeIntegralInRange(0, 3) == 0) {
                field.value = Text();
            }
        }
        return true;
    });
    for (int step = 0; step < 200 && in_.remaining_bytes() > 0; ++step) {
        switch (in_.ConsumeIntegralInRange(0, 11)) {
            case 0:
                DoSetVersion();
                break;
            case 1:
                DoReset();
                break;
            case 2:
            case 3:
            case 4:
                DoAdd();
                break;
            case 5:
                DoRemove();
                break;
            case 6:
                DoCheckCall();
                fuzzrefresh::RefreshWithHostileHost(in_);
                break;
            case 7:
                DoIsValid();
                break;
            case 8:
                DoConstants();
                break;
            case 9:
            case 10:
                DoResult();
                break;
            default:
                DoDamageFiles();
                break;
        }
        CheckFiles();
    }
    plat::SetModalFormHandler(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/stats-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    g_scratch = made;
    mkdir((g_scratch + "/Plugins").c_str(), 0755);
    mkdir((g_scratch + "/host").c_str(), 0755);
    std::atexit([] {
        for (const char* sub : {"/Plugins", "/host", ""}) {
            RemoveFilesIn(g_scratch + sub);
        }
        rmdir((g_scratch + "/Plugins").c_str());
        rmdir((g_scratch + "/host").c_str());
        rmdir(g_scratch.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each input runs in the scratch folder on a state as after load; the
    // fuzzer's own files (corpus, crash inputs) stay where it was started.
    char previous[4096];
    if (getcwd(previous, sizeof previous) == nullptr || chdir(g_scratch.c_str()) != 0) {
        std::abort();
    }
    for (const char* sub : {"Plugins", "host", "."}) {
        RemoveFilesIn(sub);
    }
    {
        plat::LockGuard lock(EngineLock());
        ResetEngineState();
        g_cabrilloLog = CabrilloLog();
    }
    ui::ResetLiveState();
    plat::ResetHostServices();
    {
        FuzzedDataProvider in(data, size);
        Session session(in);
        session.Run();
    }
    if (chdir(previous) != 0) {
        std::abort();
    }
    return 0;
}
