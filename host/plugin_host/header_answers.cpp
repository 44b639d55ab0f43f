#include "host/plugin_host/header_answers.h"

#include <algorithm>
#include <sstream>

#include "cabrillo/header_fields.h"
#include "cabrillo/saved_answers.h"
#include "platform/plain_text.h"
#include "scoring/settings_file_names.h"

namespace host {
namespace {

// The owner record goes into a section of the plug-in's settings file of its
// own, which the plug-in does not read.
const char* const kOwnerSection = "stats-host";
const char* const kOwnerKey = "AnswersCall";

// The fields the form fills from the saved answers.
bool IsSavedField(const std::string& label) {
    return std::any_of(
        std::begin(kSavedAnswers), std::end(kSavedAnswers),
        [&](const SavedAnswer& saved) { return saved.filled && label == saved.label; });
}

// The value as the field takes it: a field with a list takes one of its
// choices (in the list's spelling) or the value it offers on its own.
bool FieldTakes(const FormAnswer& field, const std::string& value, std::string& taken) {
    if (field.choices.empty() || plat::AsciiUpper(value) == plat::AsciiUpper(field.value)) {
        taken = field.choices.empty() ? value : field.value;
        return true;
    }
    for (const std::string& choice : field.choices) {
        if (plat::AsciiUpper(choice) == plat::AsciiUpper(value)) {
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
        std::string label = plat::AsciiUpper(field.first);
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
    const std::string owner = ReadProfileValue(PluginSettingsPath(), kOwnerSection, kOwnerKey);
    if (!owner.empty()) {
        return owner != ownCall;
    }
    // Answers saved before the owner was recorded: theirs when the operators
    // they name include the call; none saved, nothing to keep out.
    std::istringstream operators(
        ReadProfileValue(PluginSettingsPath(), kPluginSettingsSection, "Operators"));
    const std::string name = ReadProfileValue(PluginSettingsPath(), kPluginSettingsSection, "Name");
    std::string word;
    bool named = false;
    bool any = false;
    while (operators >> word) {
        any = true;
        named = named || plat::AsciiUpper(word) == ownCall;
    }
    return (any || !name.empty()) && !named;
}

void RecordSavedAnswersCall(const std::string& ownCall) {
    WriteProfileValue(PluginSettingsPath(), kOwnerSection, kOwnerKey, ownCall);
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
    std::string refused = RefusedOption(answers.fromOptions, fields);
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
