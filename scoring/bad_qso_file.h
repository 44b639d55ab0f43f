// The bad-QSO file: a header line, then one line per problem that acceptance
// found, each "QSO:  " and the Cabrillo fields separated by two blanks,
// ending in the reason. Lines end in CR LF.
#pragma once

#include <string>
#include <vector>

#include "platform/ole_date.h"
#include "scoring/bad_qso_file_format.h"
#include "scoring/text_fields.h"

// The fields of one bad-QSO line as the host passed them.
struct BadQsoFields {
    unsigned frequencyKHz = 0;
    std::string mode;
    std::string timeText;  // QsoTimeText()
    std::string ownCall;
    std::string rstSent;
    std::string exchSent;
    std::string call;
    std::string rstRcvd;
    std::string exchRcvd;
};

class BadQsoFile {
  public:
    // Creates the file, or empties it, with the header line alone.
    void Create(const std::string& name);

    // Appends one line per reason; lost silently when there is no name or
    // the file cannot be written.
    void Append(const std::string& name, const BadQsoFields& fields,
                const std::vector<const char*>& reasons);

    // Problem lines in the file other than DUPE lines: every line after the
    // header that does not report a dupe. 0 when it cannot be read.
    long CountNonDupeProblems(const std::string& name) const;

    // Rewrites the file without the lines of one QSO: those whose worked
    // call, mode and date-time fields equal the given ones.
    void RemoveQsoLines(const std::string& name, const std::string& call, const std::string& mode,
                        const std::string& timeText);

  private:
    // What this run wrote into the file, line by line, so that removal can
    // read the fields of a line without guessing where blanks inside a
    // field end.
    struct Written {
        std::string text;
        std::string call;
        std::string mode;
        std::string timeText;
    };
    std::vector<Written> m_written;
};
