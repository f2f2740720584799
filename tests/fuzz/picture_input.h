// What the picture targets share: the input as a linked file in memory, of up to a megabyte.
#pragma once

#include "memory_input.h"

using FuzzPictureFile = FuzzMemoryFile;
