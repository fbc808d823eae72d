// The settings record against its profile: defaults, values out of range,
// the keys exit writes and their order, read back by Python's configparser
// (an INI reader that is not ours).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/core/settings_profile.h"
#include "app_test_util.h"

namespace {

using apptest::Quote;
using apptest::RunCommand;
using apptest::TempFolder;
using apptest::WriteFile;

// The Config section as configparser reads it: "key=value" lines in file order.
std::vector<std::string> ConfigByPython(const std::string& path) {
  const std::string script =
      "import configparser,sys\n"
      "p=configparser.ConfigParser(interpolation=None,strict=True)\n"
      "p.optionxform=str\n"
      "p.read(sys.argv[1],encoding='latin-1')\n"
      "[print(k+'='+v) for k,v in p['Config'].items()]\n";
  int status = -1;
  const std::string out = RunCommand("python3 -c " + Quote(script) + " " + Quote(path), &status);
  EXPECT_EQ(status, 0) << out;
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(out.substr(start, end - start));
  return lines;
}

struct LoadCase {
  const char* name;
  const char* profileLines;  // of section Config
  bool reader;
  // What to check, as text of the field read.
  std::string (*field)(const CAppSettings&);
  const char* expected;
};

std::string Width(const CAppSettings& s) { return std::to_string(s.labelWidth); }
std::string Height(const CAppSettings& s) { return std::to_string(s.labelHeight); }
std::string PerRow(const CAppSettings& s) { return std::to_string(s.labelsPerRow); }
std::string PerPage(const CAppSettings& s) { return std::to_string(s.rowsPerPage); }
std::string Rotation(const CAppSettings& s) { return std::to_string(s.rotation); }
std::string Shape(const CAppSettings& s) { return std::to_string(s.shape); }
std::string Grid(const CAppSettings& s) { return std::to_string(s.gridStep) + "/" + std::to_string(s.showGrid); }
std::string Tabs(const CAppSettings& s) { return std::to_string(s.tabStops); }
std::string Language(const CAppSettings& s) { return std::to_string(s.uiLanguage); }
std::string Spacing(const CAppSettings& s) { return std::to_string(s.lineSpacing); }
std::string JobEdit(const CAppSettings& s) { return s.Folder(SettingsFolder::JobEditFiles).GetData(); }
std::string PrintServer(const CAppSettings& s) {
  return std::to_string(s.usePrintServer) + "," + s.printServerFolder.GetData();
}
std::string TextFolder(const CAppSettings& s) { return s.Folder(SettingsFolder::TextFiles).GetData(); }
std::string Units(const CAppSettings& s) { return std::to_string(s.units); }
std::string HeaderFont(const CAppSettings& s) { return std::to_string(s.headerFontSize); }
std::string BoxWidth(const CAppSettings& s) { return std::to_string(s.boxLineWidth); }

const LoadCase kLoadCases[] = {
    {"width default", "", false, Width, "4000"},
    {"height default", "", false, Height, "2500"},
    {"width kept", "DefaultLabelWidth=100\n", false, Width, "100"},
    {"width top kept", "DefaultLabelWidth=1000000\n", false, Width, "1000000"},
    {"width below range", "DefaultLabelWidth=99\n", false, Width, "4000"},
    {"width above range", "DefaultLabelWidth=1000001\n", false, Width, "4000"},
    {"width beyond 32 bits", "DefaultLabelWidth=4294971296\n", false, Width, "4000"},
    {"height zero", "DefaultLabelHeight=0\n", false, Height, "2500"},
    {"height negative", "DefaultLabelHeight=-3000\n", false, Height, "2500"},
    {"per row default", "", false, PerRow, "1"},
    {"per row zero", "deflt_lblsPerRow=0\n", false, PerRow, "1"},
    {"per row negative", "deflt_lblsPerRow=-4\n", false, PerRow, "1"},
    {"per row beyond 16 bits", "deflt_lblsPerRow=65537\n", false, PerRow, "1"},
    {"per row kept", "deflt_lblsPerRow=3\n", false, PerRow, "3"},
    {"rows zero", "deflt_rowsPerPage=0\n", false, PerPage, "1"},
    {"rows kept", "deflt_rowsPerPage=12\n", false, PerPage, "12"},
    {"rotation kept", "deflt_rotation=3\n", false, Rotation, "3"},
    {"rotation beyond 3", "deflt_rotation=4\n", false, Rotation, "0"},
    {"rotation negative", "deflt_rotation=-1\n", false, Rotation, "0"},
    {"shape kept", "deflt_shape=2\n", false, Shape, "2"},
    {"shape beyond 2", "deflt_shape=3\n", false, Shape, "0"},
    {"shape 256 is not 0 by wrapping", "deflt_shape=258\n", false, Shape, "0"},
    {"grid default", "", false, Grid, "100.000000/0"},
    {"grid kept", "gridDx=62.5\n", false, Grid, "62.500000/0"},
    {"grid not a number", "gridDx=fine\n", false, Grid, "0.000000/0"},
    {"grid negative", "gridDx=-5\n", false, Grid, "0.000000/0"},
    {"grid shown at exit starts off", "gridDx=50\nshowGrid=1\n", false, Grid, "50.000000/0"},
    {"tabs default", "", false, Tabs, "4"},
    {"tabs zero", "TabStops=0\n", false, Tabs, "1"},
    {"tabs negative", "TabStops=-2\n", false, Tabs, "1"},
    {"tabs kept", "TabStops=8\n", false, Tabs, "8"},
    {"language default", "", false, Language, "0"},
    {"language kept", "AppLanguage=5\n", false, Language, "5"},
    {"language beyond table", "AppLanguage=6\n", false, Language, "0"},
    {"language negative", "AppLanguage=-1\n", false, Language, "0"},
    {"spacing default", "", false, Spacing, "0.200000"},
    {"spacing kept", "LineSpacing=0.35\n", false, Spacing, "0.350000"},
    {"spacing in reader mode", "LineSpacing=0.35\n", true, Spacing, "0.600000"},
    {"job-edit folder read", "JobEdit Files=/srv/jobs/\n", false, JobEdit, "/srv/jobs/"},
    {"job-edit folder default", "", false, JobEdit, ""},
    {"print server read", "usePrintServer=1\npathPrintServer=/srv/spool/\n", false, PrintServer, "1,/srv/spool/"},
    {"text folder default", "", false, TextFolder, "/home/u/.local/share/Zorvik/TextFiles/"},
    {"units kept", "DefaultUnits=2\n", false, Units, "2"},
    {"units unknown", "DefaultUnits=7\n", false, Units, "1"},
    {"header font default", "", false, HeaderFont, "10"},
    {"box width default", "", false, BoxWidth, "20"},
};

class SettingsLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(SettingsLoad, ReadsTheKeyChecked) {
  const LoadCase& c = GetParam();
  TempFolder temp;
  const std::string path = temp / "tavrendel.INI";
  WriteFile(path, std::string(";Init file for Mirolune\n[Config]\n") + c.profileLines);
  CAppSettings settings;
  LoadAppSettings(settings, CProfileFile(path), {"/home/u/.local/share/Zorvik/", c.reader});
  EXPECT_EQ(c.field(settings), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsLoad, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<LoadCase>& info) { return apptest::RowName(info.param.name); });

TEST(SettingsSave, ExitWritesItsKeysInOrderAndPythonReadsThem) {
  TempFolder temp;
  const std::string path = temp / "tavrendel.INI";
  CProfileFile profile(path);
  ASSERT_TRUE(profile.Create("Mirolune"));
  CAppSettings settings;
  LoadAppSettings(settings, profile, {"/data/Zorvik/", false});
  settings.showGrid = 1;
  settings.gridStep = 25;
  settings.clipboardAsBitmap = 0;
  SaveAppSettings(settings, profile, {"/data/Zorvik/", false});
  const std::vector<std::string> expected = {
      "drawFldsOpaque=1",
      "showGrid=1",
      "gridDx=25.000000",
      "TabStops=4",
      "Text Files=/data/Zorvik/TextFiles/",
      "Chooselist Files=/data/Zorvik/ChooselistFiles/",
      "Counter Files=/data/Zorvik/CounterFiles/",
      "Custom Stock Files=/data/Zorvik/StockFiles/",
      "Image Files=/data/Zorvik/ImageFiles/",
      "JobEdit Files=",
      "Port Watch Files=/data/Zorvik/PortWatchFiles/",
      "LineSpacing=0.200000",
      "AppLanguage=0",
      "DefaultUnits=1",
      "DefaultBoxWidth=20",
      "addObjFrame=0",
      "usePrintServer=0",
      "pathPrintServer=",
      "DoPrintLog=1",
      "pathLogFiles=/data/Zorvik/",
      "logFileOrganization=1",
      "logTextDelimiter=0",
      "clipbrdFmt_useBmp=0",
      "HdrFname=0",
      "HdrFontsz=10",
      "HdrPagenm=0",
      "HdrText=0",
  };
  EXPECT_EQ(ConfigByPython(path), expected);
  EXPECT_EQ(apptest::FirstLine(path), ";Init file for Mirolune");
}

TEST(SettingsSave, ReaderModeLeavesTheUsersLineSpacing) {
  TempFolder temp;
  const std::string path = temp / "tavrendel.INI";
  WriteFile(path, ";Init file for Mirolune\n[Config]\nLineSpacing=0.350000\n");
  CProfileFile profile(path);
  CAppSettings settings;
  LoadAppSettings(settings, profile, {"/data/Zorvik/", true});
  EXPECT_DOUBLE_EQ(settings.lineSpacing, 0.6);
  SaveAppSettings(settings, profile, {"/data/Zorvik/", true});
  const std::vector<std::string> lines = ConfigByPython(path);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "LineSpacing=0.350000"), lines.end());
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("LineSpacing=", 0) == 0; }), 1);
}

