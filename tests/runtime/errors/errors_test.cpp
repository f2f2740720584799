#include "runtime/errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/messages.h"
#include "runtime/registry.h"

namespace {

using namespace qm;

class Errors : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_free_all();
    err_set_string_arg("");
    err_set_number_arg(0);
    err_reset_position();
    err_script_origin() = ScriptOrigin{};
  }
  void TearDown() override { registry_free_all(); }

  static std::string text(int32_t code) {
    char out[ERR_TEXT_SIZE];
    err_get_text(code, out, sizeof out);
    return out;
  }
};

TEST_F(Errors, TextsAndPlaceholders) {
  struct Case {
    int32_t code;
    const char* string_arg;
    int32_t number_arg;
    const char* expected;
  };
  const Case cases[] = {
      {ERR_MISSINGPARAMTR, "", 0, "Not enough arguments!"},
      {ERR_MEM, "", 0, "Out of memory!"},
      {ERR_WRONGUSAGE, "", 0, "Wrong usage/parameters for this command!\nRead the documentation!"},
      {ERR_NUMEXPECTED, "", 3, "Number expected in argument 3!"},
      {ERR_FINDFILE, "", -7, "Could not find file handle -7!"},
      // A virtual file name shows only its display name, whatever the code.
      {ERR_READFILE, ":::chunk120:4000*pics/logo.png/home/u/game.qma", 0, "Cannot read file pics !"},
      {ERR_FILEEXIST, ":::chunk0:10*data.bin/x/y", 0, "File data.bin does not exist!"},
      // Picture, sound and image codes show a path by its base name; others show it whole.
      {ERR_LOADPICTURE, "/a/b/pic.iff", 0, "Cannot load picture pic.iff!\nMake sure that this format is supported!"},
      {ERR_READFILE, "C:\\dir\\f.txt", 0, "Cannot read file f.txt !"},
      {ERR_FILEEXIST, "/a/b/pic.iff", 0, "File /a/b/pic.iff does not exist!"},
      {ERR_NUMTABLEARG, "width", 0, "Number expected in table argument \"width\"!"},
      // Built-in texts with a lone '%' keep it.
      {ERR_MALFORMPAT1, "", 0, "Malformed pattern! (ends with \"%\")"},
      {ERR_MISSINGOPBRACK, "x", 5, "Missing \"[\" after \"%f\" in pattern!"},
      // The codes whose text the caller sets show the slot as it is, placeholders included.
      {ERR_ERRORCALLED, "My %s %d text", 9, "My %s %d text"},
      {ERR_OPENFONT, "Font 'x' is broken", 0, "Font 'x' is broken"},
      {ERR_UNKNOWN, "", 0, "Unknown error code!"},
      {ERR_CONFIG2, "", 0, "Unknown error code!"},
      {1249, "", 0, "Unknown error code!"},
      {-5, "", 0, "Unknown error code!"},
      {INT32_MIN, "", 0, "Unknown error code!"},
      {500, "", 0, "Unknown error code!"},
  };
  for (const Case& c : cases) {
    err_set_string_arg(c.string_arg);
    err_set_number_arg(c.number_arg);
    EXPECT_EQ(text(c.code), c.expected) << c.code;
  }
}

TEST_F(Errors, OnlyOnePlaceholderIsFilled) {
  char out[64];
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"a %s b %d c", "a S b %d c"}, {"a %d b %s", "a %d b S"},  {"%ld then %d", "42 then %d"},
      {"%d then %ld", "42 then %ld"}, {"100% sure %x", "100% sure %x"}, {"%s%s%n%d", "S%s%n%d"},
      {"", ""},
  };
  for (const Case& c : cases) {
    err_fill_placeholder(out, sizeof out, c.text, "S", 42);
    EXPECT_STREQ(out, c.expected) << c.text;
  }
}

TEST_F(Errors, OutputIsBounded) {
  char big[4000];
  std::memset(big, 'x', sizeof big - 1);
  big[sizeof big - 1] = '\0';
  // The slot keeps 1023 bytes.
  EXPECT_EQ(std::strlen(err_set_string_arg(big)), ERR_ARG_SIZE - 1);
  char out[32];
  std::memset(out, '#', sizeof out);
  size_t n = err_get_text(ERR_TABLEDECLA, out, 20);
  EXPECT_EQ(n, 19u);
  EXPECT_EQ(std::string(out), "Table " + std::string(13, 'x'));
  EXPECT_EQ(out[20], '#');
  EXPECT_EQ(err_get_text(ERR_MEM, out, 0), 0u);
  err_fill_placeholder(out, 1, "abc", "S", 0);
  EXPECT_STREQ(out, "");
}

TEST_F(Errors, UserErrors) {
  EXPECT_EQ(err_add_user("First problem"), 1499);
  EXPECT_EQ(err_add_user("%s%s%n%d"), 1500);
  err_set_string_arg("slot");
  err_set_number_arg(7);
  EXPECT_EQ(text(1499), "First problem");
  // A program's own text is never read as a format.
  EXPECT_EQ(text(1500), "%s%s%n%d");
  EXPECT_EQ(text(1501), "Unknown error code!");
  err_free_user();
  EXPECT_EQ(text(1499), "Unknown error code!");
}

