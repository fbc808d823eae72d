// RTF that LibreOffice writes, read here and written back. The test builds
// documents as HTML and as flat OpenDocument text (fonts, sizes, styles
// based on styles, East Asian bold and italic, raised and lowered text,
// colours, alignment, indents, bullets, tables, a picture), some by hand and
// more drawn from fixed seeds, and LibreOffice writes them as RTF; RTF
// written by hand covers the rules of \plain, \pard, \s, \sbasedon and the
// font table. For each file: the runs read here equal LibreOffice's reading
// of the same file, and LibreOffice's reading of the RTF written here
// equals its reading of the original (both compared through its fodt
// output). Two soffice calls convert the whole corpus.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/platform/richedit/office_convert.h"
#include "tests/platform/richedit/office_reading.h"
#include "tests/platform/richedit/rich_test_util.h"
#include "tests/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using officetest::Differences;
using officetest::ReadFile;
using officetest::WriteFile;
using richedit::TextDocument;

// A small deterministic generator: the same corpus on every machine.
class Draw {
 public:
  explicit Draw(uint32_t seed) : state_(seed) {}
  uint32_t Below(uint32_t n) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % n;
  }
  bool OneIn(uint32_t n) { return Below(n) == 0; }
  template <typename T, size_t N>
  const T& Pick(const std::array<T, N>& from) {
    return from[Below(N)];
  }

 private:
  uint32_t state_;
};

constexpr std::array<const char*, 6> kLatinFonts = {"Arial", "Times New Roman", "Courier New", "Liberation Serif",
                                                    "DejaVu Sans", "Verdana"};
constexpr std::array<const char*, 3> kAsianFonts = {"SimSun", "MS Mincho", "WenQuanYi Micro Hei"};
constexpr std::array<const char*, 9> kSizes = {"8", "9", "10", "10.5", "11", "12", "14", "18", "24"};
constexpr std::array<const char*, 6> kColours = {"#000000", "#ff0000", "#0000ff", "#008000", "#336699", "#993300"};
constexpr std::array<const char*, 10> kWords = {"label", "barcode", "quick", "brown", "fox", "jumps",
                                                "over", "lazy", "dog", "printer"};
constexpr std::array<const char*, 6> kAsianWords = {"中文", "粗体字", "日本語", "かなカナ", "漢字テキスト", "条码"};
constexpr std::array<const char*, 4> kAlignments = {"left", "right", "center", "justify"};

std::string Words(Draw& draw) {
  std::string text;
  for (uint32_t n = 1 + draw.Below(3); n > 0; --n) text += std::string(text.empty() ? "" : " ") + draw.Pick(kWords);
  return text;
}

// One span of HTML: Latin or East Asian text (the latter always with an
// East Asian font, which LibreOffice would otherwise take from its own
// defaults), with some of the formats.
std::string HtmlSpan(Draw& draw, bool withAsian) {
  const bool asian = withAsian && draw.OneIn(3);
  std::string style;
  if (asian) style += std::string("font-family:'") + draw.Pick(kAsianFonts) + "';";
  else if (draw.OneIn(2)) style += std::string("font-family:'") + draw.Pick(kLatinFonts) + "';";
  if (draw.OneIn(2)) style += std::string("font-size:") + draw.Pick(kSizes) + "pt;";
  if (draw.OneIn(3)) style += std::string("color:") + draw.Pick(kColours) + ";";
  std::string text = asian ? draw.Pick(kAsianWords) : Words(draw);
  if (draw.OneIn(3)) text = "<b>" + text + "</b>";
  if (draw.OneIn(3)) text = "<i>" + text + "</i>";
  if (draw.OneIn(5)) text = "<u>" + text + "</u>";
  if (draw.OneIn(8)) {
    const std::string tag = draw.OneIn(2) ? "sup" : "sub";
    text = "<" + tag + ">" + text + "</" + tag + ">";
  }
  return style.empty() ? text : "<span style=\"" + style + "\">" + text + "</span>";
}

