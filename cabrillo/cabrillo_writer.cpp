// The Cabrillo file: 22 fixed header lines, the soapbox lines, the QSO lines
// and the end tag, every line ending in CR LF.
#include <cstdio>

#include "cabrillo/cabrillo_log.h"
#include "platform/files.h"
#include "platform/plain_text.h"
#include "scoring/text_fields.h"

namespace {

const char* const kLineEnd = "\r\n";

std::string HeaderLine(const char* tag, const std::string& value) {
    return std::string(tag) + ": " + OneLine(value) + kLineEnd;
}

// Each line of the operator's text gets a tag of its own; a lone LF joins
// two lines, and a text ending in a line break ends in an empty tag line.
std::string SoapboxLines(const std::string& soapbox) {
    std::string out = "SOAPBOX: ";
    for (char c : soapbox) {
        if (c == '\r') {
            out += kLineEnd;
            out += "SOAPBOX: ";
        } else if (c != '\n') {
            out += c;
        }
    }
    return out + kLineEnd;
}

}  // namespace

void CabrilloLog::AddQso(const std::string& call, int32_t frequencyKHz, const std::string& mode,
                         const plat::OleDate& time, const std::string& rstSent,
                         const std::string& exchSent, const std::string& rstRcvd,
                         const std::string& exchRcvd) {
    const std::string when = QsoTimeText(time);
    char head[64];
    std::snprintf(head, sizeof head, "QSO: %5i %2s ", static_cast<int>(frequencyKHz),
                  OneLine(mode).c_str());
    std::string line = head;
    line += when;
    auto column = [&line](const std::string& value, size_t width) {
        line += ' ';
        const std::string v = OneLine(value);
        line += v;
        if (v.size() < width) {
            line.append(width - v.size(), ' ');
        }
    };
    column(m_callsign, 13);
    column(rstSent, 3);
    column(exchSent, 6);
    column(call, 13);
    column(rstRcvd, 3);
    column(exchRcvd, 0);
    line += kLineEnd;
    m_qsoLines.push_back(std::move(line));
}

std::string CabrilloLog::FileContents(int claimedScore, const std::string& hostVersion) const {
    std::string out = std::string("START-OF-LOG: 3.0") + kLineEnd;
    out += HeaderLine("CALLSIGN", m_callsign);
    out += std::string("CONTEST: DI-VE-RI") + kLineEnd;
    out += HeaderLine("CATEGORY-OPERATOR", m_categoryOperator);
    out += HeaderLine("CATEGORY-ASSISTED", m_categoryAssisted);
    out += HeaderLine("CATEGORY-BAND", m_categoryBand);
    out += HeaderLine("CATEGORY-MODE", m_categoryMode);
    out += HeaderLine("CATEGORY-POWER", m_categoryPower);
    out += HeaderLine("CATEGORY-STATION", m_categoryStation);
    out += HeaderLine("CATEGORY-TRANSMITTER", m_categoryTransmitter);
    out += HeaderLine("CLAIMED-SCORE", std::to_string(claimedScore));
    out += HeaderLine("CLUB", m_club);
    out += HeaderLine("CREATED-BY", "Larq " + hostVersion);
    out += HeaderLine("LOCATION", m_location);
    out += HeaderLine("EMAIL", m_email);
    out += HeaderLine("NAME", m_name);
    out += HeaderLine("ADDRESS", m_address);
    out += HeaderLine("ADDRESS-CITY", m_addressCity);
    out += HeaderLine("ADDRESS-STATE-PROVINCE", m_addressStateProvince);
    out += HeaderLine("ADDRESS-POSTALCODE", m_addressPostalCode);
    out += HeaderLine("ADDRESS-COUNTRY", m_addressCountry);
    out += HeaderLine("OPERATORS", m_operators);
    out += SoapboxLines(m_soapbox);
    for (const std::string& line : m_qsoLines) {
        out += line;
    }
    return out + "END-OF-LOG:" + kLineEnd;
}

std::string CabrilloLog::WriteCabrilloFile(int claimedScore, const std::string& hostVersion) const {
    const std::string name = m_fileBase + ".cbr";
    if (!plat::ReplaceFileContents(name, FileContents(claimedScore, hostVersion))) {
        return "Cannot write file: " + name;
    }
    return "File produced: " + name;
}
