// The player's entry: the whole life of the player is main_real.
#include "runtime/startup.h"

int main(int argc, char** argv) { return qm::main_real(argc, argv); }