std::string HtmlRuns(Draw& draw, bool withAsian) {
  std::string runs;
  for (uint32_t n = 2 + draw.Below(4); n > 0; --n) runs += HtmlSpan(draw, withAsian) + " ";
  return runs;
}

// A page of paragraphs, class styles (which LibreOffice writes as styles
// based on its body text style), headings, bullets and a table.
std::string RandomHtml(uint32_t seed, bool withAsian = true) {
  Draw draw(seed);
  auto runs = [&] { return HtmlRuns(draw, withAsian); };
  std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>\n";
  for (int c = 0; c < 3; ++c) {
    html += "p.c" + std::to_string(c) + " { font-family: '" + draw.Pick(kLatinFonts) + "'; font-size: " +
            draw.Pick(kSizes) + "pt;" + (draw.OneIn(2) ? " font-weight: bold;" : "") +
            (draw.OneIn(2) ? std::string(" color: ") + draw.Pick(kColours) + ";" : "") + " }\n";
  }
  html += "</style></head><body>\n";
  for (uint32_t n = 6 + draw.Below(5); n > 0; --n) {
    switch (draw.Below(6)) {
      case 0: html += "<p>" + runs() + "</p>\n"; break;
      case 1: html += "<p class=\"c" + std::to_string(draw.Below(3)) + "\">" + runs() + "</p>\n"; break;
      case 2: {
        const std::string h = "h" + std::to_string(1 + draw.Below(3));
        html += "<" + h + ">" + runs() + "</" + h + ">\n";
        break;
      }
      case 3: {
        const std::string first = runs(), second = runs();
        html += "<ul><li>" + first + "</li><li>" + second + "</li></ul>\n";
        break;
      }
      case 4: {
        const std::string first = runs(), second = runs();
        html += "<table border=\"1\"><tr><td>" + first + "</td><td>" + second + "</td></tr></table>\n";
        break;
      }
      default:
        html += std::string("<p style=\"text-align:") + draw.Pick(kAlignments) + "; margin-left:" +
                std::to_string(draw.Below(3)) + "in\">" + runs() + "</p>\n";
        break;
    }
  }
  return html + "</body></html>\n";
}

// What the random pages may miss, once each, and a picture.
std::string FixedHtml(const std::string& picture) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>\n"
         "p.body { font-family: 'Times New Roman'; font-size: 11pt; }\n"
         "p.note { font-family: Arial; font-size: 9pt; color: #336699; font-style: italic; }\n"
         "h1 { font-family: Arial; font-size: 20pt; color: #203040; }\n"
         "</style></head><body>\n"
         "<h1>Heading one</h1>\n"
         "<p class=\"body\">Body text with <b>bold</b>, <i>italic</i>, <u>underline</u>, x<sup>2</sup> and "
         "H<sub>2</sub>O, <span style=\"color:#ff0000\">red</span>.</p>\n"
         "<p class=\"note\">A note in its own style, <b>bold</b> in it.</p>\n"
         "<p style=\"text-align:right; margin-left:1in\">Right and indented</p>\n"
         "<p style=\"text-align:center\"><span style=\"font-family:SimSun; font-size:14pt\">中文<b>粗体</b>"
         "<i>斜体</i><b><i>粗斜</i></b></span> <span style=\"font-family:'MS Mincho'\"><b>日本語</b></span></p>\n"
         "<ul><li>first bullet</li><li>second <span style=\"font-size:8pt\">small</span></li></ul>\n"
         "<table border=\"1\"><tr><td>cell a</td><td><b>cell b</b></td></tr></table>\n"
         "<p>Picture: <img src=\"" + picture + "\" width=\"24\" height=\"16\"> after</p>\n"
         "</body></html>\n";
}

constexpr char kFodtHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
    "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
    "office:version=\"1.3\" office:mimetype=\"application/vnd.oasis.opendocument.text\">\n";

std::string FontFaces() {
  std::string faces = "<office:font-face-decls>\n";
  auto face = [&](const char* name) {
    faces += std::string("<style:font-face style:name=\"") + name + "\" svg:font-family=\"'" + name + "'\"/>\n";
  };
  for (const char* f : kLatinFonts) face(f);
  for (const char* f : kAsianFonts) face(f);
  return faces + "</office:font-face-decls>\n";
}

