#include "host/robot/submissions.h"

#include <sqlite3.h>

#include "host/robot/durable_files.h"

namespace host::robot {
namespace {

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS submissions (
  receipt TEXT PRIMARY KEY,
  call TEXT NOT NULL,
  category TEXT NOT NULL,
  received TEXT NOT NULL,
  bytes INTEGER NOT NULL,
  sha256 TEXT NOT NULL,
  claimed_score INTEGER NOT NULL,
  qsos INTEGER NOT NULL,
  current INTEGER NOT NULL,
  address TEXT NOT NULL,
  email TEXT NOT NULL,
  extension TEXT NOT NULL,
  answer TEXT NOT NULL,
  page TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS submissions_call ON submissions (call, current);
CREATE INDEX IF NOT EXISTS submissions_sha ON submissions (sha256, current);
CREATE TABLE IF NOT EXISTS review (
  id INTEGER PRIMARY KEY,
  time TEXT NOT NULL,
  kind TEXT NOT NULL,
  call TEXT NOT NULL,
  receipt TEXT NOT NULL,
  earlier TEXT NOT NULL,
  address TEXT NOT NULL,
  email TEXT NOT NULL,
  detail TEXT NOT NULL);
)";

const char* const kColumns =
    "receipt, call, category, received, bytes, sha256, claimed_score, qsos, current, address, "
    "email, extension, answer, page";

bool DiskFull(int code) {
    return code == SQLITE_FULL || code == SQLITE_IOERR;
}

// One prepared statement, finalised when it goes.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        const int code = sqlite3_prepare_v2(db, sql.c_str(), -1, &s_, nullptr);
        if (code != SQLITE_OK) {
            throw StoreError(std::string("database: ") + sqlite3_errmsg(db), DiskFull(code));
        }
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(const std::string& text) {
        sqlite3_bind_text(s_, ++bound_, text.c_str(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(std::int64_t n) {
        sqlite3_bind_int64(s_, ++bound_, n);
        return *this;
    }
    // True while there is a row.
    bool Step() {
        const int code = sqlite3_step(s_);
        if (code == SQLITE_ROW) {
            return true;
        }
        if (code != SQLITE_DONE) {
            throw StoreError(std::string("database: ") + sqlite3_errmsg(db_), DiskFull(code));
        }
        return false;
    }
    std::string Text(int column) const {
        const unsigned char* t = sqlite3_column_text(s_, column);
        return t == nullptr ? std::string()
                            : std::string(reinterpret_cast<const char*>(t),
                                          static_cast<size_t>(sqlite3_column_bytes(s_, column)));
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(s_, column); }

  private:
    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
    int bound_ = 0;
};

Submission Read(const Statement& s) {
    Submission r;
    r.receipt = s.Text(0);
    r.call = s.Text(1);
    r.category = s.Text(2);
    r.received = s.Text(3);
    r.bytes = s.Int(4);
    r.sha256 = s.Text(5);
    r.claimedScore = s.Int(6);
    r.qsos = s.Int(7);
    r.current = s.Int(8) != 0;
    r.address = s.Text(9);
    r.email = s.Text(10);
    r.extension = s.Text(11);
    r.answer = s.Text(12);
    r.page = s.Text(13);
    return r;
}

std::optional<Submission> One(sqlite3* db, const std::string& where, const std::string& key) {
    Statement s(db, std::string("SELECT ") + kColumns + " FROM submissions WHERE " + where);
    s.Bind(key);
    if (!s.Step()) {
        return std::nullopt;
    }
    return Read(s);
}

void NoteReview(sqlite3* db, const ReviewEntry& e) {
    Statement s(db,
                "INSERT INTO review (time, kind, call, receipt, earlier, address, email, detail) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    s.Bind(e.time).Bind(e.kind).Bind(e.call).Bind(e.receipt).Bind(e.earlier).Bind(e.address);
    s.Bind(e.email).Bind(e.detail).Step();
}

}  // namespace

Submissions::Submissions(const std::string& path) {
    const int code = sqlite3_open_v2(
        path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
        nullptr);
    if (code != SQLITE_OK) {
        const std::string why = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(path + ": " + why, DiskFull(code));
    }
    sqlite3_busy_timeout(db_, 10000);
    try {
        Exec("PRAGMA synchronous = FULL");
        Exec(kSchema);
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

Submissions::~Submissions() {
    sqlite3_close(db_);
}

void Submissions::Exec(const char* sql) {
    char* error = nullptr;
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, &error);
    if (code != SQLITE_OK) {
        const std::string why = error != nullptr ? error : sqlite3_errstr(code);
        sqlite3_free(error);
        throw StoreError("database: " + why, DiskFull(code));
    }
}

std::optional<Submission> Submissions::CurrentWithSha(const std::string& sha256) {
    std::lock_guard<std::mutex> lock(mutex_);
    return One(db_, "sha256 = ? AND current = 1", sha256);
}

std::optional<Submission> Submissions::ByReceipt(const std::string& receipt) {
    std::lock_guard<std::mutex> lock(mutex_);
    return One(db_, "receipt = ?", receipt);
}

std::optional<Submission> Submissions::CurrentOf(const std::string& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    return One(db_, "call = ? AND current = 1", call);
}

std::vector<Submission> Submissions::Current() {
    std::lock_guard<std::mutex> lock(mutex_);
    Statement s(db_,
                "SELECT receipt, call, category, received, bytes, sha256, claimed_score, qsos, "
                "current, address, email, extension, '', '' FROM submissions WHERE current = 1 "
                "ORDER BY call");
    std::vector<Submission> all;
    while (s.Step()) {
        all.push_back(Read(s));
    }
    return all;
}

std::vector<std::string> Submissions::Receipts() {
    std::lock_guard<std::mutex> lock(mutex_);
    Statement s(db_, "SELECT receipt FROM submissions");
    std::vector<std::string> all;
    while (s.Step()) {
        all.push_back(s.Text(0));
    }
    return all;
}

std::string Submissions::Accept(const Submission& n) {
    std::lock_guard<std::mutex> lock(mutex_);
    Exec("BEGIN IMMEDIATE");
    try {
        const std::optional<Submission> before = One(db_, "call = ? AND current = 1", n.call);
        if (before) {
            Statement(db_, "UPDATE submissions SET current = 0 WHERE receipt = ?")
                .Bind(before->receipt)
                .Step();
            NoteReview(db_, {n.received, "replaced", n.call, n.receipt, before->receipt, n.address,
                             n.email, "", "", ""});
        }
        Statement s(db_, std::string("INSERT INTO submissions (") + kColumns +
                             ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?, ?, ?)");
        s.Bind(n.receipt).Bind(n.call).Bind(n.category).Bind(n.received).Bind(n.bytes);
        s.Bind(n.sha256).Bind(n.claimedScore).Bind(n.qsos).Bind(n.address).Bind(n.email);
        s.Bind(n.extension).Bind(n.answer).Bind(n.page).Step();
        Exec("COMMIT");
        return before ? before->receipt : std::string();
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void Submissions::Withdraw(const std::string& receipt, const std::string& replaced) {
    std::lock_guard<std::mutex> lock(mutex_);
    Exec("BEGIN IMMEDIATE");
    try {
        Statement(db_, "DELETE FROM submissions WHERE receipt = ?").Bind(receipt).Step();
        Statement(db_, "DELETE FROM review WHERE receipt = ?").Bind(receipt).Step();
        Statement(db_, "UPDATE submissions SET current = 1 WHERE receipt = ?")
            .Bind(replaced)
            .Step();
        Exec("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::optional<Submission> Submissions::MakeCurrent(const std::string& receipt,
                                                   const std::string& time) {
    std::lock_guard<std::mutex> lock(mutex_);
    Exec("BEGIN IMMEDIATE");
    try {
        std::optional<Submission> s = One(db_, "receipt = ?", receipt);
        if (s && !s->current) {
            const std::optional<Submission> before = One(db_, "call = ? AND current = 1", s->call);
            Statement(db_, "UPDATE submissions SET current = 0 WHERE call = ?")
                .Bind(s->call)
                .Step();
            Statement(db_, "UPDATE submissions SET current = 1 WHERE receipt = ?")
                .Bind(receipt)
                .Step();
            NoteReview(db_,
                       {time, "made-current", s->call, receipt,
                        before ? before->receipt : std::string(), "committee", "", "", "", ""});
            s->current = true;
        }
        Exec("COMMIT");
        return s;
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void Submissions::NoteRefusal(const std::string& time, const std::string& address,
                              const std::string& email, const std::string& reason) {
    std::lock_guard<std::mutex> lock(mutex_);
    NoteReview(db_, {time, "refused", "", "", "", address, email, "", "", reason});
}

std::vector<ReviewEntry> Submissions::Review() {
    std::lock_guard<std::mutex> lock(mutex_);
    Statement s(db_,
                "SELECT r.time, r.kind, r.call, r.receipt, r.earlier, r.address, r.email, "
                "r.detail, COALESCE(e.address, ''), COALESCE(e.email, '') FROM review r "
                "LEFT JOIN submissions e ON e.receipt = r.earlier ORDER BY r.id");
    std::vector<ReviewEntry> all;
    while (s.Step()) {
        ReviewEntry e;
        e.time = s.Text(0);
        e.kind = s.Text(1);
        e.call = s.Text(2);
        e.receipt = s.Text(3);
        e.earlier = s.Text(4);
        e.address = s.Text(5);
        e.email = s.Text(6);
        e.detail = s.Text(7);
        e.earlierAddress = s.Text(8);
        e.earlierEmail = s.Text(9);
        all.push_back(e);
    }
    return all;
}

}  // namespace host::robot
