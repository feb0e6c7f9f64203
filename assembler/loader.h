// The loading routine the assembler puts in front of a program ("Insert loader"): it clears the
// working storage and reads the program's blocks to their places, the first block last, then
// jumps to the program.
//
// The tape is read from its first block by the console's loading word "1 0000300000", which puts
// that block at locations 0 to 59 and lets the machine go on at location 0. A routine of up to 60
// words is that first block:
//
//   [routine] [middle block 1] ... [middle block M] [program words 1-60]
//
// and its "3" instructions store middle block i at 60 i and read the next block. A longer routine
// (programs of several thousand words) runs in two blocks, A at 0-59 and B at 60-119, that a
// bootstrap block puts in place:
//
//   [bootstrap] [B] [A] [middle block 2] ... [middle block M] [middle block 1] [words 1-60]
//
// The bootstrap's word 0 reads B, stores it at 60-119 and reads A; its word 1 stores A over the
// bootstrap at 0-59 and, in the same word, jumps to 0. A clears working storage, reads middle
// block 2, stores middle blocks 2 ... j and jumps to B; B stores middle blocks j+1 ... M, and its
// last word stores middle block 1 over B itself and jumps back to A's last word, which stores the
// program's first block over A and jumps to the program. Every word of the routine has run before
// a block is stored over it, or runs from the copy the machine takes of the word it executes.
#pragma once

#include <string>
#include <vector>

#include "assembler/assembly_state.h"
#include "tape/tape_file.h"

namespace ormlax {

struct LoadingRoutine {
  // The blocks that go on the tape before the middle blocks: the routine, or the bootstrap, B
  // and A.
  std::vector<TapeBlock> Blocks;
  // The middle blocks go on the tape in the order 2 ... M, then 1 (the two-block routine).
  bool MiddleBlockOneLast = false;
};

// The routine for a program whose words beyond the first 60 make `middleBlocks` blocks (at least
// one), with working storage of `total` words from `start`, jumping to 4 with the overflow
// routine and to 0 without.
LoadingRoutine BuildLoadingRoutine(Location start, Location total, Location middleBlocks,
                                   bool overflowRoutine);

// The most words a program loaded by the routine may have: a middle block stored past location
// 9999 would stop the machine.
Location MostWordsLoaded(int memorySize);

}  // namespace ormlax
