// Print, NPrint and TextOut: their arguments made into a text job.
#include <string>

#include "display/showbrush.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "text/layout.h"
#include "text/text_internal.h"

namespace qm {

namespace {

// A word-wrap table holds fewer entries than this.
constexpr size_t kWrapTableLimit = 32767;

// Every argument through the script's own "tostring", joined by blanks. A result that is no
// string adds nothing.
std::string joined_arguments(qmState* L) {
  const int32_t n = vm_get_top(L);
  std::string text;
  for (int32_t i = 1; i <= n; ++i) {
    vm_push_string(L, "tostring");
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_value(L, i);
    vm_call(L, 1, 1);
    if (i > 1) text += ' ';
    if (vm_type(L, -1) == QM_TSTRING) text.append(vm_to_string(L, -1), vm_string_length(L, -1));
    vm_pop(L, 1);
  }
  return text;
}

int32_t print(qmState* L, bool newline) {
  arg_check_count(L, 1, 0);
  std::string text = joined_arguments(L);
  if (newline) text += '\n';
  return text_print(L, text.data(), text.size(), false);
}

// "wordwraptable": numbers from index 0 up to the first nil.
int32_t wrap_table(qmState* L, int32_t t, std::vector<int32_t>* out, bool* given) {
  vm_push_string(L, "wordwraptable");
  vm_get_table(L, t);
  if (vm_type(L, -1) == QM_TNIL) {
    vm_pop(L, 1);
    return 0;
  }
  *given = true;
  int32_t err = 0;
  if (vm_type(L, -1) != QM_TTABLE) {
    err_set_string_arg("wordwraptable");
    err = ERR_TABEXPECTED2;
  }
  for (int32_t i = 0; !err; ++i) {
    vm_raw_geti(L, -1, i);
    const int32_t type = vm_type(L, -1);
    if (type == QM_TNUMBER && out->size() < kWrapTableLimit)
      out->push_back(to_i32(vm_to_number(L, -1)));
    vm_pop(L, 1);
    if (type == QM_TNIL) break;
    if (type != QM_TNUMBER)
      err_set_string_arg("wordwraptable"), err = ERR_NUMTABLEARG;
    else if (out->size() >= kWrapTableLimit)
      err = ERR_INTERNAL;
  }
  vm_pop(L, 1);
  return err;
}

}  // namespace

int32_t cmd_print(qmState* L) {
  return print(L, false);
}
int32_t cmd_nprint(qmState* L) {
  return print(L, true);
}

int32_t text_job_options(qmState* L, int32_t t, qmTextJob* job, int32_t* wrap) {
  opt_get_int(L, t, "align", &job->align, nullptr);
  opt_get_int(L, t, "wordwrap", wrap, nullptr);
  uint32_t encoding = uint32_t(job->encoding);
  opt_get_uint(L, t, "encoding", &encoding, nullptr);
  if (encoding > 1) return ERR_WRONGUSAGE;
  job->encoding = int32_t(encoding);
  opt_get_uint(L, t, "color", &job->style.colour, nullptr);
  return 0;
}

int32_t cmd_textout(qmState* L) {
  arg_check_count(L, 3, 5);
  const int32_t n = vm_get_top(L);
  qmTextJob job;
  job.x = to_i32(vm_arg_check_number(L, 1));
  job.y = to_i32(vm_arg_check_number(L, 2));
  size_t length = 0;
  const char* text = vm_arg_check_string(L, 3, &length);
  job.text.assign(text, length);
  job.style = text_get_style();
  job.encoding = text_default_encoding();
  qmTransformTags tt;
  qmDrawTagOptions dt;
  if (int32_t err =
          brush_display_options(L, 4, 0, 0, 0, 0, 0, &tt, &dt, DISPOPT_RESET | DISPOPT_NOSIZE))
    return err;
  int32_t wrap = 0;
  if (n == 4 && vm_type(L, 4) == QM_TTABLE) {
    if (int32_t err = text_job_options(L, 4, &job, &wrap)) return err;
    if (int32_t err = wrap_table(L, 4, &job.word_breaks, &job.wrap_table)) return err;
  } else {
    if (n >= 4) job.align = to_i32(vm_arg_check_number(L, 4));
    if (n >= 5) wrap = to_i32(vm_arg_check_number(L, 5));
  }
  if (wrap < 0) return ERR_WRONGUSAGE;
  job.right_margin = wrap;
  return text_render(L, job, TEXTKIND_TEXTOUT, false, &tt, &dt, 0);
}

}  // namespace qm
