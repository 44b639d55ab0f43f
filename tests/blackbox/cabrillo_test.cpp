// The report run: the header form and its saved answers, and the Cabrillo
// file byte for byte.
#include <sys/stat.h>

#include <map>

#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;
using testing_support::SplitCrLf;

class Cabrillo : public PluginTest {
  protected:
    // Answers the header form: OK with these edits, or Cancel.
    void AnswerForm(std::map<std::string, std::string> edits, bool ok = true) {
        plat::SetModalFormHandler(
            [this, edits, ok](const std::string& caption, std::vector<plat::FormField>& fields) {
                formCaption = caption;
                shown.clear();
                for (plat::FormField& f : fields) {
                    shown[f.label] = f.value;
                    auto e = edits.find(f.label);
                    if (e != edits.end()) {
                        f.value = e->second;
                    }
                }
                return ok;
            });
    }
    host::ContestRun ReportRun(const std::string& call = "DL1XYZ") {
        host::ContestRun run = DefaultRun();
        run.reportRun = 1;
        run.ownCall = call;
        return run;
    }
    std::vector<std::string> CabrilloLines(const std::string& file = "DL1XYZ.cbr") {
        const std::string bytes = ReadFile(file);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        return SplitCrLf(bytes);
    }
    static std::vector<std::string> DefaultHeader(const std::string& call = "DL1XYZ") {
        return {"START-OF-LOG: 3.0",
                "CALLSIGN: " + call,
                "CONTEST: DI-VE-RI",
                "CATEGORY-OPERATOR: SINGLE-OP",
                "CATEGORY-ASSISTED: NON-ASSISTED",
                "CATEGORY-BAND: ALL",
                "CATEGORY-MODE: MIXED",
                "CATEGORY-POWER: HIGH",
                "CATEGORY-STATION: FIXED",
                "CATEGORY-TRANSMITTER: ONE",
                "CLAIMED-SCORE: 0",
                "CLUB: ",
                "CREATED-BY: Larq Larq",
                "LOCATION: DX",
                "EMAIL: ",
                "NAME: ",
                "ADDRESS: ",
                "ADDRESS-CITY: ",
                "ADDRESS-STATE-PROVINCE: ",
                "ADDRESS-POSTALCODE: ",
                "ADDRESS-COUNTRY: ",
                "OPERATORS: " + call,
                "SOAPBOX: "};
    }
    std::string formCaption;
    std::map<std::string, std::string> shown;
};

TEST_F(Cabrillo, EmptyLogGivesTheHeaderAndTheEndTag) {
    plugin.Reset(ReportRun());
    plugin.Result();
    std::vector<std::string> expected = DefaultHeader();
    expected.push_back("END-OF-LOG:");
    EXPECT_EQ(CabrilloLines(), expected);
    const auto boxes = plat::ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "File produced: DL1XYZ.cbr");
    EXPECT_EQ(boxes[0].caption, "Output");
    EXPECT_EQ(boxes[0].icon, 1);
}