// Text properties drawn for a style: some of font, size, weight, posture,
// underline, colour, each also for East Asian text.
std::string TextProperties(Draw& draw, bool raise) {
  std::string p;
  if (draw.OneIn(2)) p += std::string(" style:font-name=\"") + draw.Pick(kLatinFonts) + "\"";
  if (draw.OneIn(3)) p += std::string(" style:font-name-asian=\"") + draw.Pick(kAsianFonts) + "\"";
  if (draw.OneIn(2)) {
    const char* size = draw.Pick(kSizes);
    p += std::string(" fo:font-size=\"") + size + "pt\" style:font-size-asian=\"" + size + "pt\"";
  }
  if (draw.OneIn(3)) {
    const char* weight = draw.OneIn(3) ? "normal" : "bold";
    p += std::string(" fo:font-weight=\"") + weight + "\" style:font-weight-asian=\"" + weight + "\"";
  }
  if (draw.OneIn(3)) {
    const char* posture = draw.OneIn(3) ? "normal" : "italic";
    p += std::string(" fo:font-style=\"") + posture + "\" style:font-style-asian=\"" + posture + "\"";
  }
  if (draw.OneIn(5)) p += " style:text-underline-style=\"solid\" style:text-underline-width=\"auto\"";
  if (draw.OneIn(3)) p += std::string(" fo:color=\"") + draw.Pick(kColours) + "\"";
  if (raise && draw.OneIn(6)) p += draw.OneIn(2) ? " style:text-position=\"super 58%\"" : " style:text-position=\"sub 58%\"";
  return "<style:text-properties" + p + "/>";
}

std::string ParagraphProperties(Draw& draw) {
  std::string p;
  if (draw.OneIn(2)) p += std::string(" fo:text-align=\"") + draw.Pick(kAlignments) + "\"";
  if (draw.OneIn(3)) p += " fo:margin-left=\"" + std::to_string(draw.Below(4) * 0.25) + "in\"";
  if (draw.OneIn(4)) p += " fo:text-indent=\"-0.25in\"";
  return "<style:paragraph-properties" + p + "/>";
}

