// The player's entry: the composition is registered, then the whole life of the player is
// main_real.
#include "player/libraries.h"

int main(int argc, char** argv) {
  qm::startup_register_libraries(&qm::player_libraries());
  return qm::main_real(argc, argv);
}
