// Checks shared by the fuzz targets: what must hold after any input.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "document/document_content.h"

namespace markwell::fuzz {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

inline void Require(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// Every position has a format from the table, and line breaks are CR LF.
inline void CheckContent(const DocumentContent& content) {
  Require(content.Indices().Size() == content.Text().size(), "one format per character");
  for (std::size_t i = 0; i < content.Text().size(); ++i) {
    Require(content.Indices()[i] < content.Table().Size(), "format index in the table");
    const char16_t c = content.Text()[i];
    if (c == u'\r')
      Require(i + 1 < content.Text().size() && content.Text()[i + 1] == u'\n', "CR then LF");
    if (c == u'\n') Require(i > 0 && content.Text()[i - 1] == u'\r', "LF after CR");
  }
}

}  // namespace markwell::fuzz