TEST_F(Cabrillo, QsoLinesInLogOrderWithFixedColumns) {
    plugin.Reset(ReportRun());
    host::QsoFields q = Qso("YU1ABC", "YU", "EU", "BGD");
    q.frequencyHz = 14025000;
    q.time = host::MakeDate(2017, 3, 5, 14, 23);
    plugin.Add(q);
    q.frequencyHz = 3505000;
    q.band = "80m";
    q.mode = "SSB";
    plugin.Add(q);
    q.frequencyHz = 7025400;
    q.band = "40m";
    q.mode = "cw";
    plugin.Add(q);
    q.band = "40m";
    q.mode = "cw";
    plugin.Add(q);  // a dupe is written like any other QSO
    q.call = "YU7NOC";
    q.exchRcvd = "123";
    plugin.Add(q);  // no county: written all the same
    q.call = "W1AW/VERYLONGSUFFIX";
    q.dxcc = "K";
    q.exchSent = "1234567";
    q.rstSent = "5999";
    q.exchRcvd = "42";
    plugin.Add(q);
    plugin.Result();
    const std::vector<std::string> lines = CabrilloLines();
    ASSERT_EQ(lines.size(), 23u + 6u + 1u);
    // 10 + 10 + 10 + 2 points times 4 DXCC and 3 counties.
    EXPECT_EQ(lines[10], "CLAIMED-SCORE: 224");
    EXPECT_EQ(lines[23],
              "QSO: 14025 CW 2017-03-05 1423 DL1XYZ        599 001    YU1ABC        599 BGD");
    EXPECT_EQ(lines[24],
              "QSO:  3505 PH 2017-03-05 1423 DL1XYZ        599 001    YU1ABC        599 BGD");
    EXPECT_EQ(lines[25],
              "QSO:  7025 ?? 2017-03-05 1423 DL1XYZ        599 001    YU1ABC        599 BGD");
    EXPECT_EQ(lines[26], lines[25]);
    EXPECT_EQ(lines[27],
              "QSO:  7025 ?? 2017-03-05 1423 DL1XYZ        599 001    YU7NOC        599 123");
    EXPECT_EQ(lines[28],
              "QSO:  7025 ?? 2017-03-05 1423 DL1XYZ        5999 1234567 "
              "W1AW/VERYLONGSUFFIX 599 42");
    EXPECT_EQ(lines[29], "END-OF-LOG:");

    // A second request writes each QSO once.
    plugin.Result();
    EXPECT_EQ(CabrilloLines().size(), lines.size());
}

TEST_F(Cabrillo, FileBaseComesFromTheOwnCall) {
    const std::pair<const char*, const char*> cases[] = {{"YU1ABC/P", "YU1ABC_P.cbr"},
                                                         {"9A/YU1ABC", "9A_YU1ABC.cbr"},
                                                         {" YU1ABC\\2 ", "YU1ABC_2.cbr"},
                                                         {"  /  ", "_.cbr"},
                                                         {"", "VOKA.cbr"}};
    for (const auto& c : cases) {
        plugin.Reset(ReportRun(c.first));
        plugin.Result();
        EXPECT_TRUE(FileExists(c.second)) << c.first;
    }
}

TEST_F(Cabrillo, CreatedByNamesTheHostVersion) {
    mkdir("host", 0755);
    WriteFile("host/Larq2.ini", "Larq=2.19\r\n");
    host::ContestRun run = ReportRun();
    run.hostFolder = dir() + "/host/";
    plugin.Reset(run);
    plugin.Result();
    EXPECT_EQ(CabrilloLines()[12], "CREATED-BY: Larq 2.19");
}

