#include "writers/clipboard_content.h"

#include <gtest/gtest.h>

#include "rtf_test_support.h"

namespace markwell {
namespace {

using test::Format;
using test::FormatOf;

// «Kůň» bold, « a » plain, «Жук» italic red, then a line break and «x».
Document SampleDocument() {
  Document document;
  DocumentContent content = test::Content({{"Kůň", Format("Arial", 12, 1)},
                                           {" a ", Format("Arial", 12)},
                                           {"Жук", Format("Courier New", 9, 2, MakeRgb(255, 0, 0))},
                                           {"\r\nx", Format("Arial", 12)}});
  document.ReplaceContent(std::move(content));
  return document;
}

// Word processors and web mail keep a <pre>'s blanks and lines; the spans
// say only what differs from the format of most of the selection.
TEST(Clipboard, CopiesTheSelectionAsAnHtmlFragment) {
  Document source = SampleDocument();
  source.SetSelStart(1);
  source.SetSelLength(source.Length() - 1);
  EXPECT_EQ(SelectionAsHtml(source),
            "<meta charset=\"utf-8\"><pre style=\"white-space:pre-wrap;"
            "font-family:&#39;Arial&#39;;font-size:12pt;font-weight:normal;font-style:normal;"
            "text-decoration:none\"><span style=\"font-weight:bold\">ůň</span> a "
            "<span style=\"font-family:&#39;Courier New&#39;;font-size:9pt;font-style:italic;"
            "color:#FF0000\">Жук</span>\nx</pre>");
  // A line break that opens the selection is kept: the first after <pre> is not text.
  source.SetSelStart(9);
  source.SetSelLength(3);
  EXPECT_EQ(SelectionAsHtml(source),
            "<meta charset=\"utf-8\"><pre style=\"white-space:pre-wrap;"
            "font-family:&#39;Arial&#39;;font-size:12pt;font-weight:normal;font-style:normal;"
            "text-decoration:none\">\n\nx</pre>");
}

TEST(Clipboard, CopiesTheSelectionAsRtfAndText) {
  Document source = SampleDocument();
  source.SetSelStart(1);
  source.SetSelLength(8);  // «ůň a Жук»
  EXPECT_EQ(SelectionAsText(source), "ůň a Жук");
  const std::string rtf = SelectionAsRtf(source);

  Document target;
  target.SetText(u"[]");
  target.SetSelStart(1);
  ASSERT_TRUE(InsertRtf(target, rtf));
  EXPECT_EQ(test::Utf8Text(target.Content()), "[ůň a Жук]");
  EXPECT_EQ(target.SelStart(), 9);
  EXPECT_EQ(target.SelLength(), 0);
  EXPECT_EQ(*FormatOf(target.Content(), "ůň"), Format("Arial", 12, 1));
  EXPECT_EQ(*FormatOf(target.Content(), " a "), Format("Arial", 12));
  EXPECT_EQ(*FormatOf(target.Content(), "Жук"), Format("Courier New", 9, 2, MakeRgb(255, 0, 0)));
  EXPECT_EQ(target.Content().FormatAt(0), target.Font().AsCharFormat());
}

TEST(Clipboard, TextCarriesLineBreaksAsCrLf) {
  Document source = SampleDocument();
  source.SelectAll();
  EXPECT_EQ(SelectionAsText(source), "Kůň a Жук\r\nx");
  source.SetSelStart(2);
  EXPECT_EQ(SelectionAsText(source), "");
}

TEST(Clipboard, EmptySelectionCopiesAnEmptyDocument) {
  Document source = SampleDocument();
  source.SetSelStart(3);
  Document target = SampleDocument();
  target.SelectAll();
  ASSERT_TRUE(InsertRtf(target, SelectionAsRtf(source)));
  EXPECT_EQ(target.Length(), 0);
}

TEST(Clipboard, NonRtfChangesNothing) {
  Document document = SampleDocument();
  document.SetSelStart(2);
  document.SetSelLength(3);
  EXPECT_FALSE(InsertRtf(document, "plain words"));
  EXPECT_FALSE(InsertRtf(document, ""));
  EXPECT_EQ(test::Utf8Text(document.Content()), "Kůň a Жук\r\nx");
  EXPECT_EQ(document.SelStart(), 2);
  EXPECT_EQ(document.SelLength(), 3);
}

TEST(Clipboard, PastedRtfTakesTheSelectionFormatForWhatItLeavesUnsaid) {
  Document document = SampleDocument();
  document.SetSelStart(1);  // inside the bold «Kůň»
  ASSERT_TRUE(InsertRtf(document, "{\\rtf1 p{\\i q}}"));
  EXPECT_EQ(test::Utf8Text(document.Content()), "Kpqůň a Жук\r\nx");
  EXPECT_EQ(*FormatOf(document.Content(), "p"), Format("Arial", 12, 1));
  EXPECT_EQ(*FormatOf(document.Content(), "q"), Format("Arial", 12, 3));
}

TEST(Clipboard, PastedTextTakesTheSelectionFormatAndCrLf) {
  Document document = SampleDocument();
  document.SetSelStart(4);
  document.SetSelLength(1);  // «a»
  InsertText(document, u"b\nc\rd");
  EXPECT_EQ(test::Utf8Text(document.Content()), "Kůň b\r\nc\r\nd Жук\r\nx");
  EXPECT_EQ(*FormatOf(document.Content(), "b\r\nc\r\nd"), Format("Arial", 12));
  EXPECT_EQ(document.SelStart(), 11);
}

}  // namespace
}  // namespace markwell
