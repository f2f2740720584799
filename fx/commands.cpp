// The transitionfx commands: each reads its arguments (a plain form, or a table in place of the
// effect, speed and parameter) into one request for the driver.
#include "display/display.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "fx/internal.h"
#include "layers/layers.h"
#include "runtime/args.h"

namespace qm {

namespace {

// The option table of every command's table form.
void read_options(qmState* L, int32_t t, qmFXRequest& r) {
  r.effect = FX_RANDOMEFFECT;
  r.speed = -1;
  r.parameter = FX_RANDOMPARAMETER;
  r.undolevel = 1;
  opt_get_int(L, t, "type", &r.effect, nullptr);
  opt_get_int(L, t, "speed", &r.speed, nullptr);
  opt_get_int(L, t, "parameter", &r.parameter, nullptr);
  opt_get_int(L, t, "undolevel", &r.undolevel, nullptr);
  opt_get_int(L, t, "dx", &r.x, nullptr);
  opt_get_int(L, t, "dy", &r.y, nullptr);
  r.layers = table_flag(L, t, "layers") ? 1 : 0;
  r.forcerealtimelayers = table_flag(L, t, "forcerealtimelayers") ? 1 : 0;
  r.async = table_flag(L, t, "async") ? 1 : 0;
  r.noborderfade = table_flag(L, t, "noborderfade") ? 1 : 0;
}

// The table form: exactly `position` arguments with a table last.
bool table_form(qmState* L, int32_t position) {
  return vm_get_top(L) == position && vm_type(L, position) == QM_TTABLE;
}

// The plain form's effect, speed and parameter from argument `first` on.
void read_plain(qmState* L, int32_t first, qmFXRequest& r) {
  r.effect = to_i32(vm_arg_opt_number(L, first, FX_RANDOMEFFECT));
  r.speed = to_i32(vm_arg_opt_number(L, first + 1, -1));
  r.parameter = to_i32(vm_arg_opt_number(L, first + 2, FX_RANDOMPARAMETER));
}

qmFXRequest new_request(qmState* L, int32_t kind) {
  qmFXRequest r;
  r.script = L;
  r.kind = kind;
  return r;
}

int32_t cmd_displaytransitionfx(qmState* L) {
  arg_check_count(L, 1, 4);
  qmFXRequest r = new_request(L, OBJ_BGPIC);
  r.id = arg_get_id(L, 1);
  r.bg_x = r.bg_y = POS_NOT_GIVEN;
  if (table_form(L, 2)) {
    read_options(L, 2, r);
    opt_get_int(L, 2, "x", &r.bg_x, nullptr);
    opt_get_int(L, 2, "y", &r.bg_y, nullptr);
    // A new background picture is no object a program can step.
    if (r.async) return ERR_WRONGUSAGE;
  } else {
    read_plain(L, 2, r);
  }
  return fx_command(r);
}

int32_t cmd_displaybgpicpartfx(qmState* L) {
  arg_check_count(L, 5, 11);
  qmFXRequest r = new_request(L, OBJ_BGPICPART);
  r.id = arg_get_id(L, 1);
  r.part_x = to_i32(vm_arg_check_number(L, 2));
  r.part_y = to_i32(vm_arg_check_number(L, 3));
  r.width = to_i32(vm_arg_check_number(L, 4));
  r.height = to_i32(vm_arg_check_number(L, 5));
  r.x = r.part_x, r.y = r.part_y;
  if (table_form(L, 6)) {
    read_options(L, 6, r);
  } else {
    read_plain(L, 6, r);
    r.x = to_i32(vm_arg_opt_number(L, 9, r.part_x));
    r.y = to_i32(vm_arg_opt_number(L, 10, r.part_y));
    r.layers = vm_get_top(L) >= 11 && flag_arg(L, 11) ? 1 : 0;
  }
  return fx_command(r);
}

// DisplayBrushFX and DisplayTextObjectFX: id, x, y, then the effect.
int32_t show_object(qmState* L, int32_t kind) {
  arg_check_count(L, 3, 6);
  qmFXRequest r = new_request(L, kind);
  r.id = arg_get_id(L, 1);
  r.x = to_i32(vm_arg_check_number(L, 2));
  r.y = to_i32(vm_arg_check_number(L, 3));
  if (table_form(L, 4)) {
    read_options(L, 4, r);  // "dx" and "dy" move the object
  } else {
    read_plain(L, 4, r);
  }
  return fx_command(r);
}

int32_t cmd_displaybrushfx(qmState* L) { return show_object(L, OBJ_BRUSH); }
int32_t cmd_displaytextobjectfx(qmState* L) { return show_object(L, OBJ_TEXTOBJECT); }

// ShowLayerFX, HideLayerFX and RemoveLayerFX: a layer (number or name), then the effect.
int32_t layer_command(qmState* L, int32_t kind) {
  arg_check_count(L, 1, 4);
  qmFXRequest r = new_request(L, kind);
  r.hide = kind == OBJ_LAYER ? 0 : 1;
  qmDisplay* d = display_current();
  int32_t position = 0;
  if (int32_t err = layer_arg_index(L, d ? d->bgpic : nullptr, 1, &position)) return err;
  r.id = ObjectId{position, nullptr};
  if (table_form(L, 2)) {
    read_options(L, 2, r);
    if (kind == OBJ_LAYER && table_flag(L, 2, "bgpicemu")) {
      ObjectId id;
      int32_t given = 0;
      opt_get_id(L, 2, "bgpic", &id, &given);
      if (!given) return ERR_MISSINGPARAMTR;
      if (int32_t err = bgpic_find(id, 0, &r.bgpic)) return err;
      r.bgpicemu = 1;
    }
  } else {
    read_plain(L, 2, r);
  }
  return fx_command(r);
}

int32_t cmd_showlayerfx(qmState* L) { return layer_command(L, OBJ_LAYER); }
int32_t cmd_hidelayerfx(qmState* L) { return layer_command(L, OBJ_HIDELAYER); }
int32_t cmd_removelayerfx(qmState* L) { return layer_command(L, OBJ_REMOVELAYER); }

// UndoFX(type, id, ...): removes the undolevel-th layer from the top that shows the object.
int32_t cmd_undofx(qmState* L) {
  arg_check_count(L, 2, 6);
  qmFXRequest r = new_request(L, OBJ_REMOVELAYER);
  r.hide = 1;
  r.undo_type = to_i32(vm_arg_check_number(L, 1));
  const ObjectId id = arg_get_id(L, 2);
  if (table_form(L, 3)) {
    read_options(L, 3, r);
  } else {
    read_plain(L, 3, r);
    r.undolevel = to_i32(vm_arg_opt_number(L, 6, 1));
  }
  qmDisplay* d = display_current();
  if (!d || !d->layers) return ERR_NOLAYERS;
  int32_t match = 0;
  for (qmLayer* l = layers_top(d->bgpic); l; l = l->prev) {
    if (l->type != r.undo_type || !(l->object == id)) continue;
    if (++match == r.undolevel) {
      r.layer = l;
      break;
    }
  }
  // No undolevel-th match: nothing of the object to undo.
  if (!r.layer) return ERR_FINDARRAY;
  r.id = ObjectId{layer_index_of(d->bgpic, r.layer), nullptr};
  return fx_command(r);
}

// ClearScreen(effect, colour, ...): the display's picture becomes one colour.
int32_t cmd_clearscreen(qmState* L) {
  arg_check_count(L, 1, 4);
  qmFXRequest r = new_request(L, OBJ_BGPIC);
  r.clear = 1;
  r.effect = to_i32(vm_arg_check_number(L, 1));
  r.colour = to_u32_bits(vm_arg_opt_number(L, 2, 0));
  if (table_form(L, 3)) {
    const int32_t effect = r.effect;
    read_options(L, 3, r);
    int32_t given = 0;
    opt_get_int(L, 3, "type", &r.effect, &given);
    if (!given) r.effect = effect;
  } else {
    r.speed = to_i32(vm_arg_opt_number(L, 3, -1));
    r.parameter = to_i32(vm_arg_opt_number(L, 4, FX_RANDOMPARAMETER));
  }
  return fx_command(r);
}

int32_t cmd_getrandomfx(qmState* L) {
  arg_check_count(L, 1, 1);
  vm_push_number(L, fx_random_effect(flag_arg(L, 1)));
  return 1;
}

const qmCommand kCommands[] = {
    {"DisplayTransitionFX", cmd_displaytransitionfx},
    {"DisplayBGPicPartFX", cmd_displaybgpicpartfx},
    {"DisplayBrushFX", cmd_displaybrushfx},
    {"DisplayTextObjectFX", cmd_displaytextobjectfx},
    {"ShowLayerFX", cmd_showlayerfx},
    {"HideLayerFX", cmd_hidelayerfx},
    {"RemoveLayerFX", cmd_removelayerfx},
    {"UndoFX", cmd_undofx},
    {"ClearScreen", cmd_clearscreen},
    {"GetRandomFX", cmd_getrandomfx},
    {nullptr, nullptr},
};

}  // namespace

}  // namespace qm

int32_t transitionfx_init(qmState* L) {
  return qm::picture_library_open(L, qm::kCommands, qm::fx_constants(), "transitionfx", nullptr);
}
