#include "ModelSnippets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FloatErrors.h"

namespace {

// Levels at the ends, in the tails, around the mode and at the mode probability itself.
std::vector<double> Levels(const TwoSidedPower& model) {
  return {0,   1e-9, 0.01, 0.1,      0.3, static_cast<double>(ModeProbability(model)),
          0.5, 0.9,  0.99, 1 - 1e-9, 1};
}

std::string LevelList(const std::vector<double>& levels) {
  std::string list;
  for (const double u : levels) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", u);
    list += (list.empty() ? "" : ", ") + std::string(text);
  }
  return list;
}

// What a program prints, one number a line, when it runs the script.
std::vector<long double> RunScript(const std::string& program, const std::string& script) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("morvane-snippet-" + std::to_string(getpid()));
  std::ofstream(path) << script;
  std::vector<long double> values;
  if (FILE* out = popen((program + " " + path.string() + " 2>&1").c_str(), "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, out))
      values.push_back(std::strtold(line, nullptr));
    EXPECT_EQ(pclose(out), 0) << program << " ran:\n" << script;
  }
  std::filesystem::remove(path);
  return values;
}

// The largest gap between the quantiles printed and Quantile's, relative to the range.
long double LargestGap(const TwoSidedPower& model, const std::vector<double>& levels,
                       const std::vector<long double>& printed) {
  EXPECT_EQ(printed.size(), levels.size());
  long double gap = printed.size() == levels.size() ? 0 : INFINITY;
  for (std::size_t i = 0; i < levels.size() && i < printed.size(); ++i) {
    const long double exact = Quantile(model, levels[i]);
    gap = std::fmax(gap, std::fabs(printed[i] - exact) / (model.Upper() - model.Lower()));
    EXPECT_FALSE(std::isnan(printed[i])) << "at " << levels[i];
  }
  return gap;
}

TEST(ModelSnippetsTest, EachSnippetGivesBackTheQuantilesOfTheFit) {
  const TwoSidedPower models[] = {
      {2.6872090428123756L, 7, 20.890525352428774L, 7},  // the fit of the initial judgements
      {-3.5L, -1, 20, 0.5L, 4},                          // an anti-mode, a power on each side
      {1e6L, 1e6L + 1, 1e6L + 3, 2500, 0.25L},
  };
  for (const TwoSidedPower& model : models) {
    const std::vector<double> levels = Levels(model);
    const std::string list = LevelList(levels);
    const long double python = LargestGap(
        model, levels,
        RunScript("/usr/bin/python3", PythonQuantileSnippet(model) + "\nfor x in q(np.array([" +
                                          list + "])):\n    print(repr(float(x)))\n"));
    const long double r =
        LargestGap(model, levels,
                   RunScript("Rscript", RQuantileSnippet(model) + "cat(sprintf('%.17g', q(c(" +
                                            list + "))), sep = '\\n')\n"));
    // The formula read as Python: IF as a choice, ^ as the power, the cell as u.
    std::string formula = SpreadsheetQuantileFormula(model, "A1").substr(1);
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"IF(", "choose("}, {"^", "**"}, {"A1", "u"}}) {
      for (std::size_t at = formula.find(from); at != std::string::npos;
           at = formula.find(from, at + to.size()))
        formula.replace(at, from.size(), to);
    }
    const long double sheet =
        LargestGap(model, levels,
                   RunScript("/usr/bin/python3",
                             "def choose(c, x, y):\n    return x if c else y\n"
                             "for u in [" +
                                 list + "]:\n    print(repr(float(" + formula + ")))\n"));
    std::printf("  snippets' largest gaps, relative to b - a: Python %.3Lg, R %.3Lg, sheet %.3Lg\n",
                python, r, sheet);
    EXPECT_LE(python, 1e-9L);
    EXPECT_LE(r, 1e-9L);
    EXPECT_LE(sheet, 1e-9L);
  }
  EXPECT_THROW(PythonQuantileSnippet({0, 1, 1e400L, 2}), EFitError);
}

}  // namespace