TEST_F(Cabrillo, FormShowsTheSavedAnswersAndSavesTheEditedOnes) {
    WriteFile("Plugins/DI-VE-RI.ini", "[Settings]\r\nClaimed=777\r\n");
    AnswerForm({{"NAME", "Ann Operator"},
                {"CATEGORY-OPERATOR", "MULTI-OP"},
                {"CLUB", std::string(60, 'C')},
                {"CLAIMED", "999999"},
                {"CALLSIGN", "DL1XYZ/P"},
                {"SOAPBOX", "first line\r\nsecond line"}});
    plugin.Reset(ReportRun());
    EXPECT_EQ(formCaption, "YU DX CONTEST");
    EXPECT_EQ(shown["CALLSIGN"], "DL1XYZ");
    EXPECT_EQ(shown["OPERATORS"], "DL1XYZ");
    EXPECT_EQ(shown["CLAIMED"], "777");
    EXPECT_EQ(shown["CATEGORY-OVERLAY"], "NONE");
    EXPECT_EQ(shown["LOCATION"], "DX");
    EXPECT_EQ(ReadFile("Plugins/DI-VE-RI.ini"),
              "[Settings]\r\nClaimed=777\r\nOperators=DL1XYZ\r\nName=Ann Operator\r\n"
              "Address=\r\nAddress_City=\r\nAddress_St_Prov=\r\nAddress_PostalCode=\r\n"
              "Address_Country=\r\nCategory=MULTI-OP\r\nCategory_Overlay=NONE\r\n"
              "Contest=DI-VE-RI\r\nEmail=\r\nClub=" +
                  std::string(60, 'C') +
                  "\r\nSoapBox=first line<CR><LF>second line\r\nStart=0\r\n");

    plugin.Result();
    // The edited call sign goes into the file but not into its name.
    const std::vector<std::string> lines = CabrilloLines();
    EXPECT_EQ(lines[1], "CALLSIGN: DL1XYZ/P");
    EXPECT_EQ(lines[3], "CATEGORY-OPERATOR: MULTI-OP");
    EXPECT_EQ(lines[10], "CLAIMED-SCORE: 0");
    EXPECT_EQ(lines[11], "CLUB: " + std::string(60, 'C'));
    EXPECT_EQ(lines[22], "SOAPBOX: first line");
    EXPECT_EQ(lines[23], "SOAPBOX: second line");

    // The next report run shows the saved answers, whole, and the fixed
    // category again.
    AnswerForm({}, false);
    plugin.Reset(ReportRun());
    EXPECT_EQ(shown["NAME"], "Ann Operator");
    EXPECT_EQ(shown["CLUB"], std::string(60, 'C'));
    EXPECT_EQ(shown["SOAPBOX"], "first line\r\nsecond line");
    EXPECT_EQ(shown["CATEGORY-OPERATOR"], "SINGLE-OP");
}

TEST_F(Cabrillo, CancelSavesNothingButTheFileIsStillWritten) {
    WriteFile("Plugins/DI-VE-RI.ini", "[Settings]\r\nName=Saved Name\r\n");
    AnswerForm({{"NAME", "Typed Name"}}, false);
    plugin.Reset(ReportRun());
    EXPECT_EQ(ReadFile("Plugins/DI-VE-RI.ini"), "[Settings]\r\nName=Saved Name\r\nStart=0\r\n");
    plugin.Result();
    EXPECT_EQ(CabrilloLines()[15], "NAME: Saved Name");
}

TEST_F(Cabrillo, SoapboxLineRules) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {"SOAPBOX: "}},
        {"one\ntwo", {"SOAPBOX: onetwo"}},
        {"ends\r\n", {"SOAPBOX: ends", "SOAPBOX: "}},
        {"a\r\n\r\nb", {"SOAPBOX: a", "SOAPBOX: ", "SOAPBOX: b"}}};
    for (const auto& c : cases) {
        AnswerForm({{"SOAPBOX", c.first}});
        plugin.Reset(ReportRun());
        plugin.Result();
        std::vector<std::string> lines = CabrilloLines();
        ASSERT_GE(lines.size(), 24u);
        lines.erase(lines.begin(), lines.begin() + 22);
        lines.pop_back();
        EXPECT_EQ(lines, c.second) << c.first;
    }
}

TEST_F(Cabrillo, LineBreaksInHeaderValuesStayOnTheirLine) {
    AnswerForm({{"NAME", "Ann\r\nCATEGORY-POWER: QRP"}, {"CLUB", "a\nb"}});
    plugin.Reset(ReportRun());
    plugin.Result();
    const std::vector<std::string> lines = CabrilloLines();
    EXPECT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[15], "NAME: Ann  CATEGORY-POWER: QRP");
    EXPECT_EQ(lines[11], "CLUB: a b");
}

TEST_F(Cabrillo, FailureToWriteIsReportedAndKeepsNothingHalfWritten) {
    mkdir("DL1XYZ.cbr", 0755);  // a folder where the file should go
    plugin.Reset(ReportRun());
    plugin.Result();
    const auto boxes = plat::ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot write file: DL1XYZ.cbr");
}

}  // namespace
