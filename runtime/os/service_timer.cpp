// The 20 ms service interval shared by the sound layer and the event library.
#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"

namespace {

qmIntervalAddFn g_add = nullptr;
qmIntervalRemoveFn g_remove = nullptr;
uint32_t g_users = 0;  // bit per user

// The interval's id: number 0 and the address of a word of our own as its automatic id, so that
// it can never be confused with an interval of the program.
int g_private_word;
const qm::ObjectId g_id{0, &g_private_word};

}  // namespace

void qmos_set_interval_service(qmIntervalAddFn add, qmIntervalRemoveFn remove) {
  g_add = add;
  g_remove = remove;
}

int32_t qmos_sound_timer_start(void* context, int32_t user) {
  if (user != QMOS_TIMER_SOUND && user != QMOS_TIMER_EVENTS) return qm::ERR_WRONGUSAGE;
  if (g_users == 0) {
    if (!g_add) return qm::ERR_WRONGUSAGE;
    if (int32_t err = g_add(context, &g_id, 20, 1)) return err;
  }
  g_users |= 1u << user;
  return 0;
}

void qmos_sound_timer_stop(void* context, int32_t user) {
  if (user != QMOS_TIMER_SOUND && user != QMOS_TIMER_EVENTS) return;
  if (!(g_users & (1u << user))) return;
  g_users &= ~(1u << user);
  if (g_users == 0 && g_remove) g_remove(context, &g_id);
}