TEST_F(Errors, EveryBuiltinCodeHasAText) {
  err_set_string_arg("");
  for (int32_t code = ERR_FIRST_BUILTIN; code <= ERR_LAST_BUILTIN; ++code) {
    std::string t = text(code);
    EXPECT_FALSE(t.empty()) << code;
    EXPECT_EQ(t.find("%s"), std::string::npos) << code;
  }
  // Each named code has a row of its own unless it shares message 91.
  for (int i = 0; i < kErrorNameCount; ++i) {
    int32_t code = kErrorNames[i].code;
    if (code == ERR_NONE) continue;
    int32_t id = err_message_id(code);
    if (code == ERR_OPENFONT || code == ERR_ERRORCALLED) {
      EXPECT_EQ(id, -1);
    } else if (code == ERR_UNKNOWN || code == ERR_CONFIG2) {
      EXPECT_EQ(id, MSG_UNKNOWN_CODE);
    } else {
      EXPECT_EQ(id, code) << kErrorNames[i].name;
    }
  }
  // Message ids are unique in the table.
  for (size_t i = 0; i < kMessageCount; ++i)
    for (size_t j = i + 1; j < kMessageCount; ++j) EXPECT_NE(kMessages[i].id, kMessages[j].id) << kMessages[i].id;
}

TEST_F(Errors, MessagesOutsideTheCodes) {
  EXPECT_STREQ(err_get_message(MSG_DONE), "done");
  EXPECT_STREQ(err_get_message(MSG_FAILED), "failed");
  EXPECT_STREQ(err_get_message(MSG_FILE), "File");
  EXPECT_STREQ(err_get_message(MSG_CURRENT_LINE), "current line");
  EXPECT_STREQ(err_get_message(MSG_IN_FUNCTION), "In function");
  EXPECT_STREQ(err_get_message(MSG_ERROR), "Error");
  EXPECT_STREQ(err_get_message(5), "Unknown error code!");
}

TEST_F(Errors, IncludeRangeMapping) {
  ScriptOrigin applet;
  applet.script = ":none:";
  applet.applet_file = "/games/demo.qma";
  applet.includes = {{0, 99, 0, "main.qms"}, {100, 149, 10, "lib.qms"}, {150, 300, 100, "main.qms"}};
  struct Case {
    const char* source;
    int32_t line;
    int32_t expected;
    const char* file;
  };
  const Case cases[] = {
      {"main.qms", 5, 6, "main.qms"},     {"lib.qms", 100, 11, "lib.qms"},     {"lib.qms", 149, 60, "lib.qms"},
      {"main.qms", 150, 101, "main.qms"}, {"lib.qms", 150, -1, "/games/demo.qma"},
      {"?", 5, -1, "/games/demo.qma"},   {"other.qms", 5, -1, "/games/demo.qma"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(err_map_line(applet, c.source, c.line), c.expected) << c.source << " " << c.line;
    EXPECT_EQ(err_position_file(applet, c.source, c.line), c.file) << c.source << " " << c.line;
  }
  // An unnamed chunk matches the include node with the empty name.
  applet.includes.push_back({400, 410, 0, ""});
  EXPECT_EQ(err_map_line(applet, "?", 405), 6);
  EXPECT_EQ(err_map_line(applet, nullptr, 405), 6);

  ScriptOrigin script;
  script.script = "/src/Game.qms";
  script.begin_line = 3;
  EXPECT_EQ(err_map_line(script, "x", 10), 8);
  // Ranges of the script's own file (case-insensitively) count; others do not.
  script.includes = {{0, 20, 0, "/src/game.QMS"}, {21, 40, 0, "inc.qms"}, {41, 45, 0, "/SRC/GAME.qms"}};
  EXPECT_EQ(err_map_line(script, "x", 10), 10 - 3 + 20 + 4 + 1);
  EXPECT_EQ(err_position_file(script, "x", 10), "/src/Game.qms");
}

TEST_F(Errors, ReportForms) {
  EXPECT_EQ(err_report_text("Out of memory!", true, "/a/game.qms", 12, "Main"), "Out of memory!");
  EXPECT_EQ(err_report_text("Out of memory!", false, "/a/game.qms", 12, "----"),
            "Out of memory!\nFile: game.qms (current line: 12)");
  EXPECT_EQ(err_report_text("Out of memory!", false, "/a/game.qms", 12, "p_Draw"),
            "Out of memory!\nFile: game.qms (current line: 12 - In function: p_Draw)");
  // The text is data, never a format.
  EXPECT_EQ(err_report_text("%s%n", false, "%d", -1, "%s"), "%s%n\nFile: %d (current line: -1 - In function: %s)");
  EXPECT_EQ(err_debug_line("game.qms", 7, "Boom"), "game.qms:7: Boom\n");
  EXPECT_EQ(err_debug_line("", 7, "Boom"), "Error: Boom\n");
  EXPECT_EQ(err_debug_line(nullptr, 0, "%s"), "Error: %s\n");
}

TEST_F(Errors, RequesterSeam) {
  static std::string seen;
  err_set_request_fn([](const char* title, const char* text, const char* buttons, int32_t) -> int32_t {
    seen = std::string(title) + "|" + text + "|" + buttons;
    return 3;
  });
  EXPECT_EQ(err_system_request(ERR_REQUEST_TITLE, "t", "OK", 0), 3);
  EXPECT_EQ(seen, "QuillmerePlayer|t|OK");
  err_set_request_fn(nullptr);
}

TEST_F(Errors, ConsoleProgressRespectsQuiet) {
  testing::internal::CaptureStdout();
  console_print_done();
  runtime_flags().quiet = true;
  console_print_failed();
  runtime_flags().quiet = false;
  console_print_failed();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "done\nfailed\n");
}

}  // namespace