TEST(SettingsSave, HandSetValuesSurviveAStartAndExit) {
  // Values exit writes but older programs never read: a run keeps them.
  TempFolder temp;
  const std::string path = temp / "tavrendel.INI";
  WriteFile(path,
            ";Init file for Mirolune\n[Config]\nusePrintServer=1\npathPrintServer=/srv/spool/\n"
            "JobEdit Files=/srv/jobs/\naddObjFrame=1\nHdrText=1\n");
  CProfileFile profile(path);
  CAppSettings settings;
  LoadAppSettings(settings, profile, {"/data/Zorvik/", false});
  SaveAppSettings(settings, profile, {"/data/Zorvik/", false});
  const std::vector<std::string> lines = ConfigByPython(path);
  for (const char* kept : {"usePrintServer=1", "pathPrintServer=/srv/spool/", "JobEdit Files=/srv/jobs/",
                           "addObjFrame=1", "HdrText=1"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), kept), lines.end()) << kept;
}

TEST(SettingsRecord, CopyFromSharesStringsThatOutliveTheCopy) {
  CAppSettings copy;
  CAppSettings original;
  original.labelWidth = 1234;
  original.stockName = "Avery 5160";
  original.Folder(SettingsFolder::ImageFiles) = "/pics/";
  {
    CAppSettings temporary;
    temporary.CopyFrom(original);
    EXPECT_EQ(temporary.stockName.GetData(), original.stockName.GetData());  // one block, shared
    copy.CopyFrom(temporary);
  }
  EXPECT_EQ(copy.labelWidth, 1234);
  EXPECT_STREQ(copy.stockName.GetData(), "Avery 5160");
  EXPECT_STREQ(copy.Folder(SettingsFolder::ImageFiles).GetData(), "/pics/");
}

}  // namespace
