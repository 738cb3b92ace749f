// A run takes the steps at a stretch of separators in one move when nobody
// watches the selection, and a bar that shows nothing gets only its last
// value. Whatever can be seen afterwards must be the same as when every step
// moves the selection under a watching handler and writes a watched bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "filter_test_support.h"
#include "keywords/keyword_list.h"
#include "run/formatting_run.h"

namespace markwell {
namespace {

using filter_test::MakeKeywords;
using filter_test::RecordingProgress;

struct Outcome {
  std::vector<CharFormat> formats;
  int selStart = 0;
  int selLength = 0;
  CharFormat selectionFormat;
  std::vector<std::pair<int, int>> barWrites;  // maximum, position
  int barPosition = 0;
};

Outcome RunOn(const std::u16string& text, int mode, const KeywordLists& keywords, bool color,
              bool watched, bool silentBar = false, bool mixedFonts = false) {
  Document document;
  document.SetText(text);
  if (mixedFonts) {
    // Tokens and words across a change of font, which the reset keeps.
    document.SetSelStart(3);
    document.SetSelLength(7);
    document.SelAttributes().SetName("Courier New");
  }
  int moves = 0;
  if (watched) document.SetSelectionChangeHandler([&moves] { ++moves; });
  RecordingProgress recording(document);
  SilentProgress silent;
  ProgressView& progress = silentBar ? static_cast<ProgressView&>(silent) : recording;
  RunFormattingSteps(document, mode, keywords, color, progress);
  Outcome outcome;
  outcome.barPosition = progress.BarPosition();
  for (int i = 0; i < document.Length(); ++i) {
    outcome.formats.push_back(document.Content().Table().Get(document.Content().IndexAt(i)));
  }
  outcome.selStart = document.SelStart();
  outcome.selLength = document.SelLength();
  outcome.selectionFormat = document.SelectionFormat();
  for (const auto& write : recording.writes)
    outcome.barWrites.emplace_back(write.maximum, write.position);
  return outcome;
}

TEST(WatchedRunTest, SeparatorStretchesGiveWhatStepsGive) {
  const std::u16string texts[] = {
      u"",
      u"   ",
      u"begin  end;   ",
      u"x := 'a' + 'b'  { c }  (* d *)  // e\r\n   end",
      u"if a then  ( b ) / c // unclosed",
      u"  'unclosed   ",
      u"a' b'  [c]' d '  % comment\r\n  x = y';",
      u"\u010D\u00E1 := \u00FD  + 1 ;  \U0001F600 begin",
      u"end\r\n\r\n\r\n    ;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;; end",
      u"a                                                                        b",
      // Lengths of 10n - 1 ending in separators: their last step asks for a
      // value beyond the bar's maximum, which is written once per step.
      u"x                  ",
      u"end;                         ",
  };
  KeywordLists usual;
  usual.pascal = MakeKeywords({"begin", "end", "if", "then"});
  usual.matlab = MakeKeywords({"end", "if", "x"});
  KeywordLists withEmpty = usual;
  withEmpty.pascal.Add("");
  withEmpty.matlab.Add("");
  for (const KeywordLists* keywords : {&usual, &withEmpty}) {
    for (int mode : {kPascalMode, kMatlabMode, kAssemblerMode}) {
      for (bool color : {false, true}) {
        for (const std::u16string& text : texts) {
          for (bool mixed : {false, true}) {
            const Outcome stepped = RunOn(text, mode, *keywords, color, true, false, mixed);
            const Outcome skipped = RunOn(text, mode, *keywords, color, false, false, mixed);
            const std::string label =
                "mode " + std::to_string(mode) + ", colour " + std::to_string(color) + ", text " +
                std::to_string(&text - texts) + (keywords == &withEmpty ? ", empty keyword" : "") +
                (mixed ? ", mixed fonts" : "");
            EXPECT_EQ(skipped.formats, stepped.formats) << label;
            EXPECT_EQ(skipped.selStart, stepped.selStart) << label;
            EXPECT_EQ(skipped.selLength, stepped.selLength) << label;
            EXPECT_EQ(skipped.selectionFormat, stepped.selectionFormat) << label;
            EXPECT_EQ(skipped.barWrites, stepped.barWrites) << label;
            const Outcome unseen = RunOn(text, mode, *keywords, color, false, true, mixed);
            EXPECT_EQ(unseen.formats, stepped.formats) << label;
            EXPECT_EQ(unseen.selStart, stepped.selStart) << label;
            EXPECT_EQ(unseen.barPosition, stepped.barPosition) << label;
          }
        }
      }
    }
  }
}

TEST(KeywordShapeTest, WordsSharingAShapeWithAnEntryAreComparedWhole) {
  const KeywordList list = MakeKeywords({"begin", "Then", "a", "", "x9z",
                                         "\xE8"
                                         "ert"});
  struct Case {
    std::u16string word;
    bool keyword;
  } cases[] = {
      {u"begin", true}, {u"BEGIN", true},     {u"bagin", false},    {u"beg1n", false},
      {u"then", true},  {u"tHEN", true},      {u"tzzn", false},     {u"A", true},
      {u"q", false},    {u"", true},          {u"X9Z", true},       {u"x9Z", true},
      {u"xpz", false},  {u"\u010Dert", true}, {u"\u010DerT", true}, {u"Cert", false},
  };
  for (const auto& [word, keyword] : cases) {
    EXPECT_EQ(IsKeyword(list, word), keyword) << std::string(word.begin(), word.end());
  }
}

}  // namespace
}  // namespace markwell
