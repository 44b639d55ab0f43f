// The Cabrillo 3.0 log of a report run: the header values the operator
// confirmed, the QSO lines, and the file they are written to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cabrillo/cabrillo_file_name.h"
#include "platform/modal_form.h"
#include "platform/ole_date.h"

class CabrilloLog {
  public:
    std::string m_callsign;
    std::string m_categoryOperator;
    std::string m_categoryAssisted;
    std::string m_categoryBand;
    std::string m_categoryMode;
    std::string m_categoryPower;
    std::string m_categoryStation;
    std::string m_categoryTransmitter;
    std::string m_club;
    std::string m_location;
    std::string m_email;
    std::string m_name;
    std::string m_address;
    std::string m_addressCity;
    std::string m_addressStateProvince;
    std::string m_addressPostalCode;
    std::string m_addressCountry;
    std::string m_operators;
    std::string m_soapbox;  // line breaks are CR LF, as the form's text field gives them
    std::string m_categoryOverlay;
    std::string m_contest;
    std::string m_claimed;

    std::string m_fileBase;
    std::vector<std::string> m_qsoLines;  // each ends in CR LF

    // Shows the form and answers OK (true, fields edited) or Cancel.
    using FormPresenter =
        std::function<bool(const std::string& caption, std::vector<plat::FormField>& fields)>;

    // Loads the saved answers and the fixed defaults, shows the header form
    // and, on OK, keeps and saves the edited values. 1 for OK, 0 for Cancel.
    int PrepareHeader(const std::string& ownCall, const FormPresenter& showForm);

    void AddQso(const std::string& call, int32_t frequencyKHz, const std::string& mode,
                const plat::OleDate& time, const std::string& rstSent, const std::string& exchSent,
                const std::string& rstRcvd, const std::string& exchRcvd);

    // Writes the file and returns the message for the operator. The score
    // and the host's version go into the header.
    std::string WriteCabrilloFile(int claimedScore, const std::string& hostVersion) const;

    // The whole file as it is written.
    std::string FileContents(int claimedScore, const std::string& hostVersion) const;
};
