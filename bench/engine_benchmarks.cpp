// The engine's stages one by one, each in bytes per second, on generated
// sources of 1 and 10 MB (MB = 2^20 bytes). Loading, reading and running take
// the source's bytes as their measure, RTF reading the RTF's bytes.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "document/document.h"
#include "files/document_file.h"
#include "keywords/keyword_list.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"
#include "run/formatting_run.h"
#include "run/progress_view.h"
#include "source_generator.h"
#include "text/plain_text.h"
#include "writers/json_writer.h"

namespace {

using namespace markwell;
using namespace markwell::bench;

constexpr std::size_t kMegabyte = 1 << 20;
constexpr std::size_t kSizes[] = {1 * kMegabyte, 10 * kMegabyte};

// Counts what a writer produces and throws it away, so that writing is
// measured without a disk or a growing string.
class DiscardBuffer : public std::streambuf {
 public:
  std::size_t Count() const { return count_; }

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count_ += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    ++count_;
    return traits_type::not_eof(c);
  }

 private:
  std::size_t count_ = 0;
};

// The Pascal run is the one with the most formats: the colour toggle down.
struct Run {
  SourceLanguage language;
  int mode;
  bool color;
  std::string_view name;
};
constexpr Run kRuns[] = {
    {SourceLanguage::kPascal, kPascalMode, true, "pascal_colour"},
    {SourceLanguage::kPascal, kPascalMode, false, "pascal"},
    {SourceLanguage::kMatlab, kMatlabMode, true, "matlab"},
    {SourceLanguage::kAssembler, kAssemblerMode, false, "asm"},
};

// Generated inputs, made on first use and kept for the benchmarks after it:
// generating and running a 10 MB source takes longer than some stages.
class Corpora {
 public:
  const std::string& Source(SourceLanguage language, std::size_t size,
                            SourceCharset charset = SourceCharset::kUtf8) {
    auto& slot = sources_[{language, size, charset}];
    if (slot.empty()) slot = GenerateSource(language, size, 1, charset);
    return slot;
  }

  const KeywordLists& Keywords() {
    if (!keywords_) {
      keywords_ = std::make_unique<KeywordLists>();
      LoadKeywordLists(MARKWELL_KEYWORD_DIR, *keywords_);
    }
    return *keywords_;
  }

  // The source as markwell-cli loads it, before any run.
  const Document& Loaded(SourceLanguage language, std::size_t size) {
    auto& slot = loaded_[{language, size}];
    if (!slot) {
      slot = std::make_unique<Document>();
      LoadFromBytes(*slot, Source(language, size));
    }
    return *slot;
  }

  const Document& Formatted(const Run& run, std::size_t size) {
    auto& slot = formatted_[{run.name, size}];
    if (!slot) {
      slot = std::make_unique<Document>(Loaded(run.language, size));
      SilentProgress progress;
      RunFormattingSteps(*slot, run.mode, Keywords(), run.color, progress);
    }
    return *slot;
  }

  // Our own RTF of the coloured Pascal run.
  const std::string& OwnRtf(std::size_t size) {
    auto& slot = ownRtf_[size];
    if (slot.empty())
      slot = RtfString(Formatted(kRuns[0], size).Content(), 0, Formatted(kRuns[0], size).Length());
    return slot;
  }

  const std::string& WordProcessor(std::size_t size) {
    auto& slot = wordProcessorRtf_[size];
    if (slot.empty()) slot = WordProcessorRtf(Source(SourceLanguage::kPascal, size));
    return slot;
  }

 private:
  std::map<std::tuple<SourceLanguage, std::size_t, SourceCharset>, std::string> sources_;
  std::unique_ptr<KeywordLists> keywords_;
  std::map<std::pair<SourceLanguage, std::size_t>, std::unique_ptr<Document>> loaded_;
  std::map<std::pair<std::string_view, std::size_t>, std::unique_ptr<Document>> formatted_;
  std::map<std::size_t, std::string> ownRtf_;
  std::map<std::size_t, std::string> wordProcessorRtf_;
};

std::string SizeName(std::size_t size) {
  return std::to_string(size / kMegabyte) + "MB";
}

void Register(const std::string& name, std::function<void(benchmark::State&)> body) {
  benchmark::RegisterBenchmark(name.c_str(), std::move(body))->Unit(benchmark::kMillisecond);
}

// Each iteration loads into a fresh document, as the command does.
void RegisterLoading(Corpora& corpora) {
  constexpr std::pair<SourceCharset, std::string_view> kCharsets[] = {
      {SourceCharset::kAscii, "ascii"},
      {SourceCharset::kUtf8, "utf8"},
      {SourceCharset::kWindows1250, "cp1250"},
  };
  for (std::size_t size : kSizes) {
    for (const auto& [charset, charsetName] : kCharsets) {
      Register("DecodePlainText/" + std::string(charsetName) + "/" + SizeName(size),
               [&corpora, size, charset](benchmark::State& state) {
                 const std::string& bytes = corpora.Source(SourceLanguage::kPascal, size, charset);
                 for (auto _ : state) benchmark::DoNotOptimize(DecodePlainText(bytes));
                 state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
               });
      Register("LoadPlainText/" + std::string(charsetName) + "/" + SizeName(size),
               [&corpora, size, charset](benchmark::State& state) {
                 const std::string& bytes = corpora.Source(SourceLanguage::kPascal, size, charset);
                 for (auto _ : state) {
                   Document document;
                   LoadFromBytes(document, bytes);
                   benchmark::DoNotOptimize(document.Length());
                 }
                 state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
               });
    }
  }
}

