#include "writers/clipboard_content.h"

#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"
#include "text/utf8.h"
#include "writers/html_writer.h"

namespace markwell {

std::string SelectionAsRtf(const Document& document) {
  return RtfString(document.Content(), document.SelStart(),
                   document.SelStart() + document.SelLength());
}

std::string SelectionAsHtml(const Document& document) {
  return HtmlFragment(document.Content(), document.SelStart(),
                      document.SelStart() + document.SelLength());
}

std::string SelectionAsText(const Document& document) {
  return EncodeUtf8(std::u16string_view(document.Text())
                        .substr(static_cast<std::size_t>(document.SelStart()),
                                static_cast<std::size_t>(document.SelLength())));
}

bool InsertRtf(Document& document, std::string_view rtf) {
  // What the RTF leaves unsaid takes the format at the selection, as typed text would.
  std::optional<DocumentContent> content = ReadRtf(rtf, document.SelectionFormat());
  if (!content) return false;
  document.ReplaceSelection(*content);
  return true;
}

void InsertText(Document& document, std::u16string_view text) {
  document.SetSelText(text);
}

}  // namespace markwell
