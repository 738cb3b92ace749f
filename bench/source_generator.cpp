#include "source_generator.h"

#include "source_writer.h"

namespace markwell::bench {

std::optional<SourceLanguage> ParseSourceLanguage(std::string_view name) {
  if (name == "pascal") return SourceLanguage::kPascal;
  if (name == "matlab") return SourceLanguage::kMatlab;
  if (name == "asm") return SourceLanguage::kAssembler;
  if (name == "c") return SourceLanguage::kC;
  if (name == "python") return SourceLanguage::kPython;
  return std::nullopt;
}

std::string_view LanguageName(SourceLanguage language) {
  switch (language) {
    case SourceLanguage::kPascal:
      return "pascal";
    case SourceLanguage::kMatlab:
      return "matlab";
    case SourceLanguage::kAssembler:
      return "asm";
    case SourceLanguage::kC:
      return "c";
    case SourceLanguage::kPython:
      return "python";
  }
  return "";
}

namespace {

// How each language's source is written: its line end, its generator and
// the line comment that fills it up to the exact size.
struct SourceShape {
  std::string_view lineEnd;
  void (*generate)(SourceWriter&);
  std::string_view commentPrefix;
};

SourceShape ShapeOf(SourceLanguage language) {
  switch (language) {
    case SourceLanguage::kPascal:
      return {"\r\n", GeneratePascal, "//"};
    case SourceLanguage::kMatlab:
      return {"\n", GenerateMatlab, "%"};
    case SourceLanguage::kAssembler:
      return {"\r\n", GenerateAssembler, ";"};
    case SourceLanguage::kC:
      return {"\n", GenerateC, "//"};
    case SourceLanguage::kPython:
      return {"\n", GeneratePython, "#"};
  }
  return {"\n", GenerateC, "//"};
}

}  // namespace

std::string GenerateSource(SourceLanguage language, std::size_t size, std::uint64_t seed,
                           SourceCharset charset) {
  const SourceShape shape = ShapeOf(language);
  SourceWriter w(size, seed, charset, shape.lineEnd);
  shape.generate(w);
  return w.Finish(shape.commentPrefix);
}

}  // namespace markwell::bench
