#include "FitBatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>

#include "FitOutput.h"

namespace {

using ::testing::HasSubstr;

struct TBatchRun {
  int Status = -1;
  std::string Out;
  std::string Messages;
};

TBatchRun Batch(const std::string& csv, bool json = false, std::string_view quantiles = "",
                std::string_view probes = "") {
  TBatchOptions options;
  options.Json = json;
  if (!quantiles.empty())
    options.Quantiles = ReadQuantileLevels(quantiles);
  if (!probes.empty())
    options.Probes = ReadProbePoints(probes);
  std::istringstream in(csv);
  std::ostringstream out;
  std::ostringstream messages;
  TBatchRun run;
  run.Status = RunBatch(in, out, messages, options);
  run.Out = out.str();
  run.Messages = messages.str();
  return run;
}

// The shortest text that reads back as the same double.
std::string Shortest(const nlohmann::ordered_json& number) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, number.get<double>()).ptr;
  EXPECT_EQ(std::stod(std::string(buffer, end)), number.get<double>());
  return std::string(buffer, end);
}

std::vector<nlohmann::ordered_json> JsonLines(const std::string& text) {
  std::vector<nlohmann::ordered_json> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    rows.push_back(nlohmann::ordered_json::parse(line));
  return rows;
}

TEST(RunBatchTest, EachRowGivesExactlyWhatItsSingleFitGives) {
  const std::string csv =
      "name,ap,p,m,br,r,n,xs,s,credibility\n"
      "default,6.5,10,7.0,10.5,90,7.0,,,\n"
      "extra,6.5,10,7.0,10.5,90,,9.588495255,80,20\n"
      "anti,6.5,10,7.0,10.5,90,0.5,,,\n";
  const TBatchRun run = Batch(csv, true, "5,50", "7");
  ASSERT_EQ(run.Status, 0) << run.Messages;
  const auto rows = JsonLines(run.Out);
  ASSERT_EQ(rows.size(), 3u);
  TFitRequest single;
  single.Quantiles = ReadQuantileLevels("5,50");
  single.Probes = ReadProbePoints("7");
  TFitRequest extra = single;
  extra.SetMode(FitMode::ExtraQuantile);
  extra.SetCredibility(20);
  TFitRequest anti = single;
  anti.Type(NumberField::Power, "0.5");
  const TFitRequest* requests[] = {&single, &extra, &anti};
  const char* names[] = {"default", "extra", "anti"};
  for (std::size_t i = 0; i < 3; ++i) {
    nlohmann::ordered_json row = rows[i];
    EXPECT_EQ(row["name"], names[i]);
    EXPECT_EQ(row["line"], i + 2);
    row.erase("name");
    row.erase("line");
    EXPECT_EQ(row, FitJson(*requests[i], FitRequest(*requests[i]))) << names[i];
  }
  EXPECT_THAT(run.Messages, HasSubstr("line 4: Warning: Your Estimate m is an anti-mode"));

  // The CSV rows carry the same doubles, in the shortest text that reads back exactly.
  const TBatchRun table = Batch(csv, false, "5,50", "7");
  ASSERT_EQ(table.Status, 0);
  std::istringstream lines(table.Out);
  std::string header;
  std::getline(lines, header);
  EXPECT_EQ(
      header,
      "name,a,b,n,q,m,median,mean,sd,lower_credibility_limit,upper_credibility_limit,"
      "feasibility_lower,feasibility_upper,powers,quantile_5,quantile_50,probability_7,error\r");
  std::string second;
  std::getline(lines, second);
  std::getline(lines, second);
  const nlohmann::ordered_json e = FitJson(extra, FitRequest(extra));
  std::ostringstream expected;
  expected << "extra";
  for (const char* key :
       {"a", "b", "n", "q", "m", "median", "mean", "sd", "lower_credibility_limit",
        "upper_credibility_limit", "feasibility_lower", "feasibility_upper"})
    expected << ',' << Shortest(e[key]);
  ASSERT_EQ(e["powers"].size(), 1u);
  expected << ',' << Shortest(e["powers"][0]);
  expected << ',' << Shortest(e["quantiles"]["5"]) << ',' << Shortest(e["quantiles"]["50"]) << ','
           << Shortest(e["probabilities"]["7"]) << ",\r";
  EXPECT_EQ(second, expected.str());
}

