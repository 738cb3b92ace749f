// Opening and saving the document: the surface's Lines.LoadFromFile and
// Lines.SaveToFile.
#pragma once

#include <string>
#include <string_view>

#include "document/document.h"

namespace markwell {

// Reads a file into the document: as RTF when it is RTF, else as plain text
// (UTF-8 when it is valid UTF-8, else windows-1250) in the base font.
// Errors (EngineError): "Cannot open file %s" when the file cannot be
// opened or read, with the system's reason; "Failed to Load Stream" when it
// is neither readable RTF nor text. On an error the document is left as it
// was.
void LoadFromFile(Document& document, const std::string& fileName);

// The same for bytes already in memory (standard input, the clipboard).
void LoadFromBytes(Document& document, std::string_view bytes);

// Writes the whole document as RTF, safely (see WriteFileSafely): an
// existing file is never damaged, and keeps its mode, links, owner and
// group. Error (EngineError): "Cannot create file %s", with the system's
// reason.
void SaveToFile(const Document& document, const std::string& fileName);

// The extension rule of the open command: the part of the file name from its
// last "." to the end, when no "\" or ":" follows that dot; upper-cased (a to
// z only). Empty when there is none.
std::string FileExtension(std::string_view fileName);

}  // namespace markwell
