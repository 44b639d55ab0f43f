#include "host/plugin_host/header_answers.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "cabrillo/header_fields.h"

namespace host {
namespace {

// Where the plug-in keeps its settings, relative to the host's folder, and
// the section of its saved answers. The owner record goes into a section
// of its own, which the plug-in does not read.
const char* const kSettingsFile = "Plugins/DI-VE-RI.ini";
const char* const kAnswersSection = "Settings";
const char* const kOwnerSection = "stats-host";
const char* const kOwnerKey = "AnswersCall";

// The fields the form fills from the saved answers; OPERATORS shows the own
// call when nothing is saved.
const char* const kSavedFields[] = {"OPERATORS",
                                    "NAME",
                                    "ADDRESS",
                                    "ADDRESS-CITY",
                                    "ADDRESS-STATE-PROVINCE",
                                    "ADDRESS-POSTALCODE",
                                    "ADDRESS-COUNTRY",
                                    "E-MAIL",
                                    "CLUB",
                                    "SOAPBOX"};

std::string Upper(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

bool IsSavedField(const std::string& label) {
    return std::find(std::begin(kSavedFields), std::end(kSavedFields), label) !=
           std::end(kSavedFields);
}

// The value as the field takes it: a field with a list takes one of its
// choices (in the list's spelling) or the value it offers on its own.
bool FieldTakes(const FormAnswer& field, const std::string& value, std::string& taken) {
    if (field.choices.empty() || Upper(value) == Upper(field.value)) {
        taken = field.choices.empty() ? value : field.value;
        return true;
    }
    for (const std::string& choice : field.choices) {
        if (Upper(choice) == Upper(value)) {
            taken = choice;
            return true;
        }
    }
    return false;
}

std::string ChoicesText(const FormAnswer& field) {
    std::string text;
    for (const std::string& choice : field.choices) {
        text += " " + choice;
    }
    return text;
}

}  // namespace

std::map<std::string, std::string> LogHeaderAnswers(
    const std::vector<std::pair<std::string, std::string>>& headerFields) {
    std::map<std::string, std::string> answers;
    for (const auto& field : headerFields) {
        std::string label = Upper(field.first);
        label = label == "EMAIL" ? "E-MAIL" : label;
        if (label == "CALLSIGN" || label == "CONTEST" || label == "CLAIMED") {
            continue;
        }
        auto known = answers.find(label);
        if (known == answers.end()) {
            answers[label] = field.second;
        } else if (label == "SOAPBOX") {
            known->second += "\r\n" + field.second;
        } else if (label == "ADDRESS") {
            known->second += ", " + field.second;
        } else {
            known->second = field.second;  // the last line of a tag counts
        }
    }
    return answers;
}

bool SavedAnswersOfAnotherCall(const std::string& ownCall) {
    const std::string owner = ReadProfileValue(kSettingsFile, kOwnerSection, kOwnerKey);
    if (!owner.empty()) {
        return owner != ownCall;
    }
    // Answers saved before the owner was recorded: theirs when the operators
    // they name include the call; none saved, nothing to keep out.
    std::istringstream operators(ReadProfileValue(kSettingsFile, kAnswersSection, "Operators"));
    const std::string name = ReadProfileValue(kSettingsFile, kAnswersSection, "Name");
    std::string word;
    bool named = false;
    bool any = false;
    while (operators >> word) {
        any = true;
        named = named || Upper(word) == ownCall;
    }
    return (any || !name.empty()) && !named;
}

void RecordSavedAnswersCall(const std::string& ownCall) {
    WriteProfileValue(kSettingsFile, kOwnerSection, kOwnerKey, ownCall);
}

namespace {

// Why the form cannot take the --header answers: a field it lacks, or a
// value outside a field's list; empty when it can.
std::string RefusedOption(const std::map<std::string, std::string>& fromOptions,
                          const std::vector<FormAnswer>& fields) {
    for (const auto& option : fromOptions) {
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const FormAnswer& f) {
            return f.label == option.first;
        });
        if (field == fields.end()) {
            std::string message =
                "the Cabrillo header form has no field " + option.first + "; its fields are";
            for (const FormAnswer& f : fields) {
                message += " " + f.label;
            }
            return message;
        }
        std::string taken;
        if (!FieldTakes(*field, option.second, taken)) {
            return "--header " + field->label + "='" + option.second + "': the form's " +
                   field->label + " is one of" + ChoicesText(*field);
        }
    }
    return std::string();
}

}  // namespace

std::string RefusedHeaderOptions(const std::map<std::string, std::string>& fromOptions) {
    std::vector<FormAnswer> fields;
    for (const HeaderFieldRule& rule : HeaderFieldRules()) {
        fields.push_back({rule.label, rule.initial != nullptr ? rule.initial : "",
                          rule.choices != nullptr ? *rule.choices : std::vector<std::string>()});
    }
    return RefusedOption(fromOptions, fields);
}

std::string FillHeaderForm(const HeaderAnswers& answers, std::vector<FormAnswer>& fields,
                           std::vector<std::string>& warnings) {
    const std::string refused = RefusedOption(answers.fromOptions, fields);
    if (!refused.empty()) {
        return refused;
    }
    for (FormAnswer& field : fields) {
        std::string taken;
        auto option = answers.fromOptions.find(field.label);
        auto logged = answers.fromLog.find(field.label);
        if (option != answers.fromOptions.end()) {
            FieldTakes(field, option->second, taken);
            field.value = taken;
        } else if (logged != answers.fromLog.end()) {
            if (FieldTakes(field, logged->second, taken)) {
                field.value = taken;
            } else {
                warnings.push_back("the log's " + field.label + ": '" + logged->second +
                                   "' is none of" + ChoicesText(field) + "; the form keeps '" +
                                   field.value + "'");
            }
        } else if (answers.savedForAnotherCall && IsSavedField(field.label)) {
            field.value = field.label == "OPERATORS" ? answers.ownCall : std::string();
        }
    }
    return std::string();
}

}  // namespace host
