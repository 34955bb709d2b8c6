#include "ElicitationFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>

#include "NumberText.h"

namespace {

using Json = nlohmann::ordered_json;

// The keys of the number fields, in the order of NumberField, and of the level fields, in
// the order of LevelField.
constexpr std::array<const char*, 5> kNumberKeys{"ap", "m", "br", "n", "xs"};
constexpr std::array<const char*, 3> kLevelKeys{"p", "r", "s"};

constexpr const char* ModeName(FitMode mode) {
  return mode == FitMode::PowerParameter ? "power_parameter" : "additional_quantile";
}

// [SECTION] Writing

// A level as the file holds it: a JSON number of percent, whole where the level is ("10",
// "2.5").
Json LevelJson(Level level) {
  if (level.Tenths() % 10 == 0)
    return level.Tenths() / 10;
  return static_cast<double>(level.Tenths()) / 10.0;
}

// A figure as a JSON number, or null where a double cannot hold it (beyond 1.7e308, or not
// zero but below the smallest double).
Json FigureJson(Extended value) {
  const double rounded = static_cast<double>(value);
  if (!std::isfinite(rounded) || (rounded == 0 && value != 0))
    return nullptr;
  return rounded;
}

Json JudgementsJson(const TypedJudgements& typed) {
  Json out = Json::object();
  out["mode"] = ModeName(typed.Mode);
  for (std::size_t i = 0; i < kNumberKeys.size(); ++i)
    out[kNumberKeys[i]] = typed.Texts[i];
  for (std::size_t i = 0; i < kLevelKeys.size(); ++i)
    out[kLevelKeys[i]] = LevelJson(typed.Levels[i]);
  out["credibility"] = LevelJson(typed.Credibility);
  return out;
}

Json NotesJson(const ElicitationNotes& notes) {
  Json rationale = Json::object();
  for (std::size_t i = 0; i < kNumberKeys.size(); ++i)
    rationale[kNumberKeys[i]] = notes.Rationale[i];
  return Json{{"quantity", notes.Quantity}, {"unit", notes.Unit},     {"expert", notes.Expert},
              {"date", notes.Date},         {"rationale", rationale}, {"overall", notes.Overall}};
}

Json FitJson(const PlotOutcome& outcome) {
  const Fit& fit = *outcome.Fitted;
  const TFitFigures& f = outcome.Figures;
  Json out = Json::object();
  out["judgements"] = JudgementsJson(fit.Given.Typed);
  out["described"] = DescribeJudgements(fit.Given.Typed);
  out["a"] = FigureJson(f.LowerBound);
  out["b"] = FigureJson(f.UpperBound);
  out["n"] = FigureJson(f.Power);
  out["q"] = FigureJson(f.ModeProbability);
  out["m"] = FigureJson(f.ModeValue);
  out["anti_mode"] = f.AntiMode;
  out["median"] = FigureJson(f.Median);
  out["mean"] = FigureJson(f.Mean);
  out["sd"] = FigureJson(f.StdDev);
  out["lower_credibility_limit"] = FigureJson(f.LowerCredibilityLimit);
  out["upper_credibility_limit"] = FigureJson(f.UpperCredibilityLimit);
  Json quantiles = Json::object();
  const std::array<Extended, 9> fitted = FittedQuantiles(fit.Distribution);
  for (std::size_t i = 0; i < kQuantileLevels.size(); ++i)
    quantiles[std::to_string(kQuantileLevels[i])] = FigureJson(fitted[i]);
  out["quantiles"] = std::move(quantiles);
  if (outcome.Feasibility) {
    out["feasibility_lower"] = FigureJson(outcome.Feasibility->Smaller());
    out["feasibility_upper"] = FigureJson(outcome.Feasibility->Larger());
  }
  if (fit.Given.Mode() == FitMode::ExtraQuantile) {
    Json powers = Json::array();
    for (const Extended n : fit.Powers)
      powers.push_back(FigureJson(n));
    out["powers"] = std::move(powers);
  }
  return out;
}

// [SECTION] Reading

// Where in the file a value stands, as the messages name it: experts[0].judgements.p.
std::string Member(const std::string& where, std::string_view key) {
  return where.empty() ? std::string(key) : where + "." + std::string(key);
}

const char* TypeName(const Json& value) {
  switch (value.type()) {
    case Json::value_t::null:
      return "null";
    case Json::value_t::boolean:
      return "true or false";
    case Json::value_t::string:
      return "a text";
    case Json::value_t::array:
      return "a list";
    case Json::value_t::object:
      return "an object";
    default:
      return "a number";
  }
}

[[noreturn]] void WrongType(const std::string& where, const Json& value, std::string_view wanted) {
  throw EFileError(where + " is " + TypeName(value) + " where " + std::string(wanted) +
                   " belongs.");
}

const Json& Field(const Json& object, const std::string& where, std::string_view key) {
  const auto found = object.find(key);
  if (found == object.end())
    throw EFileError(Member(where, key) + " is missing.");
  return *found;
}

const Json& ObjectField(const Json& object, const std::string& where, std::string_view key) {
  const Json& value = Field(object, where, key);
  if (!value.is_object())
    WrongType(Member(where, key), value, "an object");
  return value;
}

std::string TextField(const Json& object, const std::string& where, std::string_view key) {
  const Json& value = Field(object, where, key);
  if (!value.is_string())
    WrongType(Member(where, key), value, "a text");
  return value.get<std::string>();
}

// A level: a JSON number of percent from 0 to 100 in steps of a tenth, as the level fields
// take it (the number nearest a tenth, as a writer of the shortest text gives it).
Level ReadLevel(const Json& object, const std::string& where, std::string_view key) {
  const std::string name = Member(where, key);
  const Json& value = Field(object, where, key);
  if (!value.is_number())
    WrongType(name, value, "a level in percent");
  const double percent = value.get<double>();
  if (!(percent >= 0 && percent <= 100)) {
    throw EFileError(name + " reads " + value.dump() +
                     ", which is not a level: levels lie between 0 and 100 percent.");
  }
  const long long tenths = std::llround(percent * 10);
  if (static_cast<double>(tenths) / 10.0 != percent) {
    throw EFileError(name + " reads " + value.dump() +
                     ", which is not a level in steps of 0.1 percent, such as 2.5.");
  }
  return Level::FromTenths(tenths);
}

FitMode ReadMode(const Json& object, const std::string& where) {
  const std::string mode = TextField(object, where, "mode");
  for (const FitMode known : {FitMode::PowerParameter, FitMode::ExtraQuantile}) {
    if (mode == ModeName(known))
      return known;
  }
  throw EFileError(Member(where, "mode") + " reads " + QuotedText(mode) +
                   ", which is not a mode: \"power_parameter\" or \"additional_quantile\".");
}

TypedJudgements ReadJudgementsJson(const Json& object, const std::string& where) {
  TypedJudgements typed;
  typed.Mode = ReadMode(object, where);
  for (std::size_t i = 0; i < kNumberKeys.size(); ++i)
    typed.Texts[i] = TextField(object, where, kNumberKeys[i]);
  for (std::size_t i = 0; i < kLevelKeys.size(); ++i)
    typed.Levels[i] = ReadLevel(object, where, kLevelKeys[i]);
  typed.Credibility = ReadLevel(object, where, "credibility");
  return typed;
}

ElicitationNotes ReadNotes(const Json& object, const std::string& where) {
  ElicitationNotes notes;
  notes.Quantity = TextField(object, where, "quantity");
  notes.Unit = TextField(object, where, "unit");
  notes.Expert = TextField(object, where, "expert");
  notes.Date = TextField(object, where, "date");
  const Json& rationale = ObjectField(object, where, "rationale");
  for (std::size_t i = 0; i < kNumberKeys.size(); ++i)
    notes.Rationale[i] = TextField(rationale, Member(where, "rationale"), kNumberKeys[i]);
  notes.Overall = TextField(object, where, "overall");
  return notes;
}

ExpertRecord ReadExpert(const Json& object, const std::string& where) {
  if (!object.is_object())
    WrongType(where, object, "an expert (an object)");
  ExpertRecord expert;
  expert.Name = TextField(object, where, "name");
  expert.Typed =
      ReadJudgementsJson(ObjectField(object, where, "judgements"), where + ".judgements");
  expert.Notes = ReadNotes(ObjectField(object, where, "notes"), where + ".notes");
  // The fit is the program's to recompute; it need only be one or nothing.
  const auto fit = object.find("fit");
  if (fit != object.end() && !fit->is_object() && !fit->is_null())
    WrongType(Member(where, "fit"), *fit, "a fit (an object) or null");
  return expert;
}

// The pool weights: one number of 0 or more for each expert, not all 0. A JSON number is
// always finite: a parser refuses 1e400 and has no infinity.
std::vector<double> ReadWeights(const Json& value, std::size_t expertCount) {
  if (!value.is_array())
    WrongType("weights", value, "a list of weights, one for each expert");
  if (value.size() != expertCount) {
    throw EFileError("weights holds " + std::to_string(value.size()) + " weights for " +
                     std::to_string(expertCount) + " experts: give one for each expert.");
  }
  std::vector<double> weights;
  double sum = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const std::string where = "weights[" + std::to_string(i) + "]";
    if (!value[i].is_number())
      WrongType(where, value[i], "a weight (a number)");
    const double weight = value[i].get<double>();
    if (!(weight >= 0) || !std::isfinite(weight)) {
      throw EFileError(where + " reads " + value[i].dump() +
                       ", which is not a weight: weights are numbers of 0 or more.");
    }
    weights.push_back(weight);
    sum += weight;
  }
  if (!(sum > 0) || !std::isfinite(sum))
    throw EFileError("weights gives every expert the weight 0: give one expert more.");
  return weights;
}