// Paragraph styles based on one another (which LibreOffice writes with
// \sbasedon), paragraphs and spans over them, bullets and a table.
std::string RandomFodt(uint32_t seed) {
  Draw draw(seed);
  std::string doc = kFodtHead + FontFaces() + "<office:styles>\n";
  doc += "<style:default-style style:family=\"paragraph\"><style:text-properties style:font-name=\"Liberation Serif\" "
         "fo:font-size=\"12pt\" style:font-name-asian=\"WenQuanYi Micro Hei\" style:font-size-asian=\"12pt\"/>"
         "</style:default-style>\n";
  doc += "<style:style style:name=\"Standard\" style:family=\"paragraph\"/>\n";
  constexpr int kStyles = 5;
  for (int s = 0; s < kStyles; ++s) {
    const std::string parent = s == 0 || draw.OneIn(3) ? "Standard" : "S" + std::to_string(draw.Below(s));
    doc += "<style:style style:name=\"S" + std::to_string(s) + "\" style:family=\"paragraph\" style:parent-style-name=\"" +
           parent + "\">" + ParagraphProperties(draw) + TextProperties(draw, false) + "</style:style>\n";
  }
  doc += "</office:styles>\n<office:automatic-styles>\n";
  constexpr int kSpans = 8;
  for (int t = 0; t < kSpans; ++t) {
    doc += "<style:style style:name=\"T" + std::to_string(t) + "\" style:family=\"text\">" + TextProperties(draw, true) +
           "</style:style>\n";
  }
  // East Asian text names its font: LibreOffice writes the default one as
  // a number its font table lacks, and reads that back as a font named "0".
  for (size_t a = 0; a < kAsianFonts.size(); ++a) {
    doc += "<style:style style:name=\"A" + std::to_string(a) + "\" style:family=\"text\"><style:text-properties "
           "style:font-name-asian=\"" + kAsianFonts[a] + "\"/></style:style>\n";
  }
  doc += "<text:list-style style:name=\"L1\"><text:list-level-style-bullet text:level=\"1\" text:bullet-char=\"\xE2\x80\xA2\">"
         "<style:list-level-properties text:space-before=\"0.25in\" text:min-label-width=\"0.25in\"/>"
         "</text:list-level-style-bullet></text:list-style>\n";
  doc += "</office:automatic-styles>\n<office:body><office:text>\n";
  auto paragraph = [&]() {
    std::string p = "<text:p text:style-name=\"S" + std::to_string(draw.Below(kStyles)) + "\">";
    for (uint32_t n = 1 + draw.Below(4); n > 0; --n) {
      const std::string text = draw.OneIn(3) ? "<text:span text:style-name=\"A" + std::to_string(draw.Below(3)) + "\">" +
                                                   draw.Pick(kAsianWords) + "</text:span>"
                                             : Words(draw);
      p += draw.OneIn(4) ? text + " " : "<text:span text:style-name=\"T" + std::to_string(draw.Below(kSpans)) + "\">" + text + "</text:span> ";
    }
    return p + "</text:p>\n";
  };
  for (uint32_t n = 6 + draw.Below(5); n > 0; --n) {
    switch (draw.Below(5)) {
      case 0:
        doc += "<text:list text:style-name=\"L1\"><text:list-item>" + paragraph() + "</text:list-item><text:list-item>" +
               paragraph() + "</text:list-item></text:list>\n";
        break;
      case 1:
        doc += "<table:table table:name=\"Table" + std::to_string(n) + "\"><table:table-column table:number-columns-repeated=\"2\"/>"
               "<table:table-row><table:table-cell>" + paragraph() + "</table:table-cell><table:table-cell>" + paragraph() +
               "</table:table-cell></table:table-row></table:table>\n";
        break;
      default:
        doc += paragraph();
        break;
    }
  }
  return doc + "</office:text></office:body></office:document>\n";
}

// RTF written by hand: what the rules of styles, \plain and \pard give, as
// LibreOffice reads them. Every case has a font table (LibreOffice takes
// fonts a file does not name from its own defaults) and gives East Asian
// text its font; style names are not LibreOffice's own.
constexpr char kFonts[] =
    R"({\rtf1\ansi\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}{\f2\fmodern Courier New;})"
    R"({\f3\froman\fprq2\fcharset0 Liberation Serif{\*\falt Times New Roman};})"
    R"({\f4\froman\fcharset0\fprq2{\*\panose 02020603050405020304}DejaVu Serif;}{\f8\fnil\fcharset134 SimSun;}})"
    R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})";
constexpr char kSheet[] =
    R"({\stylesheet{\s0\f1\fs30 Normal;}{\s5\sbasedon0\sa100 Alpha;}{\s6\sbasedon5\b\fs20\qc Beta;})"
    R"({\s7\i Gamma;}{\s8\sbasedon9\fs40 Delta;}{\s9\fs44 Epsilon;}{\s10\sbasedon0\cf1\ul Zeta;})"
    R"({\s11\sbasedon0\dbch\af8\ab Eta;}{\*\cs20\ul\f2 Theta;}})";

struct HandCase {
  const char* name;
  std::string rtf;
};

