// Writing engine formats and content into the editor's QTextDocument.
#pragma once

#include <QTextCursor>
#include <QTextDocument>

#include "bridge_reader.h"
#include "document/document_content.h"
#include "document/format_index_array.h"

namespace markwell::bridge {

// Writes the formats of `after` wherever they differ from `before` (the
// formats the snapshot was read with, in the same format table) into the
// stretch that `snapshot` was read from. One edit block, one private cursor,
// one setCharFormat per changed run: the widget lays the text out once.
// Properties the engine does not know (a background, a link) are kept.
// Returns whether anything was written.
bool WriteChangedFormats(QTextDocument& document, const Snapshot& snapshot,
                         const FormatIndexArray& before, const DocumentContent& after);

// Inserts `content` at `cursor` (replacing its selection); CR LF, lone CR
// and lone LF become line separators or block ends, as line_blocks.h says.
// The caller owns the edit block.
void InsertContent(QTextCursor& cursor, const DocumentContent& content);

}  // namespace markwell::bridge
