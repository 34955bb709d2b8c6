#include "ElicitationFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Elicitation.h"
#include "FakeJudgements.h"

namespace {

// Two experts: one in power-parameter mode with notes in several scripts, one in
// additional-quantile mode with texts a reader of numbers would change ("7.0", "010").
ElicitationRecord TwoExperts() {
  ExpertRecord first{"Dr. Ada", FakeJudgements(), {}};
  first.Notes = {"Repair cost", "k€", "Ada Ø. Lovelace",
                 "2026-12-09",  {},   "Line one\nline \"two\""};
  first.Notes.RationaleOf(NumberField::LowerQuantile) = "cheapest repair seen, 𝛼";
  first.Notes.RationaleOf(NumberField::ExtraQuantile) = "not asked";
  ExpertRecord second{"B", FakeJudgements(), {}};
  second.Typed.Mode = FitMode::ExtraQuantile;
  second.Typed.Type(NumberField::Power, "010");
  second.Typed.LevelOf(LevelField::Lower) = Percent(0);
  second.Typed.LevelOf(LevelField::Extra) = Percent(100);
  second.Typed.Credibility = Percent(5);
  // Levels in tenths: 2.5 and 97.5 read back as written.
  second.Typed.LevelOf(LevelField::Upper) = Level::FromTenths(975);
  first.Typed.Credibility = Level::FromTenths(25);
  return {{first, second}};
}

TEST(ElicitationFileTest, AWrittenFileReadsBackWholeAndShowsTheFit) {
  const ElicitationRecord record = TwoExperts();
  Elicitation document;
  ASSERT_TRUE(document.Open(record.Experts[0], {false}).Fitted);
  const std::string text = WriteElicitationText(record, {document.Shown()});
  EXPECT_EQ(ReadElicitationText(text), record);

  // The fit stands in the file as numbers a reader without the program can use.
  const nlohmann::json file = nlohmann::json::parse(text);
  const nlohmann::json& fit = file["experts"][0]["fit"];
  const TFitFigures& f = document.Shown()->Figures;
  EXPECT_EQ(fit["a"].get<double>(), static_cast<double>(f.LowerBound));
  EXPECT_EQ(fit["upper_credibility_limit"].get<double>(),
            static_cast<double>(f.UpperCredibilityLimit));
  EXPECT_EQ(fit["quantiles"]["50"].get<double>(), static_cast<double>(f.Median));
  EXPECT_EQ(fit["judgements"]["n"], "7.0");
  EXPECT_TRUE(file["experts"][1]["fit"].is_null()) << "an expert without a fit";
  EXPECT_EQ(file["experts"][1]["judgements"]["p"], 0);
  EXPECT_EQ(file["experts"][1]["judgements"]["mode"], "additional_quantile");

  // An additional-quantile fit lists its feasibility bounds and the powers that fit.
  TypedJudgements extra;
  extra.Mode = FitMode::ExtraQuantile;
  ASSERT_TRUE(document.Open({"", extra, {}}, {false}).Fitted);
  const nlohmann::json extraFit = nlohmann::json::parse(
      WriteElicitationText({{{"", extra, {}}}}, {document.Shown()}))["experts"][0]["fit"];
  EXPECT_EQ(extraFit["feasibility_lower"].get<double>(),
            static_cast<double>(document.Shown()->Feasibility->Smaller()));
  ASSERT_EQ(extraFit["powers"].size(), document.Shown()->Fitted->Powers.size());
  EXPECT_EQ(extraFit["powers"][0].get<double>(),
            static_cast<double>(document.Shown()->Fitted->Powers[0]));
}

TEST(ElicitationFileTest, SeveralExpertsAndTheirWeightsReadBackAndOpenWhole) {
  ElicitationRecord record = TwoExperts();
  record.Experts[1].Typed = FakeJudgements();
  record.Experts[1].Typed.Type(NumberField::ModeValue, "8");
  record.Weights = {2, 0.5};
  const std::string text = WriteElicitationText(record);
  EXPECT_EQ(ReadElicitationText(text), record);
  EXPECT_EQ(nlohmann::json::parse(text)["weights"], nlohmann::json::parse("[2, 0.5]"));
  EXPECT_EQ(WriteElicitationText(TwoExperts()).find("weights"), std::string::npos)
      << "no weights: none written, and a file without them reads as equal weights";

  Elicitation document;
  ASSERT_TRUE(document.OpenAll(record, {false}).Fitted);
  ASSERT_EQ(document.ExpertCount(), 2u);
  EXPECT_EQ(document.CurrentExpert(), 0u);
  ASSERT_NE(document.ShownOf(1), nullptr) << "every expert is fitted on opening";
  EXPECT_EQ(document.ShownOf(1)->Fitted->Given.Typed.Text(NumberField::ModeValue), "8");
  EXPECT_EQ(document.WholeRecord(), record);

  const std::string good = text;
  const auto with = [&good](const std::string& to) {
    std::string changed = good;
    const std::size_t at = changed.find("\"weights\"");
    EXPECT_NE(at, std::string::npos);
    return changed.substr(0, at) + "\"weights\": " + to + "\n}\n";
  };
  const std::pair<std::string, std::string> cases[] = {
      {with("[1]"), "weights holds 1 weights for 2 experts"},
      {with("[1, -1]"), "weights[1] reads -1, which is not a weight"},
      {with("[0, 0]"), "gives every expert the weight 0"},
      {with("[1, \"2\"]"), "weights[1] is a text where a weight"},
      {with("2"), "weights is a number where a list of weights"},
  };
  for (const auto& [bad, expected] : cases) {
    try {
      ReadElicitationText(bad);
      ADD_FAILURE() << "read: " << bad.substr(bad.size() - 40);
    } catch (const EFileError& refusal) {
      EXPECT_NE(std::string(refusal.what()).find(expected), std::string::npos)
          << refusal.what() << "\nexpected: " << expected;
    }
  }
}

TEST(ElicitationFileTest, ABadFileIsRefusedSayingWhatIsWrong) {
  const std::string good = WriteElicitationText(TwoExperts());
  const auto with = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const std::pair<std::string, std::string> cases[] = {
      {"", "is not JSON"},
      {good.substr(0, good.size() / 2), "is not JSON"},
      {"[1, 2]", "not a Morvane elicitation"},
      {with("morvane-elicitation", "morvane-other"), "not a Morvane elicitation"},
      {with("\"version\": 1", "\"version\": 2"), "newer Morvane, in version 2"},
      {with("\"version\": 1", "\"version\": 1.5"), "version reads 1.5"},
      {with("\"experts\": [", "\"experts\": [], \"x\": ["), "an empty list"},
      {with("\"p\": 10", "\"q\": 10"), "experts[0].judgements.p is missing"},
      {with("\"p\": 10", "\"p\": \"10\""), "experts[0].judgements.p is a text where a level"},
      {with("\"r\": 90", "\"r\": 100.5"),
       "experts[0].judgements.r reads 100.5, which is not a level"},
      {with("\"r\": 90", "\"r\": -1"), "reads -1, which is not a level"},
      {with("\"s\": 80", "\"s\": 2.55"), "reads 2.55, which is not a level in steps of 0.1"},
      {with("\"s\": 80", "\"s\": 1e400"), "is not JSON (number overflow"},
      {with("\"ap\": \"6.5\"", "\"ap\": 6.5"), "experts[0].judgements.ap is a number where a text"},
      {with("power_parameter", "power"), "reads \"power\", which is not a mode"},
      {with("\"overall\": \"Line", "\"overal\": \"Line"), "experts[0].notes.overall is missing"},
      {with("\"fit\": null", "\"fit\": 3"), "experts[0].fit is a number"},
  };
  for (const auto& [text, expected] : cases) {
    try {
      ReadElicitationText(text);
      ADD_FAILURE() << "read: " << text.substr(0, 60);
    } catch (const EFileError& refusal) {
      EXPECT_NE(std::string(refusal.what()).find(expected), std::string::npos)
          << refusal.what() << "\nexpected: " << expected;
    }
  }
}

TEST(ElicitationFileTest, TheAtomicWriteReplacesWholeOrLeavesTheOldFile) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("morvane-file-test-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "taken");
  const std::string path = (folder / "f.morvane").string();
  WriteFileAtomically(path, "old");
  WriteFileAtomically(path, "new content");
  std::stringstream read;
  read << std::ifstream(path).rdbuf();
  EXPECT_EQ(read.str(), "new content");
  // A folder in the file's place cannot be replaced: it stays, and nothing is left beside.
  EXPECT_THROW(WriteFileAtomically((folder / "taken").string(), "x"), EFileError);
  EXPECT_THROW(WriteFileAtomically((folder / "missing" / "f").string(), "x"), EFileError);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
  std::filesystem::remove_all(folder);
}

}  // namespace