// The parser's message without its prefix: "parse error at line 1, column 2: ...".
std::string ParseErrorText(const nlohmann::json::exception& error) {
  const std::string text = error.what();
  const std::size_t end = text.find("] ");
  return end == std::string::npos ? text : text.substr(end + 2);
}

// [SECTION] Files

std::string SystemError(std::string_view what, int error) {
  return std::string(what) + ": " + std::strerror(error) + ".";
}

// Writes every byte, going on after a partial write or an interruption.
void WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      throw EFileError(SystemError("cannot write the new content", errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

std::string WriteElicitationText(const ElicitationRecord& record,
                                 const std::vector<const PlotOutcome*>& fits) {
  Json experts = Json::array();
  for (std::size_t i = 0; i < record.Experts.size(); ++i) {
    const ExpertRecord& expert = record.Experts[i];
    const PlotOutcome* fit = i < fits.size() ? fits[i] : nullptr;
    experts.push_back(Json{{"name", expert.Name},
                           {"judgements", JudgementsJson(expert.Typed)},
                           {"notes", NotesJson(expert.Notes)},
                           {"fit", fit && fit->Fitted ? FitJson(*fit) : Json(nullptr)}});
  }
  Json file{{"format", kElicitationFormat},
            {"version", kElicitationVersion},
            {"experts", std::move(experts)}};
  if (!record.Weights.empty())
    file["weights"] = record.Weights;
  return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

ElicitationRecord ReadElicitationText(std::string_view text) {
  Json file;
  try {
    file = Json::parse(text);
  } catch (const nlohmann::json::exception& error) {
    // A syntax error, or a number beyond what a double holds (1e400).
    throw EFileError("The file is not JSON (" + ParseErrorText(error) + ").");
  }
  const auto format = file.is_object() ? file.find("format") : file.end();
  if (format == file.end() || !format->is_string() ||
      format->get<std::string>() != kElicitationFormat) {
    throw EFileError("The file is not a Morvane elicitation: it has no \"format\": \"" +
                     std::string(kElicitationFormat) + "\".");
  }
  const Json& version = Field(file, "", "version");
  if (!version.is_number_integer() || version.get<double>() < 1) {
    throw EFileError("version reads " + version.dump() +
                     ", which is not a version of the format (a whole number from 1).");
  }
  if (version.get<double>() > kElicitationVersion) {
    throw EFileError("The file was written by a newer Morvane, in version " + version.dump() +
                     " of the format; this one reads version " +
                     std::to_string(kElicitationVersion) + ".");
  }
  const Json& experts = Field(file, "", "experts");
  if (!experts.is_array())
    WrongType("experts", experts, "a list of experts");
  if (experts.empty())
    throw EFileError("experts is an empty list: an elicitation has at least one expert.");
  ElicitationRecord record;
  for (std::size_t i = 0; i < experts.size(); ++i)
    record.Experts.push_back(ReadExpert(experts[i], "experts[" + std::to_string(i) + "]"));
  if (const auto weights = file.find("weights"); weights != file.end())
    record.Weights = ReadWeights(*weights, record.Experts.size());
  return record;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // The temporary file stands in the same folder, so that the rename replaces the file
  // in one step, on one file system.
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  std::string temporary;
  int descriptor = -1;
  for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
    temporary = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0 && errno != EEXIST)
      throw EFileError(SystemError("cannot create a file in the folder", errno));
  }
  if (descriptor < 0)
    throw EFileError("cannot create a temporary file in the folder: every name was taken.");
  try {
    // The file keeps the permissions it had.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
      (void)::fchmod(descriptor, old.st_mode & 07777);
    WriteAll(descriptor, bytes);
    if (::fsync(descriptor) != 0)
      throw EFileError(SystemError("cannot flush the new content to the disk", errno));
    const int closed = ::close(descriptor);
    descriptor = -1;
    if (closed != 0)
      throw EFileError(SystemError("cannot write the new content", errno));
    if (::rename(temporary.c_str(), path.c_str()) != 0)
      throw EFileError(SystemError("cannot replace the file", errno));
  } catch (...) {
    if (descriptor >= 0)
      ::close(descriptor);
    ::unlink(temporary.c_str());
    throw;
  }
  // The rename itself reaches the disk with the folder; a folder that cannot be flushed
  // leaves the file whole all the same.
  const int folderDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderDescriptor >= 0) {
    (void)::fsync(folderDescriptor);
    ::close(folderDescriptor);
  }
}
