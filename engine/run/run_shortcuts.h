// What the formatting run may know of a document beyond its surface: enough
// to take, in one move, steps whose single effects nobody can see.
#pragma once

#include "document/document.h"

namespace markwell {

class RunShortcuts {
 public:
  // Whether somebody is told of every change of the selection. When nobody
  // is, steps that only move the selection may be taken together.
  static bool SelectionIsWatched(const Document& document) {
    return static_cast<bool>(document.onSelectionChange_);
  }
};

}  // namespace markwell