std::vector<HandCase> HandCases() {
  const std::string head = std::string(kFonts) + kSheet;
  return {
      // The case the fault was reported with: a style based on Normal.
      {"based-on-normal", std::string(kFonts) +
                              R"({\stylesheet{\s0\f1\fs30 Normal;}{\s5\sbasedon0\sa100 Body;}}\pard\plain\s5 Hello\par})"},
      {"plain-after-style", head + R"(\pard\s5\plain Hello\par})"},
      {"font-after-style", head + R"(\pard\plain\s5\f0 Hello\par})"},
      {"bold-before-style", head + R"(\pard\plain\b A\par\pard\s5 B\par})"},
      {"plain-in-styled-paragraph", head + R"(\pard\plain\s5 A{\b B}\plain C\par})"},
      {"own-properties-come-from-the-text", head + R"(\pard\plain\s6 Six\par\pard\plain\s6\b\fs20 six\par})"},
      {"style-without-base", head + R"(\pard\plain\s7 Seven\par})"},
      {"normal-without-style-word", head + R"(\pard\plain Eight\par})"},
      {"based-on-a-later-style", head + R"(\pard\plain\s8 Delta\par})"},
      {"size-kept-through-pard", head + R"(\pard\plain\s5\fs40 A\par\pard\s6 B\par})"},
      {"pard-resets-the-style", head + R"(\pard\plain\s5 A\plain B\pard C\par\pard\plain D\s5 E\par})"},
      {"colour-and-underline-from-the-base", head + R"(\pard\plain\s10 Zeta{\cf2 blue}\par})"},
      {"east-asian-from-the-base", head +
                                       R"(\uc0\pard\plain\s11 {\dbch\af8 \u20013\u25991}\par)"
                                       R"(\pard\plain\s11 {\dbch\af8\b0 \u20013}{\dbch\af8\ab \u25991}\par})"},
      {"character-styles", head + R"(\pard\plain\s5 A{\cs20 code}{\cs20\ul it}B\par})"},
      {"paragraph-formats-from-styles", head + R"(\pard\plain\s6 centred\par\pard\plain\s6\ql left\par})"},
      {"east-asian-bold-and-italic", std::string(kFonts) +
                                         R"(\uc0\pard\plain\fs24{\dbch\af8\ab \u31895\u20307}{\dbch\af8\ai \u26012\u20307})"
                                         R"({\dbch\af8\ab\ai \u31895}{\dbch\af8\ab\b0 \u20013}x\par})"},
      {"fonts-with-alternatives-and-panose", std::string(kFonts) + R"(\pard\plain\f3 serif \f4 panose\f0  sans\par})"},
      {"raised-and-lowered", std::string(kFonts) +
                                 R"(\pard\plain A{\super B}{\sub C}D{\up6 E}{\dn4 F}\par})"},
      {"styles-apply-their-formats", std::string(kFonts) +
                                         R"({\stylesheet{\s0 Normal;}{\s1\qc\sb240\b\fs40 Head one;})"
                                         R"({\s2\sbasedon1\sa120 Head two;}{\*\cs10\i Stress;}})"
                                         R"(\pard\s1 Title\par\pard\s2 Sub\par\pard\s0\plain Body {\cs10 em}{\cs10\i em}})"},
  };
}

class OfficeCorpus : public ::testing::Test {
 protected:
  // Reads each RTF here, writes it back as <name>-back.rtf, and has
  // LibreOffice read both, and the source document <name>-source.* where
  // `sources` names it; then compares the readings.
  void CheckAll(const std::vector<std::string>& names, const std::vector<std::string>& sources = {}) {
    std::vector<std::string> inputs;
    for (size_t i = 0; i < sources.size(); ++i) {
      const std::string copy = names[i] + "-source" + fs::path(sources[i]).extension().string();
      fs::copy_file(Folder() / sources[i], Folder() / copy);
      inputs.push_back(copy);
    }
    std::vector<TextDocument> docs(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
      const fs::path rtf = Folder() / "rtf" / (names[i] + ".rtf");
      ASSERT_TRUE(fs::exists(rtf)) << "LibreOffice wrote no " << rtf << ": " << Log();
      ASSERT_TRUE(richedit::ReadRtf(richtest::Bytes(ReadFile(rtf)), docs[i])) << names[i];
      ASSERT_TRUE(docs[i].Valid()) << names[i];
      WriteFile(Folder() / "rtf" / (names[i] + "-back.rtf"), richedit::WriteRtf(docs[i]));
      inputs.push_back("rtf/" + names[i] + ".rtf");
      inputs.push_back("rtf/" + names[i] + "-back.rtf");
    }
    ASSERT_EQ(officetest::Convert(Folder(), "fodt:OpenDocument Text Flat XML", "fodt", inputs), 0) << Log();
    size_t characters = 0;
    size_t bySource = 0;  // where LibreOffice misread its own RTF and its source decided
    for (size_t i = 0; i < names.size(); ++i) {
      const fs::path original = Folder() / "fodt" / (names[i] + ".fodt");
      const fs::path back = Folder() / "fodt" / (names[i] + "-back.fodt");
      ASSERT_TRUE(fs::exists(original) && fs::exists(back)) << names[i] << ": " << Log();
      const officetest::Reading office = officetest::ReadFlatOdt(ReadFile(original));
      const officetest::Reading officeBack = officetest::ReadFlatOdt(ReadFile(back));
      ASSERT_TRUE(office.parsed && officeBack.parsed) << names[i];
      characters += office.chars.size();
      officetest::Reading source;
      if (i < sources.size()) {
        const fs::path path = Folder() / "fodt" / (names[i] + "-source.fodt");
        ASSERT_TRUE(fs::exists(path)) << names[i] << ": " << Log();
        source = officetest::ReadFlatOdt(ReadFile(path));
        ASSERT_TRUE(source.parsed) << names[i];
      }
      const officetest::Reading* from = i < sources.size() ? &source : nullptr;
      for (const auto& line : Differences(office, officetest::ReadDocument(docs[i]), from, &bySource)) {
        ADD_FAILURE() << names[i] << ", read here against LibreOffice: " << line;
      }
      for (const auto& line : Differences(office, officeBack, from, &bySource)) {
        ADD_FAILURE() << names[i] << ", written here and read by LibreOffice: " << line;
      }
    }
    RecordProperty("characters", static_cast<int>(characters));
    RecordProperty("decided_by_the_source", static_cast<int>(bySource));
  }