TEST(RunBatchTest, ARowThatCannotBeFittedCarriesItsMessageAndTheBatchGoesOn) {
  const TBatchRun run = Batch(
      "ap,p,m,br,r,n,xs,s\n"
      "6.5,10,7.0,10.5,90,abc,,\n"
      "6.5,010,7.0,10.5,90,7,,\n"
      "6.5,0x10,7.0,10.5,90,7,,\n"
      "6.5,10,7.0,10.5,90,,12,80\n"
      "6.5,10,7.0,10.5,90,7,9.5,80\n"
      "6.5,10,7.0,10.5,90,,,\n"
      "6.5,10,7.0,10.5,90,7,,\n",
      true);
  EXPECT_EQ(run.Status, 1);
  const auto rows = JsonLines(run.Out);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_THAT(rows[0]["error"].get<std::string>(), HasSubstr("\"Power Parameter n\" reads"));
  EXPECT_EQ(rows[1]["a"], rows[6]["a"]) << "a level 010 is ten per cent";
  EXPECT_THAT(rows[2]["error"].get<std::string>(), HasSubstr("p reads \"0x10\""));
  // The refusal whole, with the bounds it names, as a single fit gives them.
  EXPECT_EQ(rows[3]["error"],
            "Additional Quantile Specification not Feasible\n"
            "x_s must lie strictly between 9.30042943 and 10.00000000.");
  EXPECT_EQ(rows[3]["feasibility_lower"], 9.300429427657024);
  EXPECT_EQ(rows[3]["feasibility_upper"], 10.0);
  EXPECT_FALSE(rows[3].contains("a"));
  EXPECT_THAT(rows[4]["error"].get<std::string>(), HasSubstr("both n and xs"));
  EXPECT_THAT(rows[5]["error"].get<std::string>(), HasSubstr("neither n nor xs"));
  EXPECT_FALSE(rows[6].contains("error"));

  // In CSV the refused row fills its feasibility columns and quotes the two-line message.
  const TBatchRun table = Batch("name,ap,p,m,br,r,xs,s\nfar,6.5,10,7.0,10.5,90,12,80\n");
  EXPECT_EQ(table.Status, 1);
  EXPECT_THAT(table.Out, HasSubstr("\r\nfar,,,,,,,,,,,9.300429427657024,10,,\"Additional Quantile "
                                   "Specification not Feasible\nx_s must lie strictly between "
                                   "9.30042943 and 10.00000000.\"\r\n"));
}

TEST(RunBatchTest, ReadsWhatACsvReaderReads) {
  // A byte order mark, CRLF line ends, quoted fields with commas, doubled quotes and a line
  // end, blanks around fields, a blank line, and columns in another order.
  const std::string csv =
      "\xEF\xBB\xBFn,ap,p,m,br,r,name\r\n"
      "7,6.5,10,7.0,10.5,90,\"Cost, \"\"low\"\"\"\r\n"
      "\r\n"
      " 7 , 6.5 ,10,\"7.0\",10.5,90,\"two\r\nlines\"\r\n";
  const TBatchRun run = Batch(csv);
  ASSERT_EQ(run.Status, 0) << run.Messages;
  EXPECT_THAT(run.Out, HasSubstr("\r\n\"Cost, \"\"low\"\"\",2.6872090428123756,"));
  EXPECT_THAT(run.Out, HasSubstr("\r\n\"two\r\nlines\",2.6872090428123756,"));
  const TBatchRun json = Batch(csv, true);
  const auto rows = JsonLines(json.Out);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]["name"], "Cost, \"low\"");
  EXPECT_EQ(rows[1]["line"], 4);
}

TEST(RunBatchTest, AMalformedFileStopsWithItsLineNumber) {
  const std::string header = "ap,p,m,br,r,n\n";
  const std::string row = "6.5,10,7.0,10.5,90,7\n";
  const struct {
    std::string Csv;
    std::string Message;
  } cases[] = {
      {"", "line 1: the file is empty"},
      {"ap,p,m,r,n\n" + row, "line 1: the header has no column \"br\""},
      {"ap,p,m,br,r\n", "line 1: the header has neither a column \"n\""},
      {"ap,p,m,br,r,xs\n", "line 1: the header has neither a column \"n\""},
      {"ap,p,m,br,r,n,power\n", "line 1: the header names a column \"power\", which is not"},
      {"ap,p,m,br,r,n,n\n", "line 1: the header names the column \"n\" twice"},
      {header + row + "6.5,10,7.0,10.5,90\n",
       "line 3: the row has 5 fields, but the header "
       "names 6 columns."},
      {header + row + row + "6.5,10,7.0,10.5,90,7,1\n", "line 4: the row has 7 fields"},
      {header + "6.5,10,7\"0,10.5,90,7\n", "line 2: a quote stands inside a field"},
      {header + "6.5,10,\"7.0\"x,10.5,90,7\n", "line 2: a quote stands inside a field"},
      {header + row + "6.5,10,\"7.0,10.5,90,7\n" + row, "line 3: a quoted field is not closed"},
  };
  for (const auto& c : cases) {
    const TBatchRun run = Batch(c.Csv);
    EXPECT_EQ(run.Status, 2) << c.Csv;
    EXPECT_THAT(run.Messages, HasSubstr("morvane-fit: " + c.Message)) << c.Csv;
  }
  // The rows before the fault are written.
  const TBatchRun partial = Batch(header + row + "6.5,10,7.0\n", true);
  EXPECT_EQ(JsonLines(partial.Out).size(), 1u);
}

}  // namespace
