#include "host/robot/robot.h"

#include <openssl/evp.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include <ctime>
#include <filesystem>
#include <thread>

#include "host/host_error.h"
#include "host/robot/durable_files.h"
#include "host/robot/score_worker.h"
#include "host/robot/worker_answer.h"

namespace host::robot {

namespace fs = std::filesystem;

namespace {

const int kWorkerSeconds = 30;

std::string Sha256(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr) != 1) {
        throw StoreError("SHA-256 could not be computed", false);
    }
    static const char* const kHex = "0123456789abcdef";
    std::string hex;
    for (unsigned i = 0; i < size; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return hex;
}

std::string PreparedToken(const RobotFolder& f, std::ostream& err) {
    PrepareFolder(f);
    return CommitteeToken(f, err);
}

// An e-mail address as a form gives it: short, one line, with an @.
bool PlausibleEmail(const std::string& email) {
    if (email.empty()) {
        return true;
    }
    if (email.size() > 254 || email.find('@') == std::string::npos) {
        return false;
    }
    for (unsigned char c : email) {
        if (c < 0x21 || c == 0x7f) {
            return false;
        }
    }
    return true;
}

void RemoveQuietly(const std::string& path) {
    std::error_code e;
    fs::remove_all(path, e);
}

nlohmann::json Error(const std::string& why) {
    return {{"error", why}};
}

// Less room than this on the robot's disk makes a failed upload the disk's
// fault: the scoring could not write its files.
const unsigned long long kLowSpaceBytes = 1 << 20;

bool LowOnSpace(const std::string& folder) {
    struct statvfs fs {};
    return ::statvfs(folder.c_str(), &fs) == 0 &&
           static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize < kLowSpaceBytes;
}

// A full disk is the uploader's to know: it is no fault of the log.
Answer NotStored(const StoreError& e) {
    return {e.diskFull() ? 507 : 500,
            Error(e.diskFull() ? "the robot's disk is full; your log was not stored, please try "
                                 "again later"
                               : "the robot could not store your log")};
}

}  // namespace

void WorkerSlots::Take() {
    std::unique_lock<std::mutex> lock(mutex_);
    freed_.wait(lock, [this] { return free_ > 0; });
    --free_;
}

void WorkerSlots::Give() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++free_;
    }
    freed_.notify_one();
}

std::string NowUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

Robot::Robot(const ServeOptions& o, std::ostream& err)
    : o_(o),
      f_(o.dir),
      err_(err),
      token_(PreparedToken(f_, err)),
      db_(f_.database),
      slots_(std::max(1u, std::thread::hardware_concurrency())) {
    RebuildLogs(f_, db_, err_);
    scoreOptions_ = {"--cty", o_.cty};
    if (!o_.plugin.empty()) {
        scoreOptions_.insert(scoreOptions_.end(), {"--plugin", o_.plugin});
    }
    if (!o_.rules.empty()) {
        scoreOptions_.insert(scoreOptions_.end(), {"--rules", o_.rules});
    }
}

bool Robot::IsCommittee(const std::string& authorization) const {
    const std::string bearer = "Bearer ";
    return authorization.compare(0, bearer.size(), bearer) == 0 &&
           SameSecret(authorization.substr(bearer.size()), token_);
}

bool Robot::UnderHourlyCap(const std::string& address) {
    if (o_.maxUploadsPerHour == 0) {
        return true;
    }
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(capMutex_);
    for (auto it = uploadsBy_.begin(); it != uploadsBy_.end();) {
        std::deque<std::chrono::steady_clock::time_point>& times = it->second;
        while (!times.empty() && now - times.front() >= std::chrono::hours(1)) {
            times.pop_front();
        }
        it = times.empty() && it->first != address ? uploadsBy_.erase(it) : std::next(it);
    }
    std::deque<std::chrono::steady_clock::time_point>& mine = uploadsBy_[address];
    if (mine.size() >= static_cast<size_t>(o_.maxUploadsPerHour)) {
        return false;
    }
    mine.push_back(now);
    return true;
}

Answer Robot::Refuse(int status, const std::string& why, const std::string& address,
                     const std::string& email) {
    if (status == 422) {
        try {
            db_.NoteRefusal(NowUtc(), address, email, why);
        } catch (const StoreError& e) {
            err_ << "stats-host: the refusal could not be noted: " << e.what() << "\n";
        }
    }
    return {status, Error(why)};
}