void RegisterRtfReading(Corpora& corpora) {
  const auto reading = [&corpora](std::size_t size, bool own) {
    return [&corpora, size, own](benchmark::State& state) {
      const std::string& rtf = own ? corpora.OwnRtf(size) : corpora.WordProcessor(size);
      const CharFormat defaultFormat = Document().Font().AsCharFormat();
      for (auto _ : state) benchmark::DoNotOptimize(ReadRtf(rtf, defaultFormat));
      state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rtf.size()));
      state.counters["rtf_MB"] = static_cast<double>(rtf.size()) / kMegabyte;
    };
  };
  for (std::size_t size : kSizes) {
    // Named after the source the RTF holds; the rate is of the RTF's bytes.
    Register("ReadRtf/own_pascal/" + SizeName(size), reading(size, true));
    Register("ReadRtf/word_processor/" + SizeName(size), reading(size, false));
  }
}

// Every iteration starts from the document as loaded, as a run does; the
// copy is not timed.
void RegisterRuns(Corpora& corpora) {
  for (std::size_t size : kSizes) {
    for (const Run& run : kRuns) {
      Register("Run/" + std::string(run.name) + "/" + SizeName(size),
               [&corpora, size, &run](benchmark::State& state) {
                 const Document& loaded = corpora.Loaded(run.language, size);
                 const KeywordLists& keywords = corpora.Keywords();
                 for (auto _ : state) {
                   state.PauseTiming();
                   auto document = std::make_unique<Document>(loaded);
                   SilentProgress progress;
                   state.ResumeTiming();
                   RunFormattingSteps(*document, run.mode, keywords, run.color, progress);
                   benchmark::DoNotOptimize(document->SelStart());
                   state.PauseTiming();
                   document.reset();
                   state.ResumeTiming();
                 }
                 state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
               });
    }
    // The reset alone, on a document that a run has formatted.
    Register("Reset/after_pascal_colour/" + SizeName(size),
             [&corpora, size](benchmark::State& state) {
               const Document& formatted = corpora.Formatted(kRuns[0], size);
               for (auto _ : state) {
                 state.PauseTiming();
                 auto document = std::make_unique<Document>(formatted);
                 state.ResumeTiming();
                 ResetDocument(*document);
                 benchmark::DoNotOptimize(document->SelStart());
                 state.PauseTiming();
                 document.reset();
                 state.ResumeTiming();
               }
               state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
             });
  }
}

void RegisterWriting(Corpora& corpora) {
  for (std::size_t size : kSizes) {
    for (const Run& run : kRuns) {
      if (run.name == "pascal") continue;  // as pascal_colour with fewer formats
      Register("WriteRtf/" + std::string(run.name) + "/" + SizeName(size),
               [&corpora, size, &run](benchmark::State& state) {
                 const Document& document = corpora.Formatted(run, size);
                 std::size_t written = 0;
                 for (auto _ : state) {
                   DiscardBuffer buffer;
                   std::ostream out(&buffer);
                   WriteRtf(document.Content(), out);
                   written = buffer.Count();
                 }
                 state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
                 state.counters["out_MB"] = static_cast<double>(written) / kMegabyte;
               });
    }
    Register("WriteJson/pascal_colour/" + SizeName(size),
             [&corpora, size](benchmark::State& state) {
               const Document& document = corpora.Formatted(kRuns[0], size);
               std::size_t written = 0;
               for (auto _ : state) {
                 DiscardBuffer buffer;
                 std::ostream out(&buffer);
                 WriteJson(document, out);
                 written = buffer.Count();
               }
               state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
               state.counters["out_MB"] = static_cast<double>(written) / kMegabyte;
             });
  }
}

constexpr bool IsWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

// The words of a text as a filter cuts them out, empty ones included: a
// filter looks up the word before every non-identifier character.
std::vector<std::u16string_view> Words(std::u16string_view text) {
  std::vector<std::u16string_view> words;
  std::size_t start = 0;
  for (std::size_t p = 0; p < text.size(); ++p) {
    if (!IsWordChar(text[p])) {
      words.push_back(text.substr(start, p - start));
      start = p + 1;
    }
  }
  words.push_back(text.substr(start));
  return words;
}

void RegisterKeywordLookup(Corpora& corpora) {
  for (std::size_t size : kSizes) {
    for (const auto language : {SourceLanguage::kPascal, SourceLanguage::kMatlab}) {
      Register(
          "IsKeyword/" + std::string(LanguageName(language)) + "/" + SizeName(size),
          [&corpora, size, language](benchmark::State& state) {
            const KeywordLists& lists = corpora.Keywords();
            const KeywordList& list =
                language == SourceLanguage::kPascal ? lists.pascal : lists.matlab;
            const auto words = Words(corpora.Loaded(language, size).Text());
            std::size_t found = 0;
            for (auto _ : state) {
              for (const auto word : words) found += IsKeyword(list, word) ? 1 : 0;
            }
            benchmark::DoNotOptimize(found);
            state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
            state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
          });
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Corpora corpora;
  RegisterLoading(corpora);
  RegisterRtfReading(corpora);
  RegisterRuns(corpora);
  RegisterWriting(corpora);
  RegisterKeywordLookup(corpora);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
