#include "host/one_log/category.h"

#include <cctype>

#include "platform/plain_text.h"
#include "scoring/contest_lists.h"

namespace host {
namespace {

struct Titled {
    char letter;
    const char* title;
};

constexpr Titled kTitles[] = {
    {'A', "SO-AB CW QRP"},
    {'B', "SO-AB CW low power"},
    {'C', "SO-AB CW high power"},
    {'D', "SO-AB SSB low power"},
    {'E', "SO-AB SSB high power"},
    {'F', "SO-AB mixed low power"},
    {'G', "SO-AB mixed high power"},
    {'H', "SO 80m"},
    {'I', "SO 40m"},
    {'J', "SO 20m"},
    {'K', "SO 15m"},
    {'L', "SO 10m"},
    {'M', "MO-AB mixed"},
};

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The first non-empty value of a header field; "" when absent.
std::string FieldValue(const std::vector<std::pair<std::string, std::string>>& header,
                       const char* tag) {
    for (const auto& field : header) {
        if (field.first == tag && !field.second.empty()) {
            return field.second;
        }
    }
    return std::string();
}

// Each category line the header gives with more than one value (letter
// case and blanks around aside), all its values named and the first taken.
std::vector<std::string> RepeatedFields(
    const std::vector<std::pair<std::string, std::string>>& header) {
    std::vector<std::string> out;
    for (const char* tag :
         {"CATEGORY", "CATEGORY-OPERATOR", "CATEGORY-BAND", "CATEGORY-MODE", "CATEGORY-POWER"}) {
        std::vector<std::string> values;
        bool differ = false;
        for (const auto& field : header) {
            const std::string value = plat::TrimBlanks(field.second);
            if (field.first == tag && !value.empty()) {
                differ = differ || (!values.empty() &&
                                    plat::AsciiUpper(value) != plat::AsciiUpper(values.front()));
                values.push_back(value);
            }
        }
        if (!differ) {
            continue;
        }
        std::string text =
            std::string(tag) + " given " +
            (values.size() == 2 ? std::string("twice") : std::to_string(values.size()) + " times") +
            ", ";
        for (size_t i = 0; i < values.size(); ++i) {
            text += (i == 0 ? "'" : i + 1 == values.size() ? " and '" : ", '") + values[i] + "'";
        }
        out.push_back(text + "; taking '" + values.front() + "'");
    }
    return out;
}

// The letter a CATEGORY: line starts with: its first non-blank character when
// that is A to M and no letter follows; 0 otherwise.
char LetterOfCategoryLine(const std::string& value) {
    const size_t at = value.find_first_not_of(" \t");
    if (at == std::string::npos || value[at] < 'A' || value[at] > 'M') {
        return 0;
    }
    if (at + 1 < value.size() && IsLetter(value[at + 1])) {
        return 0;
    }
    return value[at];
}

bool OneOf(const std::string& value, std::initializer_list<const char*> allowed) {
    for (const char* a : allowed) {
        if (value == a) {
            return true;
        }
    }
    return false;
}

// The single band of a CATEGORY-BAND value in capitals, 0 to 4 for 80M to
// 10M in letter order H to L; kNoContestBand for any other.
int SingleBand(const std::string& band) {
    return ContestBandIndex(plat::AsciiLower(band));
}

// A CATEGORY-* field with the value taken when the log leaves it out, and
// the values the contest has.
struct Field {
    const char* tag;
    const char* assumed;
    std::initializer_list<const char*> allowed;
};

}  // namespace

EntryCategory CategoryOfLog(const std::vector<std::pair<std::string, std::string>>& header,
                            bool yu) {
    EntryCategory c;
    c.yu = yu;
    c.repeated = RepeatedFields(header);
    const Field fields[] = {
        {"CATEGORY-OPERATOR", "SINGLE-OP", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
        {"CATEGORY-BAND", "ALL", {"ALL", "80M", "40M", "20M", "15M", "10M"}},
        {"CATEGORY-MODE", "MIXED", {"CW", "SSB", "MIXED"}},
        {"CATEGORY-POWER", "LOW", {"QRP", "LOW", "HIGH"}},
    };
    std::string values[4];
    std::string raw[4];  // as the log wrote them, for the messages
    for (int i = 0; i < 4; ++i) {
        raw[i] = FieldValue(header, fields[i].tag);
        values[i] = plat::AsciiUpper(raw[i]);
    }
    const std::string& op = values[0];
    const std::string& band = values[1];
    if (op == "CHECKLOG") {
        c.checklog = true;
        return c;
    }

    const char given = LetterOfCategoryLine(FieldValue(header, "CATEGORY"));
    if (given != 0) {
        c.letter = given;
        c.multiOp = given == 'M';
        c.fromCategoryLine = true;
        if (given >= 'H' && given <= 'L' && !band.empty() && SingleBand(band) != given - 'H') {
            c.bandMismatch = std::string("CATEGORY: ") + given + " (" + CategoryTitle(given) +
                             ") but CATEGORY-BAND: " + raw[1];
        }
        return c;
    }

    for (int i = 0; i < 4; ++i) {
        if (values[i].empty()) {
            values[i] = fields[i].assumed;
            c.assumed.push_back(std::string(fields[i].tag) + ": " + fields[i].assumed);
        } else if (!OneOf(values[i], fields[i].allowed)) {
            c.unknown = std::string(fields[i].tag) + ": " + raw[i];
            c.assumed.clear();
            c.multiOp = op == "MULTI-OP";
            return c;
        }
    }
    const std::string& mode = values[2];
    const std::string& power = values[3];
    c.multiOp = op == "MULTI-OP";
    if (c.multiOp) {
        c.letter = 'M';
    } else if (SingleBand(band) != kNoContestBand) {
        c.letter = static_cast<char>('H' + SingleBand(band));
    } else {
        const bool high = power == "HIGH";
        if (mode == "CW") {
            c.letter = high ? 'C' : power == "QRP" ? 'A' : 'B';
        } else if (mode == "SSB") {
            c.letter = high ? 'E' : 'D';
        } else {
            c.letter = high ? 'G' : 'F';
        }
    }
    return c;
}

std::string WhyNotRankedByCategory(const EntryCategory& c) {
    if (c.checklog) {
        return "checklog";
    }
    if (c.letter == 0) {
        return "unknown category (" + c.unknown + ")";
    }
    return std::string();
}

const char* SectionName(bool yu) {
    return yu ? "yu" : "non-yu";
}

const char* CategoryTitle(char letter) {
    for (const Titled& t : kTitles) {
        if (t.letter == letter) {
            return t.title;
        }
    }
    return "";
}

std::string AssumedFieldsWarning(const EntryCategory& c) {
    if (c.assumed.empty()) {
        return std::string();
    }
    std::string text = "category fields absent, taken as ";
    for (size_t i = 0; i < c.assumed.size(); ++i) {
        text += (i == 0 ? "" : ", ") + c.assumed[i];
    }
    return text;
}

}  // namespace host
