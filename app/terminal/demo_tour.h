// The guided tour of `trf --demo`: a script of commands with one announced line per step and
// `expect` lines, so that the tour stops loudly when the program no longer behaves as it shows.
#pragma once

namespace trf {

const char* DemoTourScript();

}  // namespace trf
