// The requesters' rules as plain functions, and the requesters answered by scripted replies and
// by a stand-in dialog program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fonts.h"
#include "platform/platform.h"
#include "platform/requester.h"

namespace {

TEST(RequesterRules, ButtonListsSplitAtBarsUpTo32Labels) {
  std::vector<std::string> labels;
  EXPECT_EQ(requester_split_buttons("Yes|No|Maybe", &labels), 3);
  EXPECT_EQ(labels, (std::vector<std::string>{"Yes", "No", "Maybe"}));
  EXPECT_EQ(requester_split_buttons("OK", &labels), 1);
  EXPECT_EQ(requester_split_buttons("a||", &labels), 3);  // empty labels still count
  std::string list = "b";
  for (int i = 1; i < 32; i++) list += "|b";
  EXPECT_EQ(requester_split_buttons(list, &labels), 32);
  EXPECT_EQ(requester_split_buttons(list + "|b", &labels), -1);
}

TEST(RequesterRules, TheLastButtonAnswersZero) {
  struct Case {
    int32_t index, count, result;
  } cases[] = {{0, 1, 0}, {0, 2, 1}, {1, 2, 0}, {0, 3, 1}, {1, 3, 2}, {2, 3, 0}, {-1, 3, 0}, {3, 3, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(requester_button_result(c.index, c.count), c.result) << c.index << " of " << c.count;
}

TEST(RequesterRules, PatternListsAndMatching) {
  using V = std::vector<std::string>;
  EXPECT_EQ(requester_patterns("jpg|.PNG"), (V{".jpg", ".PNG"}));
  for (const char* all : {"", "*", "*.png", "#?"}) EXPECT_TRUE(requester_patterns(all).empty()) << all;
  EXPECT_EQ(requester_patterns("#?|png"), (V{".#?", ".png"}));  // only exactly "#?" means all
  const V exts = requester_patterns("jpg|.PNG");
  EXPECT_TRUE(requester_pattern_matches(exts, "/a/B.JPG"));
  EXPECT_TRUE(requester_pattern_matches(exts, "x.png"));
  EXPECT_FALSE(requester_pattern_matches(exts, "xpng"));
  EXPECT_FALSE(requester_pattern_matches(exts, "x.gif"));
  EXPECT_TRUE(requester_pattern_matches({}, "anything"));
}

TEST(RequesterRules, MultiSelectionRecordsTheFirstFolderAndEveryName) {
  FileRequestResult r;
  ASSERT_TRUE(requester_file_record({"/pics/a.png", "/pics/b.png"}, &r));
  EXPECT_EQ(r.path, "/pics/");
  EXPECT_EQ(r.names, (std::vector<std::string>{"a.png", "b.png"}));
  EXPECT_EQ(r.ok, 1);
  ASSERT_TRUE(requester_file_record({"/top"}, &r));
  EXPECT_EQ(r.path, "/");
  EXPECT_FALSE(requester_file_record({"relative"}, &r));
  EXPECT_FALSE(requester_file_record({}, &r));
}

TEST(RequesterRules, NumbersMaximumLengthAndDefaults) {
  for (const char* yes : {"12", "-3", "1.5", ".5", "5.", ".", "-.", "-0.25"}) EXPECT_TRUE(requester_is_number(yes)) << yes;
  for (const char* no : {"", "-", "1.2.3", "12a", "+1", "1e5", "--1", " 1"}) EXPECT_FALSE(requester_is_number(no)) << no;
  EXPECT_EQ(requester_string_default("abc", REQ_STRING_NUMERICAL, 0), "0");
  EXPECT_EQ(requester_string_default("", REQ_STRING_NUMERICAL, 0), "0");
  EXPECT_EQ(requester_string_default("42", REQ_STRING_NUMERICAL, 1), "4");
  EXPECT_EQ(requester_string_default("abcdefg", 0, 5), "abcde");
  EXPECT_EQ(requester_string_default("abc", 0, 0), "abc");
  EXPECT_EQ(requester_string_default(std::string(3000, 'x'), 0, 0).size(), 1023u);
}

TEST(RequesterRules, FontSizesAreWholeNumbersTheEngineReaches) {
  struct Case {
    const char* text;
    int32_t size;
  } cases[] = {{"12", 12}, {"1", 1}, {"4096", 4096}, {"0", 0}, {"4097", 0}, {"", 0},
               {"12pt", 0}, {"-3", 0}, {" 12", 0}, {"1.5", 0}, {"99999", 0}};
  for (const Case& c : cases) EXPECT_EQ(requester_font_size(c.text), c.size) << c.text;
}

TEST(RequesterRules, ColoursRoundDownFromSixteenBits) {
  EXPECT_EQ(requester_colour_from_16(0xFFFF, 0, 0), 0xFF0000);
  EXPECT_EQ(requester_colour_from_16(256 * 257 - 1, 0x8080, 0x80 * 257 - 1), 0xFF807F);
  EXPECT_EQ(requester_colour_from_16(256, 257, 514), 0x000102);
  EXPECT_EQ(requester_parse_colour("rgb(1,2,3)"), 0x010203);
  EXPECT_EQ(requester_parse_colour("rgba(255,0,16,0.5)\n"), 0xFF0010);
  EXPECT_EQ(requester_parse_colour("#a0B0c0"), 0xA0B0C0);
  for (const char* bad : {"", "rgb(1,2)", "rgb(256,0,0)", "#12345", "hsl(1,2,3)"})
    EXPECT_EQ(requester_parse_colour(bad), -1) << bad;
}

// A stand-in for the dialog program: logs its arguments one a line and its standard input, and
// gives the answers that the test lists, one per run (the last one again after that).
class DialogProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ::testing::TempDir() + "qm_dialog_" + std::to_string(::getpid());
    std::system(("mkdir -p " + dir_).c_str());
    program_ = dir_ + "/dialog";
    platform_set_requester_responder(nullptr);
  }
  void TearDown() override {
    platform_set_dialog_program("zenity");
    std::system(("rm -rf " + dir_).c_str());
  }
  struct Answer {
    int status;
    std::string text;
  };
  void make(const std::vector<Answer>& answers) {
    std::ofstream a(dir_ + "/answers");
    for (const Answer& x : answers) a << x.status << ' ' << x.text << '\n';
    a.close();
    std::ofstream f(program_);
    f << "#!/bin/sh\ncd " << dir_ << "\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> args; done\ncat >> input\n"
      << "n=$(($(cat count 2>/dev/null || echo 0) + 1)); echo $n > count\n"
      << "line=$(sed -n \"${n}p\" answers); [ -n \"$line\" ] || line=$(tail -n 1 answers)\n"
      << "printf '%s\\n' \"${line#* }\"\nexit \"${line%% *}\"\n";
    f.close();
    std::system(("chmod +x " + program_ + "; cd " + dir_ + " && rm -f args input count").c_str());
    platform_set_dialog_program(program_.c_str());
  }
  void make(const std::string& answer, int status) { make({{status, answer}}); }
  std::string read(const char* name) {
    std::ifstream f(dir_ + "/" + name);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  std::string args() { return read("args"); }
  std::string input() { return read("input"); }
  std::string dir_, program_;
};

TEST_F(DialogProgram, FileRequesterAsksWithFiltersAndReadsLatin1Paths) {
  make("/pics/caf\xc3\xa9.png", 0);
  FileRequestResult r;
  ASSERT_EQ(platform_file_request("Load", "png|.JPG", REQ_NORMAL, "/pics", "x.png", &r), 1);
  EXPECT_EQ(r.path, "/pics/");
  ASSERT_EQ(r.names.size(), 1u);
  EXPECT_EQ(r.names[0], "caf\xe9.png");
  const std::string a = args();
  EXPECT_NE(a.find("--filename=/pics/x.png\n"), std::string::npos) << a;
  EXPECT_NE(a.find("*.[pP][nN][gG] *.[jJ][pP][gG]"), std::string::npos) << a;
  EXPECT_EQ(a.find("--multiple"), std::string::npos) << a;
}

TEST_F(DialogProgram, CancelAndMissingProgramAnswerCancelled) {
  make("", 1);
  std::string out = "x";
  EXPECT_EQ(platform_path_request("Folder", "", &out), 0);
  EXPECT_EQ(out, "");
  platform_set_dialog_program("/nonexistent/dialog-program");
  int32_t row = 5;
  EXPECT_EQ(platform_list_request("Pick", "one", {"a"}, 0, &row), 0);
  EXPECT_EQ(row, -1);
}

TEST_F(DialogProgram, StringAndColourAnswers) {
  make("12", 0);
  std::string out;
  EXPECT_EQ(platform_string_request("N", "a_b\\n", "abc", &out, 5, 1, REQ_STRING_NUMERICAL), 1);
  EXPECT_EQ(out, "12");
  const std::string a = args();
  EXPECT_NE(a.find("--entry-text=0\n"), std::string::npos) << a;  // "abc" is no number
  EXPECT_NE(a.find("--hide-text"), std::string::npos) << a;
  EXPECT_NE(a.find("--text=a__b\\\\n\n"), std::string::npos) << a;  // no access key, no escape
  make("rgb(10,20,30)", 0);
  int32_t colour = 0;
  EXPECT_EQ(platform_color_request("C", 0x123456, &colour), 1);
  EXPECT_EQ(colour, 0x0A141E);
  EXPECT_NE(args().find("--color=#123456"), std::string::npos);
}

TEST_F(DialogProgram, ListRequesterMarksTheInitialRowAndReadsRowsFromInput) {
  make("2", 0);
  int32_t row = -1;
  EXPECT_EQ(platform_list_request("Pick", "a<b & \\", {"-x", "caf\xe9", "two\nlines"}, 1, &row), 1);
  EXPECT_EQ(row, 2);
  // Rows that look like options stay data; a line break would shift every later cell.
  EXPECT_EQ(input(), "FALSE\n0\n-x\nTRUE\n1\ncaf\xc3\xa9\nFALSE\n2\ntwo lines\n");
  const std::string a = args();
  EXPECT_NE(a.find("--radiolist\n"), std::string::npos) << a;
  EXPECT_NE(a.find("--text=a&lt;b &amp; \\\\\n"), std::string::npos) << a;
  EXPECT_EQ(a.find("\n-x\n"), std::string::npos) << a;
  // No row marked: none is chosen unless the user picks one.
  make("", 0);
  EXPECT_EQ(platform_list_request("Pick", "", {"a", "b"}, -1, &row), 1);
  EXPECT_EQ(row, -1);
  EXPECT_EQ(input().find("TRUE"), std::string::npos);
}

TEST_F(DialogProgram, FontRequesterListsTheFamiliesThenAsksTheSizeAndStyles) {
  const std::vector<std::string> families = platform_font_families();
  auto index_of = [&](const char* name) {
    for (size_t i = 0; i < families.size(); i++)
      if (families[i] == name) return std::to_string(i);
    return std::string("none");
  };
  const std::string mono = index_of("DejaVu Sans Mono"), sans = index_of("DejaVu Sans");
  ASSERT_NE(mono, "none");
  const std::string no_styles = "FALSE\n0\nBold\nFALSE\n1\nItalic\nFALSE\n2\nUnderline\n";
  // A size that is no whole number in range asks again; no style ticked is the plain face.
  make({{0, mono}, {0, "12pt"}, {0, "0"}, {0, "18"}, {0, ""}});
  FontRequestResult f;
  EXPECT_EQ(platform_font_request("Font", "", 0, &f), 1);
  EXPECT_EQ(f.name, "DejaVu Sans Mono");
  EXPECT_EQ(f.size, 18);
  EXPECT_EQ(f.weight, 80);
  EXPECT_EQ(f.bold + f.italic + f.underline, 0);
  EXPECT_NE(input().find("TRUE\n" + sans + "\nDejaVu Sans\n"), std::string::npos);  // the default font
  EXPECT_NE(input().find(no_styles), std::string::npos) << input();
  const std::string a = args();
  EXPECT_NE(a.find("--list\n--radiolist\n"), std::string::npos) << a;
  EXPECT_NE(a.find("--entry-text=12\n"), std::string::npos) << a;
  EXPECT_NE(a.find("--list\n--checklist\n"), std::string::npos) << a;
  // A full name marks its family's row and its own styles; the styles ticked come back.
  make({{0, sans}, {0, "14"}, {0, "0|2"}});
  EXPECT_EQ(platform_font_request("Font", "DejaVu Sans Bold Oblique", 30, &f), 1);
  EXPECT_NE(input().find("TRUE\n" + sans + "\nDejaVu Sans\n"), std::string::npos);
  EXPECT_NE(input().find("TRUE\n0\nBold\nTRUE\n1\nItalic\nFALSE\n2\nUnderline\n"), std::string::npos) << input();
  EXPECT_EQ(f.name, "DejaVu Sans");
  EXPECT_EQ(f.size, 14);
  EXPECT_EQ(std::vector<int32_t>({f.weight, f.slant, f.bold, f.italic, f.underline}),
            std::vector<int32_t>({200, 0, 1, 0, 1}));
  make({{0, sans}, {0, "14"}, {0, "1"}});
  EXPECT_EQ(platform_font_request("Font", "DejaVu Serif Italic", 30, &f), 1);
  EXPECT_NE(input().find("FALSE\n0\nBold\nTRUE\n1\nItalic\n"), std::string::npos) << input();
  EXPECT_EQ(std::vector<int32_t>({f.weight, f.slant, f.bold, f.italic, f.underline}),
            std::vector<int32_t>({80, 100, 0, 1, 0}));
  // A cancel at the list, the size or the styles keeps the initial font, without styles.
  for (const std::vector<Answer>& answers : {std::vector<Answer>{{1, ""}}, std::vector<Answer>{{0, mono}, {1, ""}},
                                             std::vector<Answer>{{0, mono}, {0, "20"}, {1, ""}}}) {
    make(answers);
    EXPECT_EQ(platform_font_request("Font", "dejavu sans", 30, &f), 1);
    EXPECT_EQ(f.name, "dejavu sans");
    EXPECT_EQ(f.size, 30);
    EXPECT_EQ(f.bold + f.italic + f.underline, 0);
    EXPECT_NE(input().find("TRUE\n" + sans + "\n"), std::string::npos);  // marked in any case
  }
}

TEST(MessageBox, HeadlessRunsFailCleanlyAndScriptsAnswer) {
  // The offscreen driver has no box: -1 at once, nobody waits.
  platform_set_requester_responder(nullptr);
  EXPECT_FALSE(platform_message_box_possible());
  EXPECT_EQ(platform_system_request("T", "text", "Yes|No", 0), -1);
  static std::string reply;
  platform_set_requester_responder([](std::string_view kind, std::string_view, std::string* r) {
    *r = reply;
    return kind == "system";
  });
  struct Case {
    const char* reply;
    const char* buttons;
    int32_t result;
  } cases[] = {{"1", "Yes|No|Maybe", 1}, {"2", "Yes|No|Maybe", 2}, {"3", "Yes|No|Maybe", 0},
               {"1", "Yes|No", 1},       {"", "Yes|No", 0},        {"1", nullptr, 0}};
  for (const Case& c : cases) {
    reply = c.reply;
    EXPECT_EQ(platform_system_request("T", "text", c.buttons, 0), c.result) << c.reply << " " << (c.buttons ? c.buttons : "-");
  }
  std::string many = "b";
  for (int i = 0; i < 32; i++) many += "|b";
  EXPECT_EQ(platform_system_request("T", "text", many.c_str(), 0), -1);
  platform_set_requester_responder(nullptr);
}

// The font requester lists families through fontconfig, which ends with the run.
struct FontShutdown : ::testing::Environment {
  void TearDown() override { platform_fontconfig_finish(); }
};
const auto* const kShutdown = ::testing::AddGlobalTestEnvironment(new FontShutdown);

}  // namespace
