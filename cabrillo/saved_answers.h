// The Cabrillo header answers the plug-in saves in its settings when the
// form is confirmed, in one header-only place: the plug-in's header form
// writes them and fills the form from them at the next report run, and a
// host that answers the form (the stand-in host) must know which fields
// carry them, to keep one call's answers out of another call's log.
#pragma once

struct SavedAnswer {
    const char* label;  // the field of the header form and the Cabrillo tag
    const char* key;    // the key in the plug-in's settings
    bool filled;        // read back into the form; else written for the record only
};

// In the order they are written.
constexpr SavedAnswer kSavedAnswers[] = {
    {"OPERATORS", "Operators", true},
    {"NAME", "Name", true},
    {"ADDRESS", "Address", true},
    {"ADDRESS-CITY", "Address_City", true},
    {"ADDRESS-STATE-PROVINCE", "Address_St_Prov", true},
    {"ADDRESS-POSTALCODE", "Address_PostalCode", true},
    {"ADDRESS-COUNTRY", "Address_Country", true},
    {"CATEGORY-OPERATOR", "Category", false},
    {"CATEGORY-OVERLAY", "Category_Overlay", false},
    {"CONTEST", "Contest", false},
    {"E-MAIL", "Email", true},
    {"CLUB", "Club", true},
    {"SOAPBOX", "SoapBox", true},
};