Answer Robot::Upload(const std::string& bytes, const std::string& address,
                     const std::string& email) {
    if (!UnderHourlyCap(address)) {
        return {429, Error("too many uploads from your address in the last hour; try again later")};
    }
    if (!PlausibleEmail(email)) {
        return Refuse(422, "the e-mail address is not one", address, "");
    }
    const std::string sha = Sha256(bytes);
    if (std::optional<Submission> same = db_.CurrentWithSha(sha)) {
        nlohmann::json answer = nlohmann::json::parse(same->answer);
        answer["unchanged"] = true;
        return {200, answer};
    }
    const std::string receipt = RandomHex(16);
    const std::string upload = f_.tmp + "/" + receipt + ".upload";
    const std::string scratch = f_.tmp + "/" + receipt + ".work";
    struct Cleanup {
        std::string a, b;
        ~Cleanup() {
            RemoveQuietly(a);
            RemoveQuietly(b);
        }
    } cleanup{upload, scratch};
    try {
        WriteSynced(upload, bytes);
        if (::mkdir(scratch.c_str(), 0700) != 0) {
            throw StoreError("cannot make " + scratch, errno == ENOSPC || errno == EDQUOT);
        }
    } catch (const StoreError& e) {
        err_ << "stats-host: " << e.what() << "\n";
        return NotStored(e);
    }
    slots_.Take();
    const WorkerOutcome scored = ScoreInWorker(upload, scratch, scoreOptions_, kWorkerSeconds);
    slots_.Give();
    if (scored.kind != WorkerOutcome::kScored && LowOnSpace(f_.tmp)) {
        return NotStored(StoreError(scored.message, true));
    }
    if (scored.kind == WorkerOutcome::kRefused) {
        return Refuse(422, InUploadersWords(scored.message, upload), address, email);
    }
    if (scored.kind == WorkerOutcome::kFailed) {
        err_ << "stats-host: upload from " << address << ": " << scored.message << "\n";
        return {500, Error("the robot could not score your log; nothing was stored. The "
                           "committee has been told.")};
    }
    Submission s;
    nlohmann::json answer;
    try {
        answer = ReadWorkerAnswer(WorkerFiles(scratch), upload, scored.errorText, s);
    } catch (const std::exception& e) {
        err_ << "stats-host: upload from " << address << ": " << e.what() << "\n";
        if (LowOnSpace(f_.tmp)) {
            return NotStored(StoreError(e.what(), true));
        }
        return {500, Error("the robot could not score your log; nothing was stored")};
    }
    s.receipt = receipt;
    s.received = NowUtc();
    s.bytes = static_cast<std::int64_t>(bytes.size());
    s.sha256 = sha;
    s.address = address;
    s.email = email;
    answer["receipt"] = receipt;
    return Store(std::move(s), std::move(answer), upload);
}

Answer Robot::Store(Submission s, nlohmann::json answer, const std::string& upload) {
    std::lock_guard<std::mutex> lock(storing_);
    if (std::optional<Submission> same = db_.CurrentWithSha(s.sha256)) {
        nlohmann::json first = nlohmann::json::parse(same->answer);
        first["unchanged"] = true;
        return {200, first};
    }
    const std::optional<Submission> before = db_.CurrentOf(s.call);
    answer["replaces"] = before ? nlohmann::json(before->receipt) : nlohmann::json(nullptr);
    s.answer = answer.dump();
    const std::string kept = f_.history + "/" + s.receipt;
    bool accepted = false;
    try {
        RenameSynced(upload, kept);
        db_.Accept(s);
        accepted = true;
        const std::string name = LogFileName(s.call, s.extension);
        const std::string bytes = ReadWhole(kept);
        ReplaceFile(f_.tmp, f_.logs + "/" + name, bytes);
        for (const char* other : {"log", "adi"}) {
            const std::string stale = LogFileName(s.call, other);
            if (stale != name) {
                std::remove((f_.logs + "/" + stale).c_str());
            }
        }
        SyncFolder(f_.logs);
    } catch (const StoreError& e) {
        err_ << "stats-host: " << e.what() << "\n";
        try {
            if (accepted) {
                db_.Withdraw(s.receipt, before ? before->receipt : std::string());
            }
            RemoveQuietly(kept);
        } catch (const StoreError& again) {
            err_ << "stats-host: " << again.what() << "; the next start puts logs/ right\n";
        }
        return NotStored(e);
    }
    return {201, answer};
}

nlohmann::json Robot::LogsReceived() {
    nlohmann::json logs = nlohmann::json::array();
    for (const Submission& s : db_.Current()) {
        logs.push_back({{"call", s.call},
                        {"category",
                         s.category.empty() ? nlohmann::json(nullptr) : nlohmann::json(s.category)},
                        {"received", s.received},
                        {"bytes", s.bytes},
                        {"sha256", s.sha256}});
    }
    return {{"logs", logs}};
}

std::optional<Submission> Robot::Receipt(const std::string& receipt) {
    if (receipt.size() != 32 ||
        receipt.find_first_not_of("0123456789abcdef") != std::string::npos) {
        return std::nullopt;
    }
    return db_.ByReceipt(receipt);
}

Answer Robot::MakeCurrent(const std::string& receipt) {
    std::lock_guard<std::mutex> lock(storing_);
    const std::optional<Submission> known = Receipt(receipt);
    if (!known) {
        return {404, Error("no upload has that receipt")};
    }
    try {
        const std::optional<Submission> before = db_.CurrentOf(known->call);
        db_.MakeCurrent(receipt, NowUtc());
        const std::string name = LogFileName(known->call, known->extension);
        ReplaceFile(f_.tmp, f_.logs + "/" + name, ReadWhole(f_.history + "/" + receipt));
        if (before && before->extension != known->extension) {
            std::remove((f_.logs + "/" + LogFileName(before->call, before->extension)).c_str());
        }
        SyncFolder(f_.logs);
    } catch (const StoreError& e) {
        err_ << "stats-host: " << e.what() << "; the next start puts logs/ right\n";
        return {e.diskFull() ? 507 : 500, Error(e.what())};
    }
    return {200, {{"receipt", receipt}, {"call", known->call}, {"current", true}}};
}

void Robot::SnapshotLogs(const std::string& folder) {
    std::lock_guard<std::mutex> lock(storing_);
    std::error_code e;
    fs::create_directories(folder, e);
    fs::copy(f_.logs, folder, fs::copy_options::recursive, e);
}

nlohmann::json Robot::Review() {
    nlohmann::json list = nlohmann::json::array();
    for (const ReviewEntry& e : db_.Review()) {
        list.push_back({{"time", e.time},
                        {"kind", e.kind},
                        {"call", e.call},
                        {"receipt", e.receipt},
                        {"earlier", e.earlier},
                        {"address", e.address},
                        {"email", e.email},
                        {"earlier_address", e.earlierAddress},
                        {"earlier_email", e.earlierEmail},
                        {"detail", e.detail}});
    }
    return {{"review", list}};
}

}  // namespace host::robot
