// The robot's record of every accepted upload and of what the committee
// should look at, in one SQLite database. Each change is one transaction;
// the database is the truth the files in logs/ are rebuilt from.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace host::robot {

struct Submission {
    std::string receipt;
    std::string call;
    std::string category;  // the letter, or "" when none
    std::string received;  // ISO 8601 UTC
    std::int64_t bytes = 0;
    std::string sha256;
    std::int64_t claimedScore = 0;
    std::int64_t qsos = 0;
    bool current = false;
    std::string address;
    std::string email;
    std::string extension;  // "log" or "adi"
    std::string answer;     // the JSON the uploader was given
    std::string page;       // the score page
};

struct ReviewEntry {
    std::string time;
    std::string kind;  // "replaced", "refused" or "made-current"
    std::string call;
    std::string receipt;
    std::string earlier;  // the receipt replaced or made current again
    std::string address;
    std::string email;
    std::string earlierAddress;
    std::string earlierEmail;
    std::string detail;
};

class Submissions {
  public:
    // Opens (or makes) the database at path; throws StoreError.
    explicit Submissions(const std::string& path);
    ~Submissions();
    Submissions(const Submissions&) = delete;
    Submissions& operator=(const Submissions&) = delete;

    std::optional<Submission> CurrentWithSha(const std::string& sha256);
    std::optional<Submission> ByReceipt(const std::string& receipt);
    std::optional<Submission> CurrentOf(const std::string& call);
    // The current upload of every call, by call; without answer and page.
    std::vector<Submission> Current();
    // Every receipt the database knows.
    std::vector<std::string> Receipts();
    // In one transaction: s becomes its call's current upload, the one
    // before it (whose receipt is returned, or "") is kept as replaced and
    // the replacement goes into the review list.
    std::string Accept(const Submission& s);
    // Takes back an Accept whose files could not be put in place: the
    // upload goes, and the one it replaced (or none) is current again.
    void Withdraw(const std::string& receipt, const std::string& replaced);
    // Makes an earlier upload its call's current one again; returns it, or
    // nothing for an unknown receipt.
    std::optional<Submission> MakeCurrent(const std::string& receipt, const std::string& time);
    void NoteRefusal(const std::string& time, const std::string& address, const std::string& email,
                     const std::string& reason);
    std::vector<ReviewEntry> Review();

  private:
    void Exec(const char* sql);
    sqlite3* db_ = nullptr;
    std::mutex mutex_;
};

}  // namespace host::robot