  // TAV_KEEP_OFFICE=<folder> keeps the documents and readings for a look.
  void TearDown() override {
    std::error_code ignored;
    if (const char* keep = std::getenv("TAV_KEEP_OFFICE")) {
      fs::copy(Folder(), keep, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ignored);
    }
  }

  fs::path Folder() const { return folder_.path(); }
  std::string Log() const { return ReadFile(Folder() / "soffice.log"); }

  testfs::ScratchFolder folder_{"office-corpus"};
};

TEST_F(OfficeCorpus, LibreOfficeRtfReadsAsLibreOfficeReadsItAndSurvivesWritingBack) {
  ASSERT_FALSE(folder_.path().empty());
  std::vector<std::string> sources, names;
  auto add = [&](const std::string& name, const std::string& extension, const std::string& content) {
    WriteFile(Folder() / (name + extension), content);
    sources.push_back(name + extension);
    names.push_back(name);
  };
  add("fixed-html", ".html", FixedHtml(officetest::WritePicture(Folder())));
  for (uint32_t seed = 1; seed <= 10; ++seed) add("html-" + std::to_string(seed), ".html", RandomHtml(seed));
  for (uint32_t seed = 1; seed <= 8; ++seed) add("odt-" + std::to_string(seed), ".fodt", RandomFodt(seed * 7919));
  ASSERT_EQ(officetest::Convert(Folder(), "rtf:Rich Text Format", "rtf", sources), 0) << Log();
  // pandoc's RTF of pages without East Asian text (it names no East Asian
  // font, and LibreOffice would take its own); no source decides here.
  for (uint32_t seed = 21; seed <= 24; ++seed) {
    const std::string name = "pandoc-" + std::to_string(seed);
    WriteFile(Folder() / (name + ".html"), RandomHtml(seed, false));
    const std::string command = "cd " + officetest::Quote(Folder().string()) + " && pandoc -s -f html -t rtf " + name +
                                ".html -o rtf/" + name + ".rtf";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    names.push_back(name);
  }
  CheckAll(names, sources);
}

TEST_F(OfficeCorpus, HandWrittenRtfReadsAsLibreOfficeReadsIt) {
  ASSERT_FALSE(folder_.path().empty());
  fs::create_directories(Folder() / "rtf");
  std::vector<std::string> names;
  for (const auto& c : HandCases()) {
    WriteFile(Folder() / "rtf" / (std::string(c.name) + ".rtf"), c.rtf);
    names.push_back(c.name);
  }
  CheckAll(names);
}

}  // namespace
