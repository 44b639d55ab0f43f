// The Cabrillo header form as a real dialog, shown by the report run's
// header step on this thread: filled through its controls from a second
// thread and confirmed, then shown again and cancelled.
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cabrillo/cabrillo_log.h"
#include "platform/win32/wide_text.h"
#include "tests/support/bytes.h"
#include "tests/windows/ui_test_support.h"

namespace uitest {
namespace {

const std::vector<std::string> kLabels = {"CONTEST",
                                          "CALLSIGN",
                                          "CLAIMED",
                                          "CATEGORY-OPERATOR",
                                          "LOCATION",
                                          "CATEGORY-BAND",
                                          "CATEGORY-ASSISTED",
                                          "CATEGORY-MODE",
                                          "CATEGORY-OVERLAY",
                                          "CATEGORY-POWER",
                                          "CATEGORY-STATION",
                                          "CATEGORY-TRANSMITTER",
                                          "NAME",
                                          "ADDRESS",
                                          "ADDRESS-CITY",
                                          "ADDRESS-STATE-PROVINCE",
                                          "ADDRESS-POSTALCODE",
                                          "ADDRESS-COUNTRY",
                                          "OPERATORS",
                                          "CLUB",
                                          "SOAPBOX",
                                          "E-MAIL"};
const std::set<std::string> kDropDowns = {
    "CATEGORY-OPERATOR", "LOCATION",         "CATEGORY-BAND",
    "CATEGORY-ASSISTED", "CATEGORY-MODE",    "CATEGORY-OVERLAY",
    "CATEGORY-POWER",    "CATEGORY-STATION", "CATEGORY-TRANSMITTER"};
const std::set<std::string> kSorted = {"CATEGORY-OVERLAY", "CATEGORY-POWER", "CATEGORY-STATION",
                                       "CATEGORY-TRANSMITTER"};
const std::set<std::string> kFixedWidth = {"ADDRESS", "ADDRESS-CITY", "ADDRESS-STATE-PROVINCE",
                                           "ADDRESS-POSTALCODE", "ADDRESS-COUNTRY"};

const char* const kCall = "YU1ABC";
const std::string kClub(60, 'C');
const std::wstring kLongAddress(100, L'W');

struct Form {
    HWND dialog = nullptr;
    std::vector<std::string> labels;     // in the dialog's order
    std::map<std::string, HWND> fields;  // the control after each label
    HWND Field(const std::string& label) const {
        auto it = fields.find(label);
        return it != fields.end() ? it->second : nullptr;
    }
};

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    return lstrcmpiW(cls, name) == 0;
}

Form FindForm() {
    Form form;
    WaitFor(
        [&] {
            form.dialog = FindWindowW(L"#32770", L"YU DX CONTEST");
            return form.dialog != nullptr && IsWindowVisible(form.dialog);
        },
        5000);
    if (form.dialog == nullptr) {
        return form;
    }
    for (HWND c = GetWindow(form.dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsClass(c, L"Static")) {
            form.labels.push_back(Text(c));
            form.fields[form.labels.back()] = GetWindow(c, GW_HWNDNEXT);
        }
    }
    return form;
}

LONG_PTR Style(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

std::string ListEntry(HWND combo, int index) {
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return plat::WideToUtf8(text);
}

void CheckLayout(const Form& f) {
    UI_CHECK(f.labels == kLabels);
    const RECT call = RectIn(f.Field("CALLSIGN"), f.dialog);
    const RECT claimed = RectIn(f.Field("CLAIMED"), f.dialog);
    UI_CHECK(claimed.top == call.top && claimed.left > call.right);
    const RECT op = RectIn(f.Field("CATEGORY-OPERATOR"), f.dialog);
    const RECT location = RectIn(f.Field("LOCATION"), f.dialog);
    UI_CHECK(location.top == op.top && location.left > op.right);
    UI_CHECK(op.top > call.bottom);
    int lastTop = -1;
    for (const std::string& label : kLabels) {
        const RECT r = RectIn(f.Field(label), f.dialog);
        if (label != "CLAIMED" && label != "LOCATION") {
            UI_CHECK(r.top > lastTop);
            lastTop = r.top;
        }
    }
    HWND ok = GetDlgItem(f.dialog, IDOK);
    HWND cancel = GetDlgItem(f.dialog, IDCANCEL);
    UI_CHECK(Text(ok) == "OK" && Text(cancel) == "CANCEL");
    const RECT okRect = RectIn(ok, f.dialog);
    const RECT cancelRect = RectIn(cancel, f.dialog);
    UI_CHECK(okRect.top == cancelRect.top && okRect.right < cancelRect.left);
    UI_CHECK(okRect.top > RectIn(f.Field("E-MAIL"), f.dialog).bottom);
}

void CheckKinds(const Form& f) {
    for (const std::string& label : kLabels) {
        HWND field = f.Field(label);
        const LONG_PTR style = Style(field);
        if (kDropDowns.count(label) != 0) {
            UI_CHECK(IsClass(field, L"ComboBox"));
            UI_CHECK((style & 3) == CBS_DROPDOWN);
            UI_CHECK(((style & CBS_SORT) != 0) == (kSorted.count(label) != 0));
        } else {
            UI_CHECK(IsClass(field, L"Edit"));
            UI_CHECK(((style & ES_AUTOHSCROLL) == 0) ==
                     (kFixedWidth.count(label) != 0 || label == "SOAPBOX"));
        }
    }
    const LONG_PTR soapbox = Style(f.Field("SOAPBOX"));
    const LONG_PTR multiLine = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL;
    UI_CHECK((soapbox & multiLine) == multiLine);
    HWND station = f.Field("CATEGORY-STATION");
    UI_CHECK(SendMessageW(station, CB_GETCOUNT, 0, 0) == 7);
    UI_CHECK(ListEntry(station, 0) == "EXPEDITION");
    HWND location = f.Field("LOCATION");
    UI_CHECK(SendMessageW(location, CB_GETCOUNT, 0, 0) == 64);
    UI_CHECK(ListEntry(location, 0) == "DX" && ListEntry(location, 1) == "--/--");
    UI_CHECK(SendMessageW(f.Field("CATEGORY-BAND"), CB_GETCOUNT, 0, 0) == 6);
}

DWORD WINAPI FillAndConfirm(LPVOID) {
    const Form f = FindForm();
    if (!UI_CHECK(f.fields.size() == kLabels.size())) {
        return 0;
    }
    CheckLayout(f);
    CheckKinds(f);
    UI_CHECK(Text(f.Field("CALLSIGN")) == kCall && Text(f.Field("OPERATORS")) == kCall);
    // A value outside its list shows as typed text.
    UI_CHECK(Text(f.Field("CATEGORY-OVERLAY")) == "NONE");
    UI_CHECK(Text(f.Field("CATEGORY-STATION")) == "FIXED");

    Type(f.Field("CLUB"), std::wstring(kClub.begin(), kClub.end()));
    Type(f.Field("ADDRESS"), kLongAddress);
    HWND soapbox = f.Field("SOAPBOX");
    Type(soapbox, L"first line");
    PressKey(soapbox, VK_RETURN);
    UI_CHECK(WaitFor([&] { return Text(soapbox) == "first line\r\n"; }));
    Type(soapbox, L"second line");
    HWND operatorEdit = FindWindowExW(f.Field("CATEGORY-OPERATOR"), nullptr, L"Edit", nullptr);
    UI_CHECK(operatorEdit != nullptr);
    SendMessageW(operatorEdit, EM_SETSEL, 0, -1);
    Type(operatorEdit, L"MULTI-OP");
    UI_CHECK(WaitFor([&] { return Text(operatorEdit) == "MULTI-OP"; }));
    // The filled form, for a person to look at, where a folder is named.
    if (const char* shots = std::getenv("STATS_UI_SHOTS")) {
        UI_CHECK(SaveScreenshot(f.dialog, std::string(shots) + "\\cabrillo_form.bmp"));
    }
    Click(GetDlgItem(f.dialog, IDOK));
    return 0;
}

DWORD WINAPI CheckAndCancel(LPVOID) {
    const Form f = FindForm();
    if (!UI_CHECK(f.fields.size() == kLabels.size())) {
        return 0;
    }
    UI_CHECK(Text(f.Field("CLUB")) == kClub);
    UI_CHECK(Text(f.Field("SOAPBOX")) == "first line\r\nsecond line");
    UI_CHECK(Text(f.Field("CATEGORY-OPERATOR")) == "SINGLE-OP");
    Type(f.Field("NAME"), L"changed");
    UI_CHECK(WaitFor([&] { return Text(f.Field("NAME")) == "changed"; }));
    Click(GetDlgItem(f.dialog, IDCANCEL));
    return 0;
}

// Enter in a one-line field presses OK.
DWORD WINAPI ConfirmWithEnter(LPVOID) {
    const Form f = FindForm();
    if (!UI_CHECK(f.fields.size() == kLabels.size())) {
        return 0;
    }
    HWND email = f.Field("E-MAIL");
    Type(email, L"op@example.org");
    UI_CHECK(WaitFor([&] { return Text(email) == "op@example.org"; }));
    PressKey(email, VK_RETURN);
    return 0;
}

// Runs the header step on this thread while `drive` works the form.
int ShowHeader(CabrilloLog& log, LPTHREAD_START_ROUTINE drive) {
    HANDLE driver = CreateThread(nullptr, 0, drive, nullptr, 0, nullptr);
    const int answer = log.PrepareHeader(kCall, plat::RunModalForm);
    WaitForSingleObject(driver, INFINITE);
    CloseHandle(driver);
    return answer;
}

std::string Saved(const std::string& ini, const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA("Settings", key, "<missing>", value, sizeof value, ini.c_str());
    return value;
}

}  // namespace

void TestHeaderForm(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    UI_CHECK(SetCurrentDirectoryA(folder.c_str()) != FALSE);
    CreateDirectoryA("Plugins", nullptr);
    const std::string ini = folder + "\\Plugins\\DI-VE-RI.ini";
    DeleteFileA(ini.c_str());

    CabrilloLog confirmed;
    UI_CHECK(ShowHeader(confirmed, &FillAndConfirm) == 1);
    UI_CHECK(confirmed.m_club == kClub);
    UI_CHECK(confirmed.m_soapbox == "first line\r\nsecond line");
    UI_CHECK(confirmed.m_categoryOperator == "MULTI-OP");
    // The address field took only what its width shows.
    UI_CHECK(!confirmed.m_address.empty() && confirmed.m_address.size() < kLongAddress.size() &&
             confirmed.m_address == std::string(confirmed.m_address.size(), 'W'));
    UI_CHECK(Saved(ini, "Club") == kClub);
    UI_CHECK(Saved(ini, "SoapBox") == "first line<CR><LF>second line");
    UI_CHECK(Saved(ini, "Category") == "MULTI-OP");
    UI_CHECK(Saved(ini, "Address") == confirmed.m_address);

    const std::string before = testing_support::ReadFileBytes(ini);
    CabrilloLog cancelled;
    UI_CHECK(ShowHeader(cancelled, &CheckAndCancel) == 0);
    UI_CHECK(testing_support::ReadFileBytes(ini) == before);
    UI_CHECK(cancelled.m_name.empty() && cancelled.m_club == kClub);

    // A saved address longer than its field shows is kept whole on OK.
    const std::string savedAddress(100, 'X');
    WritePrivateProfileStringA("Settings", "Address", savedAddress.c_str(), ini.c_str());
    CabrilloLog entered;
    UI_CHECK(ShowHeader(entered, &ConfirmWithEnter) == 1);
    UI_CHECK(entered.m_email == "op@example.org");
    UI_CHECK(entered.m_address == savedAddress);
    UI_CHECK(entered.m_soapbox == "first line\r\nsecond line");
    DeleteFileA(ini.c_str());
    RemoveDirectoryA("Plugins");
}

}  // namespace uitest
